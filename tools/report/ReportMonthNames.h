#pragma once

#include "core/services/DayTime.h"

namespace korvex::report {

// Month names for a catalogue block (German, English, French, Spanish, Italian, Portuguese): the
// program takes them from the user's locale, the tool from the language it is asked for.
const MonthNames& MonthNamesForBlock(int block);

} // namespace korvex::report
