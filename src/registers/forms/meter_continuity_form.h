#pragma once

#include <string>
#include <vector>

#include "prints/recording_surface.h"
#include "prints/report_viewer.h"
#include "shell/form_model.h"
#include "shell/session.h"

namespace veltrano {

// The continuity report of the production meter: the heading, then one line per
// break, on as many pages as needed (the heading repeated on each).
void DrawMeterContinuityReport(ReportSurface& surface, const std::string& from,
                               const std::string& to, const std::vector<std::string>& lines);

// TFCONTR_CONTAL, "Controlla continuità del contalitri": a period, then the
// report in the preview.
class MeterContinuityForm : public FormModel {
public:
    MeterContinuityForm(Session& session, UserDialogs& dialogs, const TextMetrics& metrics,
                        ReportViewer& viewer);

protected:
    void onOpen() override;
    Check onLeave(const std::string& field) override;
    Check onReachConfirm() override;
    void onConfirm() override;

private:
    Session& session_;
    const TextMetrics& metrics_;
    ReportViewer& viewer_;
};

inline constexpr const char* kNoMeterBreaks =
    "Nessuna interruzione della continuità del contalitri nel periodo.";

}  // namespace veltrano
