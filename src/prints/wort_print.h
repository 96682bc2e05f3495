#pragma once

#include <memory>

#include "prints/print_dialog.h"
#include "prints/report_viewer.h"

namespace veltrano {

// TFSTAREGCARSCA: the wort register's print dialog, wired to the frame. On
// confirmation the register is drawn with `metrics` on the printer named in
// STAMPANTE.TXT (when `printers` lists it) and handed to `viewer`.
inline constexpr const char* kWortPrintForm = "TFSTAREGCARSCA";
std::unique_ptr<RegisterPrintDialog> MakeWortPrintDialog(const Folders& folders,
                                                         const TextMetrics& metrics,
                                                         const PrinterCatalog* printers,
                                                         ReportViewer& viewer);

}  // namespace veltrano
