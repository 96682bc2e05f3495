// The wort register of the demo year, all the way to a real PDF file, read
// back with poppler's tools.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "core/dates.h"
#include "core/folders.h"
#include "core/values.h"
#include "platform/report/qt_text_metrics.h"
#include "platform/report/report_render.h"
#include "prints/demo_wort.h"
#include "prints/print_job.h"
#include "prints/wort_register.h"
#include "prints_pdf_support.h"
#include "registers/year_files.h"

namespace veltrano {
namespace {

namespace fs = std::filesystem;

class SilentPrompt : public Prompt {
public:
    void message(const std::string&) override {}
    bool askYesNo(const std::string&) override { return true; }
};

class DemoPdf : public ::testing::Test {
protected:
    // The demo year is written once, through the ordered insert, for the suite.
    static void SetUpTestSuite() {
        root_ = fs::temp_directory_path() / ("veltrano_demo_pdf_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        folders_ = Folders::At((root_ / "work").string(), (root_ / "tmp").string());
        folders_.create();
        SilentPrompt prompt;
        WriteDemoWortYear(YearFilePath(folders_, 2025, "CTT"), 2025, prompt);
    }
    static void TearDownTestSuite() { fs::remove_all(root_); }

    std::string Pdf(const PrintRequest& req, const std::string& name, PrintJob* out = nullptr) {
        WortRegisterBook book;
        CompanyBlock c{"BIRRIFICIO DEL LAGO SRL",
                       "Via Roma 1",
                       "",
                       "22100",
                       "COMO",
                       "01234567890",
                       "IT00COA00001X"};
        PrintJob job = RunRegisterPrint(folders_, book, req, c, metrics_);
        const std::string path = (root_ / name).string();
        std::string error;
        EXPECT_TRUE(WriteReportPdf(job.document, path, &error)) << error;
        // Keep a copy for looking at the pages, when asked.
        if (const char* keep = std::getenv("VELTRANO_KEEP_PDF"))
            fs::copy_file(path, fs::path(keep) / name, fs::copy_options::overwrite_existing);
        if (out) *out = std::move(job);
        return path;
    }

    static inline fs::path root_;
    static inline Folders folders_;
    QtTextMetrics metrics_;
};

TEST_F(DemoPdf, PerPeriodYearHasTitlesTotalsAndPageNumbers) {
    PrintRequest req;
    req.choice = PrintChoice::PlainSheets;
    req.perDay = false;
    req.from = EncodeDate(2025, 1, 1);
    req.to = EncodeDate(2025, 12, 31);
    req.firstPage = 1;
    req.office = "ITMIC0 di MILANO";
    req.protocol = "Prot. 2025/77 del 03/01/2025";
    PrintJob job;
    const std::string pdf = Pdf(req, "wort_period.pdf", &job);
    const std::string text = PdfText(pdf);
    const int pages = job.outcome.pages;
    ASSERT_GE(pages, 3);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), pages);

    // The year's total, computed from the records themselves.
    double total = 0;
    for (const MovementRecord& r : DemoWortYear(2025))
        if (r.TIPMOV == "C") total += r.LITRII;
    const std::string totalText = WortNumber(Rounded(total, 5));
    for (int p = 1; p <= pages; ++p) {
        EXPECT_NE(text.find("Pagina " + std::to_string(p) + "\n"), std::string::npos) << p;
    }
    EXPECT_EQ(text.find("Pagina " + std::to_string(pages + 1)), std::string::npos);
    std::size_t titles = 0;
    for (std::size_t at = 0; (at = text.find("REGISTRO DEL MOSTO", at)) != std::string::npos; ++at)
        ++titles;
    EXPECT_EQ(titles, static_cast<std::size_t>(pages));
    EXPECT_NE(text.find("MICROBIRRIFICIO (art.35, comma 3 bis, del Testo Unico delle Accise)"),
              std::string::npos);
    EXPECT_NE(text.find("TOTALE LITRI DI MOSTO DA RIPORTARE"), std::string::npos);
    EXPECT_NE(text.find("RIPORTI"), std::string::npos);
    EXPECT_NE(text.find("BIRRIFICIO DEL LAGO SRL"), std::string::npos);
    EXPECT_NE(text.find("Sanificazione"), std::string::npos);
    // The closing total of the last page is the year's litres.
    const std::string last = text.substr(text.rfind('\f', text.size() - 2));
    EXPECT_NE(last.find(totalText), std::string::npos) << totalText << "\n" << last;
    EXPECT_NE(PdfFonts(pdf).find("LiberationSerif"), std::string::npos);
}

TEST_F(DemoPdf, PerDayAndHeadingBook) {
    PrintRequest req;
    req.choice = PrintChoice::ValidatedSheets;
    req.perDay = true;
    req.from = EncodeDate(2025, 3, 1);
    req.to = EncodeDate(2025, 3, 31);
    req.protocol = "Prot. 2025/77";
    req.protocolLine = 4;
    PrintJob job;
    const std::string text = PdfText(Pdf(req, "wort_day.pdf", &job));
    EXPECT_GE(job.outcome.pages, 5);
    EXPECT_EQ(text.find("Pagina"), std::string::npos);
    EXPECT_NE(text.find("DATA: "), std::string::npos);
    EXPECT_NE(text.find("TOTALE MOSTO AL GIORNO PRECEDENTE"), std::string::npos);
    EXPECT_NE(text.find("Prot. 2025/77"), std::string::npos);

    PrintRequest h;
    h.choice = PrintChoice::HeadingsOnly;
    h.firstPage = 7;
    h.sheets = 3;
    h.sheetsText = " di 100 Es. Fin. 2025";
    h.financialYear = 2025;
    h.manual = true;
    const std::string heads = PdfText(Pdf(h, "wort_headings.pdf"));
    EXPECT_NE(heads.find("COPERTINA REGISTRO DEL MOSTO"), std::string::npos);
    EXPECT_NE(heads.find("Pagina 7 di 100 Es. Fin. 2025"), std::string::npos);
    EXPECT_NE(heads.find("Pagina 9 di 100 Es. Fin. 2025"), std::string::npos);
    EXPECT_EQ(heads.find("Pagina 10"), std::string::npos);
}

}  // namespace
}  // namespace veltrano
