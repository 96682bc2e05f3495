// TFPERCORSI, TFINDWEB and TFARROTONDAMENTI driven headless.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/dates.h"
#include "core/file_io.h"
#include "shell/settings_forms.h"
#include "shell_support.h"

namespace veltrano {
namespace {

using testing::Date;
using testing::ScriptedDialogs;
using testing::TempWorkFolder;

class SettingsFormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeFolders(tmp.folders().datiGen);
        MakeFolders(tmp.folders().temp);
    }
    TempWorkFolder tmp;
    FixedClock clock{Date(2026, 12, 11) + 0.4};
    Session session{tmp.folders(), clock};
    ScriptedDialogs dialogs;
};

TEST_F(SettingsFormsTest, RoundingFileIsCreatedWithLitresOnDegreesOff) {
    RoundingForm form(session, dialogs);
    form.open();
    EXPECT_EQ(form.text("INTERI1"), "S");
    EXPECT_EQ(form.text("INTERI2"), "N");
    const auto rec = ReadSettingsRecord(session.roundingPath());
    ASSERT_TRUE(rec);
    EXPECT_EQ(testing::FileBytes(session.roundingPath()).size(), TableRecord::kSize);
    EXPECT_EQ(rec->INTERI[1], 1);
    EXPECT_EQ(rec->INTERI[2], 0);
    EXPECT_EQ(rec->STR1[0], std::string(250, ' '));
}

TEST_F(SettingsFormsTest, RoundingAnswersMustBeSOrN) {
    RoundingForm form(session, dialogs);
    form.open();
    form.keyPressed();
    const std::string msg = "Digita:  S =Sì   oppure N =No";
    form.type("INTERI1", "");
    EXPECT_FALSE(form.leave("INTERI1"));
    form.type("INTERI1", "x");
    EXPECT_FALSE(form.leave("INTERI1"));
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>(2, msg));
    dialogs.clear();

    // Confirmation checks INTERI1 first, then INTERI2.
    form.type("INTERI2", "?");
    EXPECT_EQ(form.reachConfirm().field, "INTERI1");
    form.type("INTERI1", "n");
    EXPECT_EQ(form.reachConfirm().field, "INTERI2");
    form.type("INTERI2", "s");
    form.confirm();
    ASSERT_TRUE(form.closed());
    const auto rec = ReadSettingsRecord(session.roundingPath());
    EXPECT_EQ(rec->INTERI[1], 0);
    EXPECT_EQ(rec->INTERI[2], 1);
}

TEST_F(SettingsFormsTest, RoundingKeepsTheOtherSlotsAsRead) {
    TableRecord rec = RoundingForm::Initial();
    rec.INTERI[5] = 42;
    rec.STR1[3] = "altro";
    SaveSettingsRecord(session.roundingPath(), rec);
    RoundingForm form(session, dialogs);
    form.open();
    form.confirm();
    const auto back = ReadSettingsRecord(session.roundingPath());
    EXPECT_EQ(back->INTERI[5], 42);
    EXPECT_EQ(TrimText(back->STR1[3]), "altro");
    EXPECT_EQ(back->INTERI[1], 1);
}

TEST_F(SettingsFormsTest, SigningFieldsFollowTheMethod) {
    SigningSettingsForm form(session, dialogs);
    form.open();
    EXPECT_TRUE(FileExists(session.signingPath()));
    EXPECT_EQ(form.takeFocusRequest(), "INTERI0");
    struct Case {
        const char* method;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {"0", {"LE0", "LE1", "LE2", "BLE0", "BLE1", "BLE2"}},
        {"1", {"LE4", "LE5"}},
        {"2", {"LE3", "BLE3", "LE4"}},
    };
    const std::vector<std::string> all = {"LE0", "LE1",  "LE2",  "LE3",  "LE4",
                                          "LE5", "BLE0", "BLE1", "BLE2", "BLE3"};
    for (const auto& c : cases) {
        form.type("INTERI0", c.method);
        for (const auto& name : all) {
            const bool expected = std::find(c.shown.begin(), c.shown.end(), name) != c.shown.end();
            EXPECT_EQ(form.visible(name), expected) << "method " << c.method << " " << name;
        }
    }
    // The integrated signer is built in: no button to download a library.
    for (const auto& b : form.buttons())
        EXPECT_NE(b.name, "BDLL");
}

TEST_F(SettingsFormsTest, SigningSaveNeedsAValidDateAndSaysNothing) {
    SigningSettingsForm form(session, dialogs);
    form.open();
    form.keyPressed();
    form.type("INTERI0", "2");
    form.type("LE3", "/home/birra/certificato.pfx");
    form.type("LE4", "1234");
    form.type("REALI10", "31/02/2027");
    form.confirm();
    EXPECT_FALSE(form.closed());
    EXPECT_EQ(form.takeFocusRequest(), "REALI10");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(ReadSettingsRecord(session.signingPath())->INTERI[0], 0);

    form.type("REALI10", "15/03/2027");
    form.confirm();
    ASSERT_TRUE(form.closed());
    const auto rec = ReadSettingsRecord(session.signingPath());
    EXPECT_EQ(rec->INTERI[0], 2);
    EXPECT_EQ(rec->REALI1[0], Date(2027, 3, 15));
    EXPECT_EQ(TrimText(rec->STR1[3]), "/home/birra/certificato.pfx");
    EXPECT_EQ(TrimText(rec->STR1[4]), "1234");  // stored as typed, in its own record only
    struct stat st {};
    ASSERT_EQ(::stat(session.signingPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);  // the PIN's file is its owner's only

    // Reopened, the date shows as typed; no date at all stays 0.
    SigningSettingsForm again(session, dialogs);
    again.open();
    EXPECT_EQ(again.text("REALI10"), "15/03/2027");
    again.type("REALI10", "//");  // the empty mask
    again.confirm();
    EXPECT_EQ(ReadSettingsRecord(session.signingPath())->REALI1[0], 0.0);
}

TEST_F(SettingsFormsTest, SigningFolderButtonsTakeTheFolderWithItsSeparator) {
    SigningSettingsForm form(session, dialogs);
    form.open();
    dialogs.files.push_back("/srv/firma/dafirmare/flusso.txt");
    dialogs.files.push_back("/opt/firma/firmatore");
    form.press("BLE1");
    form.press("BLE0");
    EXPECT_EQ(form.text("LE1"), "/srv/firma/dafirmare/");
    EXPECT_EQ(form.text("LE0"), "/opt/firma/firmatore");
    form.press("BLE2");  // cancelled chooser
    EXPECT_EQ(form.text("LE2"), "");
}

TEST_F(SettingsFormsTest, WebAddressesAreSavedIntoTheirSlots) {
    WebAddressesForm form(session, dialogs);
    form.open();
    EXPECT_TRUE(FileExists(session.webPath()));
    EXPECT_EQ(form.takeFocusRequest(), "LE3");
    form.type("LE3", "https://edi.example.test/reale");
    form.type("LE5", "https://edi.example.test/prova");
    form.type("LE7", std::string(300, 'w'));  // cut to 250
    form.confirm();
    ASSERT_TRUE(form.closed());
    const auto rec = ReadSettingsRecord(session.webPath());
    EXPECT_EQ(TrimText(rec->STR1[3]), "https://edi.example.test/reale");
    EXPECT_EQ(TrimText(rec->STR1[5]), "https://edi.example.test/prova");
    EXPECT_EQ(rec->STR1[7], std::string(250, 'w'));
    EXPECT_EQ(TrimText(rec->STR1[4]), "");
}

}  // namespace
}  // namespace veltrano
