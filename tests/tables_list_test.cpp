// The list file TABELLA.TXT, the list of a code table, the list window's state
// and the printed list.
#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

#include "core/cp1252.h"
#include "core/file_io.h"
#include "core/values.h"
#include "prints/recording_surface.h"
#include "tables/excise_rates.h"
#include "tables/list_file.h"
#include "tables/list_print.h"
#include "tables_support.h"

namespace veltrano {
namespace {

using testing::Date;
using testing::ScriptedDialogs;
using testing::TablesTest;

std::string FileText(const std::string& path) {
    const auto b = ReadWholeFile(path);
    return b ? std::string(b->begin(), b->end()) : std::string("<missing>");
}

TEST(ListFile, WritesTheLinesOfEachRowAndReadsThemBack) {
    ListFileWriter w({{"CODICE", 0}, {"DESCRIZIONE", 0}});
    w.addRow(7, {"VI01", "Vicenza città"});
    w.addRow(3, {"", "senza codice"});
    w.addRow(12, {"@ALFA", "", "terza"});
    EXPECT_EQ(w.text(),
              "VI01\r\n@7\r\n\tVicenza città\r\n"
              "\r\n@3\r\n\tsenza codice\r\n"
              "@ALFA\r\n@12\r\n\t\r\n\tterza\r\n");
    // Widths in characters, not bytes; a column added by a row has no caption.
    ASSERT_EQ(w.columns().size(), 3u);
    EXPECT_EQ(w.columns()[0].width, 5);
    EXPECT_EQ(w.columns()[1].width, 13);
    EXPECT_EQ(w.columns()[2].width, 5);
    // A first column starting with "@" or empty is still a row of its own.
    const auto rows = ParseListText(w.text());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (ListRow{7, {"VI01", "Vicenza città"}}));
    EXPECT_EQ(rows[1], (ListRow{3, {"", "senza codice"}}));
    EXPECT_EQ(rows[2], (ListRow{12, {"@ALFA", "", "terza"}}));
}

TEST(ListFile, LineBreaksInsideATextDoNotSplitTheEntry) {
    ListFileWriter w;
    w.addRow(1, {"RIGA\r\nSPEZZATA", "a\tb"});
    const auto rows = ParseListText(w.text());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].cells, (std::vector<std::string>{"RIGA  SPEZZATA", "a b"}));
}

TEST(ListFile, ReadsLinesEndedByLineFeedAlone) {
    const auto rows = ParseListText("A\n@1\n\tx\nB\n@2\n");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (ListRow{2, {"B"}}));
}

TEST(ListModel, SortsByAColumnsTextAndKeepsTheSelectedRow) {
    ListData d;
    d.columns = {{"DATA", 11}, {"EURO", 11}};
    d.rows = {{1, {"15/12/2022", "2,90000"}},
              {2, {"02/01/2023", "3,00000"}},
              {3, {"15/12/2022", "1,00000"}}};
    ListModel m(d);
    EXPECT_EQ(m.selected(), 0);
    m.select(2);
    m.sortBy(0);
    // Text order: 02/01/2023 before 15/12/2022; equal texts keep their order.
    EXPECT_EQ(m.row(0).id, 2);
    EXPECT_EQ(m.row(1).id, 1);
    EXPECT_EQ(m.row(2).id, 3);
    EXPECT_EQ(m.choose(), 3);
    EXPECT_EQ(m.cancel(), -1);
    m.sortBy(1);
    EXPECT_EQ(m.row(0).id, 3);
}

