#pragma once

// Statistics of one graph over a time window, shared by the analysis window's statistics panel
// and the command-line report so that both show the same figures.

#include "core/logdata/Series.h"
#include "core/services/DayTime.h"

#include <optional>
#include <vector>

namespace korvex {

struct WindowStatistics {
    bool hasValue = false; // at least one non-null point in the window
    double min = 0;        // smallest and largest non-null value; at a tie the earliest
    DayTime minAt = 0;
    double max = 0;
    DayTime maxAt = 0;
    // Time-weighted mean: the integral by the day-sum rule divided by the time its terms cover.
    double mean = 0;
    // Energy or volume of a rate field (power, flow) by the day-sum rule over the window's points,
    // so that over a whole day it equals that day's sum from the same points.
    std::optional<double> integral;
};

// Statistics of the points with from <= X < to. unitsPerDay is 24 for power, 1440 for flow and 0
// for any other field (no integral then).
WindowStatistics ComputeWindowStatistics(const Series& series, DayTime from, DayTime to,
                                         int unitsPerDay);

// The same for several graphs at once (a null series gives no value). A window holding many
// points spreads the graphs over the machine's cores; the figures do not depend on it.
struct StatisticsRequest {
    const Series* series = nullptr;
    int unitsPerDay = 0;
};
std::vector<WindowStatistics> ComputeWindowStatistics(const std::vector<StatisticsRequest>& graphs,
                                                      DayTime from, DayTime to);

} // namespace korvex
