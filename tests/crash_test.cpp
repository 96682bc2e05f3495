// Kills a writer process at random moments of a change and checks that every
// file it touches is, byte for byte, either its old or its new content; that a
// marker left by a killed writer is overridden through the lock protocol; and
// that a full disk fails cleanly.

#include <gtest/gtest.h>
#include <signal.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/dates.h"
#include "core/file_io.h"
#include "core/io_error.h"
#include "core/lock.h"
#include "core/record_file.h"
#include "core/table_record.h"
#include "crash_change.h"
#include "registers/movement.h"
#include "support/child_process.h"

namespace veltrano::crashtest {
namespace {

namespace ts = testsupport;

const std::string kWriter = VELTRANO_CRASH_WRITER;
const char* const kFiles[] = {kWortFile, kRawFile, kTableFile};
constexpr std::size_t kFileCount = 3;

const int kFirstDay = static_cast<int>(EncodeDate(2024, 1, 1));

// The content of the three files of a folder.
using Contents = std::array<Bytes, kFileCount>;

Contents readContents(const ts::TempFolder& folder) {
    Contents c;
    for (std::size_t i = 0; i < kFileCount; ++i) {
        auto b = ReadWholeFile(folder / kFiles[i]);
        if (!b) throw std::runtime_error(std::string("missing ") + kFiles[i]);
        c[i] = std::move(*b);
    }
    return c;
}

void writeContents(const ts::TempFolder& folder, const Contents& c) {
    for (std::size_t i = 0; i < kFileCount; ++i)
        ReplaceFileAtomically(folder / kFiles[i], c[i]);
}

// A wort year with n movements spread over the year: every third a brewing
// batch, the others sanitisations, the meter rising throughout.
Bytes buildWortYear(int n) {
    Bytes out(static_cast<std::size_t>(n) * MovementRecord::kSize);
    std::int32_t meter = 1000;
    for (int k = 0; k < n; ++k) {
        MovementRecord r;
        MovementBlank(r);
        r.NUMMOV = k + 1;
        r.DATMOV = kFirstDay + (k * 366) / n;
        const bool batch = k % 3 == 0;
        r.TIPMOV = batch ? "C" : "S";
        r.INIZIO = meter;
        r.FINALE = meter + 40 + k % 37;
        meter = r.FINALE;
        r.LITRII = r.FINALE - r.INIZIO;
        if (batch) {
            r.NUMDOC = std::to_string(k / 3 + 1);
            r.TBIRRA = "BIONDA CHIARA";
            r.LMOSTO = "L" + std::to_string(k / 3 + 1);
            r.GRAREA = 12.5;
        }
        r.ANNOTA = "M" + std::to_string(k);
        MovementPad(r);
        r.encodeInto(
            MutableByteSpan{out.data() + static_cast<std::size_t>(k) * MovementRecord::kSize,
                            MovementRecord::kSize});
    }
    return out;
}

// The raw-materials year of that wort year: two unloads linked to every other
// batch, and now and then a load.
Bytes buildRawYear(const Bytes& wort) {
    Bytes out;
    std::int32_t number = 0;
    auto add = [&](MovementRecord& r) {
        r.NUMMOV = ++number;
        MovementPad(r);
        const Bytes b = r.encode();
        out.insert(out.end(), b.begin(), b.end());
    };
    for (std::size_t off = 0; off < wort.size(); off += MovementRecord::kSize) {
        const auto batch =
            MovementRecord::decode(ByteSpan{wort.data() + off, MovementRecord::kSize});
        if (batch.TIPMOV != "C") continue;
        if (batch.NUMMOV % 2 == 0) {
            MovementRecord load;
            MovementBlank(load);
            load.DATMOV = batch.DATMOV;
            load.TIPMOV = "C";
            load.TBIRRA = "MALTO PILS";
            load.LITRII = 500;
            load.LMOSTO = "FT";
            add(load);
            continue;
        }
        for (const char* material : {"MALTO PILS", "LUPPOLO SAAZ"}) {
            MovementRecord u;
            MovementBlank(u);
            u.NUMRIF = batch.NUMMOV;
            u.DATMOV = batch.DATMOV;
            u.TIPMOV = "S";
            u.NUMDOC = batch.NUMDOC;
            u.TBIRRA = material;
            u.DATPRE = batch.DATMOV;
            u.LITRII = 25.5;
            u.LMOSTO = "VIA";
            u.ANNOTA = "COTTA N. " + TrimText(batch.NUMDOC) + " BIONDA CHIARA";
            add(u);
        }
    }
    return out;
}

Bytes buildTable(int n) {
    Bytes out;
    for (int k = 0; k < n; ++k) {
        TableRecord t;
        TableBlank(t);
        t.ID = k + 1;
        char key[16];
        std::snprintf(key, sizeof key, "K%05d", 2 * k);
        t.STR1[0] = key;
        t.STR1[1] = "voce " + std::string(key);
        TablePad(t);
        const Bytes b = t.encode();
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

std::vector<std::int32_t> numbersOfKind(const Bytes& wort, const std::string& kind) {
    std::vector<std::int32_t> numbers;
    for (std::size_t off = 0; off < wort.size(); off += MovementRecord::kSize) {
        const ByteSpan r{wort.data() + off, MovementRecord::kSize};
        if (TrimText(GetRawString(r, MovementRecord::Layout::TIPMOV, 1)) == kind) {
            numbers.push_back(GetInt32(r, MovementRecord::Layout::NUMMOV));
        }
    }
    return numbers;
}

Change randomChange(std::mt19937& rng, const Bytes& wort, int run) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int dice = pick(0, 99);
    Change c;
    if (dice >= 35 && dice < 80) {
        const bool batch = dice >= 55;
        const auto numbers = numbersOfKind(wort, batch ? "C" : "S");
        if (!numbers.empty()) {
            c.kind = batch ? Change::Kind::DeleteBatch : Change::Kind::DeleteSanitisation;
            c.number =
                numbers[static_cast<std::size_t>(pick(0, static_cast<int>(numbers.size()) - 1))];
            return c;
        }
    }
    if (dice >= 80) {
        char key[16];
        std::snprintf(key, sizeof key, "K%05d", pick(0, 2100));
        c.kind = Change::Kind::InsertTableEntry;
        c.text = key;
        return c;
    }
    c.kind = Change::Kind::InsertMovement;
    c.day = kFirstDay + pick(0, 365);
    c.inizio = pick(0, 400000);
    c.finale = c.inizio + pick(0, 200);
    c.tipmov = pick(0, 1) == 0 ? "C" : "S";
    c.text = "R" + std::to_string(run);
    return c;
}

// Nothing waits in a folder only the test touches.
class NoWaitPrompt : public Prompt {
public:
    void message(const std::string& text) override {
        throw std::logic_error("unexpected wait: " + text);
    }
    bool askYesNo(const std::string& text) override {
        throw std::logic_error("unexpected question: " + text);
    }
};

std::size_t indexOf(const std::string& name) {
    for (std::size_t i = 0; i < kFileCount; ++i) {
        if (name == kFiles[i]) return i;
    }
    throw std::logic_error("unknown file " + name);
}

// The content the change must leave: the same change applied by this process to
// a copy of the files it touches.
Contents expectedAfter(const Change& c, const Contents& before, const ts::TempFolder& shadow) {
    Contents after = before;
    for (const auto& f : FilesOf(c)) {
        // The copy need not survive a power cut: a plain write is enough.
        std::ofstream out(shadow / f, std::ios::binary | std::ios::trunc);
        const Bytes& b = before[indexOf(f)];
        out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
        if (!out.flush()) throw std::runtime_error("cannot write " + shadow / f);
    }
    NoWaitPrompt prompt;
    Apply(c, shadow.path(), prompt);
    for (const auto& f : FilesOf(c)) {
        auto b = ReadWholeFile(shadow / f);
        if (!b) throw std::runtime_error("missing " + shadow / f);
        after[indexOf(f)] = std::move(*b);
    }
    return after;
}

struct WriterRun {
    ts::ExitStatus status;
    std::string output;
    long long micros = 0;
};

// Runs the writer; with killAfterMicros >= 0 it is sent SIGKILL that long after
// it was started (or not at all if it has ended by then).
WriterRun runWriter(std::vector<std::string> args, long long killAfterMicros) {
    args.insert(args.begin(), kWriter);
    WriterRun run;
    const long long start = ts::NowMicros();
    auto child = ts::Spawn(args);
    if (killAfterMicros >= 0) {
        ts::SleepMicros(killAfterMicros);
        ::kill(child.pid, SIGKILL);  // a child that has ended is a zombie until Wait: no pid reuse
    }
    run.status = ts::Wait(child.pid);
    run.micros = ts::NowMicros() - start;
    run.output = ts::ReadAll(child.stdoutFd);
    return run;
}

std::vector<std::string> writerArgs(const ts::TempFolder& folder, const Change& c) {
    auto args = c.toArgs();
    args.insert(args.begin(), folder.path());
    return args;
}

// What a folder holds besides the three files: their markers and the temporary
// files of interrupted replacements, nothing else.
struct Leftovers {
    int markers = 0;
    int temps = 0;
    std::vector<std::string> unexpected;
};

Leftovers leftoversIn(const ts::TempFolder& folder) {
    Leftovers l;
    for (const auto& name : ts::ListFolder(folder.path())) {
        bool known = false;
        for (const char* f : kFiles) {
            if (name == f) {
                known = true;
            } else if (name == LockMarkerPath(f)) {
                known = true;
                ++l.markers;
            } else if (name.rfind(std::string(kTempPrefix) + f + ".", 0) == 0) {
                known = true;
                ++l.temps;
            }
        }
        if (!known) l.unexpected.push_back(name);
    }
    return l;
}

// "done messages=M questions=Q at=A,B": the writer waited for Q stale markers.
std::string expectedReport(int staleMarkers) {
    std::string at;
    for (int q = 1; q <= staleMarkers; ++q)
        at += (q > 1 ? "," : "") + std::to_string(11 * q);
    return "done messages=" + std::to_string(11 * staleMarkers) +
           " questions=" + std::to_string(staleMarkers) + " at=" + at + "\n";
}

TEST(CrashSafety, WriterKilledAtRandomMomentsLeavesOldOrNewBytes) {
    const int runs = ts::IterationsFromEnv("VELTRANO_CRASH_RUNS", 200, 2);
    const int movements = ts::IterationsFromEnv("VELTRANO_CRASH_MOVEMENTS", 10000);
    const unsigned seed = static_cast<unsigned>(ts::IterationsFromEnv(
        "VELTRANO_CRASH_SEED", static_cast<int>(std::random_device{}() >> 1)));
    RecordProperty("seed", static_cast<int>(seed));
    SCOPED_TRACE("seed " + std::to_string(seed) + " (set VELTRANO_CRASH_SEED to repeat)");
    std::mt19937 rng(seed);

    ts::TempFolder real("crash-real");
    ts::TempFolder shadow("crash-shadow");
    Contents current;
    current[0] = buildWortYear(movements);
    current[1] = buildRawYear(current[0]);
    current[2] = buildTable(movements / 10);
    writeContents(real, current);

    // The first runs of each kind of change are not killed: they measure how long
    // a whole run takes, so that the kill moments span it.
    std::map<Change::Kind, long long> longest;
    std::map<Change::Kind, int> measured;
    int allOld = 0, allNew = 0, mixed = 0, killed = 0, staleSeen = 0, maxTemps = 0;

    for (int run = 0; run < runs; ++run) {
        const Change change = randomChange(rng, current[0], run);
        SCOPED_TRACE("run " + std::to_string(run) + ": " + change.describe());
        const Contents expected = expectedAfter(change, current, shadow);

        int stale = 0;
        for (const auto& f : FilesOf(change))
            stale += FileExists(LockMarkerPath(real / f)) ? 1 : 0;
        staleSeen += stale > 0 ? 1 : 0;

        const bool measuring = measured[change.kind] < 2;
        long long killAfter = -1;
        if (!measuring) {
            killAfter =
                std::uniform_int_distribution<long long>(0, longest[change.kind] * 13 / 10)(rng);
        }
        const WriterRun w = runWriter(writerArgs(real, change), killAfter);
        if (measuring) {
            ++measured[change.kind];
            longest[change.kind] = std::max(longest[change.kind], w.micros);
        }
        SCOPED_TRACE("kill after " + std::to_string(killAfter) + " us, writer said: " + w.output);

        const Contents now = readContents(real);
        bool sawOld = false, sawNew = false;
        for (std::size_t i = 0; i < kFileCount; ++i) {
            const bool isOld = now[i] == current[i];
            const bool isNew = now[i] == expected[i];
            ASSERT_TRUE(isOld || isNew)
                << kFiles[i] << " is neither the old nor the new content (" << now[i].size()
                << " bytes; old " << current[i].size() << ", new " << expected[i].size() << ")";
            if (isOld != isNew) (isOld ? sawOld : sawNew) = true;
        }
        if (w.status.signaled) {
            ASSERT_EQ(w.status.signal, SIGKILL);
            ++killed;
        } else {
            ASSERT_EQ(w.status.code, 0);
            ASSERT_TRUE(now == expected) << "a completed change must leave the new content";
            // Each stale marker cost ten messages, then the first question was
            // answered Yes.
            ASSERT_EQ(w.output, expectedReport(stale));
            for (const auto& f : FilesOf(change)) {
                ASSERT_FALSE(FileExists(LockMarkerPath(real / f))) << f;
            }
        }
        if (sawOld && sawNew) {
            ++mixed;  // a batch removed, its unloads not yet: two files, each whole
            ASSERT_EQ(change.kind, Change::Kind::DeleteBatch);
        } else if (sawNew) {
            ++allNew;
        } else if (sawOld) {
            ++allOld;
        }

        const Leftovers left = leftoversIn(real);
        ASSERT_TRUE(left.unexpected.empty()) << left.unexpected.front();
        maxTemps = std::max(maxTemps, left.temps);
        current = now;
    }

    std::printf(
        "crash runs %d: killed %d, old kept %d, new written %d, batch without unloads %d, "
        "runs meeting a stale marker %d, temporary files left %d\n",
        runs, killed, allOld, allNew, mixed, staleSeen, maxTemps);
    RecordProperty("killed", killed);
    RecordProperty("old", allOld);
    RecordProperty("new", allNew);
    RecordProperty("stale_markers", staleSeen);
    RecordProperty("temporary_files", maxTemps);
    // The kill moments must have fallen on both sides of the replacement, or the
    // runs above proved nothing.
    if (runs >= 50) {
        EXPECT_GT(allOld, 0);
        EXPECT_GT(allNew, 0);
    }

    // Whatever the killed writers left behind (temporary files, stale markers, one
    // planted here with a name a replacement could use) does not change what a
    // reader sees nor where the next insert goes.
    ReplaceFileAtomically(real / (std::string(kTempPrefix) + kWortFile + ".host.1.2.3"),
                          Bytes(MovementRecord::kSize * 3, 0xEE));
    Change last;
    last.kind = Change::Kind::InsertMovement;
    last.day = kFirstDay + 200;
    last.inizio = 5;
    last.finale = 9;
    last.tipmov = "S";
    last.text = "ULTIMO";
    const Contents expected = expectedAfter(last, current, shadow);
    ScriptedPrompt yes(1);
    Apply(last, real.path(), yes);
    EXPECT_TRUE(readContents(real) == expected);
    const auto reader = RecordFile::OpenIfPresent(real / kWortFile, MovementRecord::kSize);
    EXPECT_EQ(reader.bytes(), expected[0]);
}

struct StaleMarkerCase {
    const char* name;
    const char* heldFile;  // the marker the killed writer left
    Change::Kind change;
    int yesAt;  // the override question answered Yes
};

void PrintTo(const StaleMarkerCase& c, std::ostream* os) {
    Change change;
    change.kind = c.change;
    *os << c.heldFile << " held, " << change.toArgs().front() << ", Yes at question " << c.yesAt;
}

class StaleMarker : public ::testing::TestWithParam<StaleMarkerCase> {};

TEST_P(StaleMarker, IsOverriddenAtTheQuestionAnsweredYesAndRemovedAfterTheChange) {
    const auto& param = GetParam();
    ts::TempFolder folder("crash-stale");
    ts::TempFolder shadow("crash-stale-shadow");
    Contents before;
    before[0] = buildWortYear(300);
    before[1] = buildRawYear(before[0]);
    before[2] = buildTable(30);
    writeContents(folder, before);

    auto child = ts::Spawn({kWriter, folder.path(), "--hold-lock", param.heldFile});
    ASSERT_EQ(ts::ReadLine(child.stdoutFd), "locked");
    ::kill(child.pid, SIGKILL);
    const auto status = ts::Wait(child.pid);
    ts::CloseFd(child.stdoutFd);
    ASSERT_TRUE(status.signaled);
    const std::string held = folder / param.heldFile;
    ASSERT_TRUE(FileExists(LockMarkerPath(held)));

    Change c;
    c.kind = param.change;
    c.day = kFirstDay + 40;
    c.inizio = 1;
    c.finale = 2;
    c.tipmov = "C";
    c.text = "K00007";
    if (c.kind == Change::Kind::DeleteBatch) c.number = numbersOfKind(before[0], "C").at(5);
    const Contents expected = expectedAfter(c, before, shadow);

    ScriptedPrompt prompt(param.yesAt);
    Apply(c, folder.path(), prompt);

    // A message per attempt; from the eleventh attempt on a question after it.
    std::vector<std::string> texts;
    for (int attempt = 1; attempt <= 10 + param.yesAt; ++attempt) {
        texts.push_back(LockWaitMessage(held));
        if (attempt > 10) texts.push_back(LockOverrideQuestion(held));
    }
    EXPECT_EQ(prompt.texts, texts);
    EXPECT_EQ(prompt.overrides, 1);
    EXPECT_TRUE(readContents(folder) == expected);
    EXPECT_FALSE(FileExists(LockMarkerPath(held)));
    EXPECT_TRUE(leftoversIn(folder).markers == 0 && leftoversIn(folder).temps == 0);
}

INSTANTIATE_TEST_SUITE_P(
    CrashSafety, StaleMarker,
    ::testing::Values(
        StaleMarkerCase{"WortInsertYesAtFirstQuestion", kWortFile, Change::Kind::InsertMovement, 1},
        StaleMarkerCase{"WortInsertYesAtEleventhQuestion", kWortFile, Change::Kind::InsertMovement,
                        11},
        StaleMarkerCase{"RawMaterialsOfBatchDelete", kRawFile, Change::Kind::DeleteBatch, 1},
        StaleMarkerCase{"TableInsertYesAtEleventhQuestion", kTableFile,
                        Change::Kind::InsertTableEntry, 11}),
    [](const auto& test) { return std::string(test.param.name); });

struct FullDiskCase {
    const char* name;
    Change::Kind change;
    long long limit;  // bytes a file may grow to; -1: the wort file's current size
};

void PrintTo(const FullDiskCase& c, std::ostream* os) {
    *os << c.name;
}

class FullDisk : public ::testing::TestWithParam<FullDiskCase> {};

TEST_P(FullDisk, FailsWithIoErrorAndLeavesTheOldFilesAndNoTemporaryFile) {
    const auto& param = GetParam();
    ts::TempFolder folder("crash-full");
    Contents before;
    before[0] = buildWortYear(2000);
    before[1] = buildRawYear(before[0]);
    before[2] = buildTable(50);
    writeContents(folder, before);

    Change c;
    c.kind = param.change;
    c.day = kFirstDay + 100;
    c.inizio = 10;
    c.finale = 20;
    c.tipmov = "S";
    c.text = "K00011";
    if (c.kind == Change::Kind::DeleteBatch) c.number = numbersOfKind(before[0], "C").at(1);
    const long long limit =
        param.limit >= 0 ? param.limit : static_cast<long long>(before[0].size());

    auto args = writerArgs(folder, c);
    args.insert(args.begin(), {"--fsize-limit", std::to_string(limit)});
    const WriterRun w = runWriter(args, -1);

    ASSERT_FALSE(w.status.signaled) << "SIGXFSZ must not kill the writer";
    EXPECT_EQ(w.status.code, 2) << w.output;
    EXPECT_EQ(w.output.rfind("ioerror ", 0), 0u) << w.output;
    EXPECT_NE(w.output.find(folder.path()), std::string::npos) << w.output;
    EXPECT_NE(w.output.find(std::strerror(EFBIG)), std::string::npos) << w.output;
    EXPECT_TRUE(readContents(folder) == before);
    const Leftovers left = leftoversIn(folder);
    EXPECT_EQ(left.temps, 0);
    EXPECT_EQ(left.markers, 0) << "a change that failed as a whole leaves no marker";
    EXPECT_TRUE(left.unexpected.empty());
}

INSTANTIATE_TEST_SUITE_P(
    CrashSafety, FullDisk,
    ::testing::Values(FullDiskCase{"InsertOneRecordShort", Change::Kind::InsertMovement, -1},
                      FullDiskCase{"InsertNothingFits", Change::Kind::InsertMovement, 0},
                      FullDiskCase{"DeleteBatch", Change::Kind::DeleteBatch, 4096},
                      FullDiskCase{"TableInsert", Change::Kind::InsertTableEntry, 100000}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace veltrano::crashtest
