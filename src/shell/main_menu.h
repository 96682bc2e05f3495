#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "shell/session.h"
#include "shell/user_dialogs.h"

namespace veltrano {

enum class MenuKind { Item, Separator, Submenu };

// How the company's excise regime (TIPOIN) governs an item.
enum class RegimeRule {
    None,
    EnabledOnlySuspended,  // enabled only under regime "S"
    VisibleOnlySuspended,  // visible only under regime "S"
};

// One row of the main menu. Captions carry "&" before the accelerator letter.
struct MenuItem {
    MenuKind kind = MenuKind::Item;
    std::string id;  // stable name of the item, unique in the menu
    std::string caption;
    int tag = 0;                 // the number the item carries; passed as the window's mode
    std::string mode;            // a mode letter set before opening, when the item has one
    bool settingsCheck = false;  // CheckSettings first; nothing more when it fails
    RegimeRule regime = RegimeRule::None;
    bool hidden = false;
    bool currentYear = false;  // sets the current year to today's first
    // The window the item opens (through UserDialogs::open), or a built-in action
    // of the shell; empty for an item with no action.
    std::string window;
    std::vector<MenuItem> children;  // a submenu's or a top menu's rows
};

// The menu bar, in order: "&Dati Generali" ... "&Bilanci" as submenus, then the
// single item "&Info".
const std::vector<MenuItem>& MainMenu();
// The item with that id anywhere in the menu, or nullptr.
const MenuItem* FindMenuItem(const std::string& id);

// Enabled and visible state of the items that depend on the company data.
struct MenuState {
    std::map<std::string, bool> enabled;  // by id; missing = enabled
    std::map<std::string, bool> visible;  // by id; missing = visible unless hidden
    std::string statusText;               // the status bar: the working folder
    bool isEnabled(const MenuItem& item) const;
    bool isVisible(const MenuItem& item) const;
};

// Re-reads the company data (creating a blank UTENTE.001 when missing), runs the
// settings check and answers the menu state of the excise regime.
MenuState RefreshCompanyState(Session& session, UserDialogs& dialogs);
// The menu state for a regime alone ("S" or anything else).
MenuState MenuStateFor(const std::string& regime, const std::string& workingFolder);

// Built-in actions of the shell that are not windows.
inline constexpr const char* kActionOpenWebHome = "open-web-home";      // STR1[7] of WEB.CFG
inline constexpr const char* kActionOpenWebEdi = "open-web-edi";        // STR1[3] of WEB.CFG
inline constexpr const char* kActionRunSigner = "run-signing-program";  // STR1[0] of APPL.CFG
inline constexpr const char* kActionInfo = "info";

// What the shell does for the items that are not windows.
struct ShellActions {
    std::function<void(const std::string& address)> openAddress;  // default handler
    std::function<void(const std::string& program)> runProgram;
    std::function<void()> showInfo;
    std::function<void()> refreshCompanyState;  // after the company window closes
};

// Runs one menu item: the settings check when marked, the current year and the
// mode, then its window or action.
void RunMenuItem(const MenuItem& item, Session& session, UserDialogs& dialogs,
                 const ShellActions& actions);

}  // namespace veltrano
