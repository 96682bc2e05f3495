// TFDATIAZIENDA driven headless: exit checks, the office lookup, the fixed order
// of the confirmation checks and the record it saves.
#include <gtest/gtest.h>

#include "core/file_io.h"
#include "shell/company_data_form.h"
#include "shell/main_menu.h"
#include "shell/settings_check.h"
#include "shell_support.h"

namespace veltrano {
namespace {

using testing::Date;
using testing::ScriptedDialogs;
using testing::TempWorkFolder;

class CompanyFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::WriteOfficeTable(tmp.folders(), {{"VI01", "Ufficio delle Dogane di Vicenza"},
                                                  {"VE02", "Ufficio delle Dogane di Venezia"}});
        testing::WriteCompany(session, testing::SampleCompany());
        testing::WriteCompleteSettings(session);
    }
    // Opens the window and types as the user would (which ends the suspension).
    void openAndStartTyping() {
        form.open();
        ASSERT_FALSE(form.closed());
        form.keyPressed();
        dialogs.clear();
    }
    // Leaves a field after typing text into it.
    Check typeAndLeave(const std::string& field, const std::string& text) {
        form.type(field, text);
        return form.leave(field);
    }

    TempWorkFolder tmp;
    FixedClock clock{Date(2026, 12, 11) + 0.4};
    Session session{tmp.folders(), clock};
    ScriptedDialogs dialogs;
    CompanyDataForm form{session, dialogs};
};

TEST_F(CompanyFormTest, OpeningFillsTheFieldsAndDescribesTheOffice) {
    form.open();
    EXPECT_EQ(form.caption(), "Dati dell'Azienda");
    EXPECT_EQ(form.text("CACCI1"), "IT00ABA123456");
    EXPECT_EQ(form.text("DENOM1"), "Birrificio Val Brenta S.r.l.");
    EXPECT_EQ(form.text("CITTA2"), "segreta!");
    EXPECT_EQ(form.text("DUFFDOG"), "Ufficio delle Dogane di Vicenza");
    EXPECT_EQ(form.takeFocusRequest(), "CACCI1");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(form.suspended());
    // Tab order and limits as the window declares them.
    std::vector<std::string> order;
    for (const auto& f : form.fields())
        order.push_back(f.name);
    EXPECT_EQ(order, (std::vector<std::string>{"CACCI1", "DENOM1", "PARIVA", "CODFIS", "INDIR1",
                                               "C_A_P1", "CITTA1", "UFFDO1", "DUFFDOG", "CAUESO",
                                               "CODUTE", "INDIR2", "CITTA2", "TIPOIN"}));
    EXPECT_EQ(form.field("DENOM1")->maxLength, 100);
    EXPECT_EQ(form.field("CITTA2")->kind, FieldKind::Secret);
}

TEST_F(CompanyFormTest, MissingCompanyFileClosesTheWindowAtOnce) {
    RemoveFile(session.companyPath());
    form.open();
    EXPECT_TRUE(form.closed());
}

TEST_F(CompanyFormTest, ExitChecksAreSuspendedUntilTheFirstKeyPress) {
    form.open();
    form.type("CAUESO", "X");
    EXPECT_TRUE(form.leave("CAUESO"));
    EXPECT_TRUE(dialogs.shown.empty());
    form.keyPressed();
    EXPECT_FALSE(form.leave("CAUESO"));
    EXPECT_EQ(dialogs.messages(),
              std::vector<std::string>{"DIGITA: C per Contalitri, E per misuratore Energetico"});
}

TEST_F(CompanyFormTest, ExciseCode) {
    openAndStartTyping();
    struct Case {
        const char* code;
        bool passes;
        bool message;
    };
    const Case cases[] = {
        {"IT00ABA123456", true, false}, {"IT00ABB123456", false, true},
        {"IT00ABA12", false, true},  // padded with blanks, which are not letters
        {"XT00ABB123456", true, false}, {"", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        dialogs.clear();
        const Check r = typeAndLeave("CACCI1", c.code);
        EXPECT_EQ(r.passed, c.passes);
        EXPECT_EQ(dialogs.messages(),
                  c.message ? std::vector<std::string>{"ATTENZIONE CODICE D'ACCISA ERRATO"}
                            : std::vector<std::string>{});
        if (!c.passes) {
            EXPECT_EQ(form.takeFocusRequest(), "CACCI1");
        }
    }
}

TEST_F(CompanyFormTest, NameIsTidiedAndMustStartWithALetterOrDigit) {
    openAndStartTyping();
    EXPECT_TRUE(typeAndLeave("DENOM1", "  birrificio alto  "));
    EXPECT_EQ(form.text("DENOM1"), "Birrificio alto ");
    EXPECT_FALSE(typeAndLeave("DENOM1", "   "));
    EXPECT_FALSE(typeAndLeave("DENOM1", "-birra"));
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"DIGITARE ALMENO UN CARATTERE",
                                                            "DIGITARE ALMENO UN CARATTERE"}));
}

