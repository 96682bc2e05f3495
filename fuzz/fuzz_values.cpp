// Value helpers and encodings: no crash on any input, and the round trips the
// forms and the files rely on.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/bytes.h"
#include "core/cp1252.h"
#include "core/dates.h"
#include "core/values.h"

namespace {

void require(bool ok) {
    if (!ok) std::abort();
}

double readDouble(const std::uint8_t* p) {
    double x;
    std::memcpy(&x, p, sizeof x);
    return x;
}

// The number as the forms show it without the leading alignment spaces.
std::string shown(double x, int decimals) {
    return veltrano::TrimText(veltrano::FormatNumber(x, 0, decimals));
}

void numbers(double x, int width, int decimals) {
    using namespace veltrano;
    const std::string text = FormatNumber(x, width, decimals);
    require(!text.empty());
    if (!std::isfinite(x) || std::fabs(x) >= 1e12) return;
    // What FormatNumber shows, ParseDecimal reads back: the value rounded to the
    // decimals shown.
    const int d = decimals > 0 ? decimals : 0;
    if (decimals > 10) return;
    const std::string s = shown(x, decimals == 0 ? -1 : decimals);
    if (s.size() > 20) return;  // ParseDecimal reads the first 20 characters
    const double back = ParseDecimal(s, d);
    const double expected = std::strtod(FormatFixedPoint(x, d).c_str(), nullptr);
    require(back == expected || (back == 0 && expected == 0));
    // RoundTo agrees with the decimal rounding on values a form can hold.
    if (std::fabs(x) < 1e9 && d <= 5) {
        const double r = Rounded(x, d);
        require(std::isfinite(r));
        require(std::fabs(r - expected) <= std::pow(10.0, -d) * 1.0000001);
    }
}

void texts(std::string_view text, int decimals) {
    using namespace veltrano;
    (void)ParseInteger(text);
    const double v = ParseDecimal(text, decimals);
    require(std::isfinite(v));
    // Reading what was shown gives the same value again.
    const std::string s = shown(v, decimals == 0 ? -1 : decimals);
    if (s.size() <= 20)
        require(ParseDecimal(s, decimals) == v || (v == 0 && ParseDecimal(s, decimals) == 0));

    // Encodings: every Windows-1252 byte sequence survives the trip through UTF-8;
    // any UTF-8 text gives one byte per character.
    require(Utf8ToCp1252(Cp1252ToUtf8(text)) == text);
    require(Utf8ToCp1252(text).size() == Utf8Length(text));
    require(Utf8Length(Utf8Left(text, 5)) == std::min<std::size_t>(5, Utf8Length(text)));

    // Dates typed as text: a date that parses is shown as typed.
    if (const auto d = ParseDate(text)) require(FormatDate(*d) == TrimText(text));
    (void)ParseTimeHHMM(text);
}

void dates(double serial) {
    using namespace veltrano;
    const std::string text = FormatDate(serial);
    const auto day = DecodeDate(serial);
    require(text.empty() == !day.has_value());
    if (!day) return;
    require(IsValidCivilDate(day->year, day->month, day->day));
    const auto parsed = ParseDate(text);
    require(parsed.has_value());
    require(*parsed == EncodeDate(*day));
    require(*parsed == std::trunc(serial) || (*parsed == 0 && std::trunc(serial) == 0));
    require(YearOf(serial) == day->year);
    (void)FormatTimeHHMM(serial);
    (void)FormatTimeHHMMSS(serial);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 10) return 0;
    const double x = readDouble(data);
    const int width = data[8] % 32;
    const int decimals = static_cast<int>(data[9] % 13) - 1;  // -1 .. 11
    numbers(x, width, decimals);
    dates(x);
    // Serials of the years the registers use, reached more often than by raw bits.
    dates(static_cast<double>(static_cast<std::int32_t>(std::isfinite(x) ? std::fmod(x, 1e6) : 0)) +
          (data[8] / 256.0));
    const std::string_view text(reinterpret_cast<const char*>(data + 10), size - 10);
    texts(text, decimals < 0 ? 0 : decimals % 11);
    return 0;
}
