#pragma once

#include <exception>
#include <optional>
#include <string>

#include "core/prompt.h"
#include "core/table_record.h"

namespace veltrano {

// What a window opened through UserDialogs::open leaves for its caller.
struct WindowResult {
    bool opened = false;     // false when the window does not exist (yet)
    bool confirmed = false;  // closed with "&CONFERMA" rather than "&Abbandona"
    // The entry a table window saved or chose (the code editor's new entry).
    std::optional<TableRecord> entry;
    // The number a list or picker window answers (an ID, a NUMMOV); -1 for none.
    int id = -1;
};

// The only way a form model speaks to the user. The Qt shell implements it with
// message boxes and modal windows; tests use a scripted fake that records every
// text and answers as the test says. Texts are the system's own Italian texts,
// with "\r" where a line break belongs.
class UserDialogs : public Prompt {
public:
    // An information message with OK.
    virtual void inform(const std::string& text) = 0;
    // A warning with OK.
    virtual void warn(const std::string& text) = 0;
    // A question with the buttons Yes and No (Prompt::askYesNo).
    // A warning with the buttons No and OK; true for OK.
    virtual bool askOkNo(const std::string& text) = 0;
    // The list window of a code table; the chosen entry's ID or -1.
    virtual int chooseFromList(const std::string& table) = 0;
    // The movement picker over one register year with a state letter; the chosen
    // NUMMOV or -1.
    virtual int pickMovement(const std::string& state, int year) = 0;
    // Opens another window modally by its name (for example "TFCODICI") with a
    // mode (a menu tag or a mode letter, empty when none). A window not built yet
    // answers {opened = false} and shows nothing.
    virtual WindowResult open(const std::string& window, const std::string& mode) = 0;
    // A file chooser starting at startPath; the full path chosen or nothing.
    virtual std::optional<std::string> chooseFile(const std::string& startPath) = 0;
    // The hourglass cursor on (true) or off.
    virtual void setBusy(bool busy) = 0;

    void message(const std::string& text) override { inform(text); }
    // An input/output failure ends the operation with its error text.
    void showError(const std::exception& e) { warn(e.what()); }
};

// The busy cursor for the length of a scope.
class BusyCursor {
public:
    explicit BusyCursor(UserDialogs& dialogs) : dialogs_(dialogs) { dialogs_.setBusy(true); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    ~BusyCursor() { dialogs_.setBusy(false); }

private:
    UserDialogs& dialogs_;
};

}  // namespace veltrano
