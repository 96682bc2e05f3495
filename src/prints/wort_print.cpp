#include "prints/wort_print.h"

#include "prints/print_job.h"
#include "prints/wort_register.h"

namespace veltrano {

std::unique_ptr<RegisterPrintDialog> MakeWortPrintDialog(const Folders& folders,
                                                         const TextMetrics& metrics,
                                                         const PrinterCatalog* printers,
                                                         ReportViewer& viewer) {
    auto dialog =
        std::make_unique<RegisterPrintDialog>(folders, "Registro del Mosto", "CTT", nullptr);
    RegisterPrintDialog* self = dialog.get();
    dialog->setRunner([&folders, &metrics, printers, &viewer, self](const PrintRequest& r) {
        WortRegisterBook book;
        RecordingSurface::PrinterLookup lookup;
        if (printers)
            lookup = [printers](const std::string& name, PaperSize& paper) {
                return printers->paperOf(name, paper);
            };
        PrintJob job = RunRegisterPrint(folders, book, r, self->company().block, metrics, lookup);
        viewer.show(std::move(job.document), self->caption());
    });
    return dialog;
}

}  // namespace veltrano
