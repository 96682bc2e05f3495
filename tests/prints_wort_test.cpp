// Layout of the wort register on the recording surface, measured with the real
// fonts: what is printed where, on which page, with which totals.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "core/dates.h"
#include "platform/report/qt_text_metrics.h"
#include "prints/recording_surface.h"
#include "prints/register_frame.h"
#include "prints/wort_register.h"

namespace veltrano {
namespace {

MovementRecord Batch(double day, double litres, const std::string& numdoc = "1",
                     const std::string& lot = "L1") {
    MovementRecord r;
    r.DATMOV = day;
    r.TIPMOV = "C";
    r.NUMDOC = numdoc;
    r.TBIRRA = "BIONDA CHIARA";
    r.DATPRE = day - 3;
    r.LITPRE = 1000;
    r.GRAPRE = 12.5;
    r.RESPRE = 85.125;
    r.INIZIO = 1200;
    r.FINALE = 2201;
    r.LITRII = litres;
    r.GRAREA = 12.3;
    r.LMOSTO = lot;
    r.ANNOTA = "cotta regolare";
    return r;
}

MovementRecord Sanitisation(double day, double water) {
    MovementRecord r;
    r.DATMOV = day;
    r.TIPMOV = "S";
    r.INIZIO = 5000;
    r.FINALE = 5350;
    r.LITRII = water;
    r.ANNOTA = "lavaggio CIP";
    return r;
}

double D(int d, int m, int y = 2025) {
    return EncodeDate(y, m, d);
}

class WortLayout : public ::testing::Test {
protected:
    PrintRequest Request(PrintChoice choice, bool perDay, double from, double to) {
        PrintRequest r;
        r.choice = choice;
        r.perDay = perDay;
        r.from = from;
        r.to = to;
        r.firstPage = 1;
        r.sheets = 1;
        r.financialYear = 2025;
        r.office = "ITMIC0 di MILANO";
        r.protocol = "Prot. 1234 del 02/01/2025";
        return r;
    }
    ReportDocument Run(const PrintRequest& req, std::map<int, std::vector<MovementRecord>> years,
                       PrintOutcome* outcome = nullptr) {
        RecordingSurface s(metrics_);
        WortRegisterBook book;
        CompanyBlock c{"BIRRIFICIO DEL LAGO SRL",
                       "Via Roma 1",
                       "Loc. Porto",
                       "22100",
                       "COMO",
                       "01234567890",
                       "IT00COA00001X"};
        RegisterFrame frame(s, book, c);
        loaded_.clear();
        const PrintOutcome o = frame.run(req, [&](int year) {
            loaded_.push_back(year);
            return years[year];
        });
        if (outcome) *outcome = o;
        e_ = metrics_.textWidth({"TIMES NEW ROMAN", 8, false, false, 0}, "E");
        lh_ = metrics_.lineHeight({"TIMES NEW ROMAN", 8, false, false, 0});
        ReportDocument d = s.takeDocument();
        left_ = d.pageWidth / 2 - 80 * e_;
        return d;
    }
    // The text printed right-aligned at `xE` on the same line as `label`.
    static const DrawnItem* SameLine(const ReportDocument& d, std::size_t page,
                                     const DrawnItem& label, double xRight) {
        for (const DrawnItem* t : d.texts(page))
            if (t != &label && std::fabs(t->y - label.y) < 1e-6 &&
                std::fabs(t->left + t->width - xRight) < 1e-6)
                return t;
        return nullptr;
    }
    double X(double e) const { return left_ + e * e_; }
    const DrawnItem* One(const ReportDocument& d, const std::string& text,
                         std::size_t page = static_cast<std::size_t>(-1)) {
        auto v = d.find(text, page);
        EXPECT_EQ(v.size(), 1u) << text;
        return v.empty() ? nullptr : v[0];
    }
    std::string ValueBeside(const ReportDocument& d, const std::string& label,
                            std::size_t page = static_cast<std::size_t>(-1)) {
        for (std::size_t p = 0; p < d.pages.size(); ++p) {
            if (page != static_cast<std::size_t>(-1) && p != page) continue;
            for (const DrawnItem* t : d.find(label, p))
                if (const DrawnItem* v = SameLine(d, p, *t, X(109.5))) return v->text;
        }
        return "<none>";
    }

