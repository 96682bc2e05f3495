// The preview window and the default-printer window, offscreen.
#include <gtest/gtest.h>

#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <filesystem>

#include "core/dates.h"
#include "core/folders.h"
#include "platform/report/qt_text_metrics.h"
#include "platform/report/register_print_view.h"
#include "platform/report/report_preview.h"
#include "platform/report/report_render.h"
#include "prints/default_printer.h"
#include "prints/print_settings.h"
#include "prints_pdf_support.h"

namespace veltrano {
namespace {

namespace fs = std::filesystem;

ReportDocument ThreePages(const TextMetrics& m) {
    RecordingSurface s(m);
    s.setOrientation(Orientation::Landscape);
    for (int p = 1; p <= 3; ++p) {
        if (p > 1) s.newPage();
        s.printAt(50, 80, "Pagina di prova " + std::to_string(p));
        s.rectangle(40, 60, 400, 100);
    }
    return s.takeDocument();
}

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("veltrano_preview_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        folders_ = Folders::At((root_ / "work").string(), (root_ / "tmp").string());
        folders_.create();
    }
    void TearDown() override { fs::remove_all(root_); }
    fs::path root_;
    Folders folders_;
    QtTextMetrics metrics_;
};

TEST_F(PreviewTest, NavigatesPagesAndSavesThePdf) {
    ReportPreviewDialog preview(ThreePages(metrics_), QStringLiteral("Registro del Mosto"));
    EXPECT_EQ(preview.windowTitle().toStdString(), "Registro del Mosto");
    EXPECT_TRUE(preview.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(preview.pageCount(), 3);
    EXPECT_EQ(preview.currentPage(), 1);
    preview.goToPage(3);
    EXPECT_EQ(preview.currentPage(), 3);
    preview.goToPage(99);
    EXPECT_EQ(preview.currentPage(), 3);
    preview.goToPage(0);
    EXPECT_EQ(preview.currentPage(), 1);
    const QString pdf = QString::fromStdString((root_ / "anteprima.pdf").string());
    ASSERT_TRUE(preview.saveAsPdf(pdf));
    const std::string text = PdfText(pdf.toStdString());
    EXPECT_NE(text.find("Pagina di prova 3"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 3);
}

TEST_F(PreviewTest, TwoPreviewsAtOnceEachWithItsOwnPrinter) {
    auto a = std::make_unique<ReportPreviewDialog>(ThreePages(metrics_), QStringLiteral("A"));
    auto b = std::make_unique<ReportPreviewDialog>(ThreePages(metrics_), QStringLiteral("B"));
    a.reset();
    b->goToPage(2);
    EXPECT_EQ(b->currentPage(), 2);
}

// The printer route (what the preview's "Stampa" does after the print dialog),
// with Qt's PDF output standing in for a real printer.
TEST_F(PreviewTest, PrinterRouteHonoursThePageRange) {
    const ReportDocument doc = ThreePages(metrics_);
    struct Case {
        int from, to;
        std::vector<int> pages;
    } cases[] = {{0, 0, {1, 2, 3}}, {2, 3, {2, 3}}, {3, 3, {3}}};
    for (const Case& c : cases) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const std::string out = (root_ / ("stampa" + std::to_string(c.from) + ".pdf")).string();
        printer.setOutputFileName(QString::fromStdString(out));
        if (c.from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(c.from, c.to);
        }
        ASSERT_TRUE(PrintReport(printer, doc));
        const std::string text = PdfText(out);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), static_cast<long>(c.pages.size()));
        for (int p = 1; p <= 3; ++p) {
            const bool wanted = std::find(c.pages.begin(), c.pages.end(), p) != c.pages.end();
            EXPECT_EQ(text.find("Pagina di prova " + std::to_string(p)) != std::string::npos,
                      wanted)
                << c.from << "-" << c.to << " page " << p;
        }
        // Landscape A4 as the document says.
        const std::string info = RunAndCapture("/usr/bin/pdfinfo '" + out + "'");
        EXPECT_NE(info.find("842 x 595"), std::string::npos) << info;
    }
}

