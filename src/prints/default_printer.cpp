#include "prints/default_printer.h"

#include <algorithm>

#include "prints/print_settings.h"

namespace veltrano {

DefaultPrinterForm::DefaultPrinterForm(const Folders& folders, const PrinterCatalog& catalog)
    : folders_(folders), catalog_(catalog) {}

void DefaultPrinterForm::open() {
    printers_ = catalog_.printerNames();
    selected_ = -1;
    closed_ = false;
    if (const auto name = ReadPrinterName(folders_)) {
        const auto it = std::find(printers_.begin(), printers_.end(), *name);
        if (it != printers_.end()) selected_ = static_cast<int>(it - printers_.begin());
    }
}

void DefaultPrinterForm::select(int index) {
    selected_ = index >= 0 && index < static_cast<int>(printers_.size()) ? index : -1;
}

void DefaultPrinterForm::confirm() {
    if (selected_ >= 0) WritePrinterName(folders_, printers_[static_cast<std::size_t>(selected_)]);
    closed_ = true;
}

}  // namespace veltrano
