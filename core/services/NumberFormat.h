#pragma once

#include <string>
#include <string_view>

namespace korvex {

// The process-wide decimal separator: '.' at start, set to ',' by the first log file read and
// never switched back.
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// "########0.00": at least one integer digit, exactly two decimals, no grouping, rounded half
// away from zero, with the given (default: process) separator.
std::string FormatYield(double value);
std::string FormatYield(double value, char separator);

// Parses a whole text as a number with the given separator (leading/trailing blanks allowed).
// Returns false for anything else.
bool ParseNumber(std::string_view text, double& out, char separator);
bool ParseNumber(std::string_view text, double& out);

} // namespace korvex
