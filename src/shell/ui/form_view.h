#pragma once

#include <QDialog>
#include <map>
#include <string>

#include "shell/form_model.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace veltrano {

// The generic window of a form model: builds its widgets from the model's field
// table (caption, kind, length, case, heading, note, buttons beside a field) and
// forwards the user's actions to the model; after each one it shows the model's
// state again (texts, visibility, focus, closing). It never decides anything.
//
// - every key press ends the model's suspension of exit checks;
// - the focus leaving a field by the user (Tab, click, Enter) runs leave() once
//   the focus change is complete, and the focus goes back on failure;
// - Enter moves to the next field;
// - the focus reaching "&CONFERMA" runs reachConfirm(); its click runs confirm(),
//   unless the checks have just taken the focus away from it; the button is
//   disabled while saving;
// - "&Abbandona", Escape and the window's close box abandon; "&Abbandona" and the
//   buttons beside fields take no focus, so they never trigger an exit check.
class FormView : public QDialog {
    Q_OBJECT
public:
    FormView(FormModel& model, QWidget* parent = nullptr);

    // Opens the model and runs the window modally; true when it was confirmed.
    bool run();
    // The model's state onto the widgets (after open() in tests).
    void sync();

    QWidget* widget(const std::string& name) const;
    QPushButton* confirmButton() const { return confirm_; }
    QPushButton* abandonButton() const { return abandon_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void build();
    void edited(const std::string& name, QLineEdit* edit);
    void leaveLater(const std::string& name);
    void confirmReached();
    void confirmClicked();
    std::string widgetText(const std::string& name) const;
    void setWidgetText(const std::string& name, const std::string& text);
    void applyFocus();

    FormModel& model_;
    std::map<std::string, QWidget*> widgets_;    // inputs and buttons by name
    std::multimap<std::string, QWidget*> rows_;  // widgets shown or hidden with a field
    std::map<QObject*, std::string> fieldOf_;    // input widget -> field name
    std::map<std::string, QButtonGroup*> groups_;
    QPushButton* confirm_ = nullptr;
    QPushButton* abandon_ = nullptr;
    bool refocusing_ = false;
    bool syncing_ = false;
};

}  // namespace veltrano
