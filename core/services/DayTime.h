#pragma once

#include <array>
#include <string>
#include <string_view>

namespace korvex {

// A point in time: days since 30 December 1899, the fraction being the time of day.
using DayTime = double;

constexpr double kOneHour = 1.0 / 24.0;
constexpr double kOneMinute = 1.0 / 1440.0;
constexpr double kOneSecond = 1.0 / 86400.0;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Returns false (and leaves out untouched) for an invalid date or time.
bool TryEncodeDate(int year, int month, int day, DayTime& out);
bool TryEncodeTime(int hour, int minute, int second, int msec, DayTime& out);
// Throwing variants (std::invalid_argument).
DayTime EncodeDate(int year, int month, int day);
DayTime EncodeTime(int hour, int minute, int second = 0, int msec = 0);
DayTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second = 0);

struct CivilDateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, msec = 0;
};
// Time of day rounded to the millisecond (a rounding up to midnight moves to the next day).
CivilDateTime DecodeDayTime(DayTime t);
void DecodeDate(DayTime t, int& year, int& month, int& day);

// These three take the day as floor(t), like DateOf.
DayTime DateOf(DayTime t);               // whole day (floor)
DayTime StartOfMonth(DayTime t);         // first day of t's month, 00:00
DayTime IncMonth(DayTime t, int months); // same day clamped to the month's end, time kept
int DayOfWeek(DayTime t);                // 1 = Sunday ... 7 = Saturday

struct MonthNames {
    std::array<std::string, 12> shortNames; // "Jan" ...
    std::array<std::string, 12> longNames;  // "January" ...
    static const MonthNames& English();
};

// Formats with the program's date-format letters: d dd m mm mmm mmmm yy yyyy h hh n nn s ss,
// text in double or single quotes literally, everything else copied. m/mm directly after h/hh
// (a ':' between is allowed) means minutes, as in "hh:mm". Letters count in either case; a run
// of one or two 'y' gives the two-digit year, three or more the four-digit year.
std::string FormatDayTime(std::string_view format, DayTime t,
                          const MonthNames& names = MonthNames::English());

} // namespace korvex
