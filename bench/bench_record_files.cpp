// Insert, delete and full scan of movement year files, each beside a baseline
// that moves the same bytes with plain file I/O.
//
// The files live in $VELTRANO_BENCH_DIR, or in a fresh folder below the system's
// temporary folder: put it on the disk (or share) you want to measure.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include "core/bytes.h"
#include "core/dates.h"
#include "core/file_io.h"
#include "core/prompt.h"
#include "core/record_file.h"
#include "registers/movement.h"

using namespace veltrano;

namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

class BenchFolder {
public:
    BenchFolder() {
        const char* base = std::getenv("VELTRANO_BENCH_DIR");
        std::string templ =
            (std::filesystem::path(
                 base != nullptr && *base != '\0' ? base : std::filesystem::temp_directory_path()) /
             "veltrano-bench-XXXXXX")
                .string();
        if (::mkdtemp(templ.data()) == nullptr) fail("mkdtemp " + templ);
        path_ = templ;
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Nobody else works in the benchmark's folder.
class NoWaitPrompt : public Prompt {
public:
    void message(const std::string& text) override { throw std::logic_error(text); }
    bool askYesNo(const std::string& text) override { throw std::logic_error(text); }
};

const double kFirstDay = EncodeDate(2024, 1, 1);

// A wort year of n movements over the year, batches and sanitisations, the meter
// rising; numbers 1..n in file order.
Bytes wortYear(std::int64_t n) {
    Bytes out(static_cast<std::size_t>(n) * MovementRecord::kSize);
    std::int32_t meter = 0;
    for (std::int64_t k = 0; k < n; ++k) {
        MovementRecord r;
        MovementBlank(r);
        r.NUMMOV = static_cast<std::int32_t>(k + 1);
        r.DATMOV = kFirstDay + static_cast<double>((k * 366) / n);
        r.TIPMOV = k % 3 == 0 ? "C" : "S";
        r.INIZIO = meter;
        r.FINALE = meter + 50;
        meter = r.FINALE;
        r.LITRII = 50 + static_cast<double>(k % 7);
        r.NUMDOC = std::to_string(k / 3 + 1);
        r.TBIRRA = "BIONDA";
        r.LMOSTO = "L" + std::to_string(k / 3 + 1);
        r.ANNOTA = "movimento " + std::to_string(k);
        MovementPad(r);
        r.encodeInto(
            MutableByteSpan{out.data() + static_cast<std::size_t>(k) * MovementRecord::kSize,
                            MovementRecord::kSize});
    }
    return out;
}

// Puts the file back as it was before the timed change.
void restore(const std::string& path, const Bytes& bytes) {
    ReplaceFileAtomically(path, bytes);
}

Bytes plainRead(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) fail("open " + path);
    struct stat st {};
    if (::fstat(fd, &st) != 0) fail("fstat");
    Bytes data(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    while (got < data.size()) {
        const ssize_t r = ::read(fd, data.data() + got, data.size() - got);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) fail("read");
        got += static_cast<std::size_t>(r);
    }
    ::close(fd);
    return data;
}

void plainWrite(const std::string& path, const Bytes& data, bool sync) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) fail("open " + path);
    std::size_t put = 0;
    while (put < data.size()) {
        const ssize_t w = ::write(fd, data.data() + put, data.size() - put);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) fail("write");
        put += static_cast<std::size_t>(w);
    }
    if (sync && ::fdatasync(fd) != 0) fail("fdatasync");
    if (::close(fd) != 0) fail("close");
}

// A movement for the middle of the year: the insert shifts half the file.
MovementRecord midYearMovement() {
    MovementRecord r;
    MovementBlank(r);
    r.DATMOV = kFirstDay + 182;
    r.TIPMOV = "S";
    r.INIZIO = 1;
    r.FINALE = 2;
    r.ANNOTA = "nuovo";
    return r;
}

void setBytes(benchmark::State& state, const Bytes& file) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(file.size()));
}

void BM_MovementInsertOrdered(benchmark::State& state) {
    BenchFolder folder;
    const std::string path = folder.file("2024.CTT");
    const Bytes original = wortYear(state.range(0));
    restore(path, original);
    NoWaitPrompt prompt;
    for (auto _ : state) {
        MovementRecord rec = midYearMovement();
        MovementInsertOrdered(path, rec, prompt);
        state.PauseTiming();
        restore(path, original);
        state.ResumeTiming();
    }
    setBytes(state, original);
}

