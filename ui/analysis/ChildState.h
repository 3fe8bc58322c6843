#pragma once

// The analysis one window holds: its period and caption values, the devices and their data
// sets, the days with data, and the window's copy of the chart settings. Only the window
// (TChildform) writes it, while loading, emptying and applying settings; its parts keep a const
// reference for the life of the window. What a part changes (the device shown, the table mode,
// the zoom, the navigable range, ...) the part keeps itself.

#include "core/services/AppSettings.h"
#include "core/services/DayTime.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace korvex {

class AnalysisDataSet;

// The days on which some device of the analysis has data: ("yyyymmdd", whole day number),
// sorted, no duplicates.
using DayList = std::vector<std::pair<std::string, int>>;

struct ChildState {
    ChildState();
    ~ChildState();
    ChildState(const ChildState&) = delete;
    ChildState& operator=(const ChildState&) = delete;

    // The window's copy of the chart settings (PrintTitle, axis range, scaling, header widths).
    ChildDefaults defaults;

    std::string dateFromText; // "dd.mm.yyyy", empty while the window is new
    std::string dateToText;
    int fileCount = 0;

    DayTime periodEnd = 0;   // last day of the chosen period (inclusive)
    DayTime periodStart = 0; // first day of the chosen period

    DayList dayList;
    std::vector<int> dayNumbers;            // the day numbers of dayList, in the same order
    std::vector<std::string> deviceNumbers; // two-digit device numbers, in data-set order

    // One slot per entry of deviceNumbers; a slot stays empty until its device's first file.
    std::vector<std::unique_ptr<AnalysisDataSet>> dataSets;

    int DeviceCount() const { return static_cast<int>(deviceNumbers.size()); }
    // The data set of device i, or nullptr for an index out of range or an empty slot.
    AnalysisDataSet* DataSet(int i) const;
    // Frees every owned list, data set and table and resets the references (not the defaults,
    // the texts or the flags).
    void FreeAnalysis();
};

} // namespace korvex
