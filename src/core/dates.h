#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veltrano {

// Binary dates are Doubles: days since 30/12/1899, the fraction the time of day.
struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

bool IsValidCivilDate(int year, int month, int day);  // years 1 to 9999
int DaysInMonth(int year, int month);

// Serial day of a valid civil date.
double EncodeDate(int year, int month, int day);
double EncodeDate(const CivilDate& d);
// The day part of a serial (time of day ignored); nullopt for values outside
// 01/01/0001..31/12/9999 or not finite.
std::optional<CivilDate> DecodeDate(double serial);

// "DD/MM/YYYY"; an empty text for a value that is not a date.
std::string FormatDate(double serial);
// Strict "DD/MM/YYYY" (leading/trailing blanks allowed); nullopt when it is not
// a real day.
std::optional<double> ParseDate(std::string_view text);

// Time of day as a fraction of a day.
double EncodeTime(int hour, int minute, int second = 0);
std::string FormatTimeHHMM(double serial);    // "HH:MM"
std::string FormatTimeHHMMSS(double serial);  // "HH:MM:SS"
// Strict "HH:MM"; nullopt otherwise.
std::optional<double> ParseTimeHHMM(std::string_view text);

// The year of a date: characters 7 to 10 of its "DD/MM/YYYY" form.
int YearOf(double serial);

}  // namespace veltrano
