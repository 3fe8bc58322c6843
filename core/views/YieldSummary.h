#pragma once

// Yields of the displayed month, quarter or year for the chart title, read from the yield tables.

#include "core/views/Navigation.h"
#include "core/views/YieldTables.h"

#include <string>

namespace korvex {

// Yield of field `field` of device `device` (its position among the data sets) over the month,
// quarter or year (SpanMode) that starts at periodStart: the monthly table for months and
// quarters, the annual table for years. 0 for the short spans or without a column.
double PeriodYield(const StringGrid* monthly, const StringGrid* annual, int device, int field,
                   int mode, DayTime periodStart, char separator = DecimalSeparator());

struct SummaryRequest {
    DataSetList sets;
    const AnalysisDataSet* current = nullptr; // CurrentDataSet
    bool overviewShown = false;               // the Overview tab is the one shown
    int spanItem = SpanOneDay;
    DayTime windowStart = 0; // Chart's bottom-axis minimum
    const StringGrid* monthly = nullptr;
    const StringGrid* annual = nullptr;
    ViewFormat format;
};

// "Monthly yield Q: 12,34 [kWh]  -  V: 560,00 [l]" for the long spans on a device tab;
// empty otherwise.
std::string BuildYieldSummary(const SummaryRequest& request);

} // namespace korvex
