// The wort register of a year of 5,000 movements, per period and per day, to a
// PDF file, beside a baseline that draws the same number of texts (same fonts,
// same pages) on the same surface without the register logic.
#include <QtWidgets/QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/dates.h"
#include "core/folders.h"
#include "platform/report/qt_text_metrics.h"
#include "platform/report/report_render.h"
#include "prints/demo_wort.h"
#include "prints/print_job.h"
#include "prints/wort_register.h"
#include "registers/year_files.h"

using namespace veltrano;
namespace fs = std::filesystem;

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

struct Figures {
    double layout = 0, pdf = 0;
    std::size_t texts = 0, pages = 0;
    double total() const { return layout + pdf; }
};

Figures Register(const Folders& folders, const TextMetrics& m, bool perDay,
                 const std::string& pdf) {
    PrintRequest r;
    r.choice = PrintChoice::PlainSheets;
    r.perDay = perDay;
    r.from = EncodeDate(2025, 1, 1);
    r.to = EncodeDate(2025, 12, 31);
    r.firstPage = 1;
    r.office = "ITMIC0 di MILANO";
    WortRegisterBook book;
    CompanyBlock c{"BIRRIFICIO DEL LAGO SRL",
                   "Via Roma 1",
                   "",
                   "22100",
                   "COMO",
                   "01234567890",
                   "IT00COA00001X"};
    Figures f;
    auto t0 = std::chrono::steady_clock::now();
    PrintJob job = RunRegisterPrint(folders, book, r, c, m);
    f.layout = Seconds(t0);
    f.texts = job.document.textCount();
    f.pages = job.document.pages.size();
    t0 = std::chrono::steady_clock::now();
    std::string error;
    if (!WriteReportPdf(job.document, pdf, &error)) std::fprintf(stderr, "%s\n", error.c_str());
    f.pdf = Seconds(t0);
    return f;
}

// The same number of texts on the same number of pages, in the row font, with
// no register logic: plain left-aligned cells, a rule per line.
Figures Baseline(const TextMetrics& m, std::size_t texts, std::size_t pages,
                 const std::string& pdf) {
    Figures f;
    auto t0 = std::chrono::steady_clock::now();
    RecordingSurface s(m);
    s.setOrientation(Orientation::Landscape);
    s.setFontName("TIMES NEW ROMAN");
    s.setFontSize(8);
    const std::size_t perPage = (texts + pages - 1) / pages;
    std::size_t drawn = 0;
    char cell[48];
    for (std::size_t p = 0; p < pages && drawn < texts; ++p) {
        if (p > 0) s.newPage();
        for (std::size_t k = 0; k < perPage && drawn < texts; ++k, ++drawn) {
            const double y = 40 + static_cast<double>(k / 15) * 9.2;
            std::snprintf(cell, sizeof cell, "%zu,%zu", drawn, k);
            s.printAt(30 + static_cast<double>(k % 15) * 52, y, cell);
            if (k % 15 == 0) s.line(30, y + 2.3, 812, y + 2.3);
        }
    }
    ReportDocument d = s.takeDocument();
    f.layout = Seconds(t0);
    f.texts = d.textCount();
    f.pages = d.pages.size();
    t0 = std::chrono::steady_clock::now();
    std::string error;
    if (!WriteReportPdf(d, pdf, &error)) std::fprintf(stderr, "%s\n", error.c_str());
    f.pdf = Seconds(t0);
    return f;
}

void Report(const char* name, const Figures& reg, const Figures& base) {
    std::printf(
        "%-22s register %6.3f s (layout %.3f, pdf %.3f)  baseline %6.3f s (layout %.3f, pdf %.3f)"
        "  ratio %.2f  texts %zu/%zu  pages %zu/%zu\n",
        name, reg.total(), reg.layout, reg.pdf, base.total(), base.layout, base.pdf,
        reg.total() / base.total(), reg.texts, base.texts, reg.pages, base.pages);
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const fs::path root =
        fs::temp_directory_path() / ("veltrano_prints_bench_" + std::to_string(getpid()));
    const Folders folders = Folders::At((root / "work").string(), (root / "tmp").string());
    folders.create();
    WriteSyntheticWortYear(YearFilePath(folders, 2025, "CTT"), 2025, 5000);
    QtTextMetrics metrics;
    // Warm the font caches so neither side pays for the first load.
    Baseline(metrics, 100, 1, (root / "warm.pdf").string());

    for (bool perDay : {false, true}) {
        const Figures reg = Register(folders, metrics, perDay,
                                     (root / (perDay ? "day.pdf" : "period.pdf")).string());
        const Figures base = Baseline(metrics, reg.texts, reg.pages, (root / "base.pdf").string());
        Report(perDay ? "5,000 movements/day" : "5,000 movements/period", reg, base);
    }
    fs::remove_all(root);
    return 0;
}
