#pragma once

#include <QtGui/QPageLayout>
#include <string>

#include "prints/recording_surface.h"

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace veltrano {

// The page layout of a document: its size in points, its orientation, no margins
// (report positions are measured from the sheet's corner).
QPageLayout ReportPageLayout(const ReportDocument& doc);

// Draws one recorded page with a painter already open on a device whose
// resolution is `dpi` dots per inch (positions are points).
void RenderReportPage(QPainter& painter, const ReportDocument& doc, std::size_t page, double dpi);

// Draws every page on an open painter of a paged device (printer, PDF writer),
// starting a new device page between them. Pages are taken from first to last.
void RenderReport(QPainter& painter, QPagedPaintDevice& device, const ReportDocument& doc);

// Sets a printer up for the document (page layout, full page) and prints it.
// false when the printer could not be opened.
bool PrintReport(QPrinter& printer, const ReportDocument& doc);

// Writes the document to a PDF file, fonts embedded. On failure returns false
// and puts the reason in *error.
bool WriteReportPdf(const ReportDocument& doc, const std::string& path, std::string* error);

}  // namespace veltrano
