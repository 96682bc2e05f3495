// Several workstations (processes) change the same year files at once under the
// lock markers: nothing may be lost, numbers stay unique and the records end in
// the order the insert rules give.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/bytes.h"
#include "core/file_io.h"
#include "registers/movement.h"
#include "support/child_process.h"

namespace veltrano {
namespace {

namespace ts = testsupport;

const std::string kWorker = VELTRANO_CONCURRENCY_WORKER;

struct Stored {
    std::int32_t number;
    std::int32_t link;  // NUMRIF
    double day;
    std::string kind;
    std::int32_t inizio;
    std::int32_t finale;
    std::string tag;
};

std::vector<Stored> readYearFile(const std::string& path) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) throw std::runtime_error("missing " + path);
    if (bytes->size() % MovementRecord::kSize != 0) throw std::runtime_error("torn " + path);
    std::vector<Stored> out;
    for (std::size_t off = 0; off < bytes->size(); off += MovementRecord::kSize) {
        auto r = MovementRecord::decode(ByteSpan{bytes->data() + off, MovementRecord::kSize});
        MovementTrim(r);
        out.push_back({r.NUMMOV, r.NUMRIF, r.DATMOV, r.TIPMOV, r.INIZIO, r.FINALE, r.ANNOTA});
    }
    return out;
}

// What the workers say they did, by tag.
struct Reports {
    std::map<std::string, std::int32_t> wort;         // registers: tag -> number given
    std::map<std::string, std::int32_t> conditioned;  // registers
    std::map<std::string, std::int32_t> batches;      // batches: tag -> number given
    std::map<std::string, std::int32_t> unloads;      // batches: tag -> number given
    std::map<std::string, std::int32_t> unloadLinks;  // batches: tag -> NUMRIF
    std::map<std::string, std::int32_t> loads;        // batches
    std::set<std::string> deleted;
    long messages = 0;
    long questions = 0;
    int notFound = 0;
};

void parseReport(const std::string& text, Reports& r) {
    std::istringstream in(text);
    std::string what;
    while (in >> what) {
        std::string tag, kind;
        std::int32_t number = 0, link = 0;
        int found = 0;
        if (what == "wort") {
            in >> tag >> number;
            r.wort[tag] = number;
        } else if (what == "cnd") {
            in >> tag >> number >> kind;
            r.conditioned[tag] = number;
        } else if (what == "batch") {
            in >> tag >> number;
            r.batches[tag] = number;
        } else if (what == "unload") {
            in >> tag >> number >> link;
            r.unloads[tag] = number;
            r.unloadLinks[tag] = link;
        } else if (what == "load") {
            in >> tag >> number;
            r.loads[tag] = number;
        } else if (what == "del") {
            in >> tag >> number >> found;
            r.deleted.insert(tag);
            if (found != 1) ++r.notFound;
        } else if (what == "prompt") {
            long m = 0, q = 0;
            in >> m >> q;
            r.messages += m;
            r.questions += q;
        } else {
            throw std::runtime_error("unexpected report line: " + what);
        }
    }
}

// Starts the workers together and collects what they did.
Reports runWorkers(const std::string& mode, const ts::TempFolder& folder, int workers,
                   int perWorker) {
    const unsigned seed = std::random_device{}();
    std::vector<ts::Child> children;
    for (int w = 0; w < workers; ++w) {
        children.push_back(
            ts::Spawn({kWorker, mode, folder.path(), std::to_string(w + 1),
                       std::to_string(perWorker), std::to_string(seed + unsigned(w))},
                      true));
    }
    for (auto& c : children)
        ts::CloseFd(c.stdinFd);  // go

    Reports reports;
    bool allOk = true;
    for (auto& c : children) {
        const std::string out = ts::ReadAll(c.stdoutFd);
        const auto status = ts::Wait(c.pid);
        EXPECT_FALSE(status.signaled) << "worker killed by signal " << status.signal;
        EXPECT_EQ(status.code, 0) << out;
        allOk = allOk && !status.signaled && status.code == 0;
        parseReport(out, reports);
    }
    if (!allOk) throw std::runtime_error("a worker failed");
    std::printf("%s: %d workers x %d: %ld waiting messages, %ld override questions (answered No)\n",
                mode.c_str(), workers, perWorker, reports.messages, reports.questions);
    // Without a single wait the workers never overlapped and nothing was tested.
    EXPECT_GT(reports.messages, 0);
    EXPECT_EQ(reports.notFound, 0) << "a worker's own movement vanished before it deleted it";
    return reports;
}

void expectDateOrder(const std::vector<Stored>& file, const char* name) {
    for (std::size_t k = 1; k < file.size(); ++k) {
        ASSERT_LE(file[k - 1].day, file[k].day) << name << " records " << k - 1 << " and " << k;
    }
}

// Every tag reported by a worker is there exactly once, under the number the
// insert gave it; nothing else is there.
void expectExactly(const std::vector<Stored>& file, const std::map<std::string, std::int32_t>& tags,
                   const char* name) {
    std::map<std::string, std::int32_t> stored;
    std::set<std::int32_t> numbers;
    for (const auto& s : file) {
        EXPECT_TRUE(stored.emplace(s.tag, s.number).second) << name << ": twice " << s.tag;
        EXPECT_TRUE(numbers.insert(s.number).second) << name << ": number twice " << s.number;
    }
    EXPECT_EQ(stored, tags) << name;
}

