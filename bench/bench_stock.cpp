// Opening stock of 2024 after five register years (2019-2023) of 10,000
// movements per register, beside a baseline that only reads the same files.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "core/dates.h"
#include "core/file_io.h"
#include "core/folders.h"
#include "registers/movement.h"
#include "registers/stock.h"
#include "registers/year_files.h"

using namespace veltrano;

namespace {

constexpr int kPerRegister = 10000;

// Five years of wort, raw-material and conditioned movements, written as whole
// files (built in memory in date order, as the ordered insert leaves them).
class History {
public:
    History() {
        std::string templ =
            (std::filesystem::temp_directory_path() / "veltrano-stock-bench-XXXXXX").string();
        if (::mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp");
        root_ = templ;
        folders_ = Folders::At(root_ + "/work", root_ + "/local");
        folders_.create();
        std::mt19937 rng(7);
        for (int y = 2019; y <= 2023; ++y) {
            Bytes ctt, mpr, cnd;
            for (int k = 0; k < kPerRegister; ++k) {
                const double day = EncodeDate(y, 1, 1) + (k * 365) / kPerRegister;
                // A realistic spread: a few hundred lots a year, each met by many movements.
                const std::string lot = "L" + std::to_string(y) + "-" + std::to_string(k % 200);
                MovementRecord r;
                MovementBlank(r);
                r.NUMMOV = k + 1;
                r.DATMOV = day;
                r.TIPMOV = "C";
                r.LMOSTO = lot;
                r.TBIRRA = k % 3 == 0 ? "BIONDA" : "ROSSA";
                r.LITRII = 900 + static_cast<double>(rng() % 200);
                r.GRAREA = 11 + static_cast<double>(k % 200 % 40) / 10;  // one Plato per lot
                MovementPad(r);
                append(ctt, r);

                r.TIPMOV = k % 2 == 0 ? "C" : "S";
                r.TBIRRA = "MATERIA " + std::to_string(k % 40);
                r.LITRII = 10 + static_cast<double>(rng() % 100);
                MovementPad(r);
                append(mpr, r);

                static const char* const kinds[] = {"C", "S", "S", "R", "E", "I", "K", "Z"};
                r.TIPMOV = kinds[k % 8];
                r.LMOSTO = lot;
                r.INIZIO = k % 3;
                r.LITPRE = k % 3 == 2 ? 20 : 0.33;
                r.FINALE = 1 + static_cast<int>(rng() % 50);
                r.RESPRE = r.LITPRE * r.FINALE;
                r.LITRII = r.RESPRE * r.GRAREA / 100;
                MovementPad(r);
                append(cnd, r);
            }
            ReplaceFileAtomically(YearFilePath(folders_, y, "CTT"), ByteSpan{ctt});
            ReplaceFileAtomically(YearFilePath(folders_, y, "MPR"), ByteSpan{mpr});
            ReplaceFileAtomically(YearFilePath(folders_, y, "CND"), ByteSpan{cnd});
        }
    }
    ~History() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    const Folders& folders() const { return folders_; }

private:
    static void append(Bytes& out, const MovementRecord& r) {
        const Bytes b = r.encode();
        out.insert(out.end(), b.begin(), b.end());
    }
    std::string root_;
    Folders folders_;
};

History& history() {
    static History h;
    return h;
}

void BM_OpeningStock(benchmark::State& state) {
    const Folders& f = history().folders();
    for (auto _ : state) {
        const OpeningStock s = ComputeOpeningStock(f, 2024, "S");
        WriteOpeningStock(f, s);
        benchmark::DoNotOptimize(s.lines.size());
    }
}
BENCHMARK(BM_OpeningStock)->Unit(benchmark::kMillisecond);

// The computation alone, without writing the three stock files (each written
// atomically and flushed to disk).
void BM_OpeningStockComputeOnly(benchmark::State& state) {
    const Folders& f = history().folders();
    for (auto _ : state) {
        const OpeningStock s = ComputeOpeningStock(f, 2024, "S");
        benchmark::DoNotOptimize(s.lines.size());
    }
}
BENCHMARK(BM_OpeningStockComputeOnly)->Unit(benchmark::kMillisecond);

void BM_ReadTheSameFiles(benchmark::State& state) {
    const Folders& f = history().folders();
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (int y = 2019; y <= 2023; ++y) {
            for (const char* ext : {"MPR", "CTT", "CND"}) {
                bytes += ReadWholeFile(YearFilePath(f, y, ext))->size();
            }
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ReadTheSameFiles)->Unit(benchmark::kMillisecond);

}  // namespace
