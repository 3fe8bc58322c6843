#pragma once

// The three hidden yield tables of an analysis window (daily, monthly, annual). They share one
// column layout: column 0 holds the periods, every further column one yield field of a device.
//
//   row 0      caption        | device index (text only in a device's first column; value in all)
//   row 1      "Date"         | field index within the device (text and value)
//   rows 2..   period key     | yield "########0.00"
//   last row   "Total"        | column total (the annual table leaves its last row empty)
//
// Period keys: daily text = day number, value = day number; monthly text "mmm. yyyy", value =
// day number of the month's first day; annual text and value = the year.

#include "core/logdata/AnalysisDataSet.h"
#include "core/views/StringGrid.h"
#include "core/views/ViewFormat.h"

#include <memory>
#include <span>
#include <string_view>

namespace korvex {

// The window's data sets in device order; empty slots are allowed.
using DataSetList = std::span<const std::unique_ptr<AnalysisDataSet>>;

// A field gets a table column when it is a measured power ("P...") or flow ("V...") value of
// category Others and its device has its day sum (key + "tag").
bool IsYieldField(const DeviceSettings& settings, int field);

// One row per day of the day list (ascending day numbers), filled from the day sums.
StringGrid BuildDailyYieldTable(DataSetList sets, std::span<const int> days,
                                const ViewFormat& format = {});
// Daily rows summed per month, in the daily table's columns; its last row copies the daily totals.
StringGrid BuildMonthlyYieldTable(const StringGrid& daily, const ViewFormat& format = {});
// Monthly rows summed per year from the period's first year on, then raised to the device's own
// annual counter where it reports more.
StringGrid BuildAnnualYieldTable(const StringGrid& monthly, DayTime periodStart, DataSetList sets,
                                 const ViewFormat& format = {});

// After a language change: caption, "Date" and "Total" in column 0 of every table given (null
// ones are skipped, as are tables with no column or fewer than two rows).
void UpdateTableTexts(StringGrid* daily, StringGrid* monthly, StringGrid* annual);

// Sum of the non-empty cells rows [first, last) of a column, read as numbers with the given
// separator. False at the first cell that is not a number.
bool SumColumnCells(const StringGrid& grid, int col, int firstRow, int lastRow, char separator,
                    double& sum);

} // namespace korvex
