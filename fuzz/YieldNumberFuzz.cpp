// libFuzzer target: "########0.00" and the log-number reader. The formatted text of any finite
// number parses back (decimal comma or point) to the number rounded to two decimals; whatever
// the reader accepts is finite and formats the same way.
#include "FuzzCheck.h"
#include "core/logdata/LogFileReader.h"
#include "core/services/NumberFormat.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

using namespace korvex;
using korvex::fuzz::Check;

namespace {

void CheckFormatted(double v)
{
    const std::string comma = FormatYield(v, ',');
    if (!std::isfinite(v)) {
        Check(comma == (std::isnan(v) ? "NAN" : v < 0 ? "-INF" : "INF"), "non-finite text");
        return;
    }
    const std::size_t sep = comma.find(',');
    Check(sep != std::string::npos && sep >= 1 && comma.size() - sep == 3,
          "one integer digit at least and two decimals");
    Check(comma.find_first_not_of("-0123456789,") == std::string::npos, "digits only");
    Check(comma != "-0,00", "zero has no sign");

    double back = 0;
    Check(ParseLogNumber(comma, back), "the log reader reads the text");
    // Rounding is to two decimals of the value's 15-digit text: within half a hundredth, plus
    // what the 15 digits themselves lose.
    Check(std::fabs(back - v) <= 0.005 * (1 + 1e-9) + std::fabs(v) * 1e-14,
          "the text is the number rounded to two decimals");
    double point = 0;
    const std::string dotted = FormatYield(v, '.');
    Check(ParseNumber(dotted, point, '.') && point == back, "both separators read the same");
    std::string swapped = dotted;
    if (const std::size_t dot = swapped.find('.'); dot != std::string::npos)
        swapped[dot] = ',';
    Check(swapped == comma, "the separator is the only difference");
    if (std::fabs(v) < 1e12)
        Check(FormatYield(back, ',') == comma, "a rounded number formats to itself");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size >= 8) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        CheckFormatted(raw);
        // Most yields are small: scale the bits into a range where the hundredths matter.
        std::int64_t bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        CheckFormatted(static_cast<double>(bits % 100000000000LL) / 1000.0);
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    double v = 0;
    if (ParseLogNumber(text, v)) {
        Check(std::isfinite(v), "an accepted number is finite");
        CheckFormatted(v);
    }
    return 0;
}