class FakeCatalog : public PrinterCatalog {
public:
    std::vector<std::string> names;
    std::vector<std::string> printerNames() const override { return names; }
    bool paperOf(const std::string& n, PaperSize&) const override {
        return std::find(names.begin(), names.end(), n) != names.end();
    }
};

TEST_F(PreviewTest, DefaultPrinterWindow) {
    FakeCatalog none;
    {
        DefaultPrinterForm form(folders_, none);
        DefaultPrinterDialog dialog(form);
        EXPECT_EQ(dialog.windowTitle().toStdString(), "Imposta la stampante di Default");
        EXPECT_EQ(dialog.list()->count(), 0);
        form.confirm();  // nothing to choose: the file is not touched
        EXPECT_FALSE(FileExists(PrinterFilePath(folders_)));
    }
    FakeCatalog some;
    some.names = {"Ufficio", "Magazzino", "PDF"};
    WritePrinterName(folders_, "Magazzino");
    DefaultPrinterForm form(folders_, some);
    DefaultPrinterDialog dialog(form);
    EXPECT_EQ(dialog.list()->count(), 3);
    EXPECT_EQ(dialog.list()->currentRow(), 1);
    dialog.list()->setCurrentRow(2);
    form.abandon();
    EXPECT_EQ(ReadPrinterName(folders_), "Magazzino");
    dialog.list()->setCurrentRow(0);
    form.confirm();
    EXPECT_EQ(ReadPrinterName(folders_), "Ufficio");

    // A printer that is gone: nothing selected, the file kept until a choice.
    some.names = {"PDF"};
    DefaultPrinterForm again(folders_, some);
    again.open();
    EXPECT_EQ(again.selected(), -1);
    again.select(5);
    EXPECT_EQ(again.selected(), -1);
}

TEST_F(PreviewTest, SystemCatalogWorksWithoutPrinters) {
    QtPrinterCatalog catalog;
    const auto names = catalog.printerNames();  // none in CI; must not fail
    PaperSize paper;
    EXPECT_FALSE(catalog.paperOf("VELTRANO stampante inesistente", paper));
    for (const auto& n : names)
        EXPECT_TRUE(catalog.paperOf(n, paper)) << n;
}

}  // namespace
}  // namespace veltrano

namespace veltrano {
namespace {

TEST_F(PreviewTest, PrintDialogWindowBindsToItsModel) {
    std::vector<PrintRequest> runs;
    RegisterPrintDialog model(folders_, "Registro del Mosto", "CTT",
                              [&](const PrintRequest& r) { runs.push_back(r); });
    PrintCompany company;
    model.open(1, EncodeDate(2025, 11, 20), company);
    RegisterPrintView view(model, "TFSTAREGCARSCA");
    EXPECT_EQ(view.objectName().toStdString(), "TFSTAREGCARSCA");
    EXPECT_EQ(view.windowTitle().toStdString(), "Registro del Mosto per GIORNO");
    auto* from = qobject_cast<QLineEdit*>(view.control("MDADA"));
    ASSERT_TRUE(from);
    EXPECT_EQ(from->text().toStdString(), "01/11/2025");
    EXPECT_EQ(qobject_cast<QLineEdit*>(view.control("INTERI0"))->text().toStdString(), "2026");
    EXPECT_FALSE(view.control("MFOGLI")->isVisibleTo(&view));
    EXPECT_TRUE(view.control("INTERI2")->isVisibleTo(&view));

    // Choosing the headings shows their panel and hides the dates.
    auto* headings = view.findChild<QRadioButton*>(QStringLiteral("RTIPO2"));
    ASSERT_TRUE(headings);
    headings->click();
    EXPECT_EQ(model.text("RTIPO"), "2");
    EXPECT_TRUE(view.control("MFOGLI")->isVisibleTo(&view));
    EXPECT_FALSE(view.control("MDADA")->isVisibleTo(&view));
    model.type("MFOGLI", "50");
    model.leave("MFOGLI");
    view.refresh();
    EXPECT_EQ(qobject_cast<QLabel*>(view.control("DIFOGLI"))->text().toStdString(),
              " di 50 Es. Fin. 2026");
    view.confirmButton()->click();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].choice, PrintChoice::HeadingsOnly);
    EXPECT_EQ(runs[0].sheets, 50);
    EXPECT_EQ(view.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace veltrano
