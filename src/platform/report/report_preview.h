#pragma once

#include <QtWidgets/QDialog>
#include <memory>

#include "prints/default_printer.h"
#include "prints/recording_surface.h"
#include "prints/report_viewer.h"

class QPrinter;
class QPrintPreviewWidget;
class QLabel;
class QListWidget;

namespace veltrano {

// The printers Qt lists (CUPS on Debian); none on a machine without printers.
class QtPrinterCatalog : public PrinterCatalog {
public:
    std::vector<std::string> printerNames() const override;
    bool paperOf(const std::string& name, PaperSize& paper) const override;
};

// The on-screen preview of a report: maximised, zoomed to fit the page, with
// page navigation, printing (copies, collation, duplex through the system's
// print dialog) and saving as PDF. Each preview has its own QPrinter.
class ReportPreviewDialog : public QDialog {
public:
    ReportPreviewDialog(ReportDocument document, const QString& caption, QWidget* parent = nullptr);
    ~ReportPreviewDialog() override;

    int pageCount() const;
    int currentPage() const;  // 1-based
    void goToPage(int page);
    void fitPage();
    // Writes the PDF; false (with the reason shown) when it failed.
    bool saveAsPdf(const QString& path);
    const ReportDocument& document() const { return doc_; }

private:
    void print();
    void askAndSavePdf();
    void updatePageLabel();

    ReportDocument doc_;
    std::unique_ptr<QPrinter> printer_;
    QPrintPreviewWidget* view_ = nullptr;
    QLabel* pageLabel_ = nullptr;
};

// Shows each report in a modal preview.
class QtReportViewer : public ReportViewer {
public:
    explicit QtReportViewer(QWidget* parent = nullptr) : parent_(parent) {}
    void show(ReportDocument document, const std::string& caption) override;

private:
    QWidget* parent_;
};

// TFIMPOSTALASTAMPANTE bound to its form model.
class DefaultPrinterDialog : public QDialog {
public:
    DefaultPrinterDialog(DefaultPrinterForm& form, QWidget* parent = nullptr);
    QListWidget* list() const { return list_; }

private:
    DefaultPrinterForm& form_;
    QListWidget* list_ = nullptr;
};

}  // namespace veltrano
