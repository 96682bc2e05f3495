#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "prints/report_surface.h"

namespace veltrano {

// One thing drawn on a page.
struct DrawnItem {
    enum class Kind { Text, Line, Rectangle };
    Kind kind = Kind::Text;
    // Text: anchor (x, y) as given, with its alignment; the left edge of the
    // printed text is `left` (= x, x - width / 2 or x - width).
    TextAlign align = TextAlign::Left;
    double x = 0, y = 0;
    double left = 0, width = 0;
    TextFont font;
    std::string text;
    // Line and rectangle: corners.
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Pen pen;
};

struct DrawnPage {
    std::vector<DrawnItem> items;
};

// What a report drew: the pages, their size and the printer asked for. The Qt
// layer replays it on the preview, a printer or a PDF file.
struct ReportDocument {
    std::string printerName;  // empty: the system's default printer
    Orientation orientation = Orientation::Portrait;
    double pageWidth = 0, pageHeight = 0;  // points, in the chosen orientation
    std::vector<DrawnPage> pages;

    std::size_t textCount() const;
    // Every text of a page, in drawing order; handy for assertions.
    std::vector<const DrawnItem*> texts(std::size_t page) const;
    // Texts equal to `text` on a page (all pages when page is npos).
    std::vector<const DrawnItem*> find(const std::string& text,
                                       std::size_t page = static_cast<std::size_t>(-1)) const;
    // Texts beginning with `prefix`.
    std::vector<const DrawnItem*> findPrefix(const std::string& prefix,
                                             std::size_t page = static_cast<std::size_t>(-1)) const;
};

// Paper sizes in points, portrait.
struct PaperSize {
    double width = 595.276;  // A4
    double height = 841.89;
};

// A surface that keeps what is drawn. Measures through the injected metrics, so
// the layout is the one the real fonts give. The first page exists from the
// start; an empty trailing page (started but never drawn on) is dropped by
// takeDocument().
class RecordingSurface : public ReportSurface {
public:
    explicit RecordingSurface(const TextMetrics& metrics, PaperSize paper = {});

    // Tells whether a printer of that name exists (and gives its paper); used by
    // selectPrinter. Without one, every name is unknown.
    using PrinterLookup = std::function<bool(const std::string& name, PaperSize& paper)>;
    void setPrinterLookup(PrinterLookup lookup) { lookup_ = std::move(lookup); }

    bool selectPrinter(const std::string& name) override;
    void setOrientation(Orientation o) override;

    void setFontName(const std::string& name) override { font_.name = name; }
    void setFontSize(double points) override { font_.size = points; }
    void setBold(bool on) override { font_.bold = on; }
    void setItalic(bool on) override { font_.italic = on; }
    void setFontRotation(double degrees) override { font_.rotation = degrees; }
    const TextFont& font() const override { return font_; }

    double textWidth(std::string_view utf8) const override;
    double lineHeight() const override;
    double pageWidth() const override { return doc_.pageWidth; }
    double pageHeight() const override { return doc_.pageHeight; }

    double y() const override { return y_; }
    void setY(double y) override { y_ = y; }

    void printAt(double x, double y, std::string_view utf8) override;
    void printCenter(std::string_view utf8, double x) override;
    void printRight(std::string_view utf8, double x) override;

    void line(double x1, double y1, double x2, double y2) override;
    void rectangle(double x1, double y1, double x2, double y2) override;

    void setPenColor(std::uint32_t rgb) override { pen_.color = rgb; }
    void setPenStyle(PenStyle style) override { pen_.style = style; }
    void setPenWidth(double points) override { pen_.width = points; }

    void newPage() override;
    int currentPage() const override { return static_cast<int>(doc_.pages.size()); }

    const ReportDocument& document() const { return doc_; }
    ReportDocument takeDocument();

private:
    void text(TextAlign align, double x, double y, std::string_view utf8);
    void applyPaper();

    const TextMetrics& metrics_;
    PaperSize paper_;
    PrinterLookup lookup_;
    ReportDocument doc_;
    TextFont font_;
    Pen pen_;
    double y_ = 0;
};

}  // namespace veltrano
