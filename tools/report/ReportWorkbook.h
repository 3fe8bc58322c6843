#pragma once

// --workbook: the daily, monthly and annual yield tables as the three sheets of one workbook.

#include "core/services/DayTime.h"
#include "core/views/SheetModel.h"
#include "core/views/StringGrid.h"
#include "tools/report/ReportAnalysis.h"
#include "tools/report/ReportOptions.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace korvex::report {

// A presented yield table (PresentYieldTable) as a sheet named after its caption: the headings
// as text with each device name merged over the device's columns, the period as a date cell
// (years as numbers), every yield as a number shown with two decimals, the total row bold, the
// two heading rows frozen.
Sheet YieldTableSheet(const StringGrid& table, TableKind kind);

// The three tables, daily, monthly, annual.
std::vector<Sheet> YieldTableSheets(ReportAnalysis& analysis, std::optional<std::size_t> device,
                                    const MonthNames& months);

// Writes the workbook and prints its name on out; a workbook that cannot be written is
// reported on err. Returns the exit code.
int WriteYieldWorkbook(ReportAnalysis& analysis, std::optional<std::size_t> device,
                       const MonthNames& months, const std::string& path, std::FILE* out,
                       std::FILE* err);

} // namespace korvex::report
