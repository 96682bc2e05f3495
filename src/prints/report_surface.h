#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veltrano {

// Font of a report item. Sizes are in points; rotation in degrees,
// counter-clockwise, about the text's anchor point.
struct TextFont {
    std::string name = "TIMES NEW ROMAN";
    double size = 10;
    bool bold = false;
    bool italic = false;
    double rotation = 0;
    friend bool operator==(const TextFont&, const TextFont&) = default;
};

// How a report measures text: the printed width of a text and the line height
// of a font, in points. The Qt implementation measures with the real fonts, so a
// layout computed against a recording surface is the one that gets printed.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual double textWidth(const TextFont& font, std::string_view utf8) const = 0;
    virtual double lineHeight(const TextFont& font) const = 0;
};

enum class Orientation { Portrait, Landscape };
enum class PenStyle { Solid, Dash, Dot, DashDot, Clear };
enum class TextAlign { Left, Center, Right };

struct Pen {
    std::uint32_t color = 0x000000;  // 0xRRGGBB
    PenStyle style = PenStyle::Solid;
    double width = 0;  // points; 0 = the thinnest line the device draws
    friend bool operator==(const Pen&, const Pen&) = default;
};

// The drawing operations every print uses. Coordinates are points from the top
// left corner of the sheet; the y of a text is its baseline.
class ReportSurface {
public:
    virtual ~ReportSurface() = default;

    // Chooses the printer by the name the system lists; false (and the default
    // printer stays) when there is none of that name.
    virtual bool selectPrinter(const std::string& name) = 0;
    virtual void setOrientation(Orientation o) = 0;

    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setBold(bool on) = 0;
    virtual void setItalic(bool on) = 0;
    virtual void setFontRotation(double degrees) = 0;
    virtual const TextFont& font() const = 0;

    virtual double textWidth(std::string_view utf8) const = 0;
    virtual double lineHeight() const = 0;
    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;

    virtual double y() const = 0;
    virtual void setY(double y) = 0;

    // Left-aligned at (x, y).
    virtual void printAt(double x, double y, std::string_view utf8) = 0;
    // Centred on x, right-aligned on x: on the current line (y()).
    virtual void printCenter(std::string_view utf8, double x) = 0;
    virtual void printRight(std::string_view utf8, double x) = 0;

    virtual void line(double x1, double y1, double x2, double y2) = 0;
    virtual void rectangle(double x1, double y1, double x2, double y2) = 0;

    virtual void setPenColor(std::uint32_t rgb) = 0;
    virtual void setPenStyle(PenStyle style) = 0;
    virtual void setPenWidth(double points) = 0;

    virtual void newPage() = 0;
    // 1-based number of the page being drawn.
    virtual int currentPage() const = 0;
};

}  // namespace veltrano