TEST(ListModel, ColumnsNarrowerThanFiveAreWidenedAndEmptyOnesHidden) {
    ListData d;
    d.columns = {{"A", 2}, {"B", 0}, {"C", 9}};
    ListModel m(d);
    EXPECT_EQ(m.shownColumns(), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(m.width(0), 5);
    EXPECT_EQ(m.caption(2), "C");
    EXPECT_EQ(m.printWidth(), 5 + 1 + 9 + 1);
    EXPECT_EQ(ListModel(ListData{}).choose(), -1);
}

class TableListTest : public TablesTest {};

TEST_F(TableListTest, CodeTableListsItsFieldsInUseWithTheirCaptions) {
    add("TA03", "VI01", "Ufficio delle Dogane di Vicenza");
    add("TA03", "PD01", "Ufficio delle Dogane di Padova");
    const ListData d = BuildTableList(tmp.folders(), "TA03");
    EXPECT_EQ(d.title, "UFFICI DOGANALI");
    ASSERT_EQ(d.columns.size(), 2u);
    EXPECT_EQ(d.columns[0].caption, "CODICE");
    EXPECT_EQ(d.columns[1].caption, "DESCRIZIONE DELL'UFFICIO");
    EXPECT_EQ(d.columns[1].width, 31);
    ASSERT_EQ(d.rows.size(), 2u);
    EXPECT_EQ(d.rows[0], (ListRow{2, {"PD01", "Ufficio delle Dogane di Padova"}}));
    EXPECT_EQ(FileText(ListFilePath(tmp.folders())).substr(0, 12), "PD01\r\n@2\r\n\tU");
}

TEST_F(TableListTest, AFieldOfSizeZeroIsNotListed) {
    TableStructure s = *ReadTableStructure(tmp.folders(), "TA05C");
    s.sizes[1] = 0;
    RecordFile f = RecordFile::Empty(dati("TA05C.STR"), TableRecord::kSize);
    f.append(s.toRecord().encode());
    f.commit(true);
    add("TA05C", "FT", "FATTURA");
    const ListModel m(BuildTableList(tmp.folders(), "TA05C"));
    EXPECT_EQ(m.shownColumns(), (std::vector<std::size_t>{0}));
    EXPECT_EQ(m.row(0).cells, (std::vector<std::string>{"FT"}));
}

TEST_F(TableListTest, AnEmptyColumnDoesNotPassItsCaptionOn) {
    TableStructure s = *ReadTableStructure(tmp.folders(), "TA05C");
    s.sizes[2] = 10;
    s.columns = "CODICE;DESCRIZIONE;NOTA";
    RecordFile f = RecordFile::Empty(dati("TA05C.STR"), TableRecord::kSize);
    f.append(s.toRecord().encode());
    f.commit(true);
    TableRecord r;
    TableBlank(r);
    r.STR1[0] = "FT";
    r.STR1[2] = "nota";
    ScriptedDialogs quiet;
    TableInsertOrdered(dati("TA05C.TAB"), r, quiet);
    const ListModel m(BuildTableList(tmp.folders(), "TA05C"));
    EXPECT_EQ(m.shownColumns(), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(m.caption(2), "NOTA");
}

TEST_F(TableListTest, RatesAndBeerTypesHaveTheirOwnColumns) {
    TableRecord rate;
    TableBlank(rate);
    rate.REALI1[0] = Date(2019, 1, 1);
    rate.REALI1[1] = 2.99;
    ScriptedDialogs quiet;
    TableInsertOrdered(dati("ACCISE.TAB"), rate, quiet);
    const ListData a = BuildTableList(tmp.folders(), "ACCISE");
    ASSERT_EQ(a.rows.size(), 1u);
    EXPECT_EQ(a.rows[0].cells, (std::vector<std::string>{"01/01/2019", "   2,99000"}));
    EXPECT_EQ(a.columns[0].width, 11);
    EXPECT_EQ(a.columns[1].width, 11);

    TableRecord beer;
    TableBlank(beer);
    beer.STR1[0] = "BIONDA";
    beer.REALI1[0] = 85.5;
    beer.REALI1[1] = 12;
    TableInsertOrdered(dati("PRAZ.TAB"), beer, quiet);
    const ListData p = BuildTableList(tmp.folders(), "PRAZ");
    EXPECT_EQ(p.rows[0].cells, (std::vector<std::string>{"BIONDA", "12", "85,5"}));
    EXPECT_EQ(p.columns[1].width, 12);

    add("MATPRIME", "MALTO");
    EXPECT_EQ(BuildTableList(tmp.folders(), "MATPRIME").columns[0].width, 20);
}

TEST_F(TableListTest, MissingStructureOrTableGivesAnEmptyList) {
    const ListData none = BuildTableList(tmp.folders(), "TA99");
    EXPECT_TRUE(none.columns.empty());
    EXPECT_TRUE(none.rows.empty());
    EXPECT_TRUE(BuildTableList(tmp.folders(), "TA03").rows.empty());  // no TA03.TAB yet
    EXPECT_FALSE(FileExists(dati("TA03.TAB")));
}

// The font description the surface hands to its metrics.
using Font = std::remove_cvref_t<decltype(std::declval<const ReportSurface&>().font())>;

// Fixed metrics: every character 0.6 em wide, lines 1.2 em high.
class MonoMetrics : public TextMetrics {
public:
    double textWidth(const Font& f, std::string_view s) const override {
        return 0.6 * f.size * static_cast<double>(Utf8Length(s));
    }
    double lineHeight(const Font& f) const override { return 1.2 * f.size; }
};

ListModel WideList(int chars, std::size_t rows) {
    ListData d;
    d.title = "ELENCO";
    d.columns = {{"CODICE", 9}, {"DESCRIZIONE", chars - 9 - 2}};
    for (std::size_t k = 0; k < rows; ++k) {
        d.rows.push_back({static_cast<int>(k + 1), {"C" + std::to_string(k), "descrizione"}});
    }
    return ListModel(d);
}

TEST(ListPrint, OrientationAndFontFollowTheWidth) {
    MonoMetrics metrics;
    struct Case {
        int chars;
        Orientation orientation;
        double size;
    };
    // A4: 595 x 842 points; at 12 points a character is 7.2 points wide.
    const Case cases[] = {
        {80, Orientation::Portrait, 12},   // 576 points fit the portrait sheet
        {90, Orientation::Portrait, 11},   // 648 do not: 11 points give 594
        {95, Orientation::Landscape, 12},  // 684 of 842
        {200, Orientation::Landscape, 7},  // 7 points: 840
        {1000, Orientation::Landscape, 3},
    };
    for (const Case& c : cases) {
        RecordingSurface surface(metrics);
        const ListModel list = WideList(c.chars, 1);
        ASSERT_EQ(list.printWidth(), c.chars);
        const ListPrintLayout layout = ChooseListLayout(list, surface);
        EXPECT_EQ(layout.orientation, c.orientation) << c.chars;
        EXPECT_EQ(layout.fontSize, c.size) << c.chars;
    }
}

TEST(ListPrint, PagesCarryNumberTitleCaptionsAndRows) {
    MonoMetrics metrics;
    RecordingSurface surface(metrics);
    const ListModel list = WideList(40, 60);
    PrintList(list, surface);
    const ReportDocument doc = surface.takeDocument();
    // 842 / 14.4 = 58 lines, less 10: rows on lines 8 to 48, 41 per page.
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_EQ(doc.find("Pagina 1", 0).size(), 1u);
    EXPECT_EQ(doc.find("Pagina 2", 1).size(), 1u);
    for (std::size_t p = 0; p < 2; ++p) {
        ASSERT_EQ(doc.find("ELENCO", p).size(), 1u);
        EXPECT_DOUBLE_EQ(doc.find("ELENCO", p)[0]->y, 3 * 14.4);
        ASSERT_EQ(doc.find("CODICE", p).size(), 1u);
        EXPECT_DOUBLE_EQ(doc.find("CODICE", p)[0]->y, 6 * 14.4);
    }
    ASSERT_EQ(doc.find("C0", 0).size(), 1u);
    EXPECT_DOUBLE_EQ(doc.find("C0", 0)[0]->y, 8 * 14.4);
    EXPECT_EQ(doc.find("C40", 0).size(), 1u);
    ASSERT_EQ(doc.find("C41", 1).size(), 1u);
    EXPECT_DOUBLE_EQ(doc.find("C41", 1)[0]->y, 8 * 14.4);
    // Centred: 40 characters of 7.2 points on 595.276.
    const double left = (595.276 - 40 * 7.2) / 2;
    EXPECT_NEAR(doc.find("C0", 0)[0]->left, left + 3.6, 1e-9);
    std::size_t lines = 0;
    for (const auto& item : doc.pages[0].items)
        lines += item.kind == DrawnItem::Kind::Line;
    EXPECT_EQ(lines, 2u + 3u);  // two rules, a rule before each column and after the last
}

}  // namespace
}  // namespace veltrano
