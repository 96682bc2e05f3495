#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "shell/user_dialogs.h"

namespace veltrano {

// How a field takes its input. The view applies the same rules while the user
// types; FormModel::type applies them again, so a headless test types exactly
// what a user could.
enum class FieldKind {
    Text,     // free text
    Secret,   // free text shown masked (passwords, PINs)
    Date,     // mask DD/MM/YYYY; empty when nothing is typed
    Time,     // mask HH:MM
    Integer,  // digits and a leading "-"
    Amount,   // digits, one ",", "-" first, thousands regrouped with "." as typed
    Choice,   // radio group: the text is the index of the chosen item, "0", "1"...
    Check,    // tick box: "1" ticked, "0" not
    Display,  // read-only text filled by the window
};

enum class LetterCase { AsTyped, Upper };

// One input of a window, named after the record field it fills.
struct FieldSpec {
    std::string name;     // `CACCI1`, `LE3`, `INTERI0`
    std::string caption;  // label shown before it
    FieldKind kind = FieldKind::Text;
    int maxLength = 0;  // characters; 0 = no limit
    LetterCase letterCase = LetterCase::AsTyped;
    std::string hint;                  // tooltip
    std::vector<std::string> choices;  // items of a Choice
    std::string heading;               // a heading shown above this field (starts a group)
    std::string note;                  // a remark shown under it
    std::string besideOf;              // shown on the row of that field instead of its own row
};

// A button other than "&CONFERMA" and "&Abbandona".
struct ButtonSpec {
    std::string name;  // `BUFFDOG`
    std::string caption;
    std::string hint;
    std::string besideOf;  // the field whose row it sits on
};

// A text being typed and the cursor position in it (in characters).
struct Typing {
    std::string text;
    std::size_t cursor = 0;
    friend bool operator==(const Typing&, const Typing&) = default;
};

// The outcome of an exit or confirmation check.
struct Check {
    bool passed = true;
    std::string field;  // where the focus goes on failure

    static Check Pass() { return {}; }
    static Check StayOn(std::string f) { return {false, std::move(f)}; }
    explicit operator bool() const { return passed; }
};

// The behaviour of one window, without any widget. A window class derives from
// it, declares its fields in the constructor (addField, in tab order) and
// overrides the hooks; a generic view shows it and forwards the user's actions:
//
//   open()          when the window is shown: fills the fields (exit checks are
//                   suspended until the user's next key press)
//   type(f, text)   the user changed a field
//   keyPressed()    any key press of the user (ends the suspension)
//   leave(f)        the focus left field f: its exit check; on failure the focus
//                   goes back (takeFocusRequest)
//   reachConfirm()  the focus reached "&CONFERMA": every check in the window's
//                   fixed order, stopping at the first failure
//   confirm()       "&CONFERMA" was pressed: saves and closes; it re-runs the
//                   checks when they did not pass since the last change, and a
//                   press during a save is ignored
//   abandon()       "&Abbandona": closes without saving
//   press(b)        another button
//
// Input/output errors of these steps end the step: the error text is shown and
// the user stays in the window (open() closes it instead).
class FormModel {
public:
    FormModel(UserDialogs& dialogs, std::string name, std::string caption);
    virtual ~FormModel();
    FormModel(const FormModel&) = delete;
    FormModel& operator=(const FormModel&) = delete;

    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    const std::vector<FieldSpec>& fields() const { return fields_; }
    const std::vector<ButtonSpec>& buttons() const { return buttons_; }
    const FieldSpec* field(const std::string& name) const;
    std::string confirmCaption() const { return "&CONFERMA"; }
    std::string abandonCaption() const { return "&Abbandona"; }

    std::string text(const std::string& field) const;
    bool visible(const std::string& name) const;  // fields and buttons
    bool enabled(const std::string& name) const;

    void open();
    // The user's edit with the cursor after it (in characters): answers the text
    // the field accepts and where the cursor goes; the view shows exactly that.
    Typing type(const std::string& field, const std::string& text, std::size_t cursor);
    // The same with the cursor at the end.
    void type(const std::string& field, const std::string& text);
    void keyPressed() { suspended_ = false; }
    Check leave(const std::string& field);
    Check reachConfirm();
    void confirm();
    void abandon();
    void press(const std::string& button);

    bool suspended() const { return suspended_; }
    bool closed() const { return closed_; }
    bool confirmed() const { return confirmed_; }
    bool saving() const { return saving_; }
    // The field the window wants the focus on, once.
    std::optional<std::string> takeFocusRequest();
    // Grows with every change a view must show (texts, visibility, closing).
    unsigned revision() const { return revision_; }
    // What the window leaves for its caller (see WindowResult::entry).
    const std::optional<TableRecord>& resultEntry() const { return resultEntry_; }
    int resultId() const { return resultId_; }

protected:
    UserDialogs& dialogs() { return dialogs_; }
    FieldSpec& addField(FieldSpec spec);
    void addButton(ButtonSpec spec);

    // The window fills a field (no case or length rule, no check).
    void set(const std::string& field, const std::string& text);
    void setVisible(const std::string& name, bool visible);
    void setEnabled(const std::string& name, bool enabled);
    void focusOn(const std::string& field);
    void close();
    // Windows that serve several callers take the caption of their mode.
    void setCaption(std::string caption) {
        caption_ = std::move(caption);
        changed();
    }
    void setResultEntry(TableRecord rec) { resultEntry_ = std::move(rec); }
    void setResultId(int id) { resultId_ = id; }
    // Exit checks stay off until the user's next key press.
    void suspendChecks() { suspended_ = true; }

    virtual void onOpen() = 0;
    virtual Check onLeave(const std::string& field);
    virtual Check onReachConfirm();
    virtual void onConfirm() = 0;
    virtual void onPress(const std::string& button);
    // After the user changed a field (radio groups re-apply visibility here).
    virtual void onTyped(const std::string& field);

private:
    template <class F>
    bool guarded(F&& step);
    void changed() { ++revision_; }

    UserDialogs& dialogs_;
    std::string name_;
    std::string caption_;
    std::vector<FieldSpec> fields_;
    std::vector<ButtonSpec> buttons_;
    std::map<std::string, std::string> texts_;
    std::map<std::string, bool> visible_;
    std::map<std::string, bool> enabled_;
    std::optional<std::string> focusRequest_;
    std::optional<TableRecord> resultEntry_;
    int resultId_ = -1;
    bool suspended_ = false;
    bool closed_ = true;
    bool confirmed_ = false;
    bool saving_ = false;
    bool checksPassed_ = false;
    unsigned revision_ = 0;
};

}  // namespace veltrano
