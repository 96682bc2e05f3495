// Opens one window of the program on a working folder, as the program would, for
// looking at it (screenshots under Xvfb) and trying it by hand:
//
//   tables_window_runner FOLDER WINDOW [MODE] [STEP...]
//
// WINDOW is a window name (TFLISTVIEW, TFCODICI, TFTABACCISE, TFMATPRI,
// TFPRODAZ, TFSTRUTAB, TFDATIAZIENDA...), MODE its mode ("TA03", "TA03:I").
// Each STEP is played on the focused widget of the active window, 400 ms apart:
// "type:TEXT", "tab", "enter", "down", "click:NAME" (a button by object name).
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "platform/qt_user_dialogs.h"
#include "platform/report/qt_text_metrics.h"
#include "platform/report/report_preview.h"
#include "shell/clock.h"
#include "shell/session.h"
#include "shell/ui/window_host.h"
#include "shell/window_registry.h"
#include "tables/tables_windows.h"
#include "tables/ui/tables_opener.h"

using namespace veltrano;

namespace {

void Play(const QString& step) {
    QWidget* window = QApplication::activeModalWidget() != nullptr
                          ? QApplication::activeModalWidget()
                          : QApplication::activeWindow();
    QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : window;
    if (target == nullptr) return;
    if (step.startsWith(QLatin1String("type:"))) {
        QTest::keyClicks(target, step.mid(5));
    } else if (step == QLatin1String("tab")) {
        QTest::keyClick(target, Qt::Key_Tab);
    } else if (step == QLatin1String("enter")) {
        QTest::keyClick(target, Qt::Key_Return);
    } else if (step == QLatin1String("down")) {
        QTest::keyClick(target, Qt::Key_Down);
    } else if (step.startsWith(QLatin1String("click:")) && window != nullptr) {
        auto* b = window->findChild<QPushButton*>(step.mid(6));
        std::fprintf(stderr, "click %s on %s: %s\n", qPrintable(step.mid(6)),
                     qPrintable(window->objectName()), b != nullptr ? "found" : "not found");
        // Queued: the click may open a modal window of its own.
        if (b != nullptr) QTimer::singleShot(0, b, &QPushButton::click);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VELTRANO"));
    if (argc < 3) {
        std::fprintf(stderr, "uso: tables_window_runner CARTELLA FINESTRA [MODO] [PASSI...]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string window = argv[2];
    const std::string mode = argc > 3 ? argv[3] : "";
    QStringList steps;
    for (int k = 4; k < argc; ++k)
        steps << QString::fromLocal8Bit(argv[k]);

    SystemClock clock;
    Session session(Folders::At(folder, DefaultTempFolder()), clock);
    session.folders.create();
    QtUserDialogs dialogs;
    WindowRegistry registry;
    RegisterShellWindows(registry);
    RegisterTableWindows(registry);
    WindowHost host(registry, session, dialogs);
    QtTextMetrics metrics;
    QtReportViewer viewer;
    TablesWindowOpener tables(session, dialogs, &metrics, &viewer);
    dialogs.setOpener([&](const std::string& w, const std::string& m) {
        if (auto r = tables.open(w, m)) return *r;
        return host.open(w, m);
    });

    for (int k = 0; k < steps.size(); ++k) {
        QTimer::singleShot(800 + 400 * k, [step = steps[k]] { Play(step); });
    }
    QTimer::singleShot(0, [&] {
        const WindowResult r = dialogs.open(window, mode);
        std::printf("opened %d confirmed %d id %d\n", r.opened, r.confirmed, r.id);
        QApplication::quit();
    });
    return QApplication::exec();
}
