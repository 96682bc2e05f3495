#include "platform/report/qt_text_metrics.h"

#include "platform/report/report_fonts.h"

namespace veltrano {

namespace {

// Reference pixel size at which advances are measured and then scaled.
constexpr double kReference = 1000.0;

// Next code point of a UTF-8 text; an invalid byte counts as itself (as the
// Windows-1252 layer maps it).
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    auto cont = [&](std::size_t k) {
        return i + k < s.size() && (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
    };
    auto byte = [&](std::size_t k) { return static_cast<char32_t>(s[i + k] & 0x3F); };
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    if ((b0 & 0xE0) == 0xC0 && cont(1)) {
        const char32_t c = (static_cast<char32_t>(b0 & 0x1F) << 6) | byte(1);
        i += 2;
        return c;
    }
    if ((b0 & 0xF0) == 0xE0 && cont(1) && cont(2)) {
        const char32_t c = (static_cast<char32_t>(b0 & 0x0F) << 12) | (byte(1) << 6) | byte(2);
        i += 3;
        return c;
    }
    if ((b0 & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
        const char32_t c =
            (static_cast<char32_t>(b0 & 0x07) << 18) | (byte(1) << 12) | (byte(2) << 6) | byte(3);
        i += 4;
        return c;
    }
    ++i;
    return b0;
}

}  // namespace

double QtTextMetrics::Face::advance(char32_t c) {
    if (c < 256) {
        double& a = latin[c];
        if (a < 0) a = metrics->horizontalAdvance(QChar(static_cast<char16_t>(c)));
        return a;
    }
    const auto it = other.find(c);
    if (it != other.end()) return it->second;
    const QString s = QString::fromUcs4(&c, 1);
    const double a = metrics->horizontalAdvance(s);
    other.emplace(c, a);
    return a;
}

QtTextMetrics::QtTextMetrics() {
    EnsureReportFonts();
}
QtTextMetrics::~QtTextMetrics() = default;

QtTextMetrics::Face& QtTextMetrics::faceFor(const TextFont& font) const {
    if (lastFace_ && std::get<0>(lastKey_) == font.name && std::get<1>(lastKey_) == font.bold &&
        std::get<2>(lastKey_) == font.italic)
        return *lastFace_;
    Key key{font.name, font.bold, font.italic};
    auto it = cache_.find(key);
    if (it == cache_.end()) {
        auto face = std::make_unique<Face>();
        QFont f = ReportQFont(font, 10);
        f.setPixelSize(static_cast<int>(kReference));
        face->metrics = std::make_unique<QFontMetricsF>(f);
        face->latin.fill(-1);
        face->lineSpacing = face->metrics->lineSpacing();
        it = cache_.emplace(key, std::move(face)).first;
    }
    lastKey_ = key;
    lastFace_ = it->second.get();
    return *lastFace_;
}

double QtTextMetrics::textWidth(const TextFont& font, std::string_view utf8) const {
    if (utf8.empty()) return 0;
    Face& face = faceFor(font);
    double sum = 0;
    for (std::size_t i = 0; i < utf8.size();)
        sum += face.advance(NextCodePoint(utf8, i));
    return sum * font.size / kReference;
}

double QtTextMetrics::lineHeight(const TextFont& font) const {
    return faceFor(font).lineSpacing * font.size / kReference;
}

}  // namespace veltrano
