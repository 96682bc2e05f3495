#pragma once

#include <QtGui/QFontMetricsF>
#include <array>
#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>

#include "prints/report_surface.h"

namespace veltrano {

// Text metrics of the real report fonts. Measured at a large reference size
// without hinting or kerning and scaled, so a width does not depend on the
// screen or on the printer's resolution. Without kerning a text is as wide as
// the sum of its characters, so advances are kept per character. Needs a
// QGuiApplication (offscreen is enough).
class QtTextMetrics : public TextMetrics {
public:
    QtTextMetrics();
    ~QtTextMetrics() override;
    double textWidth(const TextFont& font, std::string_view utf8) const override;
    double lineHeight(const TextFont& font) const override;

private:
    struct Face {
        std::unique_ptr<QFontMetricsF> metrics;
        std::array<double, 256> latin{};  // < 0: not measured yet
        std::unordered_map<char32_t, double> other;
        double lineSpacing = 0;
        double advance(char32_t c);
    };
    Face& faceFor(const TextFont& font) const;
    using Key = std::tuple<std::string, bool, bool>;
    mutable std::map<Key, std::unique_ptr<Face>> cache_;
    mutable Key lastKey_;
    mutable Face* lastFace_ = nullptr;
};

}  // namespace veltrano
