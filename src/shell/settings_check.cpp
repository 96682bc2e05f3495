#include "shell/settings_check.h"

#include <cmath>

#include "core/dates.h"
#include "core/file_io.h"
#include "core/record_file.h"

namespace veltrano {

std::string PasswordExpiresMessage(int days) {
    return "Attenzione la password per il Sistema Telematico scadrà tra " + std::to_string(days) +
           " giorni";
}

namespace {

void WarnAboutPassword(Session& session, UserDialogs& dialogs, double passwordDate) {
    if (passwordDate <= 1000) return;  // no real date: no warning
    const double today = session.clock.today();
    if (today > passwordDate + 90) {
        if (session.passwordWarnings < 3) {
            dialogs.inform(kMsgPasswordExpired);
            ++session.passwordWarnings;
        }
    } else if (today > passwordDate + 85 && session.passwordWarnings < 3) {
        ++session.passwordWarnings;
        const double days = passwordDate + 90 - today;
        dialogs.inform(PasswordExpiresMessage(static_cast<int>(std::trunc(days))));
    }
}

void ReadCompany(Session& session, UserDialogs& dialogs) {
    CompanyBlank(session.company);
    RecordFile file = RecordFile::OpenIfPresent(session.companyPath(), CompanyRecord::kSize);
    if (file.empty()) return;
    CompanyRecord rec = CompanyRecord::decode(file.record(0));
    if (rec.DENOM2.find("http") == std::string::npos) {
        rec.DENOM2 = std::string(kDefaultPasswordPageHead);
        rec.DENOM2tail = std::string(kDefaultPasswordPageTail);
        CompanyPad(rec);
        file.updateAt(0, rec.encode());
        file.commit();
    }
    const double passwordDate = ParseDate(rec.C_A_P2).value_or(0.0);
    WarnAboutPassword(session, dialogs, passwordDate);
    CompanyTrim(rec);
    session.company = rec;
}

void ReadSigning(Session& session) {
    TableBlank(session.signing);
    if (auto rec = ReadSettingsRecord(session.signingPath())) session.signing = *rec;
    TableTrim(session.signing);
    if (!IsEmptySetting(session.signing.STR1[1])) return;
    // A new workstation takes the settings seeded in the shared folder.
    if (auto seed = ReadSettingsRecord(session.signingSeedPath())) {
        session.signing = *seed;
        SaveSigningSettings(session.signingPath(), session.signing);
        TableTrim(session.signing);
    }
}

}  // namespace

bool CheckSettings(Session& session, UserDialogs& dialogs) {
    bool complete = true;
    ReadCompany(session, dialogs);
    const std::string& meter = session.company.CAUESO;
    if (meter == "C" || meter == "E") {
        session.energyMeter = meter == "E";
    } else {
        dialogs.inform(kMsgNoCompanyData);
        complete = false;
    }

    ReadSigning(session);
    if (IsEmptySetting(session.signing.STR1[1]) || IsEmptySetting(session.signing.STR1[2])) {
        complete = false;
        dialogs.inform(kMsgNoSigningPaths);
    }

    TableBlank(session.web);
    if (auto rec = ReadSettingsRecord(session.webPath())) session.web = *rec;
    TableTrim(session.web);
    if (IsEmptySetting(session.web.STR1[3]) || IsEmptySetting(session.web.STR1[5])) {
        complete = false;
        dialogs.inform(kMsgNoWebPaths);
    }
    return complete;
}

}  // namespace veltrano
