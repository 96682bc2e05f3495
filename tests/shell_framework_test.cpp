// The form-model base: suspension, confirmation, saving guard, errors; and the
// shared input rules.
#include <gtest/gtest.h>

#include "core/io_error.h"
#include "shell/form_model.h"
#include "shell/input_rules.h"
#include "shell_support.h"

namespace veltrano {
namespace {

using testing::ScriptedDialogs;

// A window with one checked field ("must not be empty"), a button and a save
// that the test can make fail or re-enter.
class ProbeForm final : public FormModel {
public:
    explicit ProbeForm(UserDialogs& d) : FormModel(d, "TFPROVA", "Prova") {
        FieldSpec f;
        f.name = "NOME";
        f.maxLength = 5;
        f.letterCase = LetterCase::Upper;
        addField(f);
        FieldSpec n;
        n.name = "IMPORTO";
        n.kind = FieldKind::Amount;
        addField(n);
    }
    int checks = 0;
    int saves = 0;
    bool failSave = false;
    bool reenter = false;

private:
    void onOpen() override { set("NOME", "ok"); }
    Check onLeave(const std::string& field) override {
        ++checks;
        if (field == "NOME" && text("NOME").empty()) {
            dialogs().warn("VUOTO");
            return Check::StayOn("NOME");
        }
        return Check::Pass();
    }
    Check onReachConfirm() override { return onLeave("NOME"); }
    void onConfirm() override {
        ++saves;
        if (reenter) confirm();  // a second press while the first is saving
        if (failSave) throw IoError("/x/UTENTE.001", "disco pieno");
        close();
    }
};

TEST(FormModelTest, ExitChecksWaitForTheFirstKeyPress) {
    ScriptedDialogs d;
    ProbeForm f(d);
    f.open();
    f.type("NOME", "");
    EXPECT_TRUE(f.leave("NOME"));
    EXPECT_EQ(f.checks, 0);
    f.keyPressed();
    EXPECT_FALSE(f.leave("NOME"));
    EXPECT_EQ(f.takeFocusRequest(), "NOME");
    EXPECT_EQ(d.messages(), std::vector<std::string>{"VUOTO"});
    // Opening again suspends again.
    f.open();
    f.type("NOME", "");
    EXPECT_TRUE(f.leave("NOME"));
}

TEST(FormModelTest, ConfirmRunsTheChecksUnlessTheyPassedSinceTheLastChange) {
    ScriptedDialogs d;
    ProbeForm f(d);
    f.open();
    f.type("NOME", "");
    f.confirm();  // checks fail: nothing saved
    EXPECT_EQ(f.saves, 0);
    EXPECT_FALSE(f.closed());
    f.type("NOME", "abc");
    ASSERT_TRUE(f.reachConfirm());
    const int checks = f.checks;
    f.confirm();
    EXPECT_EQ(f.checks, checks);  // not run twice
    EXPECT_EQ(f.saves, 1);
    EXPECT_TRUE(f.closed());
    EXPECT_TRUE(f.confirmed());
}

TEST(FormModelTest, ASecondPressDuringTheSaveIsIgnored) {
    ScriptedDialogs d;
    ProbeForm f(d);
    f.open();
    f.reenter = true;
    f.confirm();
    EXPECT_EQ(f.saves, 1);
    EXPECT_TRUE(f.closed());
}

TEST(FormModelTest, AFailedSaveShowsTheErrorAndKeepsTheWindow) {
    ScriptedDialogs d;
    ProbeForm f(d);
    f.open();
    f.failSave = true;
    f.confirm();
    EXPECT_FALSE(f.closed());
    EXPECT_FALSE(f.confirmed());
    ASSERT_EQ(d.messages().size(), 1u);
    EXPECT_NE(d.messages()[0].find("disco pieno"), std::string::npos);
    f.failSave = false;
    f.confirm();
    EXPECT_TRUE(f.closed());
}

TEST(FormModelTest, TypingAppliesCaseAndLength) {
    ScriptedDialogs d;
    ProbeForm f(d);
    f.open();
    f.type("NOME", "città lunga");
    EXPECT_EQ(f.text("NOME"), "CITTÀ");
    const Typing t = f.type("IMPORTO", "1234567.5", 9);
    EXPECT_EQ(t.text, "1.234.567,5");
    EXPECT_EQ(t.cursor, 11u);
}

TEST(InputRulesTest, AmountTyping) {
    struct Case {
        std::string before;
        std::string typed;
        std::size_t cursor;
        std::string text;
        std::size_t expectedCursor;
    };
    const Case cases[] = {
        {"", "1", 1, "1", 1},
        {"123", "1234", 4, "1.234", 5},
        {"1.234", "1.2345", 6, "12.345", 6},
        {"1.234.567", "1.234.567.", 10, "1.234.567,", 10},  // "." typed is the comma
        {"12,5", "12,5,", 5, "12,5", 4},                    // one comma only
        {"12", "1a2", 2, "12", 1},
        {"12", "-12", 1, "-12", 1},
        {"12", "1-2", 2, "12", 1},         // "-" only first
        {"1.234", "1234", 3, "1.234", 4},  // deleting a group dot
        {"", "1234567,5", 9, "1.234.567,5", 11},
        {"-1.000", "-1.0000", 7, "-10.000", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before + " -> " + c.typed);
        const Typing out = FormatAmountTyping(c.before, {c.typed, c.cursor});
        EXPECT_EQ(out.text, c.text);
        EXPECT_EQ(out.cursor, c.expectedCursor);
    }
}

TEST(InputRulesTest, WholeNumbersAndKinds) {
    EXPECT_EQ(FilterWholeNumber({"-12a3-", 6}).text, "-123");
    EXPECT_EQ(FilterWholeNumber({"1-2", 3}).text, "12");
    FieldSpec year;
    year.kind = FieldKind::Integer;
    year.maxLength = 4;
    EXPECT_EQ(ApplyInputRules(year, {"20261", 5}).text, "2026");
    FieldSpec upper;
    upper.letterCase = LetterCase::Upper;
    EXPECT_EQ(ApplyInputRules(upper, {"via è ß", 7}).text, "VIA È ß");
}

}  // namespace
}  // namespace veltrano
