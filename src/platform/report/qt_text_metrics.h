#pragma once

#include <QtGui/QFontMetricsF>
#include <map>
#include <memory>
#include <tuple>

#include "prints/report_surface.h"

namespace veltrano {

// Text metrics of the real report fonts. Measured once at a large reference size
// without hinting and scaled, so a width does not depend on the screen or on the
// printer's resolution. Needs a QGuiApplication (offscreen is enough).
class QtTextMetrics : public TextMetrics {
public:
    QtTextMetrics();
    double textWidth(const FontSpec& font, std::string_view utf8) const override;
    double lineHeight(const FontSpec& font) const override;

private:
    const QFontMetricsF& metricsFor(const FontSpec& font) const;
    using Key = std::tuple<std::string, bool, bool>;
    mutable std::map<Key, std::unique_ptr<QFontMetricsF>> cache_;
};

}  // namespace veltrano
