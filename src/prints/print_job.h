#pragma once

#include "prints/recording_surface.h"
#include "prints/register_frame.h"

namespace veltrano {

struct Folders;

struct PrintJob {
    ReportDocument document;
    PrintOutcome outcome;
};

// The set-up before every report (registers and the other prints): the printer
// named in STAMPANTE.TXT when the file could be read and the printer exists,
// landscape, a black solid pen of the thinnest width.
void SetUpReportPage(ReportSurface& surface, const Folders& folders);

// A register print from the working folder: the printer of STAMPANTE.TXT is
// selected when it exists, the page set up, and the book drawn from the year
// files. The document then goes to the preview.
PrintJob RunRegisterPrint(const Folders& folders, RegisterBook& book, const PrintRequest& request,
                          const CompanyBlock& company, const TextMetrics& metrics,
                          const RecordingSurface::PrinterLookup& printers = {});

}  // namespace veltrano
