// FindExciseRate and the rate window TFTABACCISE.
#include <gtest/gtest.h>

#include "core/dates.h"
#include "core/file_io.h"
#include "tables/excise_rates.h"
#include "tables_support.h"

namespace veltrano {
namespace {

using testing::Date;
using testing::ScriptedDialogs;
using testing::TablesTest;

class RatesTest : public TablesTest {
protected:
    void addRate(double date, double rate) {
        TableRecord r;
        TableBlank(r);
        r.REALI1[0] = date;
        r.REALI1[1] = rate;
        ScriptedDialogs quiet;
        TableInsertOrdered(dati("ACCISE.TAB"), r, quiet);
    }
    // The rate in force on a date, or -1 when none is found.
    double inForce(double date) {
        TableRecord rec;
        TableBlank(rec);
        rec.REALI1[0] = date;
        TableRecord working;
        return FindExciseRate(tmp.folders(), rec, kRateInForce, working) ? working.REALI1[1] : -1;
    }
    std::vector<std::pair<std::string, double>> stored() {
        std::vector<std::pair<std::string, double>> out;
        for (const auto& r : entries("ACCISE.TAB"))
            out.emplace_back(FormatDate(r.REALI1[0]), r.REALI1[1]);
        return out;
    }
    void openTyping() {
        form.open();
        ASSERT_FALSE(form.closed());
        form.keyPressed();
    }
    Check typeAndLeave(const std::string& field, const std::string& text) {
        form.type(field, text);
        return form.leave(field);
    }
    ExciseRateForm form{session, dialogs};
};

TEST_F(RatesTest, TheRateInForceFollowsTheStartDates) {
    addRate(Date(2019, 1, 1), 2.99);
    addRate(Date(2022, 7, 1), 2.9);
    struct Case {
        double date;
        double rate;
    };
    const Case cases[] = {
        {Date(2018, 12, 31), -1},         {Date(2019, 1, 1), 2.99}, {Date(2022, 6, 30), 2.99},
        {Date(2022, 6, 30) + 0.75, 2.99},  // the evening of the last day of the old rate
        {Date(2022, 7, 1), 2.9},          {Date(2030, 1, 1), 2.9},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(inForce(c.date), c.rate) << FormatDate(c.date);
}

TEST_F(RatesTest, ARateOfAThousandthOrLessIsNeverInForce) {
    addRate(Date(2019, 1, 1), 2.99);
    addRate(Date(2020, 1, 1), 0.001);
    EXPECT_EQ(inForce(Date(2020, 5, 5)), -1);
    TableRecord rec;
    TableBlank(rec);
    rec.REALI1[0] = Date(2020, 1, 1);
    TableRecord working;
    EXPECT_TRUE(FindExciseRate(tmp.folders(), rec, kRateExact, working));
    EXPECT_DOUBLE_EQ(working.REALI1[1], 0.001);
}

TEST_F(RatesTest, AMissingTableIsCreatedEmptyAndFindsNothing) {
    EXPECT_EQ(inForce(Date(2024, 1, 1)), -1);
    EXPECT_TRUE(FileExists(dati("ACCISE.TAB")));
}

TEST_F(RatesTest, OpeningProposesTodayAndRefusesWithoutStructure) {
    form.open();
    EXPECT_EQ(form.text("R10"), "11/12/2026");
    EXPECT_FALSE(form.visible("LMODIFICA"));
    EXPECT_TRUE(form.visible("BELENCA"));
    EXPECT_FALSE(form.visible("BCANCELLA"));
    form.abandon();

    RemoveFile(dati("ACCISE.STR"));
    ExciseRateForm other(session, dialogs);
    other.open();
    EXPECT_TRUE(other.closed());
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"STRUTTURA DELLA TABELLA MANCANTE"}));
}

TEST_F(RatesTest, SavesInDateOrderWithTheNextIdAndShowsTheList) {
    addRate(Date(2019, 1, 1), 2.99);
    addRate(Date(2022, 7, 1), 2.9);
    openTyping();
    ASSERT_TRUE(typeAndLeave("R10", "01/01/2015"));
    ASSERT_TRUE(typeAndLeave("R11", "2.35"));  // the "." typed is taken as ","
    EXPECT_EQ(form.text("R11"), "2,35");
    form.confirm();
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(stored(), (std::vector<std::pair<std::string, double>>{
                            {"01/01/2015", 2.35}, {"01/01/2019", 2.99}, {"01/07/2022", 2.9}}));
    EXPECT_EQ(entries("ACCISE.TAB")[0].ID, 3);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().kind, "list");
    EXPECT_EQ(dialogs.shown.back().text, "ACCISE");
}

