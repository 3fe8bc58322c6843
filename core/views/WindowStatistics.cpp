#include "core/views/WindowStatistics.h"

#include "core/logdata/Aggregation.h"

#include <algorithm>
#include <cmath>

namespace korvex {

WindowStatistics ComputeWindowStatistics(const Series& series, DayTime from, DayTime to,
                                         int unitsPerDay)
{
    WindowStatistics s;
    // Other fields are weighted like a flow: per minute, which the mean divides out again.
    const int units = unitsPerDay > 0 ? unitsPerDay : 1440;
    // One pass: the extremes are taken from the points the integral sums.
    const RateIntegral integral =
        IntegrateRateVisiting(series, units, from, to, [&s](double x, double y) {
            if (!s.hasValue) {
                s.hasValue = true;
                s.min = s.max = y;
                s.minAt = s.maxAt = x;
            } else if (y < s.min) {
                s.min = y;
                s.minAt = x;
            } else if (y > s.max) {
                s.max = y;
                s.maxAt = x;
            }
        });
    if (!s.hasValue)
        return s;
    s.mean = integral.coveredDays > 0 ? integral.sum / (integral.coveredDays * units) : s.min;
    if (unitsPerDay > 0)
        s.integral = integral.sum;
    return s;
}

} // namespace korvex
