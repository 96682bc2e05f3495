#pragma once

#include <string>

#include "prints/recording_surface.h"

namespace veltrano {

// Where a finished report goes: the on-screen preview, from which the user
// prints or saves a PDF. Tests keep the document instead.
class ReportViewer {
public:
    virtual ~ReportViewer() = default;
    virtual void show(ReportDocument document, const std::string& caption) = 0;
};

// The printers the system lists, and the paper of one of them. An empty list
// is normal on a machine without printers.
class PrinterCatalog {
public:
    virtual ~PrinterCatalog() = default;
    virtual std::vector<std::string> printerNames() const = 0;
    virtual bool paperOf(const std::string& name, PaperSize& paper) const = 0;
};

}  // namespace veltrano
