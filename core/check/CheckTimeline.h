#pragma once

// The samples of some fields of one device on one time line, as the function check's rules read
// them. A stored point is a sample; a run of equal values the reader compressed to its first and
// last point stands for every sample in between, so a field without a point at a sample time has
// the value of the run it lies in. A gap of the log (a step longer than the reader allows, a
// missing day, a failed file) lies between two samples; the null point that closes a day file is
// no gap when the next file goes on within one interval.

#include "core/logdata/AnalysisDataSet.h"
#include "core/services/DayTime.h"

#include <cstdint>
#include <vector>

namespace korvex {

struct CheckTimeline {
    std::vector<DayTime> times;
    // values[f][i]: field f at sample i in °C for temperatures, as logged otherwise; NaN where the
    // field has no value.
    std::vector<std::vector<double>> values;
    // 1 where the log has a gap between sample i - 1 and sample i.
    std::vector<std::uint8_t> breakBefore;
};

// The time line of the given fields (slots of the set). step is the interval the reader learned
// (days); a day-closing null followed by a sample within it is no gap. extraTimes are sample times
// to add where a run of equal values lies across them (the edges of a time-of-day window).
CheckTimeline BuildCheckTimeline(const AnalysisDataSet& set, const std::vector<int>& fields,
                                 double step, const std::vector<DayTime>& extraTimes = {});

// True for a temperature field (°C or °F); °F values are converted to °C on the time line.
bool IsTemperatureUnit(const std::string& unit);

// Maximal runs of consecutive samples where holds(i) is true, never across a gap.
struct SampleRun {
    std::size_t first = 0;
    std::size_t last = 0;
};
template <class Holds>
std::vector<SampleRun> FindSampleRuns(const CheckTimeline& line, Holds&& holds)
{
    std::vector<SampleRun> runs;
    bool open = false;
    for (std::size_t i = 0; i < line.times.size(); ++i) {
        if (open && line.breakBefore[i])
            open = false;
        if (!holds(i)) {
            open = false;
            continue;
        }
        if (open)
            runs.back().last = i;
        else
            runs.push_back({i, i});
        open = true;
    }
    return runs;
}

// end - start reaches minutes, to the half second (times are whole seconds in the logs).
inline bool LastsAtLeast(DayTime start, DayTime end, double minutes)
{
    return (end - start) * 1440.0 + 0.5 / 60.0 >= minutes;
}

} // namespace korvex
