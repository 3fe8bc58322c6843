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

// Where the window lies: as the analysis window places the span on the day of `at`, or starting
// at exactly `at` (a time of day given), one span long.
enum class WindowPlacement { AsTheWindowPlacesIt, ExactlyAt };

// The statistics of every measured field (not the derived sums) of the span's window at `at`: of
// the device at the given position, or of all devices.
StatisticsReport ReportStatistics(ReportAnalysis& analysis, int spanItem, DayTime at,
                                  WindowPlacement placement, std::optional<std::size_t> device);

// The window used ("Window;from;to"), then a heading line in the catalogue block's language, then
// one line per field as the log files are written (semicolons, decimal separator in force,
// "yyyy-mm-dd hh:mm:ss", Windows-1252, CR LF); empty cells where the window has no value.
std::string StatisticsText(const StatisticsReport& report, int textBlock);
// {"from", "to", "devices": [{"device", "name", "fields": [{"key", "unit", "min", "minAt", "max",
// "maxAt", "mean", "integral"}]}]}, null where the window has no value.
std::string StatisticsJson(const StatisticsReport& report);

} // namespace korvex::report
