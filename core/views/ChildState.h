#pragma once

// The analysis one window holds: its period and caption values, the devices and their data
// sets, the days with data, the window's copy of the chart settings and what it shows (view).
// Only the window writes it, while loading, emptying, applying settings and applying the view a
// part derived from a gesture; its parts keep a const reference for the life of the window.

#include "core/services/AppSettings.h"
#include "core/services/DayTime.h"
#include "core/views/AnalysisView.h"

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
    std::vector<std::string> failedFiles;   // the files of the period the load could not read

    // One slot per entry of deviceNumbers; a slot stays empty until its device's first file.
    std::vector<std::unique_ptr<AnalysisDataSet>> dataSets;

    // What the window shows: device or Overview, time window, range, table mode.
    AnalysisView view;

    int DeviceCount() const { return static_cast<int>(deviceNumbers.size()); }
    // The data set of device i, or nullptr for an index out of range or an empty slot.
    AnalysisDataSet* DataSet(int i) const;
    // Frees every owned list, data set and table and resets the references (not the defaults,
    // the texts or the flags).
    void FreeAnalysis();
};

} // namespace korvex
