#pragma once

// The vocabulary of field keys. Keys name a field within its device and, with the unit, its
// entries in the settings file, so these German suffixes never follow the interface language:
// the day sum of field "P" is "Ptag", its month sum "Pmonat", its annual counter "Pjahr"; a log
// column "Qday[kWh]" is the yield field "Ptag".

#include "core/logdata/FieldCategory.h"

#include <string>
#include <string_view>

namespace korvex {

// ---- Derived keys ----

// Day sum of a rate field: "P" -> "Ptag".
std::string DaySumKey(std::string_view key);
// Annual counter of a rate field: "P" -> "Pjahr".
std::string YearCounterKey(std::string_view key);
// Month sum partnered with a day sum: the text before the first "tag", then "monat"
// ("Ptag" -> "Pmonat", "Ptag2" -> "Pmonat").
std::string MonthSumKey(std::string_view daySumKey);
// The text before the first "tag" of a day sum: the field it sums ("Ptag" -> "P"); a key
// without "tag" comes back whole.
std::string RateKeyOfDaySum(std::string_view daySumKey);

// A key that holds day sums ("Ptag", also a yield column's field).
bool IsDaySumKey(std::string_view key);
// A key that holds annual counter values ("Pjahr").
bool IsYearCounterKey(std::string_view key);
// A key that holds month sums ("Pmonat").
bool IsMonthSumKey(std::string_view key);

// Rate fields whose sums are computed: power ("P...") in kW, flow ("V...") in l/min.
bool IsPowerKey(std::string_view key);
bool IsFlowKey(std::string_view key);

// ---- Header columns of a log file ----

enum class HeaderColumnKind {
    Value,        // a field's column
    NoUnit,       // no "[": ignored
    RunningTotal, // a yield column of a total ("Qsum"): ignored
    UnknownUnit,  // a unit of no group: ignored
    Unnamed,      // a unit without a name: the file is no log file
};

struct HeaderColumn {
    HeaderColumnKind kind = HeaderColumnKind::NoUnit;
    std::string name; // normalised field key (UTF-8)
    std::string unit; // normalised unit (UTF-8)
    FieldCategory category = FieldCategory::Inputs;
    float scale = 1.0f; // 0.001 for "[W]", applied in single precision
    bool yield = false; // a "Q..." column, stored as the "P..." field of its day sums
};

// Splits a header cell (Windows-1252) into name and unit and applies the renaming rules: yield
// columns "Q..." become "P..." with "sum"/"day"/"year" as "ges"/"tag"/"jahr", "V'" loses its
// apostrophe, "[W]" becomes "[kW]" with factor 0.001, "[kW/h]", "[C]" and "[F]" their proper
// units. The unit's group gives the category.
HeaderColumn NormaliseHeaderColumn(std::string_view cell);

} // namespace korvex
