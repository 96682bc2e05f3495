#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "core/dates.h"

namespace veltrano {
namespace {

TEST(Dates, KnownSerials) {
    struct Case {
        int y, m, d;
        double serial;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},     {1899, 12, 31, 1},    {1900, 1, 1, 2},      {1900, 3, 1, 61},
        {2000, 1, 1, 36526},   {2000, 2, 29, 36585}, {2024, 2, 29, 45351}, {2025, 1, 1, 45658},
        {2100, 12, 31, 73415}, {1899, 12, 29, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.d << "/" << c.m << "/" << c.y;
        const auto back = DecodeDate(c.serial);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, (CivilDate{c.y, c.m, c.d}));
    }
}

TEST(Dates, EveryDayFrom1900To2100RoundTrips) {
    double expected = EncodeDate(1900, 1, 1);
    for (int y = 1900; y <= 2100; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= DaysInMonth(y, m); ++d) {
                const double s = EncodeDate(y, m, d);
                ASSERT_EQ(s, expected) << d << "/" << m << "/" << y;  // consecutive serials
                char text[40];
                std::snprintf(text, sizeof text, "%02d/%02d/%04d", d, m, y);
                ASSERT_EQ(FormatDate(s), text);
                ASSERT_EQ(FormatDate(s + 0.75), text) << "the time of day does not change the day";
                const auto parsed = ParseDate(text);
                ASSERT_TRUE(parsed.has_value()) << text;
                ASSERT_EQ(*parsed, s);
                ASSERT_EQ(YearOf(s), y);
                expected += 1;
            }
        }
    }
}

TEST(Dates, LeapYears) {
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_FALSE(ParseDate("29/02/2023").has_value());
    EXPECT_TRUE(ParseDate("29/02/2024").has_value());
}

TEST(Dates, RejectsWhatIsNotADay) {
    for (const char* t : {"", "1/1/2024", "32/01/2024", "00/01/2024", "01/13/2024", "01-01-2024",
                          "aa/bb/cccc", "01/01/0000", "31/04/2024", "01/01/20245"}) {
        EXPECT_FALSE(ParseDate(t).has_value()) << t;
    }
    EXPECT_EQ(ParseDate(" 10/03/2024 "), EncodeDate(2024, 3, 10));
    EXPECT_EQ(FormatDate(std::nan("")), "");
    EXPECT_EQ(FormatDate(1e300), "");
    EXPECT_FALSE(DecodeDate(-1e9).has_value());
}

TEST(Times, HoursAndMinutes) {
    EXPECT_EQ(FormatTimeHHMM(EncodeDate(2024, 1, 1) + EncodeTime(7, 5)), "07:05");
    EXPECT_EQ(FormatTimeHHMMSS(EncodeTime(23, 59, 59)), "23:59:59");
    EXPECT_EQ(ParseTimeHHMM("08:30"), EncodeTime(8, 30));
    for (const char* t : {"24:00", "12:60", "8:30", "08.30", ""}) {
        EXPECT_FALSE(ParseTimeHHMM(t).has_value()) << t;
    }
}

}  // namespace
}  // namespace veltrano
