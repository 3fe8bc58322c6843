#pragma once

#include "core/services/DayTime.h"
#include "core/services/NumberFormat.h"

namespace korvex {

// How the views write dates and yields: month names of the user's locale and the decimal
// separator. A default-constructed value takes English names and the process separator in force
// at that moment (the comma once a log file has been read).
struct ViewFormat {
    const MonthNames* months = &MonthNames::English();
    char separator = DecimalSeparator();
};

} // namespace korvex
