#pragma once

#include <QtWidgets/QDialog>
#include <map>
#include <string>

#include "prints/print_dialog.h"

class QWidget;
class QPushButton;

namespace veltrano {

// The window of a register's print dialog (TFSTAREGCARSCA and the others),
// bound to its form model: every control is built from the model's fields and
// named after them; leaving a field runs its check, "&CONFERMA" runs the
// report. Kept until the shell's generic form view can take this model.
class RegisterPrintView : public QDialog {
public:
    RegisterPrintView(RegisterPrintDialog& model, const std::string& formName,
                      QWidget* parent = nullptr);

    // Shows the model's texts, visibility and focus request.
    void refresh();
    QWidget* control(const std::string& field) const;
    QPushButton* confirmButton() const { return confirm_; }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void edited(const std::string& field, const QString& text);
    void applyFocus();

    RegisterPrintDialog& model_;
    std::map<std::string, QWidget*> controls_;
    std::map<std::string, QWidget*> labels_;
    std::map<QObject*, std::string> fieldOf_;
    QPushButton* confirm_ = nullptr;
    bool refreshing_ = false;
};

}  // namespace veltrano
