#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/file_io.h"
#include "shell/main_menu.h"
#include "shell/session.h"
#include "shell/user_dialogs.h"

namespace veltrano {

// Start-up of the main window: creates the folders, resets the password warning
// count, runs the settings check, refreshes the Industry 4.0 exchange files
// (hook; nothing until that subsystem exists) and answers RefreshCompanyState's
// menu state. On a first start the settings check runs twice (here and inside
// RefreshCompanyState), so its messages appear twice. A folder that cannot be
// created raises IoError.
struct StartupHooks {
    // In this order: preventive-communication export, brewhouse exchange,
    // packaging-line exchange, temperature import.
    std::function<void()> refreshIndustry40;
};
MenuState StartUp(Session& session, UserDialogs& dialogs, const StartupHooks& hooks);

// Fetches a file over HTTP(S); nothing on any failure.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual std::optional<Bytes> get(const std::string& url) = 0;
};

// Starts a program without waiting for it; false when it could not be started.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    virtual bool start(const std::string& path, const std::string& workingFolder) = 0;
};

// A program named by its Windows file name ("AGGIORNAMENTO.EXE") in the working
// folder: that file when it exists, otherwise the same name without ".EXE" when
// that exists (a Linux installation); empty when neither exists.
std::string ResolveProgram(const std::string& folder, const std::string& windowsName);

inline constexpr const char* kUpdateProgram = "AGGIORNAMENTO.EXE";
inline constexpr const char* kUpdateQuestion =
    "E'disponibile un nuovo aggiornamento - premi \"OK\" per AGGIORNARE ";

struct ActivationHooks {
    // The labeller mail check of the Industry 4.0 subsystem (nothing until it exists).
    std::function<void()> checkLabellerMail;
};

enum class ActivationOutcome { Continue, Quit };

// The sequence run on every activation of the main window: installed version
// date, version check over HTTP (silent on failure), the update question and
// the start of the update program (Quit: the program then ends), the signing
// settings, the certificate-expiry warning, the tax summary reminder and the
// labeller mail check.
ActivationOutcome RunActivation(Session& session, UserDialogs& dialogs, HttpClient& http,
                                ProgramLauncher& launcher, const std::string& versionUrl,
                                const ActivationHooks& hooks);

// The installed version date of DATI_GEN/VERS_VELTRANO.DAT, created holding
// today's date when missing.
double InstalledVersionDate(Session& session);
// The published version date downloaded from url into the temporary folder; 0 on
// any failure.
double PublishedVersionDate(Session& session, HttpClient& http, const std::string& url);

// The certificate-expiry warning text, when one is due today.
std::optional<std::string> CertificateWarning(const TableRecord& signing, double today);

// The tax summary reminder text, when one is due today (reads <year>.DER and
// <year>.CTT through the movement layer; creates them empty when missing).
std::optional<std::string> TaxSummaryReminder(const Session& session);

// The names of the tax periods: "01".."11", "21", "22".
std::string TaxPeriodName(const std::string& code);

// The text of the information window under its title: "ultimo aggiornamento: "
// and the installed version date; empty when the version file cannot be read.
std::string InfoVersionText(const Session& session);

}  // namespace veltrano
