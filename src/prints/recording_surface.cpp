#include "prints/recording_surface.h"

#include <algorithm>
#include <utility>

namespace veltrano {

std::size_t ReportDocument::textCount() const {
    std::size_t n = 0;
    for (const auto& p : pages)
        for (const auto& it : p.items)
            n += it.kind == DrawnItem::Kind::Text ? 1 : 0;
    return n;
}

std::vector<const DrawnItem*> ReportDocument::texts(std::size_t page) const {
    std::vector<const DrawnItem*> out;
    if (page >= pages.size()) return out;
    for (const auto& it : pages[page].items)
        if (it.kind == DrawnItem::Kind::Text) out.push_back(&it);
    return out;
}

namespace {
template <typename Match>
std::vector<const DrawnItem*> collect(const ReportDocument& d, std::size_t page, Match match) {
    std::vector<const DrawnItem*> out;
    for (std::size_t p = 0; p < d.pages.size(); ++p) {
        if (page != static_cast<std::size_t>(-1) && p != page) continue;
        for (const auto& it : d.pages[p].items)
            if (it.kind == DrawnItem::Kind::Text && match(it.text)) out.push_back(&it);
    }
    return out;
}
}  // namespace

std::vector<const DrawnItem*> ReportDocument::find(const std::string& text,
                                                   std::size_t page) const {
    return collect(*this, page, [&](const std::string& t) { return t == text; });
}

std::vector<const DrawnItem*> ReportDocument::findPrefix(const std::string& prefix,
                                                         std::size_t page) const {
    return collect(*this, page,
                   [&](const std::string& t) { return t.compare(0, prefix.size(), prefix) == 0; });
}

RecordingSurface::RecordingSurface(const TextMetrics& metrics, PaperSize paper)
    : metrics_(metrics), paper_(paper) {
    applyPaper();
    doc_.pages.emplace_back();
}

void RecordingSurface::applyPaper() {
    const bool landscape = doc_.orientation == Orientation::Landscape;
    const double shortSide = std::min(paper_.width, paper_.height);
    const double longSide = std::max(paper_.width, paper_.height);
    doc_.pageWidth = landscape ? longSide : shortSide;
    doc_.pageHeight = landscape ? shortSide : longSide;
}

bool RecordingSurface::selectPrinter(const std::string& name) {
    PaperSize paper = paper_;
    if (!lookup_ || !lookup_(name, paper)) return false;
    doc_.printerName = name;
    paper_ = paper;
    applyPaper();
    return true;
}

void RecordingSurface::setOrientation(Orientation o) {
    doc_.orientation = o;
    applyPaper();
}

double RecordingSurface::textWidth(std::string_view utf8) const {
    return metrics_.textWidth(font_, utf8);
}

double RecordingSurface::lineHeight() const {
    return metrics_.lineHeight(font_);
}

void RecordingSurface::text(TextAlign align, double x, double y, std::string_view utf8) {
    DrawnItem it;
    it.kind = DrawnItem::Kind::Text;
    it.align = align;
    it.x = x;
    it.y = y;
    it.font = font_;
    it.text = std::string(utf8);
    it.width = metrics_.textWidth(font_, utf8);
    it.left = align == TextAlign::Left     ? x
              : align == TextAlign::Center ? x - it.width / 2
                                           : x - it.width;
    it.pen = pen_;
    doc_.pages.back().items.push_back(std::move(it));
}

void RecordingSurface::printAt(double x, double y, std::string_view utf8) {
    y_ = y;
    text(TextAlign::Left, x, y, utf8);
}

void RecordingSurface::printCenter(std::string_view utf8, double x) {
    text(TextAlign::Center, x, y_, utf8);
}

void RecordingSurface::printRight(std::string_view utf8, double x) {
    text(TextAlign::Right, x, y_, utf8);
}

void RecordingSurface::line(double x1, double y1, double x2, double y2) {
    DrawnItem it;
    it.kind = DrawnItem::Kind::Line;
    it.x1 = x1, it.y1 = y1, it.x2 = x2, it.y2 = y2;
    it.pen = pen_;
    doc_.pages.back().items.push_back(std::move(it));
}

void RecordingSurface::rectangle(double x1, double y1, double x2, double y2) {
    DrawnItem it;
    it.kind = DrawnItem::Kind::Rectangle;
    it.x1 = x1, it.y1 = y1, it.x2 = x2, it.y2 = y2;
    it.pen = pen_;
    doc_.pages.back().items.push_back(std::move(it));
}

void RecordingSurface::newPage() {
    doc_.pages.emplace_back();
    y_ = 0;
}

ReportDocument RecordingSurface::takeDocument() {
    ReportDocument out = std::move(doc_);
    if (out.pages.size() > 1 && out.pages.back().items.empty()) out.pages.pop_back();
    doc_ = ReportDocument{};
    doc_.orientation = out.orientation;
    doc_.printerName = out.printerName;
    applyPaper();
    doc_.pages.emplace_back();
    return out;
}

}  // namespace veltrano
