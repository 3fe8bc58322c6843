#include "core/services/DayTime.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace korvex {

namespace {

constexpr long long kMsPerDay = 86400000LL;

// Days since 1 March of year 0 based civil calendar (proleptic Gregorian), shifted so that
// 30 December 1899 is day 0.
long long DaysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153LL * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 25569; // 25569 = days from 1899-12-30 to 1970-01-01
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468 - 25569;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

// Whole day and milliseconds of the day, the time rounded to the millisecond with the
// rounding carried into the next day (so that 0.99999999 is midnight, not hour 24).
void SplitRounded(DayTime t, long long& day, long long& ms)
{
    const double whole = std::floor(t);
    day = static_cast<long long>(whole);
    ms = std::llround((t - whole) * static_cast<double>(kMsPerDay));
    if (ms >= kMsPerDay) {
        ++day;
        ms -= kMsPerDay;
    }
}

void AppendNumber(std::string& out, int value, int width)
{
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        out.append(static_cast<std::size_t>(width) - digits.size(), '0');
    out += digits;
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int year, int month, int day, DayTime& out)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return false;
    out = static_cast<double>(DaysFromCivil(year, month, day));
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, DayTime& out)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999)
        return false;
    const long long ms = ((hour * 60LL + minute) * 60 + second) * 1000 + msec;
    out = static_cast<double>(ms) / static_cast<double>(kMsPerDay);
    return true;
}

DayTime EncodeDate(int year, int month, int day)
{
    DayTime t = 0;
    if (!TryEncodeDate(year, month, day, t))
        throw std::invalid_argument("Invalid date");
    return t;
}

DayTime EncodeTime(int hour, int minute, int second, int msec)
{
    DayTime t = 0;
    if (!TryEncodeTime(hour, minute, second, msec, t))
        throw std::invalid_argument("Invalid time");
    return t;
}

DayTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second)
{
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second);
}

CivilDateTime DecodeDayTime(DayTime t)
{
    long long day = 0;
    long long ms = 0;
    SplitRounded(t, day, ms);
    CivilDateTime c;
    CivilFromDays(day, c.year, c.month, c.day);
    c.msec = static_cast<int>(ms % 1000);
    const long long secs = ms / 1000;
    c.second = static_cast<int>(secs % 60);
    c.minute = static_cast<int>(secs / 60 % 60);
    c.hour = static_cast<int>(secs / 3600);
    return c;
}

void DecodeDate(DayTime t, int& year, int& month, int& day)
{
    long long d = 0;
    long long ms = 0;
    SplitRounded(t, d, ms);
    CivilFromDays(d, year, month, day);
}

DayTime DateOf(DayTime t)
{
    return std::floor(t);
}

DayTime StartOfMonth(DayTime t)
{
    int y = 0, m = 0, d = 0;
    CivilFromDays(static_cast<long long>(std::floor(t)), y, m, d);
    return static_cast<double>(DaysFromCivil(y, m, 1));
}

DayTime IncMonth(DayTime t, int months)
{
    const double whole = std::floor(t);
    int y = 0, m = 0, d = 0;
    CivilFromDays(static_cast<long long>(whole), y, m, d);
    long long index = static_cast<long long>(y) * 12 + (m - 1) + months;
    long long ny = index >= 0 ? index / 12 : (index - 11) / 12;
    const int nm = static_cast<int>(index - ny * 12) + 1;
    const int nd = std::min(d, DaysInMonth(static_cast<int>(ny), nm));
    return static_cast<double>(DaysFromCivil(static_cast<int>(ny), nm, nd)) + (t - whole);
}

int DayOfWeek(DayTime t)
{
    // Day 0 (30 December 1899) was a Saturday.
    const long long d = static_cast<long long>(std::floor(t));
    const long long r = ((d - 1) % 7 + 7) % 7;
    return static_cast<int>(r) + 1;
}

const MonthNames& MonthNames::English()
{
    static const MonthNames names{
        {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
        {"January", "February", "March", "April", "May", "June", "July", "August", "September",
         "October", "November", "December"}};
    return names;
}

// Letters are taken without regard to case, as the date formats of the program always were.
std::string FormatDayTime(std::string_view format, DayTime t, const MonthNames& names)
{
    const CivilDateTime c = DecodeDayTime(t);
    std::string out;
    out.reserve(format.size() + 8);
    bool afterHour = false; // last token was h/hh, possibly followed by ':'
    std::size_t i = 0;
    const std::size_t n = format.size();
    auto run = [&](char letter, std::size_t maxLen) {
        std::size_t len = 0;
        while (i + len < n && len < maxLen && Lower(format[i + len]) == letter)
            ++len;
        return len;
    };
    while (i < n) {
        const char ch = format[i];
        const char lower = Lower(ch);
        if (ch == '"' || ch == '\'') {
            const std::size_t close = format.find(ch, i + 1);
            const std::size_t end = close == std::string_view::npos ? n : close;
            out.append(format.substr(i + 1, end - i - 1));
            i = close == std::string_view::npos ? n : close + 1;
            afterHour = false;
            continue;
        }
        bool isHour = false;
        switch (lower) {
            case 'd': {
                const std::size_t len = run('d', 2);
                AppendNumber(out, c.day, static_cast<int>(len));
                i += len;
                break;
            }
            case 'm': {
                const std::size_t len = run('m', 4);
                if (afterHour && len <= 2)
                    AppendNumber(out, c.minute, static_cast<int>(len));
                else if (len == 4)
                    out += names.longNames[static_cast<std::size_t>(c.month - 1)];
                else if (len == 3)
                    out += names.shortNames[static_cast<std::size_t>(c.month - 1)];
                else
                    AppendNumber(out, c.month, static_cast<int>(len));
                i += len;
                break;
            }
            case 'y': {
                std::size_t len = 0;
                while (i + len < n && Lower(format[i + len]) == 'y')
                    ++len;
                if (len <= 2)
                    AppendNumber(out, c.year % 100, 2);
                else
                    AppendNumber(out, c.year, 4);
                i += len;
                break;
            }
            case 'h': {
                const std::size_t len = run('h', 2);
                AppendNumber(out, c.hour, static_cast<int>(len));
                i += len;
                isHour = true;
                break;
            }
            case 'n': {
                const std::size_t len = run('n', 2);
                AppendNumber(out, c.minute, static_cast<int>(len));
                i += len;
                break;
            }
            case 's': {
                const std::size_t len = run('s', 2);
                AppendNumber(out, c.second, static_cast<int>(len));
                i += len;
                break;
            }
            default:
                out.push_back(ch);
                ++i;
                if (ch == ':' && afterHour)
                    continue;
                break;
        }
        afterHour = isHour;
    }
    return out;
}

} // namespace korvex
