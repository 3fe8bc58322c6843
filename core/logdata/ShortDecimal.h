#pragma once

#include <array>
#include <cstdint>

namespace korvex {

// Most log cells are short plain decimals with the comma ("12,5", ",5", "300"). With at most 15
// digits the mantissa and the power of ten are exact doubles, so one division gives the
// correctly rounded value, the one the general parser gives.
struct ShortDecimal {
    const char* stop = nullptr; // the first character that is neither a digit nor the first comma
    int digits = 0;
    double value = 0; // only when 0 < digits <= 15
};

// The quotients of the small mantissas with one or two decimals, as the division gives them: a
// log holds a dozen such cells per line, and a table look-up costs a fraction of a division.
// Made by the compiler, whose division rounds as the processor's does (a test holds each).
struct SmallDecimalTable {
    static constexpr std::uint64_t kSize = 2048;
    std::array<std::array<double, kSize>, 2> quotients{};
};

inline constexpr SmallDecimalTable kSmallDecimals = [] {
    SmallDecimalTable table;
    for (std::uint64_t m = 0; m < SmallDecimalTable::kSize; ++m) {
        table.quotients[0][m] = static_cast<double>(m) / 1e1;
        table.quotients[1][m] = static_cast<double>(m) / 1e2;
    }
    return table;
}();

inline ShortDecimal ScanShortDecimal(const char* p, const char* end)
{
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    ShortDecimal d;
    std::uint64_t mantissa = 0;
    // The digits before a comma, then those after it: a loop each, with nothing else to track.
    const auto digits = [&mantissa, end](const char* q) {
        for (; q < end; ++q) {
            const auto digit = static_cast<unsigned>(static_cast<unsigned char>(*q)) - '0';
            if (digit > 9)
                break;
            mantissa = mantissa * 10 + digit;
        }
        return q;
    };
    const char* const whole = p;
    p = digits(p);
    int decimals = 0;
    d.digits = static_cast<int>(p - whole);
    if (p < end && *p == ',') {
        const char* const fraction = p + 1;
        p = digits(fraction);
        decimals = static_cast<int>(p - fraction);
        d.digits += decimals;
    }
    d.stop = p;
    if (d.digits > 0 && d.digits <= 15) {
        if (decimals == 0)
            d.value = static_cast<double>(mantissa);
        else if (decimals <= 2 && mantissa < SmallDecimalTable::kSize)
            d.value = kSmallDecimals.quotients[static_cast<std::size_t>(decimals - 1)][mantissa];
        else
            d.value = static_cast<double>(mantissa) / kPowers[decimals];
    }
    return d;
}

} // namespace korvex
