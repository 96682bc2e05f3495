#include "prints/print_job.h"

#include "prints/print_settings.h"

namespace veltrano {

void SetUpReportPage(ReportSurface& surface, const Folders& folders) {
    if (const auto name = ReadPrinterName(folders)) surface.selectPrinter(*name);
    surface.setOrientation(Orientation::Landscape);
    surface.setPenColor(0x000000);
    surface.setPenStyle(PenStyle::Solid);
    surface.setPenWidth(0);
}

PrintJob RunRegisterPrint(const Folders& folders, RegisterBook& book, const PrintRequest& request,
                          const CompanyBlock& company, const TextMetrics& metrics,
                          const RecordingSurface::PrinterLookup& printers) {
    RecordingSurface surface(metrics);
    surface.setPrinterLookup(printers);
    SetUpReportPage(surface, folders);
    RegisterFrame frame(surface, book, company);
    PrintJob job;
    job.outcome = frame.run(
        request, [&](int year) { return LoadYearRecords(folders, year, book.yearExtension()); });
    job.document = surface.takeDocument();
    return job;
}

}  // namespace veltrano
