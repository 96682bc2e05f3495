#pragma once

#include <string>
#include <vector>

#include "prints/report_viewer.h"

namespace veltrano {

struct Folders;

// TFIMPOSTALASTAMPANTE, "Imposta la stampante di Default": the printers the
// system lists in LISTA, the one of STAMPANTE.TXT selected; "&CONFERMA" writes
// the selected name as the file's only line.
class DefaultPrinterForm {
public:
    DefaultPrinterForm(const Folders& folders, const PrinterCatalog& catalog);

    static constexpr const char* kCaption = "Imposta la stampante di Default";

    void open();
    const std::vector<std::string>& printers() const { return printers_; }
    int selected() const { return selected_; }  // -1: none
    void select(int index);
    // Writes STAMPANTE.TXT when a printer is selected (with none, e.g. on a
    // machine without printers, the file is left as it is) and closes.
    void confirm();
    void abandon() { closed_ = true; }
    bool closed() const { return closed_; }

private:
    const Folders& folders_;
    const PrinterCatalog& catalog_;
    std::vector<std::string> printers_;
    int selected_ = -1;
    bool closed_ = true;
};

}  // namespace veltrano
