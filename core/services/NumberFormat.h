#pragma once

#include <string>
#include <string_view>

namespace korvex {

// The process-wide decimal separator: '.' at start, set to ',' by the first log file read and
// never switched back.
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// "########0.00": at least one integer digit, exactly two decimals, no grouping, rounded half
// away from zero, with the given (default: process) separator. The rounding applies to the
// value's 15-digit decimal text, so 2.675 gives "2,68"; a result of zero never has a sign.
// NaN gives "NAN", infinities "INF" and "-INF".
std::string FormatYield(double value);
std::string FormatYield(double value, char separator);

// Parses a whole text as a number with the given separator (leading/trailing blanks, a sign and
// an exponent allowed; no grouping, no "inf"/"nan", nothing out of double range). Returns false,
// leaving out untouched, for anything else.
bool ParseNumber(std::string_view text, double& out, char separator);
bool ParseNumber(std::string_view text, double& out);

} // namespace korvex
