#include "core/logdata/Aggregation.h"

#include "core/logdata/CustomSeries.h"
#include "core/logdata/FieldKeys.h"
#include "core/services/NumberFormat.h"
#include "core/services/TextCatalogue.h"

#include <algorithm>
#include <cmath>

namespace korvex {

namespace {

int UnitsPerDayOf(std::string_view key)
{
    if (IsPowerKey(key))
        return kPowerUnitsPerDay;
    if (IsFlowKey(key))
        return kFlowUnitsPerDay;
    return 0;
}

DayTime FirstOfNextMonth(DayTime day)
{
    return IncMonth(StartOfMonth(day), 1);
}

bool HasBarOn(const Series& series, DayTime day)
{
    const int i = series.lowerBound(day + 0.5);
    return i < series.count() && series.x(i) == day + 0.5 && !series.isNull(i);
}

// A missing day shows as a gap rather than a line or bar bridging it.
void BreakAtMissingDays(Series& series)
{
    if (auto* bars = dynamic_cast<TSumBars*>(&series.dataHolder()))
        bars->setAcceptNulls(true);
    std::vector<double> gaps;
    double previous = 0;
    bool havePrevious = false;
    for (int i = 0; i < series.count(); ++i) {
        if (series.isNull(i))
            continue;
        const double x = series.x(i);
        if (havePrevious && x - previous > 1.0)
            gaps.push_back(x - 1.0);
        previous = x;
        havePrevious = true;
    }
    for (double x : gaps) {
        const int at = series.lowerBound(x);
        if (at < series.count() && series.x(at) == x && series.isNull(at))
            continue;
        series.addNullPoint(x);
    }
}

void FillMonthSeries(Series& month, const Series& day)
{
    Series& holder = month.dataHolder();
    holder.clear();
    if (auto* bars = dynamic_cast<TSumBars*>(&holder))
        bars->setAcceptNulls(true);
    month.setColour(day.colour());
    const TimeView xs = day.xs();
    const ValueView ys = day.ys();
    const std::size_t n = xs.size();
    std::size_t i = 0;
    while (i < n) {
        if (std::isnan(ys[i])) {
            ++i;
            continue;
        }
        const DayTime first = StartOfMonth(xs[i]);
        const DayTime next = FirstOfNextMonth(xs[i]);
        double sum = ys[i++];
        for (; i < n && xs[i] < next; ++i) {
            if (!std::isnan(ys[i]))
                sum += ys[i];
        }
        holder.addPoint((first + next) / 2, sum);
    }
}

} // namespace

std::string SumUnit(std::string_view unit)
{
    if (unit == "[l/min]")
        return "[l]";
    if (unit == "[kW]")
        return "[kWh]";
    if (unit == "[MBtu/h]")
        return "[MBtu]";
    if (unit == "[gal/min]")
        return "[gal]";
    return std::string(unit);
}

std::string YieldName(std::string_view key)
{
    std::string name(key);
    if (IsPowerKey(name))
        name.front() = 'Q';
    return name;
}

int RateUnitsPerDay(std::string_view key)
{
    if (IsDaySumKey(key) || IsYearCounterKey(key))
        return 0;
    return UnitsPerDayOf(key);
}

std::string SumFieldLabel(std::string_view key)
{
    if (IsPowerKey(key))
        return Text(TextId::SumOfEnergy) + " (Q" + std::string(key.substr(1)) + ")";
    if (IsFlowKey(key))
        return Text(TextId::SumOfFlowRate) + " (" + std::string(key) + ")";
    return std::string(key);
}

RateIntegral IntegrateRate(const Series& series, int unitsPerDay, DayTime from, DayTime to)
{
    return IntegrateRateVisiting(series, unitsPerDay, from, to, [](double, double) {});
}

double DaySum(const Series& series, int unitsPerDay, DayTime day)
{
    return IntegrateRate(series, unitsPerDay, day, day + 1).sum;
}

namespace {

// A rate field and its day sum, with the time units per day of the rate.
struct SumSource {
    std::string source;
    std::string daySum;
    int units;
};

struct SumSources {
    std::vector<SumSource> withLogSums;    // the logs carry a day sum field
    std::vector<SumSource> withoutLogSums; // the day sum field is to be added
};

// Rate fields of Others and their day sums; marks the log's own sum fields as derived.
SumSources CollectSumSources(DeviceSettings& settings)
{
    SumSources sources;
    const int othersBegin = settings.inputsCount();
    const int othersEnd = settings.count(FieldCategory::Others);
    for (int i = othersBegin; i < othersEnd; ++i) {
        const std::string key = settings.key(i);
        const int units = UnitsPerDayOf(key);
        if (units == 0)
            continue;
        const bool hasDaySum = settings.find(DaySumKey(key)) >= 0;
        if (hasDaySum)
            sources.withLogSums.push_back({key, DaySumKey(key), units});
        if (IsDaySumKey(key) || IsYearCounterKey(key)) {
            settings.setDerived(i, true);
            continue;
        }
        if (!hasDaySum)
            sources.withoutLogSums.push_back({key, DaySumKey(key), units});
    }
    return sources;
}

// Log day sums stay; days whose file carried none get the integral.
void CompleteLogDaySums(AnalysisDataSet& set, const std::vector<SumSource>& sources)
{
    DeviceSettings& settings = *set.deviceSettings();
    for (const SumSource& e : sources) {
        const int source = settings.find(e.source);
        const int daySum = settings.find(e.daySum);
        Series* sourceSeries = set.series(source);
        Series* daySeries = set.series(daySum);
        if (!sourceSeries || !daySeries)
            continue;
        for (const DayBlock& block : set.dayBlocks()) {
            if (!HasBarOn(*daySeries, block.day))
                daySeries->addPoint(block.day + 0.5, DaySum(*sourceSeries, e.units, block.day));
        }
        set.setUnit(daySum, SumUnit(set.unit(daySum)));
    }
}

void AddIntegratedDaySums(AnalysisDataSet& set, const std::vector<SumSource>& sources)
{
    DeviceSettings& settings = *set.deviceSettings();
    for (const SumSource& m : sources) {
        const int source = settings.find(m.source);
        const std::string unit = SumUnit(set.unit(source));
        const int index = settings.registerField(m.daySum, unit, FieldCategory::Others);
        set.insertSlot(index, FieldCategory::Others, true);
        settings.setDerived(index, true);
        Series* daySeries = set.series(index);
        const Series* sourceSeries = set.series(settings.find(m.source));
        if (daySeries && sourceSeries) {
            for (const DayBlock& block : set.dayBlocks())
                daySeries->addPoint(block.day + 0.5, DaySum(*sourceSeries, m.units, block.day));
        }
        set.insertUnit(index, unit);
    }
}

// Labels of the sums, and gaps at missing days.
void LabelSumsAndBreakGaps(AnalysisDataSet& set)
{
    DeviceSettings& settings = *set.deviceSettings();
    for (int i = settings.inputsCount(); i < settings.count(FieldCategory::Others); ++i) {
        if (settings.derived(i))
            continue;
        const std::string key = settings.key(i);
        const int daySum = settings.find(DaySumKey(key));
        if (daySum >= 0) {
            if (Series* s = set.series(daySum))
                BreakAtMissingDays(*s);
        }
        for (const int sum : {daySum, settings.find(YearCounterKey(key))}) {
            if (sum >= 0 && settings.label(sum) == settings.key(sum))
                settings.setLabel(sum, SumFieldLabel(key));
        }
    }
}

// Month sums, partnered with their day sums.
void AddMonthSums(AnalysisDataSet& set)
{
    DeviceSettings& settings = *set.deviceSettings();
    std::vector<std::string> dayKeys;
    for (int i = settings.inputsCount(); i < settings.count(FieldCategory::Others); ++i) {
        if (IsDaySumKey(settings.key(i)))
            dayKeys.push_back(settings.key(i));
    }
    for (const std::string& dayKey : dayKeys) {
        const std::string monthKey = MonthSumKey(dayKey);
        // Two day sums sharing a prefix ("Ptag", "Ptag2") would give one month key twice.
        if (settings.contains(monthKey))
            continue;
        const int day = settings.find(dayKey);
        const std::string unit = set.unit(day);
        const int month = settings.registerField(monthKey, unit, FieldCategory::Others);
        set.insertSlot(month, FieldCategory::Others, true);
        const int dayIndex = settings.find(dayKey);
        settings.setDerived(month, true);
        settings.setLabel(month, settings.label(dayIndex));
        if (Series* monthSeries = set.series(month)) {
            if (const Series* daySeries = set.series(dayIndex))
                FillMonthSeries(*monthSeries, *daySeries);
        }
        set.slot(dayIndex).partner = month;
        set.slot(month).partner = dayIndex;
        set.insertUnit(month, unit);
    }
}

} // namespace

void Aggregate(AnalysisDataSet& set)
{
    DeviceSettings* settings = set.deviceSettings();
    // Without a loaded day there is nothing to sum, and registering fields without slots would
    // put the field lists out of step.
    if (!settings || !set.hasData())
        return;
    const SumSources sources = CollectSumSources(*settings);
    CompleteLogDaySums(set, sources.withLogSums);
    AddIntegratedDaySums(set, sources.withoutLogSums);
    LabelSumsAndBreakGaps(set);
    AddMonthSums(set);
}

const Series* DaySumSeries(const AnalysisDataSet& set, int dayField)
{
    if (dayField < 0 || dayField >= set.slotCount())
        return nullptr;
    const FieldSlot& slot = set.slot(dayField);
    if (set.sumMode() && slot.partner > dayField && slot.partner < set.slotCount())
        return set.slot(slot.partner).series.get();
    return slot.series.get();
}

void FillDayColumn(const AnalysisDataSet& set, int dayField, std::span<const int> days,
                   std::vector<std::string>& cells, char separator)
{
    const std::string zero = FormatYield(0, separator);
    cells.assign(days.size() + 1, zero);
    double total = 0;
    if (const Series* series = DaySumSeries(set, dayField)) {
        const TimeView xs = series->xs();
        const ValueView ys = series->ys();
        const std::size_t n = xs.size();
        std::size_t j = 0;
        for (std::size_t row = 0; row < days.size(); ++row) {
            const double day = days[row];
            while (j < n && xs[j] < day)
                ++j;
            for (; j < n && xs[j] < day + 1; ++j) {
                if (std::isnan(ys[j]))
                    continue;
                cells[row] = FormatYield(ys[j], separator);
                total += ys[j];
            }
        }
    }
    cells.back() = FormatYield(total, separator);
}

void RaiseYearColumn(const AnalysisDataSet& set, int field, std::span<const int> years,
                     std::span<std::string> cells, char separator)
{
    const DeviceSettings* settings = set.deviceSettings();
    if (!settings || field < 0 || field >= settings->fieldCount())
        return;
    const Series* series = set.series(settings->find(YearCounterKey(settings->key(field))));
    if (!series)
        return;
    const Series& points = series->dataHolder();
    int p = points.count() - 1;
    const std::size_t rows = std::min(years.size(), cells.size());
    for (std::size_t r = rows; r-- > 0;) {
        const DayTime yearStart = EncodeDate(years[r], 1, 1);
        const DayTime nextYear = EncodeDate(years[r] + 1, 1, 1);
        while (p >= 0 && (points.isNull(p) || points.x(p) >= nextYear))
            --p;
        if (p < 0)
            break;
        if (points.x(p) < yearStart)
            continue;
        double current = 0;
        if (!cells[r].empty() && !ParseNumber(cells[r], current, separator))
            current = 0;
        if (points.y(p) > current)
            cells[r] = FormatYield(points.y(p), separator);
    }
}

} // namespace korvex
