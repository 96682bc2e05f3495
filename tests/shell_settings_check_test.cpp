// CheckSettings: its messages, the password warnings on the clock, the default
// password-change address, and the seeding of the workstation's signing settings.
#include <gtest/gtest.h>

#include "core/dates.h"
#include "core/file_io.h"
#include "shell/settings_check.h"
#include "shell_support.h"

namespace veltrano {
namespace {

using testing::Date;
using testing::ScriptedDialogs;
using testing::TempWorkFolder;

class CheckSettingsTest : public ::testing::Test {
protected:
    TempWorkFolder tmp;
    FixedClock clock{Date(2026, 12, 11) + 0.5};
    Session session{tmp.folders(), clock};
    ScriptedDialogs dialogs;
};

TEST_F(CheckSettingsTest, NothingSetGivesTheThreeMessagesInOrder) {
    EXPECT_FALSE(CheckSettings(session, dialogs));
    EXPECT_EQ(dialogs.messages(),
              (std::vector<std::string>{kMsgNoCompanyData, kMsgNoSigningPaths, kMsgNoWebPaths}));
}

TEST_F(CheckSettingsTest, CompleteSettingsPassSilentlyAndFillTheSession) {
    CompanyRecord c = testing::SampleCompany();
    c.CAUESO = "E";
    testing::WriteCompany(session, c);
    testing::WriteCompleteSettings(session);
    EXPECT_TRUE(CheckSettings(session, dialogs));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(session.energyMeter);
    EXPECT_EQ(session.company.DENOM1, "Birrificio Val Brenta S.r.l.");  // trimmed
    EXPECT_EQ(session.web.STR1[3], "https://edi.example.test/reale");
    EXPECT_EQ(session.signing.STR1[2], "/srv/firma/firmati/");
}

TEST_F(CheckSettingsTest, EachMissingPieceGivesOnlyItsMessage) {
    testing::WriteCompany(session, testing::SampleCompany());
    testing::WriteCompleteSettings(session);
    TableRecord web;
    TableBlank(web);
    web.STR1[3] = "https://edi.example.test/reale";
    web.STR1[5] = " \t ";  // blanks and control characters count as empty
    SaveSettingsRecord(session.webPath(), web);
    EXPECT_FALSE(CheckSettings(session, dialogs));
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{kMsgNoWebPaths});

    dialogs.clear();
    CompanyRecord c = testing::SampleCompany();
    c.CAUESO = "X";
    testing::WriteCompany(session, c);
    testing::WriteCompleteSettings(session);
    EXPECT_FALSE(CheckSettings(session, dialogs));
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{kMsgNoCompanyData});
}

TEST_F(CheckSettingsTest, DefaultPasswordAddressIsWrittenInPlace) {
    CompanyRecord c = testing::SampleCompany();
    c.DENOM2 = "";
    c.DENOM2tail = "";
    testing::WriteCompany(session, c);
    const Bytes before = testing::FileBytes(session.companyPath());
    CheckSettings(session, dialogs);
    const Bytes after = testing::FileBytes(session.companyPath());
    ASSERT_EQ(after.size(), 608u);
    const std::string head(kDefaultPasswordPageHead);
    EXPECT_EQ(session.company.DENOM2, head);
    EXPECT_EQ(session.company.DENOM2tail, "SC=1&ST=1");
    EXPECT_NE(head.find("/TelematicoFunzioniDiAccessoWEB/FunzioniDiAccessoAutServlet?UC=1&"),
              std::string::npos);
    EXPECT_EQ(head.substr(head.size() - 5), "UC=1&");
    // Only the two parts of the address changed.
    for (std::size_t i = 0; i < 608; ++i) {
        const bool inAddress = (i >= 143 && i < 244) || (i >= 583 && i < 601);
        if (!inAddress) {
            EXPECT_EQ(before[i], after[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(after[583], 17);
    EXPECT_EQ(std::string(GetRawString(after, 583, 17)), "SC=1&ST=1        ");

    // An address that is there is kept as it is.
    const Bytes again = testing::FileBytes(session.companyPath());
    CheckSettings(session, dialogs);
    EXPECT_EQ(testing::FileBytes(session.companyPath()), again);
}

TEST_F(CheckSettingsTest, PasswordWarningsFollowTheClockAndStopAfterThree) {
    struct Case {
        int daysAgo;
        std::vector<std::string> expected;
    };
    const std::string expired = kMsgPasswordExpired;
    const Case cases[] = {
        {85, {}},
        {86, {PasswordExpiresMessage(4)}},
        {90, {PasswordExpiresMessage(0)}},
        {91, {expired}},
        {400, {expired}},
    };
    testing::WriteCompleteSettings(session);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.daysAgo);
        CompanyRecord rec = testing::SampleCompany();
        rec.C_A_P2 = FormatDate(clock.today() - c.daysAgo);
        testing::WriteCompany(session, rec);
        session.passwordWarnings = 0;
        dialogs.clear();
        CheckSettings(session, dialogs);
        EXPECT_EQ(dialogs.messages(), c.expected);
    }
    EXPECT_EQ(PasswordExpiresMessage(4),
              "Attenzione la password per il Sistema Telematico scadrà tra 4 giorni");

    // Three warnings per process, then silence.
    session.passwordWarnings = 0;
    dialogs.clear();
    for (int i = 0; i < 5; ++i)
        CheckSettings(session, dialogs);
    EXPECT_EQ(dialogs.messages().size(), 3u);
    EXPECT_EQ(session.passwordWarnings, 3);
}

TEST_F(CheckSettingsTest, InvalidPasswordDateGivesNoWarning) {
    testing::WriteCompleteSettings(session);
    for (const char* text : {"", "31/02/2026", "  /  /    ", "01/01/1900"}) {
        CompanyRecord rec = testing::SampleCompany();
        rec.C_A_P2 = text;
        testing::WriteCompany(session, rec);
        dialogs.clear();
        EXPECT_TRUE(CheckSettings(session, dialogs)) << text;
        EXPECT_TRUE(dialogs.messages().empty()) << text;
    }
}

TEST_F(CheckSettingsTest, WorkstationSigningSettingsAreSeededFromTheSharedCopy) {
    testing::WriteCompany(session, testing::SampleCompany());
    testing::WriteCompleteSettings(session);
    RemoveFile(session.signingPath());
    TableRecord seed;
    TableBlank(seed);
    seed.STR1[1] = "/condivisa/dafirmare/";
    seed.STR1[2] = "/condivisa/firmati/";
    seed.STR2[0] = "/torvella/dati";
    SaveSettingsRecord(session.signingSeedPath(), seed);

    EXPECT_TRUE(CheckSettings(session, dialogs));
    EXPECT_EQ(session.signing.STR1[1], "/condivisa/dafirmare/");
    EXPECT_EQ(testing::FileBytes(session.signingPath()),
              testing::FileBytes(session.signingSeedPath()));

    // A workstation with its own folders keeps them.
    TableRecord own = seed;
    own.STR1[1] = "/locale/dafirmare/";
    SaveSettingsRecord(session.signingPath(), own);
    CheckSettings(session, dialogs);
    EXPECT_EQ(session.signing.STR1[1], "/locale/dafirmare/");
}

}  // namespace
}  // namespace veltrano
