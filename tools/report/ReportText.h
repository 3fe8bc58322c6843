#pragma once

#include "core/services/DayTime.h"
#include "core/views/StringGrid.h"
#include "tools/report/ReportAnalysis.h"
#include "tools/report/ReportOptions.h"

#include <optional>
#include <string>

namespace korvex::report {

// A yield table over the whole analysis, presented as the table view presents its rows: device
// names and "field [sum unit]" headings, daily rows as "dd. mmm. yyyy"; only one device's columns
// when a device position is given.
StringGrid PresentYieldTable(ReportAnalysis& analysis, TableKind kind,
                             std::optional<std::size_t> device, const MonthNames& months);

// The visible table of a displayed time window as the analysis window fills it (for the device
// at the given position, or the overview of all devices), and the chart title with the yield
// summary.
struct WindowReport {
    StringGrid table;
    std::string title;
};
WindowReport ReportWindow(ReportAnalysis& analysis, int spanItem, DayTime at,
                          std::optional<std::size_t> device, const MonthNames& months);

// Semicolon-separated lines as the log files are written: Windows-1252, CR LF.
std::string GridText(const StringGrid& grid);

} // namespace korvex::report
