#pragma once

// The value of a series at a time, as the chart readout and the markers show it. Each lookup is
// a binary search, so a readout over a year of minute samples costs microseconds per graph.

#include "core/logdata/Series.h"
#include "core/services/DayTime.h"

#include <map>
#include <optional>

namespace korvex {

// How a graph's value at a time is read.
enum class ReadRule {
    Nearest,  // measured lines: nearest sample, never across a gap
    Hold,     // step lines (outputs) and plain bars: the last sample at or before the time
    DayBar,   // day-sum bars: the bar of the time's day
    MonthBar, // month-sum bars: the bar of the time's month
};

struct SampleValue {
    double value = 0;
    DayTime at = 0;    // time of the sample read (bars: start of their day or month)
    DayTime until = 0; // bars: end of their day or month (exclusive); samples: == at
};

// Typical distance between neighbouring samples: the most frequent interval (to the second)
// among the first intervals of the series. Equal-value runs the reader compressed do not count.
// 0 when the series has fewer than two non-null points in a row.
double SamplingStep(const Series& series);
// The most frequent of counted intervals (whole seconds -> how often), in days; 0 for none. At a
// tie the shorter interval.
double MostFrequentInterval(const std::map<long long, int>& secondsCounted);

// Nearest sample to t. Inside a run of samples (no null point between the two neighbours of t)
// the nearer neighbour, at equal distance the earlier; otherwise only a neighbour within step
// of t (a gap or the end of the data lies between), else nothing.
std::optional<SampleValue> NearestValueAt(const Series& series, DayTime t, double step);

// The last non-null sample at or before t. It is in force up to the next sample; where a null
// point (a gap, the end of a day) or nothing follows it, for one step after its time.
std::optional<SampleValue> HeldValueAt(const Series& series, DayTime t, double step);

// The bar of the day (or month) that holds t, with that period.
std::optional<SampleValue> DayBarAt(const Series& series, DayTime t);
std::optional<SampleValue> MonthBarAt(const Series& series, DayTime t);

std::optional<SampleValue> ValueAt(const Series& series, ReadRule rule, DayTime t, double step);

// Two readings and what lies between them: B - A, per hour of the time between.
struct MarkerDelta {
    double difference = 0;
    double perHour = 0;
    DayTime between = 0; // tB - tA, may be negative when B lies before A
};
// Nothing when either value is missing; perHour is NaN when both times coincide.
std::optional<MarkerDelta> DeltaBetween(const std::optional<SampleValue>& a, DayTime ta,
                                        const std::optional<SampleValue>& b, DayTime tb);

} // namespace korvex
