#include "core/dates.h"

#include <cmath>
#include <cstdio>

#include "core/bytes.h"

namespace veltrano {
namespace {

// Days from 01/01/1970 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

CivilDate civilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2 ? 1 : 0)), static_cast<int>(m), static_cast<int>(d)};
}

const long long kEpoch = daysFromCivil(1899, 12, 30);
const double kMinSerial = static_cast<double>(daysFromCivil(1, 1, 1) - kEpoch);
const double kMaxSerial = static_cast<double>(daysFromCivil(9999, 12, 31) - kEpoch) + 1.0;

bool allDigits(std::string_view s) {
    for (const char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return !s.empty();
}

int toInt(std::string_view s) {
    int v = 0;
    for (const char c : s)
        v = v * 10 + (c - '0');
    return v;
}

// Milliseconds of the day, rounded, from the fraction of a serial.
long long millisOfDay(double serial) {
    double frac = std::fabs(serial - std::trunc(serial));
    auto ms = static_cast<long long>(std::llround(frac * 86400000.0));
    if (ms >= 86400000) ms = 86399999;
    return ms;
}

}  // namespace

bool IsValidCivilDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    return day <= DaysInMonth(year, month);
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

double EncodeDate(int year, int month, int day) {
    return static_cast<double>(
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpoch);
}

double EncodeDate(const CivilDate& d) {
    return EncodeDate(d.year, d.month, d.day);
}

std::optional<CivilDate> DecodeDate(double serial) {
    if (!std::isfinite(serial) || serial < kMinSerial || serial >= kMaxSerial) return std::nullopt;
    const auto days = static_cast<long long>(std::trunc(serial));
    return civilFromDays(days + kEpoch);
}

std::string FormatDate(double serial) {
    const auto d = DecodeDate(serial);
    if (!d) return {};
    char buf[16];
    (void)std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d->day, d->month, d->year);
    return buf;
}

std::optional<double> ParseDate(std::string_view text) {
    const std::string t = TrimText(text);
    const std::string_view s(t);
    if (s.size() != 10 || s[2] != '/' || s[5] != '/') return std::nullopt;
    const auto dd = s.substr(0, 2);
    const auto mm = s.substr(3, 2);
    const auto yy = s.substr(6, 4);
    if (!allDigits(dd) || !allDigits(mm) || !allDigits(yy)) return std::nullopt;
    const int day = toInt(dd);
    const int month = toInt(mm);
    const int year = toInt(yy);
    if (!IsValidCivilDate(year, month, day)) return std::nullopt;
    return EncodeDate(year, month, day);
}

double EncodeTime(int hour, int minute, int second) {
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

std::string FormatTimeHHMM(double serial) {
    if (!std::isfinite(serial)) return {};
    const long long ms = millisOfDay(serial);
    const long long minutes = ms / 60000;
    char buf[8];
    (void)std::snprintf(buf, sizeof buf, "%02lld:%02lld", minutes / 60, minutes % 60);
    return buf;
}

std::string FormatTimeHHMMSS(double serial) {
    if (!std::isfinite(serial)) return {};
    const long long secs = millisOfDay(serial) / 1000;
    char buf[12];
    (void)std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld", secs / 3600, (secs / 60) % 60,
                        secs % 60);
    return buf;
}

std::optional<double> ParseTimeHHMM(std::string_view text) {
    const std::string t = TrimText(text);
    const std::string_view s(t);
    if (s.size() != 5 || s[2] != ':') return std::nullopt;
    if (!allDigits(s.substr(0, 2)) || !allDigits(s.substr(3, 2))) return std::nullopt;
    const int h = toInt(s.substr(0, 2));
    const int m = toInt(s.substr(3, 2));
    if (h > 23 || m > 59) return std::nullopt;
    return EncodeTime(h, m);
}

int YearOf(double serial) {
    const auto d = DecodeDate(serial);
    return d ? d->year : 0;
}

}  // namespace veltrano
