// Helper program of the concurrency test: one workstation entering movements into
// the shared wort and conditioned year files of a folder, and deleting some of its
// own conditioned ones, all under the lock markers.
//
//   concurrency_worker FOLDER ID COUNT SEED
//
// Starts when its stdin reaches end of file, so that all workers start together.
// Prints one line per change: "wort TAG NUMMOV", "cnd TAG NUMMOV KIND",
// "del TAG NUMMOV FOUND", then "prompt MESSAGES QUESTIONS". Exit 0, or 2 on error.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <random>
#include <string>
#include <thread>
#include <vector>

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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: concurrency_worker FOLDER ID COUNT SEED\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string id = argv[2];
    const int count = std::atoi(argv[3]);
    std::mt19937 rng(static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10)));
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    char c;
    while (::read(0, &c, 1) > 0) {
    }

    const std::string wort = folder + "/2024.CTT";
    const std::string conditioned = folder + "/2024.CND";
    const int firstDay = static_cast<int>(EncodeDate(2024, 1, 1));
    // Half the movements fall on a few busy days, so that many share a day.
    auto randomDay = [&] { return firstDay + (pick(0, 1) == 0 ? pick(0, 365) : 100 + pick(0, 4)); };

    PatientPrompt prompt;
    std::vector<Own> mine;
    try {
        for (int i = 0; i < count; ++i) {
            MovementRecord w;
            MovementBlank(w);
            w.DATMOV = randomDay();
            w.TIPMOV = pick(0, 1) == 0 ? "C" : "S";
            w.INIZIO = pick(0, 1000);
            w.FINALE = w.INIZIO + pick(0, 300);
            w.LITRII = w.FINALE - w.INIZIO;
            w.ANNOTA = "W" + id + "-" + std::to_string(i);
            MovementInsertOrdered(wort, w, prompt);
            std::printf("wort %s %d\n", w.ANNOTA.substr(0, w.ANNOTA.find(' ')).c_str(), w.NUMMOV);

            static const char* const kinds[] = {"C", "S", "R", "E"};
            MovementRecord k;
            MovementBlank(k);
            k.DATMOV = randomDay();
            k.TIPMOV = kinds[pick(0, 3)];
            k.TBIRRA = "ROSSA";
            k.LMOSTO = "L" + std::to_string(pick(1, 9));
            k.FINALE = pick(1, 24);
            k.ANNOTA = "K" + id + "-" + std::to_string(i);
            MovementInsertOrdered(conditioned, k, prompt);
            const std::string tag = k.ANNOTA.substr(0, k.ANNOTA.find(' '));
            std::printf("cnd %s %d %s\n", tag.c_str(), k.NUMMOV, k.TIPMOV.c_str());
            mine.push_back({tag, k.NUMMOV, k.TIPMOV});

            if (i % 5 == 4) {
                const auto at =
                    static_cast<std::size_t>(pick(0, static_cast<int>(mine.size()) - 1));
                const Own victim = mine[at];
                mine.erase(mine.begin() + static_cast<std::ptrdiff_t>(at));
                const bool found =
                    MovementDeleteByNumber(victim.number, conditioned, victim.kind, prompt);
                std::printf("del %s %d %d\n", victim.tag.c_str(), victim.number, found ? 1 : 0);
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "worker %s: %s\n", id.c_str(), e.what());
        return 2;
    }
    std::printf("prompt %ld %ld\n", prompt.messages, prompt.questions);
    return 0;
}
