// The demo working folder's data: complete for the settings check, the company
// window opens on it without a message, and a second run changes nothing.
#include <gtest/gtest.h>

#include "core/file_io.h"
#include "shell/company_data_form.h"
#include "shell/demo_data.h"
#include "shell/settings_check.h"
#include "shell/startup.h"
#include "shell_support.h"

namespace veltrano {
namespace {

using testing::Date;

TEST(DemoDataTest, CompleteSettingsAndNoOverwrite) {
    testing::TempWorkFolder tmp;
    FixedClock clock{Date(2026, 12, 11) + 0.4};
    Session session{tmp.folders(), clock};
    testing::ScriptedDialogs dialogs;
    EXPECT_GT(WriteDemoSettings(session.folders, clock.today()), 0);

    const MenuState state = StartUp(session, dialogs, {});
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(state.isEnabled(*FindMenuItem("cond-vendita")));
    EXPECT_EQ(session.company.TIPOIN, "S");
    EXPECT_TRUE(IsValidPartitaIva(session.company.PARIVA));
    EXPECT_TRUE(IsValidExciseCode(session.company.CACCI1));

    CompanyDataForm form(session, dialogs);
    form.open();
    EXPECT_EQ(form.text("DUFFDOG"), "Ufficio delle Dogane di Vicenza");
    form.confirm();
    EXPECT_TRUE(form.closed());
    EXPECT_TRUE(dialogs.shown.empty());

    // A changed file is kept by the next run.
    CompanyRecord c = *ReadCompanyRecord(session.companyPath());
    c.DENOM1 = "Birrificio cambiato";
    SaveCompanyRecord(session.companyPath(), c);
    EXPECT_EQ(WriteDemoSettings(session.folders, clock.today()), 0);
    EXPECT_EQ(TrimText(ReadCompanyRecord(session.companyPath())->DENOM1), "Birrificio cambiato");

    // Nor does its certificate warn yet.
    EXPECT_EQ(CertificateWarning(session.signing, clock.today()), std::nullopt);
    EXPECT_GT(session.signing.REALI1[0], clock.today() + 30);
}

}  // namespace
}  // namespace veltrano
