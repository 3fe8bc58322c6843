#pragma once

#include "core/views/Navigation.h"
#include "core/views/WindowStatistics.h"
#include "tools/report/ReportAnalysis.h"

#include <optional>
#include <string>
#include <vector>

namespace korvex::report {

struct FieldStatistics {
    std::string key;
    std::string unit;
    std::string integralUnit; // the day sum's unit; empty for fields without an integral
    WindowStatistics stats;
};

struct DeviceStatistics {
    std::string device; // two-digit device text
    std::string name;   // display name
    std::vector<FieldStatistics> fields;
};

struct StatisticsReport {
    TimeWindow window;
    std::vector<DeviceStatistics> devices;
};

// The statistics of every measured field (not the derived sums) of the window that the analysis
// window shows for the span at that day: of the device at the given position, or of all devices.
StatisticsReport ReportStatistics(ReportAnalysis& analysis, int spanItem, DayTime at,
                                  std::optional<std::size_t> device);

// One line per field as the log files are written (semicolons, decimal separator in force,
// "yyyy-mm-dd hh:mm:ss", Windows-1252, CR LF) after a heading line; empty cells where the window
// has no value.
std::string StatisticsText(const StatisticsReport& report);
// {"from", "to", "devices": [{"device", "name", "fields": [{"key", "unit", "min", "minAt", "max",
// "maxAt", "mean", "integral"}]}]}, null where the window has no value.
std::string StatisticsJson(const StatisticsReport& report);

} // namespace korvex::report
