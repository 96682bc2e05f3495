#include "platform/report/print_windows.h"

#include "platform/report/qt_text_metrics.h"
#include "platform/report/register_print_view.h"
#include "platform/report/report_preview.h"
#include "prints/wort_print.h"

namespace veltrano {

bool OpenWortPrintWindow(QWidget* parent, const Folders& folders, int tag, double today,
                         const PrintCompany& company) {
    QtTextMetrics metrics;
    QtPrinterCatalog printers;
    QtReportViewer viewer(parent);
    auto model = MakeWortPrintDialog(folders, metrics, &printers, viewer);
    model->open(tag, today, company);
    RegisterPrintView view(*model, kWortPrintForm, parent);
    return view.exec() == QDialog::Accepted;
}

bool OpenDefaultPrinterWindow(QWidget* parent, const Folders& folders) {
    QtPrinterCatalog printers;
    DefaultPrinterForm form(folders, printers);
    DefaultPrinterDialog dialog(form, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace veltrano
