#include <gtest/gtest.h>

#include <filesystem>

#include "platform/report/qt_text_metrics.h"
#include "platform/report/report_fonts.h"
#include "platform/report/report_render.h"
#include "prints/recording_surface.h"
#include "prints_pdf_support.h"

namespace veltrano {
namespace {

namespace fs = std::filesystem;

TEST(ReportFonts, RegisterNamesMapToMetricCompatibleFamilies) {
    ASSERT_TRUE(EnsureReportFonts());
    EXPECT_EQ(ReportFontFamily("TIMES NEW ROMAN").toStdString(), "Liberation Serif");
    EXPECT_EQ(ReportFontFamily("Times New Roman").toStdString(), "Liberation Serif");
    EXPECT_EQ(ReportFontFamily("COURIER NEW").toStdString(), "Liberation Mono");
}

// Advance widths of the fonts the registers were laid out for (units per em
// 2048): "E" of Times New Roman is 1251, of Times New Roman Bold 1366; every
// Courier New glyph is 1229. The Liberation fonts share them.
TEST(QtTextMetrics, WidthsAreThoseOfTheDesignFonts) {
    QtTextMetrics m;
    struct Case {
        TextFont font;
        const char* text;
        double expected;
    } cases[] = {
        {{"TIMES NEW ROMAN", 8, false, false, 0}, "E", 8 * 1251.0 / 2048},
        {{"TIMES NEW ROMAN", 10, true, false, 0}, "E", 10 * 1366.0 / 2048},
        {{"TIMES NEW ROMAN", 80, false, false, 0}, "EEEEEEEEEE", 800 * 1251.0 / 2048},
        {{"COURIER NEW", 10, false, false, 0}, "abcdefghij", 100 * 1229.0 / 2048},
        {{"COURIER NEW", 9, false, true, 0}, "W", 9 * 1229.0 / 2048},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(m.textWidth(c.font, c.text), c.expected, c.expected * 0.002)
            << c.font.name << " " << c.font.size << " '" << c.text << "'";
    }
    EXPECT_EQ(m.textWidth({"TIMES NEW ROMAN", 8, false, false, 0}, ""), 0);
    // Line height grows with the size and is more than the size itself.
    const double lh8 = m.lineHeight({"TIMES NEW ROMAN", 8, false, false, 0});
    const double lh10 = m.lineHeight({"TIMES NEW ROMAN", 10, false, false, 0});
    EXPECT_GT(lh8, 8);
    EXPECT_LT(lh8, 8 * 1.3);
    EXPECT_NEAR(lh10 / lh8, 10.0 / 8.0, 0.01);
}

// Widths are summed per character; Qt's own shaping of the whole text (what the
// painter lays out) must give the same, ligature-prone words included.
TEST(QtTextMetrics, SumOfCharactersIsTheShapedWidth) {
    QtTextMetrics m;
    const char* texts[] = {"TOTALE LITRI DI MOSTO DA RIPORTARE",
                           "Sanificazione",
                           "fi ffi fl ff",
                           "Cotta con luppolatura a freddo",
                           "STOUT AL CAFFE' - R05",
                           "Perché già così? è più",
                           "n\u00b0 1 al n\u00b0 100 \u20ac 12,50",
                           "1.008,4 (340) 12/03/2025"};
    for (const TextFont& f : {TextFont{"TIMES NEW ROMAN", 8, false, false, 0},
                              TextFont{"TIMES NEW ROMAN", 14, true, false, 0},
                              TextFont{"TIMES NEW ROMAN", 8, false, true, 0},
                              TextFont{"COURIER NEW", 9, false, false, 0}}) {
        QFont q = ReportQFont(f, 10);
        q.setPixelSize(1000);
        const QFontMetricsF shaped(q);
        for (const char* t : texts) {
            const double expected = shaped.horizontalAdvance(QString::fromUtf8(t)) * f.size / 1000;
            EXPECT_NEAR(m.textWidth(f, t), expected, expected * 1e-4) << f.name << " " << t;
        }
    }
}

TEST(RecordingSurface, KeepsPositionsAlignmentFontsAndPages) {
    QtTextMetrics m;
    RecordingSurface s(m);
    s.setOrientation(Orientation::Landscape);
    EXPECT_NEAR(s.pageWidth(), 841.89, 0.01);
    EXPECT_NEAR(s.pageHeight(), 595.276, 0.01);
    s.setFontSize(12);
    s.setBold(true);
    s.printAt(100, 50, "Left");
    EXPECT_EQ(s.y(), 50);
    s.setBold(false);
    s.setItalic(true);
    s.printCenter("Centre", 300);
    s.setItalic(false);
    s.printRight("Right", 500);
    s.line(10, 20, 30, 40);
    s.newPage();
    s.setY(70);
    s.printRight("Second", 200);
    s.newPage();  // never drawn on: dropped

    const ReportDocument d = s.takeDocument();
    ASSERT_EQ(d.pages.size(), 2u);
    const auto p1 = d.texts(0);
    ASSERT_EQ(p1.size(), 3u);
    EXPECT_EQ(p1[0]->left, 100);
    EXPECT_TRUE(p1[0]->font.bold);
    EXPECT_EQ(p1[1]->y, 50);
    EXPECT_TRUE(p1[1]->font.italic);
    EXPECT_NEAR(p1[1]->left + p1[1]->width / 2, 300, 1e-9);
    EXPECT_NEAR(p1[2]->left + p1[2]->width, 500, 1e-9);
    EXPECT_GT(p1[2]->width, 20);
    const auto p2 = d.find("Second", 1);
    ASSERT_EQ(p2.size(), 1u);
    EXPECT_EQ(p2[0]->y, 70);
    EXPECT_TRUE(d.find("Second", 0).empty());
}

TEST(RecordingSurface, UnknownPrinterKeepsTheDefault) {
    QtTextMetrics m;
    RecordingSurface s(m);
    EXPECT_FALSE(s.selectPrinter("Nessuna"));
    s.setPrinterLookup([](const std::string& name, PaperSize& paper) {
        if (name != "Ufficio") return false;
        paper = {612, 792};  // Letter
        return true;
    });
    EXPECT_FALSE(s.selectPrinter("Magazzino"));
    EXPECT_TRUE(s.document().printerName.empty());
    EXPECT_TRUE(s.selectPrinter("Ufficio"));
    EXPECT_EQ(s.document().printerName, "Ufficio");
    EXPECT_EQ(s.pageHeight(), 792);
}

class PdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("veltrano_pdf_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(PdfTest, TextsComeOutWithEmbeddedLiberationFonts) {
    QtTextMetrics m;
    RecordingSurface s(m);
    s.setOrientation(Orientation::Landscape);
    s.setFontName("TIMES NEW ROMAN");
    s.setFontSize(14);
    s.setBold(true);
    s.setY(60);
    s.printCenter("REGISTRO DEL MOSTO", s.pageWidth() / 2);
    s.setBold(false);
    s.setFontName("COURIER NEW");
    s.setFontSize(9);
    s.printAt(40, 100, "Lotto L-2025/001 già vidimato");
    s.rectangle(30, 80, 400, 120);
    s.newPage();
    s.setFontName("TIMES NEW ROMAN");
    s.setFontSize(8);
    s.setY(200);
    s.printRight("Pagina 2", 800);
    const ReportDocument d = s.takeDocument();

    const std::string pdf = (dir_ / "prova.pdf").string();
    std::string error;
    ASSERT_TRUE(WriteReportPdf(d, pdf, &error)) << error;
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("REGISTRO DEL MOSTO"), std::string::npos) << text;
    EXPECT_NE(text.find("Lotto L-2025/001 già vidimato"), std::string::npos) << text;
    EXPECT_NE(text.find("Pagina 2"), std::string::npos) << text;
    // Two pages: pdftotext separates them with a form feed.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 2) << text;

    const std::string fonts = PdfFonts(pdf);
    EXPECT_NE(fonts.find("LiberationSerif-Bold"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("LiberationSerif"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("LiberationMono"), std::string::npos) << fonts;
    // Every font line of pdffonts says "yes" in the emb column.
    std::istringstream lines(fonts);
    std::string line;
    int fontLines = 0;
    while (std::getline(lines, line)) {
        if (line.rfind("Liberation", 0) != 0 && line.find("+Liberation") == std::string::npos)
            continue;
        ++fontLines;
        EXPECT_NE(line.find(" yes "), std::string::npos) << line;
    }
    EXPECT_GE(fontLines, 3) << fonts;
}

TEST_F(PdfTest, UnwritablePathIsReportedNotSucceeded) {
    QtTextMetrics m;
    RecordingSurface s(m);
    s.printAt(10, 10, "x");
    std::string error;
    EXPECT_FALSE(
        WriteReportPdf(s.takeDocument(), (dir_ / "missing" / "sub" / "x.pdf").string(), &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace veltrano
