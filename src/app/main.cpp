// VELTRANO: the customs registers of a microbrewery that is an excise warehouse.
// Wires the Qt-free shell and subsystems to their Qt views and platform adapters
// and runs the main window until it is closed.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include "core/folders.h"
#include "platform/curl_http_client.h"
#include "platform/process_launcher.h"
#include "platform/qt_user_dialogs.h"
#include "platform/report/print_windows.h"
#include "platform/report/qt_text_metrics.h"
#include "platform/report/report_preview.h"
#include "prints/register_print_form.h"
#include "registers/forms/register_windows.h"
#include "registers/ui/register_views.h"
#include "shell/clock.h"
#include "shell/session.h"
#include "shell/startup.h"
#include "shell/ui/main_window.h"
#include "shell/ui/window_host.h"
#include "shell/window_registry.h"
#include "tables/tables_windows.h"
#include "tables/ui/tables_opener.h"

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
    QtTextMetrics metrics;
    QtPrinterCatalog printers;
    QtReportViewer viewer;

    // Every subsystem's windows by name: those the generic view shows in the
    // registry; those with views of their own through their openers, asked first.
    WindowRegistry registry;
    RegisterShellWindows(registry);
    RegisterTableWindows(registry);
    RegisterRegisterWindows(registry, &metrics, &viewer);
    RegisterPrintWindows(registry, PrintServices{&metrics, &printers, &viewer});
    WindowHost host(registry, *session, dialogs);
    RegisterRegisterViews(host);
    TablesWindowOpener tables(*session, dialogs, &metrics, &viewer);
    QWidget* mainWidget = nullptr;
    dialogs.setOpener([&](const std::string& w, const std::string& m) -> WindowResult {
        if (auto r = tables.open(w, m)) return *r;
        if (w == "TFIMPOSTALASTAMPANTE") {
            WindowResult r;
            r.opened = true;
            r.confirmed = OpenDefaultPrinterWindow(mainWidget, session->folders);
            return r;
        }
        return host.open(w, m);
    });

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
    mainWidget = &window;
    host.setParent(&window);
    tables.setParent(&window);
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
