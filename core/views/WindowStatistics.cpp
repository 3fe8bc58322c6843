#include "core/views/WindowStatistics.h"

#include "core/logdata/Aggregation.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <system_error>
#include <thread>

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

std::vector<WindowStatistics> ComputeWindowStatistics(const std::vector<StatisticsRequest>& graphs,
                                                      DayTime from, DayTime to)
{
    // Below this many points a second thread costs more than it saves.
    constexpr std::size_t kPointsWorthAThread = 200000;
    std::vector<WindowStatistics> result(graphs.size());
    std::size_t points = 0;
    for (const StatisticsRequest& g : graphs)
        if (g.series) {
            const auto& xs = g.series->xs();
            points += static_cast<std::size_t>(std::lower_bound(xs.begin(), xs.end(), to) -
                                               std::lower_bound(xs.begin(), xs.end(), from));
        }
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < graphs.size(); i = next++)
            if (graphs[i].series)
                result[i] =
                    ComputeWindowStatistics(*graphs[i].series, from, to, graphs[i].unitsPerDay);
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t helpers =
        points < kPointsWorthAThread ? 0 : std::min<std::size_t>(cores, graphs.size()) - 1;
    std::vector<std::thread> threads;
    threads.reserve(helpers);
    for (std::size_t t = 0; t < helpers; ++t) {
        try {
            threads.emplace_back(work);
        } catch (const std::system_error&) {
            break; // this thread takes the rest
        }
    }
    work();
    for (std::thread& t : threads)
        t.join();
    return result;
}

} // namespace korvex
