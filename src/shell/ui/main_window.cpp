#include "shell/ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "core/file_io.h"

namespace veltrano {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The client area: the cover picture stretched over all of it, or nothing.
class Cover : public QWidget {
public:
    explicit Cover(const QString& path, QWidget* parent) : QWidget(parent) {
        if (!path.isEmpty()) picture_.load(path);
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (picture_.isNull()) return;
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(rect(), picture_);
    }

private:
    QPixmap picture_;
};

// "&Info": the program's title and its version date; a click or Escape closes it.
class InfoDialog : public QDialog {
public:
    InfoDialog(const std::string& versionText, QWidget* parent) : QDialog(parent) {
        setObjectName(QStringLiteral("TFINFO"));
        setWindowTitle(QStringLiteral("Info"));
        auto* v = new QVBoxLayout(this);
        auto* title = new QLabel(QStringLiteral("VELTRANO"), this);
        QFont f = title->font();
        f.setPointSizeF(f.pointSizeF() * 2.5);
        f.setBold(true);
        title->setFont(f);
        title->setAlignment(Qt::AlignCenter);
        auto* subtitle =
            new QLabel(QStringLiteral("Registri doganali del deposito fiscale di birra"), this);
        subtitle->setAlignment(Qt::AlignCenter);
        auto* version = new QLabel(Q(versionText), this);
        version->setObjectName(QStringLiteral("VERSIONE"));
        version->setAlignment(Qt::AlignCenter);
        v->addWidget(title);
        v->addWidget(subtitle);
        v->addSpacing(12);
        v->addWidget(version);
        setMinimumSize(360, 180);
    }

protected:
    void mousePressEvent(QMouseEvent*) override { accept(); }
};

}  // namespace

MainWindow::MainWindow(Session& session, UserDialogs& dialogs, MainWindowServices services)
    : session_(session), dialogs_(dialogs), services_(std::move(services)) {
    setObjectName(QStringLiteral("TFMAIN"));
    setWindowTitle(QStringLiteral("VELTRANO"));
    resize(830, 600);
    if (const QScreen* screen = QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(415, 300));
        session_.screenWidth = screen->geometry().width() - 50;
        session_.screenHeight = screen->geometry().height() - 100;
    }
    const std::string cover = JoinPath(session_.folders.work, "COPERTINA.jpg");
    setCentralWidget(new Cover(FileExists(cover) ? Q(cover) : QString(), this));
    status_ = new QLabel(this);
    statusBar()->addWidget(status_, 1);
    services_.actions.showInfo = [this] { showInfo(); };

    QMenuBar* bar = menuBar();
    const auto& rows = MainMenu();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const MenuItem& top = rows[i];
        if (i > 0) bar->addSeparator();
        if (top.kind == MenuKind::Submenu) {
            QMenu* m = bar->addMenu(Q(top.caption));
            m->setObjectName(Q(top.id));
            menus_[top.id] = m;
            buildMenu(top.children, m);
        } else {
            QAction* a = bar->addAction(Q(top.caption));
            a->setObjectName(Q(top.id));
            actions_[top.id] = a;
            connect(a, &QAction::triggered, this, [this, &top] { runItem(top); });
        }
    }
}

void MainWindow::buildMenu(const std::vector<MenuItem>& rows, QMenu* into) {
    for (const MenuItem& item : rows) {
        switch (item.kind) {
            case MenuKind::Separator:
                into->addSeparator();
                break;
            case MenuKind::Submenu: {
                QMenu* sub = into->addMenu(Q(item.caption));
                sub->setObjectName(Q(item.id));
                menus_[item.id] = sub;
                buildMenu(item.children, sub);
                break;
            }
            case MenuKind::Item: {
                QAction* a = into->addAction(Q(item.caption));
                a->setObjectName(Q(item.id));
                a->setData(item.tag);
                a->setVisible(!item.hidden);
                actions_[item.id] = a;
                connect(a, &QAction::triggered, this, [this, &item] { runItem(item); });
                break;
            }
        }
    }
}

QAction* MainWindow::action(const std::string& id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* MainWindow::menu(const std::string& id) const {
    const auto it = menus_.find(id);
    return it == menus_.end() ? nullptr : it->second;
}

void MainWindow::startUp() {
    applyMenuState(StartUp(session_, dialogs_, services_.startup));
}

void MainWindow::applyMenuState(const MenuState& state) {
    status_->setText(Q(state.statusText));
    std::function<void(const std::vector<MenuItem>&)> apply =
        [&](const std::vector<MenuItem>& rows) {
            for (const MenuItem& item : rows) {
                if (item.kind == MenuKind::Item) {
                    if (QAction* a = action(item.id)) {
                        a->setEnabled(state.isEnabled(item));
                        a->setVisible(state.isVisible(item));
                    }
                } else if (item.kind == MenuKind::Submenu) {
                    if (QMenu* m = menu(item.id)) {
                        m->menuAction()->setEnabled(state.isEnabled(item));
                        m->menuAction()->setVisible(state.isVisible(item));
                    }
                    apply(item.children);
                }
            }
        };
    apply(MainMenu());
}

void MainWindow::runItem(const MenuItem& item) {
    ShellActions actions = services_.actions;
    actions.refreshCompanyState = [this] {
        applyMenuState(RefreshCompanyState(session_, dialogs_));
    };
    try {
        RunMenuItem(item, session_, dialogs_, actions);
    } catch (const std::exception& e) {
        dialogs_.showError(e);
    }
    // Back from the operation: this return is an activation of its own.
    guard_.operationFinished();
    activationRequested();
}

void MainWindow::showInfo() {
    InfoDialog info(InfoVersionText(session_), this);
    info.exec();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    activationRequested();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) activationRequested();
}

void MainWindow::activationRequested() {
    if (activationQueued_ || guard_.running()) return;
    activationQueued_ = true;
    // After the event that caused it, so that the window is shown first.
    QTimer::singleShot(0, this, [this] {
        activationQueued_ = false;
        if (!guard_.activated()) return;
        runActivation();
    });
}

void MainWindow::runActivation() {
    guard_.begin();
    ++activationRuns_;
    ActivationOutcome outcome = ActivationOutcome::Continue;
    if (services_.http != nullptr && services_.launcher != nullptr) {
        outcome = RunActivation(session_, dialogs_, *services_.http, *services_.launcher,
                                services_.versionUrl, services_.activation);
    }
    guard_.end();
    if (outcome == ActivationOutcome::Quit) {
        close();
        QApplication::quit();
    }
}

}  // namespace veltrano
