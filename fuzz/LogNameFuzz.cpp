// libFuzzer target: the directory scan's rules for log file names. The sort key, the date, the
// day key, the device number and the comma copy's name agree with the characters they are
// read from, for any name and any folder in front of it.
#include "FuzzCheck.h"
#include "core/logdata/CommaCopy.h"
#include "core/logdata/DeviceNames.h"
#include "core/logdata/LogDirectory.h"
#include "core/services/DayTime.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

using namespace korvex;
using korvex::fuzz::Check;

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool EndsWithCsv(std::string_view name)
{
    if (name.size() < 4 || name[name.size() - 4] != '.')
        return false;
    std::string ext(name.substr(name.size() - 3));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ext == "csv";
}

// The reference reading of the sort key: optional sign, digits only, within int.
bool ReferenceKey(std::string_view digits, long long& value)
{
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty())
        return false;
    value = 0;
    bool huge = false;
    for (char c : digits) {
        if (!IsDigit(c))
            return false;
        value = value * 10 + (c - '0');
        if (value > 100000000000LL) {
            huge = true;
            value = 100000000000LL;
        }
    }
    if (negative)
        value = -value;
    return !huge && value >= INT32_MIN && value <= INT32_MAX;
}

void CheckName(std::string_view name)
{
    int key = 0;
    const bool keyed = LogFileSortKey(name, key);
    long long want = 0;
    const bool wanted = EndsWithCsv(name) && name.size() >= 7 &&
                        ReferenceKey(name.substr(2, name.size() - 6), want);
    Check(keyed == wanted, "a sort key exactly for NN<integer>.csv");
    if (keyed)
        Check(key == want, "the sort key is the integer after the first two characters");

    DayTime day = 0;
    if (LogFileNameDate(name, day)) {
        Check(day == std::floor(day), "a name's date is a whole day");
        const int yymmdd = DayKey(day);
        const std::string_view digits = name.substr(2, 6);
        int fromName = 0;
        for (char c : digits) {
            Check(IsDigit(c), "a dated name has six digits");
            fromName = fromName * 10 + (c - '0');
        }
        Check(yymmdd == fromName, "the day key is the name's six digits");
        Check(FormatDayTime("yymmdd", day) == digits, "the date formats back to the name");
        int year = 0, month = 0, dom = 0;
        DecodeDate(day, year, month, dom);
        Check(year >= 2000 && year <= 2099, "two-digit years are 2000 to 2099");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view path(reinterpret_cast<const char*>(data), size);
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    CheckName(name);

    const std::string device = DeviceNumberText(path);
    Check(device.size() <= 2, "a device number has two characters at most");
    const int number = DeviceNumberFromPath(path);
    Check(number >= -1 && number <= 99, "a device number is two digits or none");
    if (number >= 0)
        Check(device.size() == 2 || device.size() == 1, "a number comes from its characters");
    if (path.size() >= 16)
        Check(device == path.substr(path.size() - 12, 2),
              "the device is the two characters before yymmdd.csv");

    const std::string copy = CommaCopyName(path);
    Check(copy.size() >= 5 && copy.size() <= 13 && copy.ends_with("c.csv"), "copy name shape");
    Check(copy.find('/') == std::string::npos, "the copy never goes to a folder");
    if (name.size() >= 12)
        Check(copy.substr(0, 8) == name.substr(name.size() - 12, 8),
              "the copy is named after the eight characters before the extension");
    return 0;
}
