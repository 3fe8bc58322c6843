#include "core/views/ValueAtTime.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace korvex {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr int kStepSampleIntervals = 4096;

bool IsNull(double y)
{
    return std::isnan(y);
}

// Index of the last point with X <= t; -1 when none.
int LastAtOrBefore(const Series& series, DayTime t)
{
    const TimeView xs = series.xs();
    return static_cast<int>(std::upper_bound(xs.begin(), xs.end(), t) - xs.begin()) - 1;
}

// From a null point back to a value at the same time: a gap's null point shares its time with
// the value after it, the null point that closes a day with the day's last value.
int ValueAtSameTime(const Series& series, int i)
{
    for (int j = i; j >= 0 && series.x(j) == series.x(i); --j)
        if (!series.isNull(j))
            return j;
    return i;
}

// Small tolerance: a step learned to the second must still reach the next minute sample.
double Reach(double step)
{
    return step + 0.5 / kSecondsPerDay;
}

// Distances that differ by less than a millisecond are equal.
constexpr double kSameDistance = 1e-8;

SampleValue Sample(const Series& series, int i)
{
    return SampleValue{series.y(i), series.x(i), series.x(i)};
}

std::optional<SampleValue> BarIn(const Series& series, DayTime from, DayTime to)
{
    const int i = series.lowerBound(from);
    for (int j = i; j < series.count() && series.x(j) < to; ++j)
        if (!series.isNull(j))
            return SampleValue{series.y(j), from, to};
    return std::nullopt;
}

} // namespace

double SamplingStep(const Series& series)
{
    const TimeView xs = series.xs();
    const ValueView ys = series.ys();
    std::map<long long, int> counts;
    const std::size_t n = xs.size();
    int seen = 0;
    for (std::size_t i = 1; i < n && seen < kStepSampleIntervals; ++i) {
        if (IsNull(ys[i]) || IsNull(ys[i - 1]))
            continue;
        // A compressed run stretches over many steps; its length says nothing of the step.
        if (i >= 2 && !IsNull(ys[i - 2]) && ys[i] == ys[i - 1] && ys[i - 1] == ys[i - 2])
            continue;
        const long long seconds = std::llround((xs[i] - xs[i - 1]) * kSecondsPerDay);
        if (seconds <= 0)
            continue;
        ++counts[seconds];
        ++seen;
    }
    return MostFrequentInterval(counts);
}

double MostFrequentInterval(const std::map<long long, int>& secondsCounted)
{
    long long best = 0;
    int bestCount = 0;
    for (const auto& [seconds, count] : secondsCounted)
        if (count > bestCount) {
            best = seconds;
            bestCount = count;
        }
    return static_cast<double>(best) / kSecondsPerDay;
}

std::optional<SampleValue> NearestValueAt(const Series& series, DayTime t, double step)
{
    const TimeView xs = series.xs();
    const ValueView ys = series.ys();
    const int n = series.count();
    if (n == 0)
        return std::nullopt;
    int before = LastAtOrBefore(series, t);
    if (before >= 0)
        before = ValueAtSameTime(series, before);
    int after = static_cast<int>(std::lower_bound(xs.begin(), xs.end(), t) - xs.begin());
    // Among points at the same time past t the value, not the gap marker, is the sample.
    while (after + 1 < n && IsNull(ys[static_cast<std::size_t>(after)]) &&
           xs[static_cast<std::size_t>(after + 1)] == xs[static_cast<std::size_t>(after)])
        ++after;
    const bool hasBefore = before >= 0 && !IsNull(ys[static_cast<std::size_t>(before)]);
    const bool hasAfter = after < n && !IsNull(ys[static_cast<std::size_t>(after)]);
    if (hasBefore && xs[static_cast<std::size_t>(before)] == t)
        return Sample(series, before);
    const double dBefore = hasBefore ? t - xs[static_cast<std::size_t>(before)]
                                     : std::numeric_limits<double>::infinity();
    const double dAfter = hasAfter ? xs[static_cast<std::size_t>(after)] - t
                                   : std::numeric_limits<double>::infinity();
    // Neighbours in one run: no null point lies between them, so the line joins them.
    if (hasBefore && hasAfter && after == before + 1)
        return Sample(series, dAfter < dBefore - kSameDistance ? after : before);
    const double reach = Reach(step);
    const bool beforeInReach = hasBefore && dBefore <= reach;
    const bool afterInReach = hasAfter && dAfter <= reach;
    if (beforeInReach && (!afterInReach || dBefore <= dAfter + kSameDistance))
        return Sample(series, before);
    if (afterInReach)
        return Sample(series, after);
    return std::nullopt;
}

std::optional<SampleValue> HeldValueAt(const Series& series, DayTime t, double step)
{
    int i = LastAtOrBefore(series, t);
    if (i < 0)
        return std::nullopt;
    i = ValueAtSameTime(series, i);
    if (series.isNull(i))
        return std::nullopt;
    const bool runGoesOn = i + 1 < series.count() && !series.isNull(i + 1);
    if (!runGoesOn && t - series.x(i) > Reach(step))
        return std::nullopt;
    return Sample(series, i);
}

std::optional<SampleValue> DayBarAt(const Series& series, DayTime t)
{
    const DayTime day = DateOf(t);
    return BarIn(series, day, day + 1);
}

std::optional<SampleValue> MonthBarAt(const Series& series, DayTime t)
{
    const DayTime first = StartOfMonth(t);
    return BarIn(series, first, IncMonth(first, 1));
}

std::optional<SampleValue> ValueAt(const Series& series, ReadRule rule, DayTime t, double step)
{
    switch (rule) {
        case ReadRule::Nearest:
            return NearestValueAt(series, t, step);
        case ReadRule::Hold:
            return HeldValueAt(series, t, step);
        case ReadRule::DayBar:
            return DayBarAt(series, t);
        case ReadRule::MonthBar:
            return MonthBarAt(series, t);
    }
    return std::nullopt;
}

std::optional<MarkerDelta> DeltaBetween(const std::optional<SampleValue>& a, DayTime ta,
                                        const std::optional<SampleValue>& b, DayTime tb)
{
    if (!a || !b)
        return std::nullopt;
    MarkerDelta d;
    d.difference = b->value - a->value;
    d.between = tb - ta;
    d.perHour = d.between == 0 ? std::numeric_limits<double>::quiet_NaN()
                               : d.difference / (d.between * 24.0);
    return d;
}

} // namespace korvex
