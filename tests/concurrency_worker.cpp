// Helper program of the concurrency test: one workstation changing the shared
// year files of a folder under the lock markers.
//
//   concurrency_worker registers FOLDER ID COUNT SEED
//       enters COUNT movements into 2024.CTT and COUNT into 2024.CND, deleting now
//       and then one of its own conditioned movements. Prints "wort TAG NUMMOV",
//       "cnd TAG NUMMOV KIND", "del TAG NUMMOV FOUND".
//   concurrency_worker batches FOLDER ID COUNT SEED
//       enters COUNT brewing batches into 2025.CTT, each with two unloads in
//       2025.MPR linked to it, a hand-entered load now and then, and deletes now
//       and then one of its own batches (which takes its unloads along). Prints
//       "batch TAG NUMMOV", "unload TAG NUMMOV NUMRIF", "load TAG NUMMOV",
//       "del TAG NUMMOV FOUND".
//
// Both end with "prompt MESSAGES QUESTIONS". A worker starts when its stdin
// reaches end of file, so that all start together. Exit 0, or 2 on error.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/bytes.h"
#include "core/dates.h"
#include "core/prompt.h"
#include "registers/movement.h"

using namespace veltrano;

namespace {

// The user of a busy workstation: presses OK a moment later, never overrides.
class PatientPrompt : public Prompt {
public:
    void message(const std::string&) override {
        ++messages;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    bool askYesNo(const std::string&) override {
        ++questions;
        return false;
    }
    long messages = 0;
    long questions = 0;
};

struct Own {
    std::string tag;
    std::int32_t number;
    std::string kind;
};

struct Worker {
    std::string folder;
    std::string id;
    int count = 0;
    std::mt19937 rng;
    PatientPrompt prompt;

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    // Half the movements fall on a few busy days, so that many share a day.
    double randomDay(int year) {
        return EncodeDate(year, 1, 1) + (pick(0, 1) == 0 ? pick(0, 364) : 100 + pick(0, 4));
    }
    std::string tag(const std::string& prefix, int i) const {
        return prefix + id + "-" + std::to_string(i);
    }
    // Deletes one of `mine`, chosen at random.
    void deleteOne(std::vector<Own>& mine, const std::string& path) {
        if (mine.empty()) return;
        const auto at = static_cast<std::size_t>(pick(0, static_cast<int>(mine.size()) - 1));
        const Own victim = mine[at];
        mine.erase(mine.begin() + static_cast<std::ptrdiff_t>(at));
        const bool found = MovementDeleteByNumber(victim.number, path, victim.kind, prompt);
        std::printf("del %s %d %d\n", victim.tag.c_str(), victim.number, found ? 1 : 0);
    }

    void registers() {
        const std::string wort = folder + "/2024.CTT";
        const std::string conditioned = folder + "/2024.CND";
        std::vector<Own> mine;
        for (int i = 0; i < count; ++i) {
            MovementRecord w;
            MovementBlank(w);
            w.DATMOV = randomDay(2024);
            w.TIPMOV = pick(0, 1) == 0 ? "C" : "S";
            w.INIZIO = pick(0, 1000);
            w.FINALE = w.INIZIO + pick(0, 300);
            w.LITRII = w.FINALE - w.INIZIO;
            w.ANNOTA = tag("W", i);
            MovementInsertOrdered(wort, w, prompt);
            std::printf("wort %s %d\n", tag("W", i).c_str(), w.NUMMOV);

            static const char* const kinds[] = {"C", "S", "R", "E"};
            MovementRecord k;
            MovementBlank(k);
            k.DATMOV = randomDay(2024);
            k.TIPMOV = kinds[pick(0, 3)];
            k.TBIRRA = "ROSSA";
            k.LMOSTO = "L" + std::to_string(pick(1, 9));
            k.FINALE = pick(1, 24);
            k.ANNOTA = tag("K", i);
            MovementInsertOrdered(conditioned, k, prompt);
            std::printf("cnd %s %d %s\n", tag("K", i).c_str(), k.NUMMOV,
                        TrimText(k.TIPMOV).c_str());
            mine.push_back({tag("K", i), k.NUMMOV, TrimText(k.TIPMOV)});

            if (i % 5 == 4) deleteOne(mine, conditioned);
        }
    }

    void batches() {
        const std::string wort = folder + "/2025.CTT";
        const std::string raw = folder + "/2025.MPR";
        std::vector<Own> mine;
        for (int i = 0; i < count; ++i) {
            MovementRecord b;
            MovementBlank(b);
            b.DATMOV = randomDay(2025);
            b.TIPMOV = "C";
            b.NUMDOC = std::to_string(i + 1);
            b.TBIRRA = "BIONDA";
            b.INIZIO = pick(0, 1000);
            b.FINALE = b.INIZIO + pick(0, 300);
            b.LMOSTO = tag("L", i);
            b.ANNOTA = tag("B", i);
            MovementInsertOrdered(wort, b, prompt);
            std::printf("batch %s %d\n", tag("B", i).c_str(), b.NUMMOV);
            mine.push_back({tag("B", i), b.NUMMOV, "C"});

            for (const char* material : {"MALTO", "LUPPOLO"}) {
                MovementRecord u;
                MovementBlank(u);
                u.NUMRIF = b.NUMMOV;
                u.DATMOV = b.DATMOV;
                u.TIPMOV = "S";
                u.TBIRRA = material;
                u.LITRII = 10;
                u.LMOSTO = "VIA";
                u.ANNOTA = tag("B", i) + "-" + material;
                MovementInsertOrdered(raw, u, prompt);
                std::printf("unload %s %d %d\n", (tag("B", i) + "-" + material).c_str(), u.NUMMOV,
                            u.NUMRIF);
            }
            if (i % 3 == 0) {
                MovementRecord l;
                MovementBlank(l);
                l.DATMOV = randomDay(2025);
                l.TIPMOV = "C";
                l.TBIRRA = "MALTO";
                l.LITRII = 500;
                l.ANNOTA = tag("P", i);
                MovementInsertOrdered(raw, l, prompt);
                std::printf("load %s %d\n", tag("P", i).c_str(), l.NUMMOV);
            }
            if (i % 4 == 3) deleteOne(mine, wort);
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: concurrency_worker registers|batches FOLDER ID COUNT SEED\n");
        return 2;
    }
    const std::string mode = argv[1];
    Worker w;
    w.folder = argv[2];
    w.id = argv[3];
    w.count = std::atoi(argv[4]);
    w.rng.seed(static_cast<unsigned>(std::strtoul(argv[5], nullptr, 10)));

    char c;
    while (::read(0, &c, 1) > 0) {
    }
    try {
        if (mode == "registers") {
            w.registers();
        } else if (mode == "batches") {
            w.batches();
        } else {
            std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
            return 2;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "worker %s: %s\n", w.id.c_str(), e.what());
        return 2;
    }
    std::printf("prompt %ld %ld\n", w.prompt.messages, w.prompt.questions);
    return 0;
}