    QtTextMetrics metrics_;
    std::vector<int> loaded_;
    double e_ = 0, lh_ = 0, left_ = 0;
};

TEST_F(WortLayout, DayTotalsOfTwoBatchesAndASanitisation) {
    std::vector<MovementRecord> year = {Batch(D(10, 2), 500), Batch(D(5, 3), 1000.5, "7", "LA"),
                                        Sanitisation(D(5, 3), 350.25),
                                        Batch(D(5, 3), 999.5, "8", "LB")};
    const ReportDocument d =
        Run(Request(PrintChoice::PlainSheets, true, D(1, 3), D(31, 3)), {{2025, year}});
    ASSERT_EQ(d.pages.size(), 1u);
    EXPECT_EQ(ValueBeside(d, "TOTALE LITRI DI MOSTO DEL GIORNO"), "2.000");
    EXPECT_EQ(ValueBeside(d, "TOTALE MOSTO AL GIORNO PRECEDENTE"), "500");
    EXPECT_EQ(ValueBeside(d, "TOTALE MOSTO AL 05/03/2025"), "2.500");
    EXPECT_EQ(One(d, "DATA: 05/03/2025")->font.bold, true);

    // Rows 2, 3, 4 of the year (one record before 01/03), one line height apart.
    const DrawnItem* r2 = One(d, "2");
    const DrawnItem* r3 = One(d, "3");
    const DrawnItem* r4 = One(d, "4");
    ASSERT_TRUE(r2 && r3 && r4);
    EXPECT_NEAR(r3->y - r2->y, lh_, 1e-9);
    EXPECT_NEAR(r4->y - r3->y, lh_, 1e-9);
    EXPECT_NEAR(r2->left + r2->width / 2, X(2), 1e-9);

    // The sanitisation: water in parentheses and italics, "Sanificazione", no
    // lot, no batch number, no planned data.
    const DrawnItem* water = One(d, "(350,25)");
    ASSERT_TRUE(water);
    EXPECT_TRUE(water->font.italic);
    EXPECT_NEAR(water->y, r3->y, 1e-9);
    EXPECT_NEAR(water->left + water->width, X(109.5), 1e-9);
    const DrawnItem* san = One(d, "Sanificazione");
    ASSERT_TRUE(san);
    EXPECT_FALSE(san->font.italic);
    int onSanLine = 0;
    for (const DrawnItem* t : d.texts(0))
        onSanLine += std::fabs(t->y - r3->y) < 1e-9 ? 1 : 0;
    // progressive, date, kind, "Sanificazione", two readings, water, notes
    EXPECT_EQ(onSanLine, 8);
    EXPECT_EQ(One(d, "1.000,5")->font.italic, false);
    EXPECT_EQ(One(d, "5.350")->text, "5.350");  // readings as whole numbers

    // The day lines stand 1.1 and then 1.3 line heights apart below the last row.
    const DrawnItem* day = One(d, "TOTALE LITRI DI MOSTO DEL GIORNO");
    const DrawnItem* prev = One(d, "TOTALE MOSTO AL GIORNO PRECEDENTE");
    ASSERT_TRUE(day && prev);
    EXPECT_NEAR(day->y - r4->y, 1.1 * lh_, 1e-9);
    EXPECT_NEAR(prev->y - day->y, 1.3 * lh_, 1e-9);
    EXPECT_NEAR(day->left + day->width, X(98.5), 1e-9);
}

TEST_F(WortLayout, PerPeriodCarriesInJanuaryAndFebruaryOfTheSameYearOnly) {
    std::vector<MovementRecord> year = {Batch(D(3, 1), 1000),      Sanitisation(D(4, 1), 200),
                                        Batch(D(20, 2), 1234.125), Sanitisation(D(28, 2), 50),
                                        Batch(D(1, 3), 800),       Batch(D(2, 3), 700)};
    std::vector<MovementRecord> previous = {Batch(D(15, 12, 2024), 9999)};
    PrintOutcome o;
    const ReportDocument d = Run(Request(PrintChoice::ValidatedSheets, false, D(1, 3), D(31, 3)),
                                 {{2025, year}, {2024, previous}}, &o);
    EXPECT_EQ(loaded_, std::vector<int>{2025});
    EXPECT_EQ(ValueBeside(d, "RIPORTI"), "2.234,125");
    EXPECT_EQ(ValueBeside(d, "TOTALE LITRI DI MOSTO DA RIPORTARE"), "3.734,125");
    // Four records of any kind before 01/03: the first printed row is number 5.
    const DrawnItem* first = One(d, "5");
    const DrawnItem* date = One(d, "01/03/2025");
    ASSERT_TRUE(first && date);
    EXPECT_NEAR(first->y, date->y, 1e-9);
    EXPECT_EQ(o.rows, 2);
    const DrawnItem* riporti = One(d, "RIPORTI");
    EXPECT_NEAR(riporti->left + riporti->width / 2, X(9), 1e-9);
    EXPECT_NEAR(first->y - riporti->y, lh_, 1e-9);
}

TEST_F(WortLayout, ValidatedSheetsHaveNoTitlesNorNumbersButTheProtocolLine) {
    PrintRequest req = Request(PrintChoice::ValidatedSheets, false, D(1, 1), D(31, 12));
    req.protocolLine = 3;
    const ReportDocument d = Run(req, {{2025, {Batch(D(2, 1), 100)}}});
    ASSERT_EQ(d.pages.size(), 1u);
    EXPECT_TRUE(d.find("REGISTRO DEL MOSTO").empty());
    EXPECT_TRUE(d.findPrefix("Pagina").empty());
    EXPECT_TRUE(d.find("RILASCIATO DALL'UFFICIO:").empty());
    EXPECT_TRUE(d.find("BIRRIFICIO DEL LAGO SRL").empty());
    EXPECT_EQ(d.find("ANNOTAZIONI").size(), 1u);
    const DrawnItem* prot = One(d, "Prot. 1234 del 02/01/2025");
    ASSERT_TRUE(prot);
    EXPECT_NEAR(prot->left, X(0.5), 1e-9);
    EXPECT_NEAR(prot->y, 3 * lh_, 1e-9);

    req.protocolLine = 0;  // no line given: no protocol
    EXPECT_TRUE(Run(req, {{2025, {Batch(D(2, 1), 100)}}}).find(req.protocol).empty());
}

TEST_F(WortLayout, PlainSheetsCarryTitlesCompanyAndPageNumbers) {
    PrintRequest req = Request(PrintChoice::PlainSheets, true, D(1, 1), D(31, 1));
    req.firstPage = 4;
    req.authorisation = "n. 77 del 01/12/2024";
    req.sheetsText = " di 100 Es. Fin. 2025";  // only for heading books
    const ReportDocument d =
        Run(req, {{2025, {Batch(D(2, 1), 100), Batch(D(9, 1), 200), Sanitisation(D(20, 1), 5)}}});
    ASSERT_EQ(d.pages.size(), 3u);
    for (std::size_t p = 0; p < 3; ++p) {
        const DrawnItem* page = One(d, "Pagina " + std::to_string(4 + p), p);
        ASSERT_TRUE(page);
        EXPECT_NEAR(page->left + page->width, d.pageWidth / 2 + 79 * e_, 1e-9);
        EXPECT_EQ(d.find("REGISTRO DEL MOSTO", p).size(), 1u);
        EXPECT_EQ(d.find("Partita IVA01234567890 - Codice Accisa: IT00COA00001X", p).size(), 1u);
        EXPECT_EQ(d.find("Via Roma 1, Loc. Porto", p).size(), 1u);
        EXPECT_EQ(d.find("autorizzazione: n. 77 del 01/12/2024", p).size(), 1u);
        EXPECT_EQ(d.findPrefix("DATA: ", p).size(), 1u);
        EXPECT_EQ(d.findPrefix("TOTALE MOSTO AL ", p).size(), 2u);
    }
    EXPECT_EQ(ValueBeside(d, "TOTALE MOSTO AL 20/01/2025", 2), "300");
    EXPECT_EQ(ValueBeside(d, "TOTALE LITRI DI MOSTO DEL GIORNO", 2), "0");
}

TEST_F(WortLayout, HeadingBooksAreNumberedWithSheetsAndYear) {
    PrintRequest req = Request(PrintChoice::HeadingsOnly, false, D(1, 1), D(31, 1));
    req.sheets = 100;
    req.sheetsText = " di 100 Es. Fin. 2025";
    req.authorisation = "n. 77";
    PrintOutcome o;
    const ReportDocument d = Run(req, {{2025, {Batch(D(2, 1), 100)}}}, &o);
    ASSERT_EQ(d.pages.size(), 101u);
    EXPECT_EQ(o.rows, 0);
    EXPECT_EQ(o.lastPageNumber, 100);
    EXPECT_TRUE(loaded_.empty());
    // The cover.
    EXPECT_EQ(d.find("COPERTINA REGISTRO DEL MOSTO", 0).size(), 1u);
    EXPECT_EQ(d.find("Il presente registro si compone di numero 100 fogli numerati dal n°1 al "
                     "n° 100, esclusa questa copertina.",
                     0)
                  .size(),
              1u);
    EXPECT_EQ(d.find("Valido per l'esercizio finanziario 2025.", 0).size(), 1u);
    EXPECT_EQ(d.find("Autorizzazione alla tenuta informatizzata: n. 77", 0).size(), 1u);
    EXPECT_TRUE(d.findPrefix("Pagina", 0).empty());
    EXPECT_EQ(d.find("Pagina 1 di 100 Es. Fin. 2025", 1).size(), 1u);
    EXPECT_EQ(d.find("Pagina 7 di 100 Es. Fin. 2025", 7).size(), 1u);
    EXPECT_EQ(d.find("Pagina 100 di 100 Es. Fin. 2025", 100).size(), 1u);
    EXPECT_EQ(d.findPrefix("Pagina").size(), 100u);
    // Without the manual version no column headings and no grid.
    EXPECT_TRUE(d.find("ANNOTAZIONI").empty());

    req.firstPage = 0;
    req.sheets = 3;
    const ReportDocument un = Run(req, {});
    EXPECT_EQ(un.pages.size(), 4u);
    EXPECT_TRUE(un.findPrefix("Pagina").empty());
    EXPECT_EQ(un.find("REGISTRO DEL MOSTO").size(), 3u);
}

TEST_F(WortLayout, ManualBooksCarryHeadingBoxAndRuledGrid) {
    PrintRequest req = Request(PrintChoice::HeadingsOnly, false, D(1, 1), D(31, 1));
    req.sheets = 2;
    req.manual = true;
    const ReportDocument d = Run(req, {});
    ASSERT_EQ(d.pages.size(), 3u);
    EXPECT_EQ(d.find("ANNOTAZIONI", 1).size(), 1u);
    EXPECT_EQ(d.find("Dati misuratore", 2).size(), 1u);
    int horizontal = 0;
    double lastY = 0;
    for (const DrawnItem& it : d.pages[1].items) {
        if (it.kind != DrawnItem::Kind::Line || it.y1 != it.y2) continue;
        if (std::fabs(it.x1 - X(0)) > 1e-6 || std::fabs(it.x2 - X(160)) > 1e-6) continue;
        if (horizontal > 0) {
            EXPECT_NEAR(it.y1 - lastY, 1.6 * lh_, 1e-6);
        }
        lastY = it.y1;
        ++horizontal;
    }
    EXPECT_GT(horizontal, 20);
    EXPECT_LE(lastY, d.pageHeight - 3.2 * lh_ + 1e-6);
    EXPECT_GT(lastY, d.pageHeight - 4.8 * lh_);
}

TEST_F(WortLayout, PerPeriodPageThatFillsExactlyOnePage) {
    auto rows = [](int n) {
        std::vector<MovementRecord> v;
        for (int k = 0; k < n; ++k)
            v.push_back(Batch(D(1, 4) + k / 10, 10, std::to_string(k)));
        return v;
    };
    // Find how many rows one page takes: the first row of page 2, minus one.
    PrintOutcome o;
    ReportDocument big =
        Run(Request(PrintChoice::PlainSheets, false, D(1, 1), D(31, 12)), {{2025, rows(200)}}, &o);
    ASSERT_GT(big.pages.size(), 2u);
    int perPage = 0;
    for (int k = 1; k <= 200; ++k)
        if (!big.find(std::to_string(k), 0).empty()) perPage = k;
    ASSERT_GT(perPage, 20);

    const ReportDocument one =
        Run(Request(PrintChoice::PlainSheets, false, D(1, 1), D(31, 12)), {{2025, rows(perPage)}});
    ASSERT_EQ(one.pages.size(), 1u);
    EXPECT_EQ(ValueBeside(one, "TOTALE LITRI DI MOSTO DA RIPORTARE"), std::to_string(perPage * 10));
    EXPECT_EQ(one.find("Pagina 1").size(), 1u);
    EXPECT_EQ(one.find("ANNOTAZIONI").size(), 1u);

    // One more row: the page is carried out and the next one carries in.
    const ReportDocument two = Run(Request(PrintChoice::PlainSheets, false, D(1, 1), D(31, 12)),
                                   {{2025, rows(perPage + 1)}});
    ASSERT_EQ(two.pages.size(), 2u);
    const std::string carried = std::to_string(perPage * 10);
    EXPECT_EQ(ValueBeside(two, "TOTALE LITRI DI MOSTO DA RIPORTARE", 0), carried);
    EXPECT_EQ(ValueBeside(two, "RIPORTI", 1), carried);
    EXPECT_EQ(ValueBeside(two, "RIPORTI", 0), "0");
    EXPECT_EQ(ValueBeside(two, "TOTALE LITRI DI MOSTO DA RIPORTARE", 1),
              std::to_string((perPage + 1) * 10));
    EXPECT_EQ(two.find("Pagina 2", 1).size(), 1u);
    // Rows never run into the bottom margin of eight lines.
    for (const DrawnItem* t : big.texts(0))
        EXPECT_LT(t->y, big.pageHeight - 6 * lh_) << t->text;
}

TEST_F(WortLayout, NoMovementsNoHeading) {
    for (bool perDay : {false, true}) {
        PrintOutcome o;
        const ReportDocument d = Run(Request(PrintChoice::PlainSheets, perDay, D(1, 5), D(31, 5)),
                                     {{2025, {Batch(D(2, 4), 100)}}}, &o);
        EXPECT_EQ(d.textCount(), 0u);
        EXPECT_EQ(o.pages, 0);
    }
}

TEST_F(WortLayout, LongLotAndNotesShrinkButNeverBelowFivePoints) {
    MovementRecord r = Batch(D(2, 1), 100, "2025/00012", "L");
    const ReportDocument shortLot =
        Run(Request(PrintChoice::ValidatedSheets, false, D(1, 1), D(31, 1)), {{2025, {r}}});
    const DrawnItem* l = One(shortLot, "L");
    ASSERT_TRUE(l);
    EXPECT_EQ(l->font.size, 7.5);  // half a point below the row font

    struct Case {
        std::string lot;
    } cases[] = {{"LOTTO-2025-0012"}, {"MOSTOBIONDA2025X01"}, {"WWWWWWWWWWWWWWWWWWWW"}};
    for (const Case& c : cases) {
        r.LMOSTO = c.lot;
        const ReportDocument d =
            Run(Request(PrintChoice::ValidatedSheets, false, D(1, 1), D(31, 1)), {{2025, {r}}});
        const DrawnItem* t = One(d, c.lot);
        ASSERT_TRUE(t);
        EXPECT_GE(t->font.size, 5) << c.lot;
        EXPECT_LT(t->font.size, 7.5) << c.lot;
        EXPECT_EQ(std::fmod(t->font.size, 0.5), 0) << c.lot;
        if (t->font.size > 5) {
            EXPECT_LE(t->width, 10 * e_ + 1e-9) << c.lot;
            // Half a point larger would not have fitted.
            TextFont larger = t->font;
            larger.size += 0.5;
            EXPECT_GT(metrics_.textWidth(larger, c.lot), 10 * e_) << c.lot;
        }
        EXPECT_NEAR(t->left + t->width / 2, X(120), 1e-9);
        // The next cell is back at the row font.
        const DrawnItem* notes = One(d, "cotta regolare");
        ASSERT_TRUE(notes);
        EXPECT_EQ(notes->font.size, 7.5);
    }
    // Twenty W do not fit 10 E-units even at 5 points: printed at 5.
    EXPECT_EQ(
        One(Run(Request(PrintChoice::ValidatedSheets, false, D(1, 1), D(31, 1)), {{2025, {r}}}),
            "WWWWWWWWWWWWWWWWWWWW")
            ->font.size,
        5);
}

TEST_F(WortLayout, TableIsCentredInEUnits) {
    const ReportDocument d = Run(Request(PrintChoice::ValidatedSheets, false, D(1, 1), D(31, 1)),
                                 {{2025, {Batch(D(2, 1), 100)}}});
    ASSERT_NEAR(e_, 8 * 1251.0 / 2048, 0.01);
    // The heading box spans the 160 E-units of the table.
    bool box = false;
    for (const DrawnItem& it : d.pages[0].items)
        if (it.kind == DrawnItem::Kind::Rectangle && std::fabs(it.x1 - X(0)) < 1e-6 &&
            std::fabs(it.x2 - X(160)) < 1e-6)
            box = true;
    EXPECT_TRUE(box);
    struct Case {
        const char* text;
        double x;
    } cases[] = {{"Nr.", 2},
                 {"Data", 9},
                 {"Cotta", 16},
                 {"ANNOTAZIONI", 142.5},
                 {"Dati misuratore", 92},
                 {"Dati effettivi di produzione", 112},
                 {"Dati dichiarati nella comunicazione preventiva", 68.5}};
    for (const Case& c : cases) {
        const auto v = d.find(c.text, 0);
        ASSERT_FALSE(v.empty()) << c.text;
        EXPECT_NEAR(v[0]->left + v[0]->width / 2, X(c.x), 1e-9) << c.text;
        EXPECT_EQ(v[0]->font.size, 6) << c.text;
    }
    // "%" of the yield heading is on the fifth heading line.
    const DrawnItem* pct = One(d, "%");
    const DrawnItem* group = One(d, "Dati misuratore");
    ASSERT_TRUE(pct && group);
    EXPECT_NEAR(pct->y - group->y, (3.7 - 0.6) * lh_, 1e-9);
}

TEST_F(WortLayout, LongDayBreaksPagesWithoutCarryLines) {
    std::vector<MovementRecord> year;
    for (int k = 0; k < 45; ++k)
        year.push_back(Batch(D(7, 4), 100, std::to_string(k + 1)));
    year.push_back(Batch(D(8, 4), 50));
    const ReportDocument d =
        Run(Request(PrintChoice::PlainSheets, true, D(1, 4), D(30, 4)), {{2025, year}});
    ASSERT_EQ(d.pages.size(), 3u);
    EXPECT_EQ(d.find("DATA: 07/04/2025", 0).size(), 1u);
    EXPECT_EQ(d.find("DATA: 07/04/2025", 1).size(), 1u);
    EXPECT_EQ(d.find("DATA: 08/04/2025", 2).size(), 1u);
    EXPECT_TRUE(d.find("TOTALE LITRI DI MOSTO DEL GIORNO", 0).empty());
    EXPECT_EQ(ValueBeside(d, "TOTALE LITRI DI MOSTO DEL GIORNO", 1), "4.500");
    EXPECT_EQ(ValueBeside(d, "TOTALE MOSTO AL 08/04/2025", 2), "4.550");
    EXPECT_TRUE(d.find("RIPORTI").empty());
    EXPECT_TRUE(d.find("TOTALE LITRI DI MOSTO DA RIPORTARE").empty());
    for (std::size_t p = 0; p < 3; ++p)
        EXPECT_EQ(d.find("Pagina " + std::to_string(p + 1), p).size(), 1u);
}

TEST_F(WortLayout, TestRegisterAfterTheHeadings) {
    PrintRequest req = Request(PrintChoice::Test, true, D(1, 3), D(31, 3));
    req.sheets = 2;
    req.firstPage = 5;
    req.sheetsText = " di 2 Es. Fin. 2025";
    // The year of "Dalla data" is empty: the previous year is printed, from its
    // first day with movements only, on plain sheets numbered from 1.
    std::vector<MovementRecord> previous = {Batch(D(10, 6, 2024), 700), Batch(D(10, 6, 2024), 300),
                                            Batch(D(11, 6, 2024), 999)};
    const ReportDocument d = Run(req, {{2025, {}}, {2024, previous}});
    EXPECT_EQ(loaded_, (std::vector<int>{2025, 2024}));
    ASSERT_EQ(d.pages.size(), 4u);  // cover, two heading sheets, one test page
    EXPECT_EQ(d.find("Pagina 5 di 2 Es. Fin. 2025", 1).size(), 1u);
    EXPECT_EQ(d.find("Pagina 6 di 2 Es. Fin. 2025", 2).size(), 1u);
    EXPECT_EQ(d.find("Pagina 1", 3).size(), 1u);
    EXPECT_EQ(d.find("DATA: 10/06/2024", 3).size(), 1u);
    EXPECT_EQ(ValueBeside(d, "TOTALE MOSTO AL 10/06/2024", 3), "1.000");
    EXPECT_TRUE(d.find("11/06/2024").empty());

    // With movements in the year of "Dalla data" those are the test's rows.
    const ReportDocument own = Run(req, {{2025, {Batch(D(2, 3), 10), Batch(D(3, 3), 20)}}});
    EXPECT_EQ(loaded_, std::vector<int>{2025});
    ASSERT_EQ(own.pages.size(), 4u);
    EXPECT_EQ(own.find("DATA: 02/03/2025", 3).size(), 1u);
    EXPECT_TRUE(own.find("DATA: 03/03/2025").empty());
}

}  // namespace
}  // namespace veltrano
