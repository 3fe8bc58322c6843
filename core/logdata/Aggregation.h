#pragma once

// Day and month sums of power and flow fields as derived fields of a data set, and the two
// routines that fill yield-table columns from them.

#include "core/logdata/AnalysisDataSet.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// Time units per day of a rate: kW count hours, l/min minutes.
constexpr int kPowerUnitsPerDay = 24;
constexpr int kFlowUnitsPerDay = 1440;

// Time units per day of a rate field (power 24, flow 1440) by its key: a key beginning with "P" or
// "V" that contains neither "tag" nor "jahr"; 0 for every other key.
int RateUnitsPerDay(std::string_view key);

// "[kW]" -> "[kWh]", "[l/min]" -> "[l]", "[MBtu/h]" -> "[MBtu]", "[gal/min]" -> "[gal]"; any other
// unit unchanged.
std::string SumUnit(std::string_view unit);
// A leading "P" (power) becomes "Q" (energy): "P" -> "Q", "V" stays "V".
std::string YieldName(std::string_view key);
// Automatic label of the sums of field key: "Sum of energy (Q...)", "Sum of flow rate (V...)",
// otherwise the key (current language).
std::string SumFieldLabel(std::string_view key);

// The day-sum rule over any window [from, to): the first point of a run counts one minute at its
// rate, every further point the trapezoid to its predecessor; null points end a run. coveredDays
// is the time those terms stand for (one minute per run start plus the intervals).
struct RateIntegral {
    double sum = 0;
    double coveredDays = 0;
};
RateIntegral IntegrateRate(const Series& series, int unitsPerDay, DayTime from, DayTime to);
// The same, handing every non-null point it sums to visit(x, y) on the way, so that other
// figures of the window come from the same pass over the points.
template <class Visit>
RateIntegral IntegrateRateVisiting(const Series& series, int unitsPerDay, DayTime from, DayTime to,
                                   Visit&& visit);

// Integral of a rate series over [day, day + 1): the first point of a run counts one minute at
// its rate, every further point the trapezoid to its predecessor; null points end a run.
double DaySum(const Series& series, int unitsPerDay, DayTime day);

// Adds the derived day-sum and month-sum fields of a loaded data set (once, after loading).
// Registering fields can fail (texts 94, 97, 153); the data set then keeps what was added.
void Aggregate(AnalysisDataSet& set);

// Series that holds the daily bars of a day-sum field, also in sum mode (when its month partner
// holds them); null when there is none.
const Series* DaySumSeries(const AnalysisDataSet& set, int dayField);

// Daily yield column: one cell per day (the bar's value, else "0,00"), then the total of the
// bars, all "########0.00". cells gets days.size() + 1 entries.
void FillDayColumn(const AnalysisDataSet& set, int dayField, std::span<const int> days,
                   std::vector<std::string>& cells, char separator);

// Annual yield column: a year whose last annual-counter value (field key + "jahr") exceeds the
// cell takes that value. years and cells are the year rows, ascending, one cell per year.
void RaiseYearColumn(const AnalysisDataSet& set, int field, std::span<const int> years,
                     std::span<std::string> cells, char separator);

template <class Visit>
RateIntegral IntegrateRateVisiting(const Series& series, int unitsPerDay, DayTime from, DayTime to,
                                   Visit&& visit)
{
    constexpr double kMillisecondsPerDay = 86400000.0;
    RateIntegral result;
    const TimeView xs = series.xs();
    const ValueView ys = series.ys();
    const std::size_t n = xs.size();
    if (n == 0 || xs.back() < from || xs.front() > to)
        return result;
    // Trapezoid factor h = u / 2 in whole numbers; the interval is taken in whole milliseconds
    // so that a day of minute samples integrates without the rounding of day + fraction.
    const double h = unitsPerDay / 2;
    // The forms resolved once; the sums live in the loop's own frame: the visitor writes
    // through references, which would otherwise make the compiler reload them on every point.
    VisitPoints(xs, ys, [&](const auto x, const auto y) {
        std::size_t i = LowerBoundIndex(x, 0, n, from);
        const std::size_t end = LowerBoundIndex(x, i, n, to);
        // Compensated summation: a day of 1440 terms keeps the error of the terms themselves.
        // Both corrections are formed and one is picked, which compiles without a branch.
        double sum = 0;
        double compensation = 0;
        auto add = [&](double term) {
            const double t = sum + term;
            const double keepSum = (sum - t) + term;
            const double keepTerm = (term - t) + sum;
            compensation += std::fabs(sum) >= std::fabs(term) ? keepSum : keepTerm;
            sum = t;
        };
        double coveredMs = 0;
        bool inRun = false;
        double previousX = 0;
        double previousY = 0;
        for (; i < end; ++i) {
            const double yi = y[i];
            if (std::isnan(yi)) {
                inRun = false;
                continue;
            }
            const double xi = x[i];
            visit(xi, yi);
            if (!inRun) {
                add(yi * unitsPerDay / 1440.0);
                coveredMs += 60000.0;
                inRun = true;
            } else {
                // X ascends, so the interval is never negative.
                const double ms = static_cast<double>(
                    static_cast<long long>((xi - previousX) * kMillisecondsPerDay + 0.5));
                add((yi + previousY) * (ms * h) / kMillisecondsPerDay);
                coveredMs += ms;
            }
            previousX = xi;
            previousY = yi;
        }
        result.sum = sum + compensation;
        result.coveredDays = coveredMs / kMillisecondsPerDay;
    });
    return result;
}

} // namespace korvex