TEST_F(CompanyFormTest, VatNumberWarnsButLetsTheFocusGo) {
    openAndStartTyping();
    EXPECT_TRUE(typeAndLeave("PARIVA", "01234567897"));
    EXPECT_TRUE(typeAndLeave("PARIVA", ""));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_TRUE(typeAndLeave("PARIVA", "01234567890"));
    EXPECT_TRUE(typeAndLeave("PARIVA", "0123456789"));
    EXPECT_TRUE(typeAndLeave("PARIVA", "ABCDEFGHIJK"));
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>(3, "ATTENZIONE PARTITA I.V.A. ERRATA"));
}

TEST_F(CompanyFormTest, TaxCodeFillsAnEmptyUserName) {
    openAndStartTyping();
    form.type("INDIR2", "");
    EXPECT_TRUE(typeAndLeave("CODFIS", "rssmra85t10a562s"));  // upper-case field
    EXPECT_EQ(form.text("CODFIS"), "RSSMRA85T10A562S");
    EXPECT_EQ(form.text("INDIR2"), "RSSMRA85T10A562S-001");

    form.type("INDIR2", "GIA.PRESENTE");
    EXPECT_TRUE(typeAndLeave("CODFIS", "BNCLRA80A41L736D"));
    EXPECT_EQ(form.text("INDIR2"), "GIA.PRESENTE");
    EXPECT_TRUE(dialogs.messages().empty());

    form.type("INDIR2", "");
    EXPECT_TRUE(typeAndLeave("CODFIS", "01234567897"));  // a company's: not checked
    EXPECT_EQ(form.text("INDIR2"), "");
    EXPECT_TRUE(dialogs.messages().empty());

    EXPECT_TRUE(typeAndLeave("CODFIS", "RSSMRA85T10A562T"));
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"ATTENZIONE CODICE FISCALE ERRATO"});
    EXPECT_EQ(form.text("INDIR2"), "");
}

TEST_F(CompanyFormTest, UnknownOfficeOpensTheListAndTakesTheChoice) {
    openAndStartTyping();
    const auto entry = TableKeyExists(
        [] {
            TableRecord k;
            k.STR1[0] = "VE02";
            return k;
        }(),
        "TA03", session.folders, dialogs);
    ASSERT_TRUE(entry);
    dialogs.listChoices.push_back(entry->ID);
    EXPECT_FALSE(typeAndLeave("UFFDO1", "ZZ99"));
    EXPECT_EQ(form.text("UFFDO1"), "VE02");
    EXPECT_EQ(form.takeFocusRequest(), "UFFDO1");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, "list");
    EXPECT_EQ(dialogs.shown[0].text, "TA03");

    // Nothing chosen clears the code; leaving it again asks again.
    EXPECT_FALSE(typeAndLeave("UFFDO1", "ZZ99"));
    EXPECT_EQ(form.text("UFFDO1"), "");
    EXPECT_EQ(form.text("DUFFDOG"), "CODICE NON VALIDO");
    EXPECT_TRUE(typeAndLeave("UFFDO1", "VI01"));
    EXPECT_EQ(form.text("DUFFDOG"), "Ufficio delle Dogane di Vicenza");
}

TEST_F(CompanyFormTest, NewOfficeButtonTakesTheCodeJustEntered) {
    openAndStartTyping();
    WindowResult saved;
    saved.opened = saved.confirmed = true;
    TableRecord e;
    e.STR1[0] = "PD03   ";
    e.STR1[1] = "Ufficio delle Dogane di Padova";
    saved.entry = e;
    dialogs.windowResults.push_back(saved);
    form.press("BNUFFDOG");
    EXPECT_EQ(form.text("UFFDO1"), "PD03");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "TFCODICI TA03:I");

    // A code editor that is not there yet changes nothing.
    form.press("BNUFFDOG");
    EXPECT_EQ(form.text("UFFDO1"), "PD03");
}

TEST_F(CompanyFormTest, MeterAndRegime) {
    openAndStartTyping();
    EXPECT_TRUE(typeAndLeave("CAUESO", "e"));
    EXPECT_EQ(form.text("CAUESO"), "E");
    EXPECT_TRUE(typeAndLeave("TIPOIN", "s"));  // "s" cannot be typed: it becomes "S"
    EXPECT_EQ(form.text("TIPOIN"), "S");
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_FALSE(typeAndLeave("TIPOIN", "X"));
    EXPECT_FALSE(typeAndLeave("TIPOIN", ""));
    EXPECT_EQ(dialogs.messages(),
              std::vector<std::string>(2, "DIGITA: A per Assolta, S per Sospesa"));
    EXPECT_EQ(form.takeFocusRequest(), "TIPOIN");
}

