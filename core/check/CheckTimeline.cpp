#include "core/check/CheckTimeline.h"

#include <algorithm>
#include <iterator>
#include <cmath>
#include <limits>

namespace korvex {

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
// The reader rounds steps to the minute; half a second covers the seconds of a stamp's rounding.
constexpr double kHalfSecond = 0.5 / 86400.0;

// Times after which field's log breaks: the last value before every null point, unless the null
// only closes a day and the next value follows within one step.
template <class Xs, class Ys>
void CollectBreaks(const Xs& x, const Ys& y, std::size_t n, double step,
                   std::vector<DayTime>& breaks)
{
    std::size_t lastValue = n; // none yet
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isnan(y[i])) {
            lastValue = i;
            continue;
        }
        if (lastValue == n)
            continue;
        std::size_t next = i + 1;
        while (next < n && std::isnan(y[next]))
            ++next;
        const bool closesDay = x[lastValue] == x[i];
        const bool goesOn = next < n && x[next] - x[lastValue] <= step + kHalfSecond;
        if (!(closesDay && goesOn))
            breaks.push_back(x[lastValue]);
    }
}

// Reads a field's value at ascending sample times in one pass: its point there, else the run of
// equal values it lies in (a compressed run holds one value throughout), else nothing.
template <class Xs, class Ys>
class FieldCursor {
public:
    FieldCursor(const Xs& xs, const Ys& ys, std::size_t n) : xs_(xs), ys_(ys), n_(n) {}

    double valueAt(DayTime t)
    {
        const std::size_t n = n_;
        while (j_ < n && xs_[j_] < t)
            ++j_;
        for (std::size_t k = j_; k < n && xs_[k] == t; ++k)
            if (!std::isnan(ys_[k]))
                return ys_[k];
        if (j_ == 0 || j_ >= n || std::isnan(ys_[j_ - 1]) || std::isnan(ys_[j_]))
            return kNoValue;
        return ys_[j_ - 1];
    }

private:
    Xs xs_;
    Ys ys_;
    std::size_t n_;
    std::size_t j_ = 0;
};

} // namespace

bool IsTemperatureUnit(const std::string& unit)
{
    return unit.find("\u00b0C") != std::string::npos || unit.find("\u00b0F") != std::string::npos;
}

CheckTimeline BuildCheckTimeline(const AnalysisDataSet& set, const std::vector<int>& fields,
                                 double step, const std::vector<DayTime>& extraTimes)
{
    CheckTimeline line;
    std::vector<DayTime> breaks;
    std::vector<const Series*> series;
    // The samples: every field's stored times, merged (each series is sorted already).
    std::vector<DayTime> own, merged;
    for (int f : fields) {
        const Series* s = set.series(f);
        series.push_back(s);
        if (!s)
            continue;
        own.clear();
        own.reserve(static_cast<std::size_t>(s->count()));
        const std::size_t count = static_cast<std::size_t>(s->count());
        VisitPoints(s->xs(), s->ys(), [&](const auto xs, const auto ys) {
            for (std::size_t i = 0; i < count; ++i)
                if (!std::isnan(ys[i]) && (own.empty() || own.back() != xs[i]))
                    own.push_back(xs[i]);
            CollectBreaks(xs, ys, count, step, breaks);
        });
        if (line.times.empty()) {
            line.times.swap(own);
        } else {
            merged.clear();
            merged.reserve(line.times.size() + own.size());
            std::set_union(line.times.begin(), line.times.end(), own.begin(), own.end(),
                           std::back_inserter(merged));
            line.times.swap(merged);
        }
    }
    std::sort(breaks.begin(), breaks.end());
    breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());
    // Extra times count only inside the samples' span and where no gap lies across them.
    if (!line.times.empty() && !extraTimes.empty()) {
        std::vector<DayTime> added;
        for (DayTime t : extraTimes) {
            if (t <= line.times.front() || t >= line.times.back())
                continue;
            const auto next = std::lower_bound(line.times.begin(), line.times.end(), t);
            if (*next == t || std::binary_search(breaks.begin(), breaks.end(), *(next - 1)))
                continue;
            added.push_back(t);
        }
        std::sort(added.begin(), added.end());
        merged.clear();
        std::set_union(line.times.begin(), line.times.end(), added.begin(), added.end(),
                       std::back_inserter(merged));
        line.times.swap(merged);
    }
    const std::size_t n = line.times.size();
    line.breakBefore.assign(n, 0);
    std::size_t b = 0;
    for (std::size_t i = 1; i < n && b < breaks.size(); ++i) {
        while (b < breaks.size() && breaks[b] < line.times[i - 1])
            ++b;
        line.breakBefore[i] = b < breaks.size() && breaks[b] == line.times[i - 1];
    }
    line.values.resize(fields.size());
    for (std::size_t f = 0; f < fields.size(); ++f) {
        std::vector<double>& v = line.values[f];
        v.assign(n, kNoValue);
        if (!series[f])
            continue;
        const bool fahrenheit = set.unit(fields[f]).find("\u00b0F") != std::string::npos;
        const Series& s = *series[f];
        VisitPoints(s.xs(), s.ys(), [&](const auto xs, const auto ys) {
            FieldCursor cursor(xs, ys, static_cast<std::size_t>(s.count()));
            for (std::size_t i = 0; i < n; ++i) {
                const double y = cursor.valueAt(line.times[i]);
                v[i] = fahrenheit && !std::isnan(y) ? (y - 32.0) * 5.0 / 9.0 : y;
            }
        });
    }
    return line;
}

} // namespace korvex
