#pragma once

// The function check's incidents as the program lists them: one row of texts per incident
// (rule name, device, fields, start, end, duration, peak, text), the column headings, and the
// values the columns sort by.

#include "core/check/FunctionCheck.h"

#include <array>
#include <string>
#include <vector>

namespace korvex {

enum IncidentColumn : int {
    ColumnRule = 0,
    ColumnDevice,
    ColumnFields,
    ColumnStart,
    ColumnEnd,
    ColumnDuration,
    ColumnPeak,
    ColumnText,
};
constexpr int kIncidentColumns = 8;

using IncidentRow = std::array<std::string, kIncidentColumns>;

// Headings in the current language.
IncidentRow IncidentHeadings();
// Times as "dd.mm.yyyy hh:mm", the duration as "hh:mm" (with "N d " from a day on), the peak with
// two decimals and the separator, empty without one.
IncidentRow IncidentCells(const Incident& incident, char separator);
// What a column sorts by where the text would sort wrongly: times, the duration and the peak
// (an incident without a peak first), as numbers; nothing for the text columns.
std::optional<double> IncidentSortValue(const Incident& incident, int column);

// The headings and the rows as tab-separated lines, for the clipboard.
std::string IncidentCopyText(const std::vector<IncidentRow>& rows);

} // namespace korvex
