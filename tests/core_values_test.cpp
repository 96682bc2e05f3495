#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/values.h"

namespace veltrano {
namespace {

TEST(ParseInteger, Cases) {
    struct Case {
        std::string text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"", 0},
        {"-", 0},
        {"0", 0},
        {"1.234", 1234},
        {"12-3", -123},
        {"  42  ", 42},
        {"-7", -7},
        {"abc", 0},
        // Only the first 20 characters count: the 9 after them are ignored.
        {"00000000000000000001"
         "9",
         1},
        {"                   5"
         "6",
         5},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"99999999999999999999", 2147483647},  // clamped, never wrapped
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseInteger(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ParseDecimal, Cases) {
    struct Case {
        std::string text;
        int decimals;
        double expected;
    };
    const Case cases[] = {
        {"1.234,567", 2, 1234.57},
        {"12,5", 0, 13},
        {"1.5", 5, 15},  // "." is a thousands separator
        {"0,5", 0, 1},
        {"-2,5", 0, -3},
        {"2,675", 2, 2.68},
        {"-0,125", 2, -0.13},
        {"1,005", 2, 1.01},
        {"", 5, 0},
        {"-", 2, 0},
        {",", 2, 0},
        {"-0,001", 2, 0},
        {"0,99999", 2, 1},
        {"999,995", 2, 1000},
        {"12,3456789", 5, 12.34568},
        {"  1.000.000,25 ", 1, 1000000.3},
        {"12345678901234567890"
         "999",
         0, 12345678901234567890.0},  // 20 characters
    };
    for (const auto& c : cases) {
        const double got = ParseDecimal(c.text, c.decimals);
        EXPECT_EQ(got, c.expected) << '"' << c.text << "\" " << c.decimals;
        EXPECT_FALSE(std::signbit(got) && got == 0) << "negative zero from " << c.text;
    }
}

TEST(FormatNumber, Cases) {
    struct Case {
        double x;
        int width;
        int decimals;
        std::string expected;
    };
    const Case cases[] = {
        {1234.5, 0, 0, "1.234,5"},
        {3, 0, 0, "3"},
        {-1234.567, 0, 2, "-1.234,57"},
        {0.5, 0, 3, "0,500"},
        {1234567.891, 0, 2, "1.234.567,89"},
        {0, 0, 0, "0"},
        {5, 3, -1, "   5"},
        {-0.004, 0, 2, "0,00"},
        {-1.25, 0, 0, "-1,25"},
        {2.675, 0, 2, "2,68"},
        {1234.567, 0, 0, "1.234,567"},
        {0.123456, 0, 0, "0,12346"},  // automatic: at most 5 decimals
        {0.999999, 0, 0, "1"},
        {999.9999, 0, 2, "1.000,00"},
        {-5, 3, -1, "  -5"},
        {123456, 3, -1, "123.456"},  // longer than the width: unchanged
        {1000, 0, -1, "1.000"},
        {12.3, 10, 2, "         12,30"},
        {-0.5, 0, -1, "-1"},
        {1e15, 0, -1, "1.000.000.000.000.000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatNumber(c.x, c.width, c.decimals), c.expected)
            << c.x << " w" << c.width << " d" << c.decimals;
    }
}

TEST(RoundTo, HalvesAwayFromZeroAfterNormalising) {
    struct Case {
        double x;
        int n;
        double expected;
    };
    const Case cases[] = {
        {2.675, 2, 2.68},
        {-0.125, 2, -0.13},
        {2.5, 0, 3},
        {-2.5, 0, -3},
        {0.49999, 0, 0},
        {1.005, 2, 1.01},
        {0.1 + 0.2, 1, 0.3},
        {123.0615, 3, 123.062},
        {1e-11, 5, 0},
        {45000.0, 0, 45000},
        {45000.5, 0, 45001},
        {-45000.5, 0, -45001},
        {7.0, 3, 7.0},
        {3.14159, -1, 3},
        // Normalising to 10 decimals first hides binary noise below them.
        {1.49999999994, 0, 1},
        {1.49999999995, 0, 2},
        {-1.49999999995, 0, -2},
        // Binary scaling would give 1.00 and 0.57 here.
        {1.005, 2, 1.01},
        {0.565, 2, 0.57},
        {-1.005, 2, -1.01},
        {8.345, 2, 8.35},
    };
    for (const auto& c : cases) {
        double x = c.x;
        const double r = RoundTo(x, c.n);
        EXPECT_EQ(r, c.expected) << c.x << " to " << c.n;
        EXPECT_EQ(x, c.expected) << "RoundTo changes its argument";
    }
    double nan = std::nan("");
    EXPECT_TRUE(std::isnan(RoundTo(nan, 2)));
}

TEST(PowerOf, RepeatedProducts) {
    EXPECT_EQ(PowerOf(10, 0), 1);
    EXPECT_EQ(PowerOf(10, -3), 1);
    EXPECT_EQ(PowerOf(10, 1), 10);
    EXPECT_EQ(PowerOf(10, 5), 100000);
    EXPECT_EQ(PowerOf(2, 10), 1024);
    EXPECT_EQ(PowerOf(1.5, 2), 2.25);
}

TEST(FixedDigits, TakesTheShortestDecimalOfTheDouble) {
    EXPECT_EQ(FormatFixedPoint(2.675, 2), "2.68");
    EXPECT_EQ(FormatFixedPoint(-2.665, 2), "-2.67");
    EXPECT_EQ(FormatFixedPoint(0.0000000001, 10), "0.0000000001");
    EXPECT_EQ(FormatFixedPoint(-0.0, 2), "0.00");
    EXPECT_EQ(FormatFixedPoint(9.995, 2), "10.00");
    EXPECT_EQ(FormatShortest(12.5), "12.5");
    EXPECT_EQ(FormatShortest(3), "3");
}

}  // namespace
}  // namespace veltrano
