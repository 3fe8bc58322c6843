#include "core/services/NumberFormat.h"

#include <fast_float/fast_float.h>

#include <atomic>
#include <charconv>
#include <cmath>

namespace korvex {

namespace {

std::atomic<char> gSeparator{'.'};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

char DecimalSeparator()
{
    return gSeparator.load(std::memory_order_relaxed);
}

void SetDecimalSeparator(char separator)
{
    gSeparator.store(separator, std::memory_order_relaxed);
}

std::string FormatYield(double value)
{
    return FormatYield(value, DecimalSeparator());
}

// Rounds the value's 15-significant-digit decimal text rather than its binary value, so that
// 2.675 (stored as 2.67499999...) gives 2.68 as a user reading the number expects.
std::string FormatYield(double value, char separator)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";

    char buf[40];
    const auto printed =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    // buf = "d.dddddddddddddde[+-]xx"
    std::string digits;
    digits.reserve(15);
    const char* p = buf;
    for (; p != printed.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits.push_back(*p);
    int exponent = 0;
    if (p != printed.ptr)
        std::from_chars(p + (p[1] == '+' ? 2 : 1), printed.ptr, exponent);
    // Next to the largest double the 15 digits can round beyond it: such a text could never be
    // read back, so those digits are cut instead.
    if (exponent == 308) {
        double check = 0;
        const auto r = fast_float::from_chars(buf, printed.ptr, check);
        if (r.ec != std::errc() || !std::isfinite(check))
            --digits.back();
    }

    // Digits kept: everything down to the hundredths.
    const int keep = exponent + 3;
    const int n = static_cast<int>(digits.size());
    std::string hundredths;
    bool roundUp = false;
    if (keep <= 0) {
        roundUp = keep == 0 && digits[0] >= '5';
    } else if (keep >= n) {
        hundredths = digits;
        hundredths.append(static_cast<std::size_t>(keep - n), '0');
    } else {
        hundredths = digits.substr(0, static_cast<std::size_t>(keep));
        roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
    }
    if (roundUp) {
        int i = static_cast<int>(hundredths.size()) - 1;
        while (i >= 0 && hundredths[static_cast<std::size_t>(i)] == '9')
            hundredths[static_cast<std::size_t>(i--)] = '0';
        if (i < 0)
            hundredths.insert(hundredths.begin(), '1');
        else
            ++hundredths[static_cast<std::size_t>(i)];
    }

    std::size_t first = hundredths.find_first_not_of('0');
    const bool isZero = first == std::string::npos;
    if (isZero)
        first = hundredths.size();
    // At least one integer digit and two decimals.
    if (hundredths.size() - first < 3)
        first = hundredths.size() >= 3 ? hundredths.size() - 3 : 0;
    std::string body = hundredths.substr(first);
    if (body.size() < 3)
        body.insert(0, 3 - body.size(), '0');

    std::string out;
    out.reserve(body.size() + 2);
    if (value < 0 && !isZero)
        out.push_back('-');
    out.append(body, 0, body.size() - 2);
    out.push_back(separator);
    out.append(body, body.size() - 2, 2);
    return out;
}

bool ParseNumber(std::string_view text, double& out)
{
    return ParseNumber(text, out, DecimalSeparator());
}

bool ParseNumber(std::string_view text, double& out, char separator)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    if (b == e)
        return false;

    const char* first = text.data() + b;
    const char* last = text.data() + e;
    if (*first == '+') {
        ++first;
        // "+-1" is not a number.
        if (first == last || *first == '-')
            return false;
    }
    // Only digits or the separator may start the number proper: no "inf" or "nan".
    const char* lead = first != last && *first == '-' ? first + 1 : first;
    if (lead == last || !((*lead >= '0' && *lead <= '9') || *lead == separator))
        return false;

    double value = 0;
    const auto result = fast_float::from_chars_advanced(
        first, last, value,
        fast_float::parse_options(fast_float::chars_format::general, separator));
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

} // namespace korvex
