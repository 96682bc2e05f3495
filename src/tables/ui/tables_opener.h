#pragma once

#include <optional>
#include <string>

#include "shell/session.h"
#include "shell/user_dialogs.h"

class QWidget;

namespace veltrano {

class ReportViewer;
class TextMetrics;

// Opens the windows of the reference tables with their own views: TFLISTVIEW
// (the mode is the table name), TFCODICI ("TA03", "TA03:I"), TFTABACCISE,
// TFMATPRI ("MATPRIME", "MATPRIME:I"), TFPRODAZ ("PRAZ", "PRAZ:I") and
// TFSTRUTAB. Each opening makes its window anew, so a window opened from within
// another one (a new raw material from the recipe window) never meets itself.
// Other names answer nothing, for the next opener to handle.
class TablesWindowOpener {
public:
    TablesWindowOpener(Session& session, UserDialogs& dialogs, const TextMetrics* metrics,
                       ReportViewer* viewer)
        : session_(session), dialogs_(dialogs), metrics_(metrics), viewer_(viewer) {}

    void setParent(QWidget* parent) { parent_ = parent; }
    std::optional<WindowResult> open(const std::string& window, const std::string& mode);

private:
    Session& session_;
    UserDialogs& dialogs_;
    const TextMetrics* metrics_;
    ReportViewer* viewer_;
    QWidget* parent_ = nullptr;
};

}  // namespace veltrano
