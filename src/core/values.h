#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veltrano {

// Whole number typed by the user: the digits among the first 20 characters,
// joined; a "-" anywhere makes it negative. "1.234" gives 1234, "12-3" gives -123.
// Values beyond the Integer range are clamped to it.
std::int32_t ParseInteger(std::string_view text);

// Number with decimal comma, rounded to `decimals` places, halves away from zero.
// "1.234,567" with 2 gives 1234.57; "1.5" gives 15 ("." is a thousands separator).
double ParseDecimal(std::string_view text, int decimals);

// Italian notation: "." between thousands, "," before the decimals.
// decimals 0 = automatic (up to 5 significant decimals), -1 = none, n > 0 = n.
// The integer part is right-aligned in width + 1 characters when it fits.
std::string FormatNumber(double x, int width, int decimals);

// Halves away from zero after normalising x to 10 decimals; changes x and
// returns it.
double RoundTo(double& x, int n);
// Convenience for a value that is not a variable.
inline double Rounded(double x, int n) {
    return RoundTo(x, n);
}

// x multiplied by itself n - 1 times, each product a Double; 1 when n <= 0.
double PowerOf(double x, int n);

// The decimal digits of x rounded to d places, halves away from zero, taken from
// the shortest decimal text that reads back as x (so 2.675 rounds to 2.68 as
// the user wrote it, whatever its binary neighbour). Used by the helpers above.
struct FixedDigits {
    bool negative = false;  // false when every digit is zero
    std::string integer;    // at least "0"
    std::string fraction;   // exactly d digits
};
FixedDigits ToFixedDigits(double x, int d);
// "-123.45" style text (decimal point, no grouping); "nan"/"inf" for non-finite.
std::string FormatFixedPoint(double x, int d);
// Shortest text with a decimal point that reads back as x ("12.5", "3", "-0.001").
std::string FormatShortest(double x);

}  // namespace veltrano
