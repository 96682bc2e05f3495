#include "shell/startup.h"

#include <cmath>

#include "core/dates.h"
#include "core/record_file.h"
#include "registers/movement.h"
#include "registers/year_files.h"
#include "shell/settings_check.h"

namespace veltrano {

MenuState StartUp(Session& session, UserDialogs& dialogs, const StartupHooks& hooks) {
    session.folders.create();
    session.passwordWarnings = 0;
    session.currentYear = std::to_string(YearOf(session.clock.today()));
    CheckSettings(session, dialogs);
    if (hooks.refreshIndustry40) hooks.refreshIndustry40();
    return RefreshCompanyState(session, dialogs);
}

std::string ResolveProgram(const std::string& folder, const std::string& windowsName) {
    const std::string exact = JoinPath(folder, windowsName);
    if (FileExists(exact)) return exact;
    const std::string suffix = ".EXE";
    if (windowsName.size() > suffix.size() &&
        windowsName.compare(windowsName.size() - suffix.size(), suffix.size(), suffix) == 0) {
        const std::string bare =
            JoinPath(folder, windowsName.substr(0, windowsName.size() - suffix.size()));
        if (FileExists(bare)) return bare;
    }
    return {};
}

namespace {

std::optional<double> ReadVersionFile(const std::string& path) {
    const RecordFile file = RecordFile::OpenIfPresent(path, 8);
    if (file.empty()) return std::nullopt;
    const double d = GetDouble(file.record(0), 0);
    if (!std::isfinite(d)) return std::nullopt;
    return d;
}

void WriteVersionFile(const std::string& path, double date) {
    Bytes b(8, 0);
    PutDouble(b, 0, date);
    ReplaceFileAtomically(path, b);
}

}  // namespace

double InstalledVersionDate(Session& session) {
    const std::string path = session.versionPath();
    if (!FileExists(path)) WriteVersionFile(path, session.clock.today());
    return ReadVersionFile(path).value_or(0.0);
}

double PublishedVersionDate(Session& session, HttpClient& http, const std::string& url) {
    try {
        const auto body = http.get(url);
        if (!body || body->size() != 8) return 0;
        const double d = GetDouble(*body, 0);
        // Only a real date is worth offering as an update.
        if (!std::isfinite(d) || !DecodeDate(d)) return 0;
        WriteVersionFile(session.downloadedVersionPath(), d);
        return ReadVersionFile(session.downloadedVersionPath()).value_or(0.0);
    } catch (const std::exception&) {
        return 0;  // a failed version check is not reported
    }
}

std::optional<std::string> CertificateWarning(const TableRecord& signing, double today) {
    const double expiry = signing.REALI1[0];
    if (!(expiry > 44000) || !DecodeDate(expiry)) return std::nullopt;
    // Thirty days ahead or less, and also once it has expired.
    if (std::floor(expiry) - std::floor(today) > 30) return std::nullopt;
    return "Attenzione il certificato di firma scade il " + FormatDate(expiry);
}

std::string TaxPeriodName(const std::string& code) {
    static const char* const kMonths[] = {"Gennaio",   "Febbraio", "Marzo",   "Aprile",
                                          "Maggio",    "Giugno",   "Luglio",  "Agosto",
                                          "Settembre", "Ottobre",  "Novembre"};
    if (code == "21") return "1^ quindicina di dicembre";
    if (code == "22") return "2^ quindicina di dicembre";
    if (code.size() == 2 && code[0] >= '0' && code[0] <= '1' && code[1] >= '0' && code[1] <= '9') {
        const int m = (code[0] - '0') * 10 + (code[1] - '0');
        if (m >= 1 && m <= 11) return kMonths[m - 1];
    }
    return {};
}

std::optional<std::string> TaxSummaryReminder(const Session& session) {
    const auto today = DecodeDate(session.clock.today());
    if (!today || today->day < 5) return std::nullopt;
    std::string code;
    int year = today->year;
    double lastDay = 0;
    if (today->month == 1) {
        code = "22";
        year = today->year - 1;
        lastDay = EncodeDate(year, 12, 31);
    } else if (today->month == 12 && today->day > 15) {
        code = "21";
        lastDay = EncodeDate(year, 12, 15);
    } else {
        const int m = today->month - 1;
        code = (m < 10 ? "0" : "") + std::to_string(m);
        lastDay = EncodeDate(year, m, DaysInMonth(year, m));
    }

    const RecordFile taxes =
        RecordFile::OpenOrCreate(YearFilePath(session.folders, year, "DER"), MovementRecord::kSize);
    for (std::size_t k = 0; k < taxes.count(); ++k) {
        const MovementRecord r = MovementRecord::decode(taxes.record(k));
        if (TrimText(r.TIPREC) == "E" && TrimText(r.TIPOPE) == "I" && TrimText(r.TIPRET) != "C" &&
            TrimText(r.CODPAE) == code) {
            return std::nullopt;  // the summary of the period is there
        }
    }
    if (taxes.empty()) {
        // No tax record yet at all: only a brewery that has worked by then is reminded.
        bool worked = false;
        for (const int y : {year, year - 1}) {
            const RecordFile wort = RecordFile::OpenOrCreate(
                YearFilePath(session.folders, y, "CTT"), MovementRecord::kSize);
            for (std::size_t k = 0; k < wort.count() && !worked; ++k) {
                const MovementRecord r = MovementRecord::decode(wort.record(k));
                worked = std::floor(r.DATMOV) <= lastDay;
            }
            if (worked) break;
        }
        if (!worked) return std::nullopt;
    }
    return "Ricorda di inviare il riepilogo dei tributi: " + TaxPeriodName(code) + " " +
           std::to_string(year);
}

ActivationOutcome RunActivation(Session& session, UserDialogs& dialogs, HttpClient& http,
                                ProgramLauncher& launcher, const std::string& versionUrl,
                                const ActivationHooks& hooks) {
    try {
        const double installed = InstalledVersionDate(session);
        const double published = PublishedVersionDate(session, http, versionUrl);
        if (published > installed && dialogs.askOkNo(kUpdateQuestion)) {
            const std::string program = ResolveProgram(session.folders.work, kUpdateProgram);
            if (!program.empty() && launcher.start(program, session.folders.work)) {
                return ActivationOutcome::Quit;
            }
            // Ending without an update would leave the user with nothing running.
            dialogs.warn(std::string("Impossibile avviare il programma di aggiornamento ") +
                         kUpdateProgram);
        }

        TableRecord blank;
        TableBlank(blank);
        session.signing = ReadOrCreateSettingsRecord(session.signingPath(), blank);
        TableTrim(session.signing);
        if (auto warning = CertificateWarning(session.signing, session.clock.today())) {
            dialogs.inform(*warning);
        }
        if (auto reminder = TaxSummaryReminder(session)) dialogs.inform(*reminder);
        if (hooks.checkLabellerMail) hooks.checkLabellerMail();
    } catch (const std::exception& e) {
        dialogs.showError(e);
    }
    return ActivationOutcome::Continue;
}

std::string InfoVersionText(const Session& session) {
    try {
        const auto d = ReadVersionFile(session.versionPath());
        if (!d) return {};
        const std::string date = FormatDate(*d);
        return date.empty() ? std::string{} : "ultimo aggiornamento: " + date;
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace veltrano
