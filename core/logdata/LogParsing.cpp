// Cell-level parsing of log files: timestamps by hand, numbers with the decimal comma.
#include "core/logdata/LogFileReader.h"

#include "core/logdata/LogCells.h"
#include "core/logdata/ShortDecimal.h"

#include <fast_float/fast_float.h>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace korvex {

namespace {

inline bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

inline std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Reads 1..maxDigits decimal digits.
inline bool ReadNumber(const char*& p, const char* end, int maxDigits, int& value, int& digits)
{
    value = 0;
    digits = 0;
    while (p < end && *p >= '0' && *p <= '9') {
        if (digits == maxDigits)
            return false;
        value = value * 10 + (*p - '0');
        ++digits;
        ++p;
    }
    return digits > 0;
}

// Days from 1 March of year 0 style civil computation; 0 = 30 December 1899.
inline long long DaysFromCivil(int y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr long long kEpochDays = -25569; // DaysFromCivil(1899, 12, 30)

inline bool ValidDate(int y, int m, int d)
{
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1)
        return false;
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int last = kDays[m - 1];
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0))
        last = 29;
    return d <= last;
}

// Parses the date at p; leaves p after it.
bool ParseDatePart(const char*& p, const char* end, DateOrder order, double& day)
{
    const char sep = order == DateOrder::YearMonthDay ? '-' : '.';
    int a = 0, b = 0, c = 0, da = 0, db = 0, dc = 0;
    const int firstMax = order == DateOrder::YearMonthDay ? 4 : 2;
    const int lastMax = order == DateOrder::YearMonthDay ? 2 : 4;
    if (!ReadNumber(p, end, firstMax, a, da) || p >= end || *p != sep)
        return false;
    ++p;
    if (!ReadNumber(p, end, 2, b, db) || p >= end || *p != sep)
        return false;
    ++p;
    if (!ReadNumber(p, end, lastMax, c, dc))
        return false;
    int year, month = b, dom;
    int yearDigits;
    if (order == DateOrder::YearMonthDay) {
        year = a;
        yearDigits = da;
        dom = c;
    } else {
        year = c;
        yearDigits = dc;
        dom = a;
    }
    if (yearDigits <= 2)
        year += 2000;
    if (!ValidDate(year, month, dom))
        return false;
    day = static_cast<double>(DaysFromCivil(year, month, dom) - kEpochDays);
    return true;
}

} // namespace

bool ParseLogDate(std::string_view text, DateOrder order, double& out)
{
    text = Trim(text);
    const char* p = text.data();
    const char* end = p + text.size();
    double day = 0;
    if (!ParseDatePart(p, end, order, day) || p != end)
        return false;
    out = day;
    return true;
}

bool ParseLogTimestamp(std::string_view text, DateOrder order, double& out)
{
    text = Trim(text);
    const char* p = text.data();
    const char* end = p + text.size();
    double day = 0;
    if (!ParseDatePart(p, end, order, day))
        return false;
    if (p == end) {
        out = day;
        return true;
    }
    if (!IsBlank(*p))
        return false;
    while (p < end && IsBlank(*p))
        ++p;
    int hour = 0, minute = 0, second = 0, msec = 0, digits = 0;
    if (!ReadNumber(p, end, 2, hour, digits) || p >= end || *p != ':')
        return false;
    ++p;
    if (!ReadNumber(p, end, 2, minute, digits))
        return false;
    if (p < end && *p == ':') {
        ++p;
        if (!ReadNumber(p, end, 2, second, digits))
            return false;
        if (p < end && (*p == '.' || *p == ',')) {
            ++p;
            if (!ReadNumber(p, end, 3, msec, digits))
                return false;
            while (digits++ < 3)
                msec *= 10;
        }
    }
    if (p != end || hour > 23 || minute > 59 || second > 59)
        return false;
    const long long ms = ((hour * 60LL + minute) * 60LL + second) * 1000LL + msec;
    out = day + static_cast<double>(ms) / 86400000.0;
    return true;
}

bool ParseLogNumber(std::string_view text, double& out)
{
    text = Trim(text);
    if (text.empty())
        return false;
    const char* p = text.data();
    const char* end = p + text.size();
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Only digits or the comma may start the number: no inf, nan or a second sign.
    if (p == end || !((*p >= '0' && *p <= '9') || *p == ','))
        return false;

    // Most cells are short plain decimals, read exactly without the general parser.
    if (const ShortDecimal d = ScanShortDecimal(p, end); d.stop == end) {
        if (d.digits == 0)
            return false;
        if (d.digits <= 15) {
            out = negative ? -d.value : d.value;
            return true;
        }
    }
    double value = 0;
    const auto result = fast_float::from_chars_advanced(
        p, end, value, fast_float::parse_options(fast_float::chars_format::general, ','));
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return false;
    out = negative ? -value : value;
    return true;
}

} // namespace korvex

namespace korvex {

bool LogStampReader::takeDate(const char* s, DateOrder order)
{
    const auto two = [s](int at, int& v) { return TwoDigits(s + at, v); };
    int y1 = 0, y2 = 0, month = 0, dom = 0;
    const bool ymd = order == DateOrder::YearMonthDay;
    const bool shape =
        ymd ? s[4] == '-' && s[7] == '-' && two(0, y1) && two(2, y2) && two(5, month) && two(8, dom)
            : s[2] == '.' && s[5] == '.' && two(0, dom) && two(3, month) && two(6, y1) &&
                  two(8, y2);
    const int year = y1 * 100 + y2;
    if (!shape || !ValidDate(year, month, dom))
        return false;
    day_ = static_cast<double>(DaysFromCivil(year, month, dom) - kEpochDays);
    std::memcpy(date_, s, sizeof date_);
    dateOrder_ = order;
    known_ = true;
    return true;
}

} // namespace korvex
