#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <map>
#include <string>

#include "shell/main_menu.h"
#include "shell/startup.h"
#include "shell/window_registry.h"

class QAction;
class QLabel;
class QMenu;

namespace veltrano {

// What the main window needs from the platform, wired by main().
struct MainWindowServices {
    HttpClient* http = nullptr;
    ProgramLauncher* launcher = nullptr;
    std::string versionUrl;
    ShellActions actions;  // open addresses, run programs (showInfo is the window's)
    StartupHooks startup;
    ActivationHooks activation;
};

// The main window: title "VELTRANO", 830 x 600 centred, the cover picture
// COPERTINA.jpg stretched over the client area, the main menu and the status bar
// with the working folder. Runs the activation sequence as ActivationGuard
// decides (first display, and each return from a menu operation).
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Session& session, UserDialogs& dialogs, MainWindowServices services);

    // The start-up sequence; IoError when a folder cannot be created.
    void startUp();
    void applyMenuState(const MenuState& state);
    QAction* action(const std::string& id) const;
    QMenu* menu(const std::string& id) const;
    // Runs an item as if the user had chosen it.
    void runItem(const MenuItem& item);
    void showInfo();
    int activationRuns() const { return activationRuns_; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenu(const std::vector<MenuItem>& rows, QMenu* into);
    void activationRequested();
    void runActivation();

    Session& session_;
    UserDialogs& dialogs_;
    MainWindowServices services_;
    ActivationGuard guard_;
    std::map<std::string, QAction*> actions_;
    std::map<std::string, QMenu*> menus_;
    QLabel* status_ = nullptr;
    int activationRuns_ = 0;
    bool activationQueued_ = false;
};

}  // namespace veltrano