TEST_F(CompanyFormTest, ConfirmationStopsAtTheFirstFailureInItsOrder) {
    openAndStartTyping();
    form.type("CACCI1", "IT00ABB123456");
    form.type("DENOM1", "");
    form.type("UFFDO1", "ZZ99");
    struct Step {
        const char* fix;
        const char* value;
        std::string message;
        const char* focus;
    };
    const Step steps[] = {
        {nullptr, nullptr, "ATTENZIONE CODICE D'ACCISA ERRATO", "CACCI1"},
        {"CACCI1", "IT00ABA123456", "DIGITARE ALMENO UN CARATTERE", "DENOM1"},
        {"DENOM1", "birrificio", "", "UFFDO1"},  // the office fails without a message
    };
    for (const auto& s : steps) {
        if (s.fix) form.type(s.fix, s.value);
        dialogs.clear();
        const Check c = form.reachConfirm();
        EXPECT_FALSE(c);
        EXPECT_EQ(c.field, s.focus);
        EXPECT_EQ(dialogs.messages(), s.message.empty() ? std::vector<std::string>{}
                                                        : std::vector<std::string>{s.message});
    }
    EXPECT_EQ(form.text("DUFFDOG"), "CODICE NON VALIDO");
    EXPECT_TRUE(dialogs.shown.empty() || dialogs.shown[0].kind != "list");
    // Nothing was saved on the way.
    EXPECT_EQ(ReadCompanyRecord(session.companyPath())->CACCI1.substr(0, 13), "IT00ABA123456");
}

TEST_F(CompanyFormTest, SavedRecordKeepsPasswordDataAndBlanksTheRest) {
    // A record with the unused fields filled by some other tool.
    CompanyRecord c = testing::SampleCompany();
    c.reserved23 = "X";
    c.addressComplement = "SCALA B";
    c.officeTail = "ABCDEF";
    c.reserved567 = "Y";
    testing::WriteCompany(session, c);
    for (int round = 0; round < 2; ++round) {
        openAndStartTyping();
        form.type("INDIR1", "  via dei mulini 3");
        form.type("CITTA1", "asiago");
        form.type("TIPOIN", "A");
        ASSERT_TRUE(form.reachConfirm());
        form.confirm();
        EXPECT_TRUE(form.closed());
        EXPECT_TRUE(form.confirmed());
    }
    const Bytes b = testing::FileBytes(session.companyPath());
    ASSERT_EQ(b.size(), 608u);
    CompanyRecord saved = CompanyRecord::decode(b);
    CompanyTrim(saved);
    EXPECT_EQ(saved.C_A_P2, "01/10/2026");
    EXPECT_EQ(saved.DENOM2, "https://example.test/psw?UC=1&");
    EXPECT_EQ(saved.DENOM2tail, "SC=1&ST=1");
    EXPECT_EQ(saved.INDIR1, "Via dei mulini 3");
    EXPECT_EQ(saved.CITTA1, "ASIAGO");
    EXPECT_EQ(saved.TIPOIN, "A");
    EXPECT_EQ(saved.CITTA2, "segreta!");
    EXPECT_EQ(saved.reserved23, "");
    EXPECT_EQ(saved.addressComplement, "");
    EXPECT_EQ(saved.reserved417, "");
    EXPECT_EQ(saved.reserved567, "");
    EXPECT_EQ(saved.officeTail, "");
    EXPECT_EQ(b[4], 18);                     // padded form
    EXPECT_EQ(session.company.TIPOIN, "A");  // the settings check ran after the save
    for (const auto& m : dialogs.messages())
        EXPECT_EQ(m.find("segreta"), std::string::npos);
}

TEST_F(CompanyFormTest, AbandonWritesNothing) {
    const Bytes before = testing::FileBytes(session.companyPath());
    openAndStartTyping();
    form.type("DENOM1", "Altro nome");
    form.abandon();
    EXPECT_TRUE(form.closed());
    EXPECT_FALSE(form.confirmed());
    EXPECT_EQ(testing::FileBytes(session.companyPath()), before);
}

TEST_F(CompanyFormTest, ChangingTheRegimeAppliesToTheMenuAtOnce) {
    MenuState state = RefreshCompanyState(session, dialogs);
    const MenuItem* sale = FindMenuItem("cond-vendita");
    const MenuItem* deposits = FindMenuItem("cond-sospensione");
    ASSERT_TRUE(sale && deposits);
    EXPECT_TRUE(state.isEnabled(*sale));
    EXPECT_TRUE(state.isVisible(*deposits));

    openAndStartTyping();
    form.type("TIPOIN", "A");
    form.confirm();
    ASSERT_TRUE(form.closed());
    state = RefreshCompanyState(session, dialogs);
    EXPECT_FALSE(state.isEnabled(*sale));
    EXPECT_TRUE(state.isVisible(*sale));
    EXPECT_FALSE(state.isVisible(*deposits));
}

}  // namespace
}  // namespace veltrano
