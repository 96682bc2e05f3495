#include "platform/report/qt_text_metrics.h"

#include "platform/report/report_fonts.h"

namespace veltrano {

namespace {
// Reference size in points at which widths are measured (72 dpi: 1 px = 1 pt
// for QFontMetricsF without a device is not guaranteed, so the ratio is taken
// from the font's own point size).
constexpr double kReference = 1000.0;
}  // namespace

QtTextMetrics::QtTextMetrics() {
    EnsureReportFonts();
}

const QFontMetricsF& QtTextMetrics::metricsFor(const FontSpec& font) const {
    Key key{font.name, font.bold, font.italic};
    auto it = cache_.find(key);
    if (it == cache_.end()) {
        QFont f = ReportQFont(font, 10);
        f.setPixelSize(static_cast<int>(kReference));
        it = cache_.emplace(key, std::make_unique<QFontMetricsF>(f)).first;
    }
    return *it->second;
}

double QtTextMetrics::textWidth(const FontSpec& font, std::string_view utf8) const {
    if (utf8.empty()) return 0;
    const QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    return metricsFor(font).horizontalAdvance(s) * font.size / kReference;
}

double QtTextMetrics::lineHeight(const FontSpec& font) const {
    return metricsFor(font).lineSpacing() * font.size / kReference;
}

}  // namespace veltrano
