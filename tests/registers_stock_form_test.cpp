#include <gtest/gtest.h>

#include "core/dates.h"
#include "registers/forms/stock_form.h"
#include "registers/year_files.h"
#include "shell_support.h"

namespace veltrano {
namespace {

using testing::Date;
using testing::ScriptedDialogs;
using testing::TempWorkFolder;

class StockFormTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    FixedClock clock{Date(2026, 12, 11)};
    Session session{work.folders(), clock};
    ScriptedDialogs dialogs;
    StockForm form{session, dialogs};
    void SetUp() override { work.folders().create(); }
};

TEST_F(StockFormTest, OpensOnTheCurrentYear) {
    form.open();
    EXPECT_EQ(form.text("LANNO"), "2026");
    EXPECT_TRUE(form.visible("BCONF"));
    EXPECT_EQ(form.text("RIPORTI"), "");
}

TEST_F(StockFormTest, YearChecks) {
    struct Case {
        std::string year;
        bool accepted;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"2027", false, {kStockYearNotAllowed}},
        {"2030", false, {kStockYearNotAllowed}},
        {"2018", false, {}},  // refused without a message
        {"1999", false, {}},
        {"26", false, {}},
        {"2019", true, {}},
        {"2026", true, {}},
    };
    for (const auto& c : cases) {
        form.open();
        dialogs.clear();
        form.keyPressed();
        form.type("LANNO", c.year);
        const Check check = form.leave("LANNO");
        EXPECT_EQ(check.passed, c.accepted) << c.year;
        if (!c.accepted) {
            EXPECT_EQ(check.field, "LANNO");
        }
        EXPECT_EQ(dialogs.messages(), c.messages) << c.year;
    }
}

TEST_F(StockFormTest, ComputesWritesListsOnce) {
    session.company.TIPOIN = "S";
    MovementRecord load;
    MovementBlank(load);
    load.TIPMOV = "C";
    load.DATMOV = Date(2024, 6, 1);
    load.TBIRRA = "MALTO PILS";
    load.LITRII = 250;
    testing::AppendMovement(YearFilePath(work.folders(), 2024, "MPR"), load);

    form.open();
    form.keyPressed();
    form.type("LANNO", "2025");
    ASSERT_TRUE(form.leave("LANNO").passed);
    form.confirm();
    EXPECT_FALSE(form.closed()) << "the window stays open on the list";
    EXPECT_FALSE(form.visible("BCONF"));
    EXPECT_NE(form.text("RIPORTI").find("MALTO PILS giacenza: 250\n"), std::string::npos);
    EXPECT_NE(form.text("RIPORTI").find("GIACENZE PRODOTTI CONDIZIONATI:"), std::string::npos);
    EXPECT_EQ(dialogs.busyDepth, 0);
    for (const char* ext : {"GMP", "GMS", "GCN"}) {
        EXPECT_TRUE(FileExists(YearFilePath(work.folders(), 2025, ext))) << ext;
    }
    // A second press does nothing until the window is opened again.
    RemoveFile(YearFilePath(work.folders(), 2025, "GMP"));
    form.confirm();
    EXPECT_FALSE(FileExists(YearFilePath(work.folders(), 2025, "GMP")));
    form.open();
    EXPECT_TRUE(form.visible("BCONF"));
}

TEST_F(StockFormTest, ConfirmDoesNothingBeforeTheYearWasChecked) {
    form.open();
    form.keyPressed();
    form.type("LANNO", "2027");
    form.confirm();  // the checks run first and refuse
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{kStockYearNotAllowed});
    EXPECT_FALSE(FileExists(YearFilePath(work.folders(), 2027, "GMP")));
}

}  // namespace
}  // namespace veltrano
