#include "core/views/WindowStatistics.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <new>
#include <system_error>
#include <thread>

namespace korvex {

namespace {

constexpr double kMillisecondsPerDay = 86400000.0;

// Whole milliseconds between two times, as the day sums take them: a day of minute samples then
// integrates without the rounding of day + fraction.
double Milliseconds(double from, double to)
{
    return static_cast<double>(static_cast<long long>((to - from) * kMillisecondsPerDay + 0.5));
}

// Compensated sum: a day of 1440 terms keeps only the error of the terms themselves. It adds in
// the same order and the same way as the day sums, so a whole day gives the same bits.
class CompensatedSum {
public:
    void add(double term)
    {
        const double t = sum_ + term;
        const double keepSum = (sum_ - t) + term;
        const double keepTerm = (term - t) + sum_;
        compensation_ += std::fabs(sum_) >= std::fabs(term) ? keepSum : keepTerm;
        sum_ = t;
    }
    double value() const { return sum_ + compensation_; }

private:
    double sum_ = 0;
    double compensation_ = 0;
};

class Extremes {
public:
    // Candidates arrive in time order, so a strict comparison keeps the earliest of equal values.
    void see(double value, double at)
    {
        if (!has_) {
            has_ = true;
            s_.min = s_.max = value;
            s_.minAt = s_.maxAt = at;
        } else if (value < s_.min) {
            s_.min = value;
            s_.minAt = at;
        } else if (value > s_.max) {
            s_.max = value;
            s_.maxAt = at;
        }
    }
    bool has() const { return has_; }
    WindowStatistics& stats() { return s_; }

private:
    bool has_ = false;
    WindowStatistics s_;
};

// The line's value at x, with the times taken to the millisecond as the day sums take them: a
// window edge on a whole minute then cuts a segment at an exact fraction.
double Interpolate(double xa, double ya, double xb, double yb, double x)
{
    if (x <= xa)
        return ya;
    if (x >= xb)
        return yb;
    const double whole = Milliseconds(xa, xb);
    return whole > 0 ? ya + (yb - ya) * (Milliseconds(xa, x) / whole) : ya;
}

} // namespace

WindowStatistics ComputeWindowStatistics(const Series& series, CurveKind kind, DayTime from,
                                         DayTime to, int unitsPerDay)
{
    const TimeView xs = series.xs();
    const ValueView ys = series.ys();
    const std::size_t n = xs.size();
    Extremes extremes;
    if (n == 0 || !(from < to))
        return extremes.stats();
    const double h = unitsPerDay / 2; // trapezoid factor in whole numbers, as the day sums
    CompensatedSum integral;
    double area = 0;      // value x milliseconds under the curve
    double coveredMs = 0; // milliseconds of the window that the curve covers
    double pointSum = 0;  // single points (and bars), for a window the curve never covers
    int pointCount = 0;
    // The storage forms resolved once for the whole loop.
    VisitPoints(xs, ys, [&](const auto x, const auto y) {
        // Start at the point before the window: its segment may reach into it.
        std::size_t i = LowerBoundIndex(x, 0, n, from);
        if (i > 0)
            --i;
        for (; i < n && x[i] < to; ++i) {
            const double yi = y[i];
            if (std::isnan(yi))
                continue;
            const bool runStart = i == 0 || std::isnan(y[i - 1]);
            const bool hasNext = i + 1 < n && !std::isnan(y[i + 1]);
            const bool inside = x[i] >= from;
            if (inside) {
                extremes.see(yi, x[i]);
                if (runStart && unitsPerDay > 0)
                    integral.add(yi * unitsPerDay / 1440.0);
                if (kind == CurveKind::Points || (runStart && !hasNext)) {
                    pointSum += yi;
                    ++pointCount;
                }
            }
            if (kind == CurveKind::Points || !hasNext)
                continue;
            const double xa = x[i], xb = x[i + 1], yb = y[i + 1];
            const double ca = std::max(xa, from), cb = std::min(xb, to);
            if (!(ca < cb))
                continue;
            const double ms = ca == xa && cb == xb ? Milliseconds(xa, xb) : Milliseconds(ca, cb);
            const double va = kind == CurveKind::Steps ? yi : Interpolate(xa, yi, xb, yb, ca);
            const double vb = kind == CurveKind::Steps ? yi : Interpolate(xa, yi, xb, yb, cb);
            if (ca > xa)
                extremes.see(va, ca); // a run that reaches in over the window's start
            if (kind == CurveKind::Linear && xb >= to)
                extremes.see(vb, cb); // the line's value where the window ends
            area += (va + vb) / 2 * ms;
            coveredMs += ms;
            if (unitsPerDay > 0) {
                // Energy always by trapezoids, whatever the drawing, as the day sums take it.
                const double ia = Interpolate(xa, yi, xb, yb, ca);
                const double ib = Interpolate(xa, yi, xb, yb, cb);
                integral.add((ib + ia) * (ms * h) / kMillisecondsPerDay);
            }
        }
    });
    if (!extremes.has())
        return extremes.stats();
    WindowStatistics& s = extremes.stats();
    s.hasValue = true;
    if (kind != CurveKind::Points && coveredMs > 0)
        s.mean = area / coveredMs;
    else if (pointCount > 0)
        s.mean = pointSum / pointCount;
    else
        s.mean = s.min; // only a run's end point lies in the window
    if (unitsPerDay > 0)
        s.integral = integral.value();
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
                result[i] = ComputeWindowStatistics(*graphs[i].series, graphs[i].kind, from, to,
                                                    graphs[i].unitsPerDay);
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t helpers =
        points < kPointsWorthAThread ? 0 : std::min<std::size_t>(cores, graphs.size()) - 1;
    std::vector<std::thread> threads;
    try {
        threads.reserve(helpers);
        for (std::size_t t = 0; t < helpers; ++t)
            threads.emplace_back(work);
    } catch (const std::system_error&) {
        // this thread takes the rest
    } catch (const std::bad_alloc&) {
    }
    work();
    for (std::thread& t : threads)
        t.join();
    return result;
}

} // namespace korvex
