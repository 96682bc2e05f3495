#include "core/values.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "core/cp1252.h"

namespace veltrano {
namespace {

// Rounds the decimal digits int.frac to d places, halves away from zero.
void roundDigits(std::string& integer, std::string& fraction, int d) {
    const auto du = static_cast<std::size_t>(d < 0 ? 0 : d);
    if (fraction.size() <= du) {
        fraction.append(du - fraction.size(), '0');
        return;
    }
    const bool up = fraction[du] >= '5';
    fraction.resize(du);
    if (!up) return;
    // Propagate the carry through fraction, then integer.
    for (std::size_t k = fraction.size(); k-- > 0;) {
        if (fraction[k] == '9') {
            fraction[k] = '0';
        } else {
            ++fraction[k];
            return;
        }
    }
    for (std::size_t k = integer.size(); k-- > 0;) {
        if (integer[k] == '9') {
            integer[k] = '0';
        } else {
            ++integer[k];
            return;
        }
    }
    integer.insert(integer.begin(), '1');
}

void stripLeadingZeros(std::string& integer) {
    std::size_t k = 0;
    while (k + 1 < integer.size() && integer[k] == '0')
        ++k;
    integer.erase(0, k);
    if (integer.empty()) integer = "0";
}

bool allZero(const std::string& s) {
    for (const char c : s) {
        if (c != '0') return false;
    }
    return true;
}

double readBack(const FixedDigits& f) {
    std::string text;
    text.reserve(f.integer.size() + f.fraction.size() + 2);
    if (f.negative) text.push_back('-');
    text += f.integer;
    if (!f.fraction.empty()) {
        text.push_back('.');
        text += f.fraction;
    }
    double v = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        return f.negative ? -std::numeric_limits<double>::infinity()
                          : std::numeric_limits<double>::infinity();
    }
    return v;
}

}  // namespace

FixedDigits ToFixedDigits(double x, int d) {
    FixedDigits out;
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::fixed);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const auto dot = text.find('.');
    out.integer = std::string(text.substr(0, dot));
    if (dot != std::string_view::npos) out.fraction = std::string(text.substr(dot + 1));
    roundDigits(out.integer, out.fraction, d);
    stripLeadingZeros(out.integer);
    out.negative = std::signbit(x) && !(allZero(out.integer) && allZero(out.fraction));
    return out;
}

std::string FormatFixedPoint(double x, int d) {
    if (std::isnan(x)) return "nan";
    if (std::isinf(x)) return x < 0 ? "-inf" : "inf";
    const FixedDigits f = ToFixedDigits(x, d);
    std::string s = f.negative ? "-" : "";
    s += f.integer;
    if (!f.fraction.empty()) s += "." + f.fraction;
    return s;
}

std::string FormatShortest(double x) {
    if (std::isnan(x)) return "nan";
    if (std::isinf(x)) return x < 0 ? "-inf" : "inf";
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
    return std::string(buf, static_cast<std::size_t>(res.ptr - buf));
}

std::int32_t ParseInteger(std::string_view text) {
    const std::string head = Utf8Left(text, 20);
    long long v = 0;
    bool negative = false;
    bool saturated = false;
    for (const char c : head) {
        if (c >= '0' && c <= '9') {
            if (!saturated) {
                v = v * 10 + (c - '0');
                if (v > 1LL << 40) saturated = true;
            }
        } else if (c == '-') {
            negative = true;
        }
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

double ParseDecimal(std::string_view text, int decimals) {
    const std::string head = Utf8Left(text, 20);
    FixedDigits f;
    bool inFraction = false;
    bool negative = false;
    for (const char c : head) {
        if (c >= '0' && c <= '9') {
            (inFraction ? f.fraction : f.integer).push_back(c);
        } else if (c == ',') {
            inFraction = true;
        } else if (c == '-') {
            negative = true;
        }
    }
    if (f.integer.empty()) f.integer = "0";
    roundDigits(f.integer, f.fraction, decimals);
    stripLeadingZeros(f.integer);
    f.negative = negative && !(allZero(f.integer) && allZero(f.fraction));
    return readBack(f);
}

double PowerOf(double x, int n) {
    if (n <= 0) return 1.0;
    double r = x;
    for (int k = 1; k < n; ++k)
        r = r * x;
    return r;
}

double RoundTo(double& x, int n) {
    if (!std::isfinite(x)) return x;
    // Whole numbers below 2^52 are their own rounding at any n: the common case of
    // dates and counts takes no text conversion.
    if (x == std::trunc(x) && std::fabs(x) < 4503599627370496.0) return x;
    // Normalise to 10 decimals, then round the decimal digits themselves. Scaling
    // by 10^n in binary (x * 100 + 0.5) would turn 1.005 into 100.4999... and
    // round it down: halves must go away from zero as they were written.
    FixedDigits f = ToFixedDigits(x, 10);
    roundDigits(f.integer, f.fraction, n < 0 ? 0 : n);
    f.negative = f.negative && !(allZero(f.integer) && allZero(f.fraction));
    x = readBack(f);
    return x;
}

std::string FormatNumber(double x, int width, int decimals) {
    if (!std::isfinite(x)) return std::isnan(x) ? "nan" : (x < 0 ? "-inf" : "inf");
    int d = decimals;
    if (decimals == 0) {
        double frac = x - std::trunc(x);
        RoundTo(frac, 5);
        std::string digits = ToFixedDigits(frac, 5).fraction;
        while (!digits.empty() && digits.back() == '0')
            digits.pop_back();
        // A fraction that rounds to 1 (0.999999) leaves no significant decimals.
        if (std::fabs(frac) >= 1.0) digits.clear();
        d = static_cast<int>(digits.size());
    } else if (decimals < 0) {
        d = 0;
    }
    const FixedDigits f = ToFixedDigits(x, d);
    std::string grouped;
    const std::size_t len = f.integer.size();
    grouped.reserve(len + len / 3 + 2);
    for (std::size_t k = 0; k < len; ++k) {
        if (k > 0 && (len - k) % 3 == 0) grouped.push_back('.');
        grouped.push_back(f.integer[k]);
    }
    if (f.negative) grouped.insert(grouped.begin(), '-');
    if (width >= 0 && grouped.size() <= static_cast<std::size_t>(width)) {
        grouped.insert(0, static_cast<std::size_t>(width) + 1 - grouped.size(), ' ');
    }
    if (d > 0 || !allZero(f.fraction)) {
        grouped.push_back(',');
        grouped += f.fraction;
    }
    return grouped;
}

}  // namespace veltrano
