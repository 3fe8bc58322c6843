#include "core/views/WindowStatistics.h"

#include "core/logdata/Aggregation.h"

#include <algorithm>
#include <cmath>

namespace korvex {

WindowStatistics ComputeWindowStatistics(const Series& series, DayTime from, DayTime to,
                                         int unitsPerDay)
{
    WindowStatistics s;
    const std::vector<double>& xs = series.xs();
    const std::vector<double>& ys = series.ys();
    const auto first = std::lower_bound(xs.begin(), xs.end(), from);
    const auto last = std::lower_bound(first, xs.end(), to);
    const std::size_t begin = static_cast<std::size_t>(first - xs.begin());
    const std::size_t end = static_cast<std::size_t>(last - xs.begin());
    for (std::size_t i = begin; i < end; ++i) {
        const double y = ys[i];
        if (std::isnan(y))
            continue;
        if (!s.hasValue) {
            s.hasValue = true;
            s.min = s.max = y;
            s.minAt = s.maxAt = xs[i];
        } else if (y < s.min) {
            s.min = y;
            s.minAt = xs[i];
        } else if (y > s.max) {
            s.max = y;
            s.maxAt = xs[i];
        }
    }
    if (!s.hasValue)
        return s;
    // Other fields are weighted like a flow: per minute, which the mean divides out again.
    const int units = unitsPerDay > 0 ? unitsPerDay : 1440;
    const RateIntegral integral = IntegrateRate(series, units, from, to);
    s.mean = integral.coveredDays > 0 ? integral.sum / (integral.coveredDays * units) : s.min;
    if (unitsPerDay > 0)
        s.integral = integral.sum;
    return s;
}

} // namespace korvex
