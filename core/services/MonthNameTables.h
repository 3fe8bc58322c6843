#pragma once

#include "core/services/DayTime.h"

#include <string_view>

namespace korvex {

// One table of month names per catalogue language (German, English, French, Spanish, Italian,
// Portuguese), shared by the program and korvex-report so that both write the same months: the
// short names are three letters without a period (the formats bring their own), the long names
// the full names. A block outside 0..5 gives English.
const MonthNames& MonthNamesForBlock(int block);

// The block of a language code such as "de" (lower case), or -1 for a language without a table.
int MonthTableBlock(std::string_view languageCode);

} // namespace korvex
