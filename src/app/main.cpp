// VELTRANO: the customs registers of a microbrewery that is an excise warehouse.
// Wires the Qt-free shell to its Qt views and platform adapters and runs the
// main window until it is closed.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include "core/folders.h"
#include "platform/curl_http_client.h"
#include "platform/process_launcher.h"
#include "platform/qt_user_dialogs.h"
#include "shell/clock.h"
#include "shell/session.h"
#include "shell/startup.h"
#include "shell/ui/main_window.h"
#include "shell/ui/window_host.h"
#include "shell/window_registry.h"

namespace {

// Where the published version date is fetched from.
constexpr const char* kVersionUrl = "https://aggiornamenti.veltrano.it/VERS_VELTRANO.DAT";

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VELTRANO"));
    // Qt's own dialogs (file chooser, context menus) in Italian, like everything else.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtItalian);
    }

    using namespace veltrano;
    SystemClock clock;
    std::unique_ptr<Session> session;
    try {
        session = std::make_unique<Session>(Folders::FromEnvironment(), clock);
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("VELTRANO"),
                              QString::fromStdString(e.what()));
        return 1;
    }

    QtUserDialogs dialogs;
    WindowRegistry registry;
    RegisterShellWindows(registry);
    WindowHost host(registry, *session, dialogs);
    dialogs.setOpener(
        [&host](const std::string& w, const std::string& m) { return host.open(w, m); });

    CurlHttpClient http;
    QtProgramLauncher launcher;
    MainWindowServices services;
    services.http = &http;
    services.launcher = &launcher;
    services.versionUrl = kVersionUrl;
    services.actions.openAddress = [](const std::string& a) { OpenWithDefaultHandler(a); };
    services.actions.runProgram = [&launcher, &session](const std::string& p) {
        launcher.start(p, session->folders.work);
    };

    MainWindow window(*session, dialogs, services);
    host.setParent(&window);
    dialogs.setParent(&window);
    try {
        window.startUp();
    } catch (const std::exception& e) {
        dialogs.showError(e);
        return 1;
    }
    window.show();
    return QApplication::exec();
}
