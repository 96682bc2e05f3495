// The beer-types window TFPRODAZ: recipe files, the working list and the grid.
#include <gtest/gtest.h>

#include "core/file_io.h"
#include "core/record_file.h"
#include "tables/beer_types_form.h"
#include "tables_support.h"

namespace veltrano {
namespace {

using testing::TablesTest;

class RecipesTest : public TablesTest {
protected:
    void SetUp() override {
        add("MATPRIME", "MALTO PILS");
        add("MATPRIME", "LUPPOLO");
        add("MATPRIME", "LIEVITO");
        session.mode = "PRAZ";
    }
    void openTyping() {
        form.open();
        ASSERT_FALSE(form.closed());
        form.keyPressed();
    }
    // Grid rows as name=cell.
    std::vector<std::string> grid() const {
        std::vector<std::string> out;
        for (std::size_t r = 0; r < form.gridRows(); ++r) {
            out.push_back(form.materialName(r) + "=" + form.quantityText(r));
        }
        return out;
    }
    std::vector<std::pair<std::string, double>> recipe(std::int32_t id) const {
        std::vector<std::pair<std::string, double>> out;
        for (TableRecord r : ReadRecipe(tmp.folders(), id)) {
            TableTrim(r);
            out.emplace_back(r.STR1[0], r.REALI1[0]);
        }
        return out;
    }
    std::size_t row(const std::string& name) const {
        for (std::size_t r = 0; r < form.gridRows(); ++r) {
            if (form.materialName(r) == name) return r;
        }
        ADD_FAILURE() << "no row " << name;
        return 0;
    }
    void newBeer(const std::string& name, const std::string& yield, const std::string& plato) {
        form.type("LE0", name);
        ASSERT_TRUE(form.leave("LE0"));
        form.type("R10", yield);
        form.type("R11", plato);
    }
    BeerTypesForm form{session, dialogs};
};

TEST_F(RecipesTest, ClearingBuildsTheWorkingListOfAllMaterials) {
    openTyping();
    EXPECT_EQ(grid(), (std::vector<std::string>{"LIEVITO=*", "LUPPOLO=*", "MALTO PILS=*"}));
    const RecordFile app =
        RecordFile::OpenIfPresent(RecipeWorkingListPath(tmp.folders()), TableRecord::kSize);
    EXPECT_EQ(app.count(), 3u);
}

TEST_F(RecipesTest, SavingWritesOneRecipeRecordPerMaterialAndReopeningShowsThem) {
    openTyping();
    newBeer("bionda", "85", "12,5");
    EXPECT_EQ(form.typeQuantity(row("MALTO PILS"), "180"), "180");
    EXPECT_EQ(form.typeQuantity(row("LUPPOLO"), "1.5"), "1,5");  // "." taken as ","
    form.confirm();
    ASSERT_FALSE(form.closed());
    const auto beers = entries("PRAZ.TAB");
    ASSERT_EQ(beers.size(), 1u);
    EXPECT_EQ(beers[0].STR1[0], "BIONDA");
    EXPECT_DOUBLE_EQ(beers[0].REALI1[0], 85);
    EXPECT_DOUBLE_EQ(beers[0].REALI1[1], 12.5);
    EXPECT_EQ(recipe(beers[0].ID), (std::vector<std::pair<std::string, double>>{
                                       {"LIEVITO", 0}, {"LUPPOLO", 1.5}, {"MALTO PILS", 180}}));
    // After the save the window is cleared; the type comes back with its recipe.
    EXPECT_EQ(form.text("LE0"), "");
    form.type("LE0", "BIONDA");
    ASSERT_TRUE(form.leave("LE0"));
    EXPECT_TRUE(form.editing());
    EXPECT_EQ(form.text("R10"), "85");
    EXPECT_EQ(form.text("R11"), "12,5");
    EXPECT_EQ(grid(), (std::vector<std::string>{"LIEVITO=", "LUPPOLO=1,5", "MALTO PILS=180"}));
    EXPECT_EQ(form.takeGridCursor(), std::optional<std::size_t>(0));
}

TEST_F(RecipesTest, EveryCellChangeIsStoredInTheWorkingListAtOnce) {
    openTyping();
    newBeer("ROSSA", "80", "");
    form.typeQuantity(row("LIEVITO"), "2,25");
    const RecordFile app =
        RecordFile::OpenIfPresent(RecipeWorkingListPath(tmp.folders()), TableRecord::kSize);
    const TableRecord stored = TableRecord::decode(app.record(row("LIEVITO")));
    EXPECT_DOUBLE_EQ(stored.REALI1[0], 2.25);
}

TEST_F(RecipesTest, QuantityCellsAcceptDigitsAndOneCommaUpToThirteenCharacters) {
    struct Case {
        const char* before;
        const char* typed;
        const char* accepted;
    };
    const Case cases[] = {
        {"", "1.5", "1,5"},
        {"1,5", "1,5,", "1,5"},
        {"", "12a-3", "123"},
        {"*", "*7", "7"},
        {"123456789012", "1234567890123", "1234567890123"},  // 12 held: one more key
        {"1234567890123", "12345678901234", "1234567890123"},
        {"1234567890123", "123456789012", "123456789012"},  // backspace always
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FilterQuantityText(c.before, c.typed), c.accepted) << c.typed;
    }
}

TEST_F(RecipesTest, AMaterialAddedLaterShowsEmptyAndADeletedOneDisappears) {
    openTyping();
    newBeer("BIONDA", "85", "12");
    form.typeQuantity(row("MALTO PILS"), "180");
    form.typeQuantity(row("LIEVITO"), "1");
    form.confirm();
    const std::int32_t id = entries("PRAZ.TAB")[0].ID;

    add("MATPRIME", "AVENA");
    testing::ScriptedDialogs quiet;
    const auto lievito = entries("MATPRIME.TAB");
    for (const auto& m : lievito) {
        if (m.STR1[0] == "LIEVITO") TableDeleteById(m.ID, dati("MATPRIME.TAB"), quiet);
    }
    form.press("BSVUOTA");
    form.type("LE0", "BIONDA");
    ASSERT_TRUE(form.leave("LE0"));
    EXPECT_EQ(grid(), (std::vector<std::string>{"AVENA=", "LUPPOLO=", "MALTO PILS=180"}));
    // The saved recipe keeps its line until the type is saved again.
    EXPECT_EQ(recipe(id).size(), 3u);
    form.confirm();
    const auto beers = entries("PRAZ.TAB");
    ASSERT_EQ(beers.size(), 1u);
    EXPECT_EQ(recipe(beers[0].ID), (std::vector<std::pair<std::string, double>>{
                                       {"AVENA", 0}, {"LUPPOLO", 0}, {"MALTO PILS", 180}}));
    EXPECT_TRUE(FileExists(dati(std::to_string(id) + ".RCT")));  // the old file stays
}

TEST_F(RecipesTest, ANewRawMaterialJoinsTheRecipeBeingEdited) {
    add("PRAZ", "ALTRA");  // ID 1
    openTyping();
    newBeer("BIONDA", "85", "12");
    form.typeQuantity(row("MALTO PILS"), "180");
    TableRecord saved;
    TableBlank(saved);
    saved.STR1[0] = "FRUMENTO";
    saved.STR2[0] = "MATPRIME";
    {
        testing::ScriptedDialogs quiet;
        TableInsertOrdered(dati("MATPRIME.TAB"), saved, quiet);
    }
    WindowResult r;
    r.opened = true;
    r.confirmed = true;
    r.entry = saved;
    dialogs.windowResults.push_back(r);
    form.press("BNUOVAMP");
    EXPECT_EQ(dialogs.shown.back().text, "TFMATPRI MATPRIME:I");
    EXPECT_EQ(session.mode, "PRAZ");
    EXPECT_EQ(form.text("LE0"), "BIONDA");
    EXPECT_EQ(form.text("R10"), "85");
    EXPECT_EQ(form.text("R11"), "12");
    ASSERT_EQ(form.gridRows(), 4u);
    EXPECT_EQ(form.materialName(3), "FRUMENTO");
    form.typeQuantity(3, "20");
    form.confirm();
    const auto beers = entries("PRAZ.TAB");
    ASSERT_EQ(beers.size(), 2u);
    EXPECT_EQ(beers[1].STR1[0], "BIONDA");
    EXPECT_EQ(beers[1].ID, 2);  // 1 + the largest ID of PRAZ.TAB
    const auto rec = recipe(2);
    ASSERT_EQ(rec.size(), 4u);
    EXPECT_EQ(rec[3], (std::pair<std::string, double>{"FRUMENTO", 20}));
}

TEST_F(RecipesTest, ConfirmationChecks) {
    add("PRAZ", "ROSSA");
    openTyping();
    EXPECT_EQ(form.reachConfirm().field, "LE0");
    form.type("LE0", "BIONDA");
    EXPECT_EQ(form.reachConfirm().field, "R10");  // no yield: no message either
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_FALSE(form.enterGrid() && form.text("LE0").empty());
    form.type("LE0", "");
    EXPECT_FALSE(form.enterGrid());
    EXPECT_EQ(form.takeFocusRequest(), "LE0");
    // A new type with the name of a stored one, never checked on leaving LE0.
    form.type("LE0", "ROSSA");
    form.type("R10", "80");
    form.confirm();
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"CODICE GIA` UTILIZZATO"}));
    EXPECT_EQ(entries("PRAZ.TAB").size(), 1u);
}

TEST_F(RecipesTest, InsertionModeClosesAfterOneSave) {
    session.mode = "PRAZ:I";
    openTyping();
    newBeer("WEISS", "78", "11");
    form.confirm();
    EXPECT_TRUE(form.closed());
    ASSERT_TRUE(form.resultEntry());
    EXPECT_EQ(TrimText(form.resultEntry()->STR1[0]), "WEISS");
    EXPECT_TRUE(FileExists(dati(std::to_string(form.resultEntry()->ID) + ".RCT")));
}

}  // namespace
}  // namespace veltrano