void BM_MovementDeleteByNumber(benchmark::State& state) {
    BenchFolder folder;
    const std::string path = folder.file("2024.CTT");
    const Bytes original = wortYear(state.range(0));
    restore(path, original);
    NoWaitPrompt prompt;
    const auto middle = static_cast<std::int32_t>(state.range(0) / 2 + 1);
    for (auto _ : state) {
        if (!MovementDeleteByNumber(middle, path, "S", prompt)) state.SkipWithError("not found");
        state.PauseTiming();
        restore(path, original);
        state.ResumeTiming();
    }
    setBytes(state, original);
}

// Baselines for insert and delete: read the file with one read and write the same
// bytes back in place, without (as a plain in-place rewrite does) and with a flush
// to the disk (as a change that must survive a power cut needs).
void BM_PlainReadRewrite(benchmark::State& state) {
    BenchFolder folder;
    const std::string path = folder.file("2024.CTT");
    const Bytes original = wortYear(state.range(0));
    restore(path, original);
    const bool sync = state.range(1) != 0;
    for (auto _ : state) {
        Bytes data = plainRead(path);
        benchmark::DoNotOptimize(data.data());
        plainWrite(path, data, sync);
    }
    setBytes(state, original);
}

// Full scan as the registers do it: the file in one read, every record visited,
// the fields it needs read in place: litres of the brewing batches.
void BM_ScanFields(benchmark::State& state) {
    BenchFolder folder;
    const std::string path = folder.file("2024.CTT");
    const Bytes original = wortYear(state.range(0));
    restore(path, original);
    using L = MovementRecord::Layout;
    for (auto _ : state) {
        const RecordFile file = RecordFile::OpenIfPresent(path, MovementRecord::kSize);
        double litres = 0;
        for (std::size_t k = 0; k < file.count(); ++k) {
            const ByteSpan r = file.record(k);
            if (GetRawString(r, L::TIPMOV, L::wTIPMOV) == "C") litres += GetDouble(r, L::LITRII);
        }
        benchmark::DoNotOptimize(litres);
    }
    setBytes(state, original);
}

// The same scan decoding every record whole (texts converted to UTF-8), as a
// form or a print that shows the movements does.
void BM_ScanDecode(benchmark::State& state) {
    BenchFolder folder;
    const std::string path = folder.file("2024.CTT");
    const Bytes original = wortYear(state.range(0));
    restore(path, original);
    for (auto _ : state) {
        const RecordFile file = RecordFile::OpenIfPresent(path, MovementRecord::kSize);
        double litres = 0;
        for (std::size_t k = 0; k < file.count(); ++k) {
            const MovementRecord r = MovementRecord::decode(file.record(k));
            if (r.TIPMOV == "C") litres += r.LITRII;
        }
        benchmark::DoNotOptimize(litres);
    }
    setBytes(state, original);
}

// Baseline for the scans: the bytes read with plain file I/O.
void BM_PlainRead(benchmark::State& state) {
    BenchFolder folder;
    const std::string path = folder.file("2024.CTT");
    const Bytes original = wortYear(state.range(0));
    restore(path, original);
    for (auto _ : state) {
        Bytes data = plainRead(path);
        benchmark::DoNotOptimize(data.data());
    }
    setBytes(state, original);
}

void sizes(benchmark::internal::Benchmark* b) {
    b->ArgName("movements")->Arg(1000)->Arg(10000)->Arg(100000);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

void sizesAndSync(benchmark::internal::Benchmark* b) {
    b->ArgNames({"movements", "fdatasync"});
    for (const int n : {1000, 10000, 100000}) {
        b->Args({n, 0});
        b->Args({n, 1});
    }
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

}  // namespace

BENCHMARK(BM_MovementInsertOrdered)->Apply(sizes);
BENCHMARK(BM_MovementDeleteByNumber)->Apply(sizes);
BENCHMARK(BM_PlainReadRewrite)->Apply(sizesAndSync);
BENCHMARK(BM_ScanFields)->Apply(sizes);
BENCHMARK(BM_ScanDecode)->Apply(sizes);
BENCHMARK(BM_PlainRead)->Apply(sizes);
