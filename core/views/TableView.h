#pragma once

// Content of the visible table for the displayed time window: daily rows of the window's month
// (three months for "1 quarter"), or the monthly rows of the displayed year, in the columns of
// the selected device or of every device marked for the overview.

#include "core/views/Navigation.h"
#include "core/views/YieldTables.h"

#include <string>

namespace korvex {

struct TableRequest {
    int spanItem = SpanOneDay;
    TimeWindow window;                        // Chart's bottom axis
    const StringGrid* daily = nullptr;        // DailyYieldTable
    const StringGrid* monthly = nullptr;      // MonthlyYieldTable
    DataSetList sets;                         // the window's data sets, in device order
    const AnalysisDataSet* current = nullptr; // CurrentDataSet
    bool overviewMode = false;                // the Overview tab is selected
    ViewFormat format;
};

// The grid to show (cells, integers, fixed rows and columns). Headings carry the device's
// display name and "field name [sum unit]"; the last row adds up the shown cells. A column whose
// cells cannot be read is left as it is.
StringGrid FillTable(const TableRequest& request);

// Heading name of a yield field: its label, or, while the label is still the key, the key's
// yield name ("P" -> "Q").
std::string YieldHeadingName(const DeviceSettings& settings, int field);

} // namespace korvex