TEST_F(RatesTest, AnExistingDateSwitchesToEditingAndSavingGivesANewId) {
    addRate(Date(2019, 1, 1), 2.99);
    addRate(Date(2022, 7, 1), 2.9);
    openTyping();
    ASSERT_TRUE(typeAndLeave("R10", "01/01/2019"));
    EXPECT_EQ(form.text("R11"), "2,99");
    EXPECT_TRUE(form.editing());
    EXPECT_TRUE(form.visible("LMODIFICA"));
    EXPECT_EQ(form.text("LMODIFICA"), "MODIFICA o CANCELLA");
    EXPECT_FALSE(form.visible("BELENCA"));
    EXPECT_TRUE(form.visible("BCANCELLA"));
    form.type("R11", "3,05");
    form.confirm();
    EXPECT_EQ(stored(), (std::vector<std::pair<std::string, double>>{{"01/01/2019", 3.05},
                                                                     {"01/07/2022", 2.9}}));
    EXPECT_EQ(entries("ACCISE.TAB")[0].ID, 3);  // the edited entry gets 1 + the largest ID
}

TEST_F(RatesTest, ConfirmationRefusals) {
    addRate(Date(2019, 1, 1), 2.99);
    addRate(Date(2022, 7, 1), 2.9);
    struct Case {
        const char* editDate;  // a date to take for editing first, or ""
        const char* date;
        const char* rate;
        const char* message;
    };
    const Case cases[] = {
        {"", "31/02/2024", "2,5", "DATA ERRATA"},
        {"", "01/01/2024", "", "IMPORTO ERRATO"},
        {"", "01/01/2024", "0,000001", "IMPORTO ERRATO"},  // 0 with 5 decimals
        {"", "01/01/2024", "-3", "IMPORTO ERRATO"},
        {"01/01/2019", "01/07/2022", "2,5", "IMPORTO ACCISA GIA` PRESENTE"},
    };
    const auto before = ReadWholeFile(dati("ACCISE.TAB"));
    for (const Case& c : cases) {
        ExciseRateForm f(session, dialogs);
        f.open();
        f.keyPressed();
        if (*c.editDate != '\0') {
            f.type("R10", c.editDate);
            ASSERT_TRUE(f.leave("R10"));
            ASSERT_TRUE(f.editing());
        }
        f.type("R10", c.date);
        f.type("R11", c.rate);
        dialogs.clear();
        const Check check = f.reachConfirm();
        EXPECT_FALSE(check) << c.date << " " << c.rate;
        EXPECT_EQ(check.field, "R10");
        EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{c.message}));
        f.confirm();
        EXPECT_FALSE(f.closed());
    }
    EXPECT_EQ(ReadWholeFile(dati("ACCISE.TAB")), before);
}

TEST_F(RatesTest, ANewEntryOnAStoredDateIsRefusedEvenWhenTheDateWasNeverLeft) {
    addRate(Date(2026, 12, 11), 2.99);
    form.open();
    // The user clicks into the amount: leaving R10 before any key runs no check.
    EXPECT_TRUE(form.leave("R10"));
    EXPECT_FALSE(form.editing());
    form.keyPressed();
    form.type("R11", "3");
    dialogs.clear();
    form.confirm();
    EXPECT_FALSE(form.closed());
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"IMPORTO ACCISA GIA` PRESENTE"}));
    EXPECT_EQ(entries("ACCISE.TAB").size(), 1u);
}

TEST_F(RatesTest, ConfirmDoesNothingWhileChecksAreSuspended) {
    form.open();
    form.type("R11", "3");
    form.confirm();
    EXPECT_FALSE(form.closed());
    EXPECT_TRUE(entries("ACCISE.TAB").empty());
}

TEST_F(RatesTest, DeleteAndTheListButton) {
    addRate(Date(2019, 1, 1), 2.99);
    addRate(Date(2022, 7, 1), 2.9);
    form.open();
    dialogs.listChoices.push_back(2);  // the 01/07/2022 entry
    form.press("BELENCA");
    EXPECT_FALSE(form.suspended());
    EXPECT_EQ(form.text("R10"), "01/07/2022");
    EXPECT_EQ(form.text("R11"), "2,9");
    ASSERT_TRUE(form.editing());
    form.press("BCANCELLA");
    EXPECT_FALSE(form.editing());
    EXPECT_EQ(stored(), (std::vector<std::pair<std::string, double>>{{"01/01/2019", 2.99}}));
    // Escape in the list changes nothing.
    dialogs.listChoices.push_back(-1);
    form.type("R10", "05/05/2025");
    form.press("BELENCA");
    EXPECT_EQ(form.text("R10"), "05/05/2025");
    EXPECT_FALSE(form.editing());
}

}  // namespace
}  // namespace veltrano
