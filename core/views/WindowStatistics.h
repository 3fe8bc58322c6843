#pragma once

// Statistics of one graph over a time window, shared by the analysis window's statistics panel
// and the command-line report so that both show the same figures.
//
// The series is read as the curve the chart draws: measured values linear between points, step
// lines held until the next point, nothing across a null point (a gap or the end of a day file).
// Segments that cross a window edge are clipped to it, so a run the reader compressed to its
// first and last point counts over the whole stretch it stands for.

#include "core/logdata/Series.h"
#include "core/services/DayTime.h"

#include <optional>
#include <vector>

namespace korvex {

// How the points of a series join.
enum class CurveKind {
    Linear, // measured values: straight lines between points
    Steps,  // outputs and stairs: each value holds until the next point
    Points, // bars: each point stands alone; the mean is their plain average
};

struct WindowStatistics {
    bool hasValue = false; // the curve has a value somewhere in the window
    double min = 0;        // extremes of the curve in the window, each at the first time it holds
    DayTime minAt = 0;
    double max = 0;
    DayTime maxAt = 0;
    // Area under the curve in the window divided by the time in the window that the curve covers
    // (gaps do not count). A window that holds only single points has their average.
    double mean = 0;
    // Energy or volume of a rate field (power, flow) by the day-sum rule on the clipped curve:
    // trapezoids, plus one minute at the rate of each run that starts in the window. Over a whole
    // day it equals that day's sum.
    std::optional<double> integral;
};

// Statistics over the window [from, to). unitsPerDay is 24 for power, 1440 for flow and 0 for any
// other field (no integral then).
WindowStatistics ComputeWindowStatistics(const Series& series, CurveKind kind, DayTime from,
                                         DayTime to, int unitsPerDay);

// The same for several graphs at once (a null series gives no value). A window holding many
// points spreads the graphs over the machine's cores; the figures do not depend on it.
struct StatisticsRequest {
    const Series* series = nullptr;
    CurveKind kind = CurveKind::Linear;
    int unitsPerDay = 0;
};
std::vector<WindowStatistics> ComputeWindowStatistics(const std::vector<StatisticsRequest>& graphs,
                                                      DayTime from, DayTime to);

} // namespace korvex