// Within each day the loads come first, each group in the order it was entered.
// (A record present when another is inserted has the smaller number, so number
// order is entry order.)
void expectLoadsFirst(const std::vector<Stored>& file,
                      const std::function<bool(const Stored&)>& isLoad, const char* name) {
    int sameDayPairs = 0;
    for (std::size_t k = 1; k < file.size(); ++k) {
        const auto& a = file[k - 1];
        const auto& b = file[k];
        if (a.day != b.day) continue;
        ++sameDayPairs;
        EXPECT_FALSE(!isLoad(a) && isLoad(b))
            << name << ": load " << b.tag << " after " << a.kind << " " << a.tag;
        if (isLoad(a) == isLoad(b)) {
            EXPECT_LT(a.number, b.number)
                << name << ": " << a.tag << " and " << b.tag << " out of entry order";
        }
    }
    EXPECT_GT(sameDayPairs, 0) << name << ": no two records share a day, the rule was not tested";
}

std::map<std::string, std::int32_t> without(std::map<std::string, std::int32_t> tags,
                                            const std::set<std::string>& deleted) {
    for (const auto& tag : deleted)
        tags.erase(tag);
    return tags;
}

int workers() {
    return ts::IterationsFromEnv("VELTRANO_CONCURRENCY_WORKERS", 4);
}

TEST(Concurrency, WortAndConditionedRegistersLoseNothingAndKeepTheirOrder) {
    const int perWorker = ts::IterationsFromEnv("VELTRANO_CONCURRENCY_MOVEMENTS", 250);
    ts::TempFolder folder("concurrency");
    const Reports reports = runWorkers("registers", folder, workers(), perWorker);
    ASSERT_EQ(reports.wort.size(), static_cast<std::size_t>(workers() * perWorker));
    ASSERT_EQ(reports.conditioned.size(), static_cast<std::size_t>(workers() * perWorker));

    // No marker and no temporary file stays behind.
    EXPECT_EQ(ts::ListFolder(folder.path()), (std::vector<std::string>{"2024.CND", "2024.CTT"}));

    // Wort register, inserts only: numbers 1..N and the order a one-at-a-time
    // insert in number order gives: same day, before the first record whose start
    // reading is at or above the new record's end reading.
    const auto wort = readYearFile(folder / "2024.CTT");
    expectExactly(wort, reports.wort, "2024.CTT");
    expectDateOrder(wort, "2024.CTT");
    std::vector<Stored> byNumber = wort;
    std::sort(byNumber.begin(), byNumber.end(),
              [](const Stored& a, const Stored& b) { return a.number < b.number; });
    for (std::size_t k = 0; k < byNumber.size(); ++k) {
        ASSERT_EQ(byNumber[k].number, static_cast<std::int32_t>(k + 1));
    }
    std::vector<Stored> replay;
    for (const auto& x : byNumber) {
        auto at = std::find_if(replay.begin(), replay.end(), [&](const Stored& r) {
            return r.day > x.day || (r.day == x.day && r.inizio >= x.finale);
        });
        replay.insert(at, x);
    }
    std::vector<std::string> expected, actual;
    for (const auto& r : replay)
        expected.push_back(r.tag);
    for (const auto& r : wort)
        actual.push_back(r.tag);
    EXPECT_EQ(actual, expected);

    // Conditioned register, inserts and deletes: C and R are the loads.
    const auto conditioned = readYearFile(folder / "2024.CND");
    expectExactly(conditioned, without(reports.conditioned, reports.deleted), "2024.CND");
    expectDateOrder(conditioned, "2024.CND");
    expectLoadsFirst(
        conditioned, [](const Stored& s) { return s.kind == "C" || s.kind == "R"; }, "2024.CND");
}

TEST(Concurrency, DeletedBatchesTakeExactlyTheirUnloadsWhileOthersWriteBothFiles) {
    const int perWorker = ts::IterationsFromEnv("VELTRANO_CONCURRENCY_BATCHES", 120);
    ts::TempFolder folder("concurrency-batches");
    const Reports reports = runWorkers("batches", folder, workers(), perWorker);
    ASSERT_EQ(reports.batches.size(), static_cast<std::size_t>(workers() * perWorker));
    ASSERT_FALSE(reports.deleted.empty());

    EXPECT_EQ(ts::ListFolder(folder.path()), (std::vector<std::string>{"2025.CTT", "2025.MPR"}));

    const auto batches = readYearFile(folder / "2025.CTT");
    const auto kept = without(reports.batches, reports.deleted);
    expectExactly(batches, kept, "2025.CTT");
    expectDateOrder(batches, "2025.CTT");

    // The raw-materials file holds the loads and the unloads of the batches that
    // are left, each unload still linked to its batch's number.
    std::map<std::string, std::int32_t> expected = reports.loads;
    for (const auto& [tag, number] : reports.unloads) {
        const std::string batch = tag.substr(0, tag.rfind('-'));
        if (kept.count(batch) != 0) {
            expected[tag] = number;
            EXPECT_EQ(reports.unloadLinks.at(tag), kept.at(batch)) << tag;
        }
    }
    const auto raw = readYearFile(folder / "2025.MPR");
    expectExactly(raw, expected, "2025.MPR");
    for (const auto& r : raw) {
        if (r.kind == "S") {
            EXPECT_EQ(r.link, reports.unloadLinks.at(r.tag)) << r.tag;
        }
    }
    expectDateOrder(raw, "2025.MPR");
    expectLoadsFirst(
        raw, [](const Stored& s) { return s.kind == "C"; }, "2025.MPR");
}

}  // namespace
}  // namespace veltrano
