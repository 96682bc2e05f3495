#pragma once

#include <memory>

#include "prints/print_dialog.h"
#include "prints/report_viewer.h"
#include "shell/form_model.h"
#include "shell/session.h"
#include "shell/window_registry.h"

namespace veltrano {

// A register's print dialog as a window of the shell: the generic form view
// shows it; the behaviour is the RegisterPrintDialog's. The menu tag of the
// session (1 per day, 2 per period) picks the mode and the caption. Check boxes are shown as
// two-way choices ("0" no, "1" yes), the form framework having no check box.
class RegisterPrintForm final : public FormModel {
public:
    RegisterPrintForm(Session& session, UserDialogs& dialogs,
                      std::unique_ptr<RegisterPrintDialog> dialog, std::string formName);
    RegisterPrintDialog& dialog() { return *dialog_; }

private:
    void onOpen() override;
    void onTyped(const std::string& field) override;
    Check onLeave(const std::string& field) override;
    Check onReachConfirm() override;
    void onConfirm() override;
    void pull();

    Session& session_;
    std::unique_ptr<RegisterPrintDialog> dialog_;
    bool pulling_ = false;
};

// What the print windows need from the program: the real text metrics, the
// system's printers and the preview.
struct PrintServices {
    const TextMetrics* metrics = nullptr;
    const PrinterCatalog* printers = nullptr;
    ReportViewer* viewer = nullptr;
};

// The company data of the session as the print dialogs take it.
PrintCompany PrintCompanyOf(const CompanyRecord& company);

// TFSTAREGCARSCA (the wort register print). TFIMPOSTALASTAMPANTE has a list
// and its own Qt window (OpenDefaultPrinterWindow).
void RegisterPrintWindows(WindowRegistry& registry, const PrintServices& services);

}  // namespace veltrano
