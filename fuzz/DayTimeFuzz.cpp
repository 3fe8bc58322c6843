// libFuzzer target: the date-time formatter with any format text and any time, and the log
// timestamp parser with any text. Formatting never runs away; a time formatted in either log
// order parses back to the same second; whatever the parser accepts formats and parses back
// to itself.
#include "FuzzCheck.h"
#include "core/logdata/LogFileReader.h"
#include "core/services/DayTime.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

using namespace korvex;
using korvex::fuzz::Check;

namespace {

// Days of 1 January 100 and 31 December 9999: the range the formatter's letters describe.
constexpr double kFirstDay = -657434;
constexpr double kLastDay = 2958465;

double TimeFrom(const std::uint8_t* data)
{
    std::int64_t raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    // Whole milliseconds within the supported range, so that every field is exact.
    const std::int64_t span = static_cast<std::int64_t>(kLastDay - kFirstDay + 1) * 86400000LL;
    std::int64_t ms = raw % span;
    if (ms < 0)
        ms += span;
    return kFirstDay + static_cast<double>(ms) / 86400000.0;
}

bool SameSecond(double a, double b)
{
    const CivilDateTime x = DecodeDayTime(a);
    const CivilDateTime y = DecodeDayTime(b);
    return x.year == y.year && x.month == y.month && x.day == y.day && x.hour == y.hour &&
           x.minute == y.minute && x.second == y.second;
}

void CheckRoundTrip(double t, const char* format, DateOrder order)
{
    const std::string text = FormatDayTime(format, t);
    double back = 0;
    Check(ParseLogTimestamp(text, order, back), "a formatted time parses");
    Check(SameSecond(t, back), "a formatted time parses back to its second");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 8)
        return 0;
    const double t = TimeFrom(data);
    const std::string_view rest(reinterpret_cast<const char*>(data + 8), size - 8);

    // Any format: the output grows at most by the longest field per format character.
    const std::string formatted = FormatDayTime(rest, t);
    Check(formatted.size() <= 16 * rest.size() + 16, "formatting stays bounded");

    CheckRoundTrip(t, "yyyy-mm-dd hh:nn:ss", DateOrder::YearMonthDay);
    CheckRoundTrip(t, "dd.mm.yyyy hh:nn:ss", DateOrder::DayMonthYear);
    // The two-digit year of the log names and old logs means 2000 to 2099.
    if (DecodeDayTime(t).year >= 2000 && DecodeDayTime(t).year <= 2099)
        CheckRoundTrip(t, "dd.mm.yy hh:nn:ss", DateOrder::DayMonthYear);

    for (const DateOrder order : {DateOrder::YearMonthDay, DateOrder::DayMonthYear}) {
        double parsed = 0;
        if (ParseLogTimestamp(rest, order, parsed)) {
            Check(std::isfinite(parsed), "a parsed time is finite");
            const char* format =
                order == DateOrder::YearMonthDay ? "yyyy-mm-dd hh:nn:ss" : "dd.mm.yyyy hh:nn:ss";
            const std::string again = FormatDayTime(format, parsed);
            double back = 0;
            Check(ParseLogTimestamp(again, order, back), "a parsed time formats and parses");
            Check(SameSecond(back, parsed), "parsing is stable");
        }
        double day = 0;
        if (ParseLogDate(rest, order, day)) {
            Check(day == std::floor(day), "a date alone is a whole day");
            double stamp = 0;
            Check(ParseLogTimestamp(rest, order, stamp) && stamp == day,
                  "a date is also a timestamp");
        }
    }
    return 0;
}
