#include "core/views/Readout.h"

#include "core/logdata/Aggregation.h"
#include "core/logdata/FieldKeys.h"
#include "core/services/NumberFormat.h"
#include "core/views/Navigation.h"

#include <cmath>
#include <cstdio>
#include <map>

namespace korvex {

namespace {

constexpr const char* kNoValue = "\u2013";

std::string Number(double v, char separator)
{
    return FormatYield(v, separator);
}

std::string BarPeriod(const SampleValue& v, ReadRule rule)
{
    return rule == ReadRule::MonthBar ? FormatDayTime("mm.yyyy", v.at)
                                      : FormatDayTime("dd.mm.yyyy", v.at);
}

std::string Suffix(const std::string& unit)
{
    return unit.empty() ? std::string() : " " + unit;
}

ReadoutLine ValueLine(const ReadoutGraph& g, DayTime t, char separator)
{
    const std::optional<SampleValue> v = ValueAt(*g.series, g.rule, t, g.step);
    std::string text = g.name + ": " + ReadoutValueText(v, separator);
    if (v)
        text += Suffix(g.unit);
    if (v && (g.rule == ReadRule::DayBar || g.rule == ReadRule::MonthBar))
        text += " (" + BarPeriod(*v, g.rule) + ")";
    return {text, g.colour, false};
}

// "[°C]" -> "°C/h": a rate reads like the unit it is.
std::string RateUnit(const std::string& unit)
{
    std::string bare = unit;
    if (bare.size() >= 2 && bare.front() == '[' && bare.back() == ']')
        bare = bare.substr(1, bare.size() - 2);
    return bare + "/h";
}

ReadoutLine MarkerLine(const ReadoutGraph& g, DayTime a, DayTime b, char separator)
{
    const std::optional<SampleValue> va = ValueAt(*g.series, g.rule, a, g.step);
    const std::optional<SampleValue> vb = ValueAt(*g.series, g.rule, b, g.step);
    std::string text = g.name + ": A " + ReadoutValueText(va, separator) + "  B " +
                       ReadoutValueText(vb, separator);
    if (const auto d = DeltaBetween(va, a, vb, b)) {
        text += "  \u0394 " + Number(d->difference, separator) + Suffix(g.unit);
        if (!std::isnan(d->perHour))
            text += "  " + Number(d->perHour, separator) + " " + RateUnit(g.unit);
    } else {
        text += Suffix(g.unit);
    }
    return {text, g.colour, false};
}

// A time as the readout shows it: cut to its second, or to its minute without seconds.
DayTime ShownTime(DayTime t, bool withSeconds)
{
    const long long unit = withSeconds ? 1000 : 60000;
    const long long ms = std::llround(t * 86400000.0);
    return static_cast<double>(ms - ((ms % unit) + unit) % unit) / 86400000.0;
}

} // namespace

ReadRule ReadRuleOf(const AnalysisDataSet& set, int field, const DeviceSettings& settings)
{
    const Series& series = *set.series(field);
    const SeriesClass cls = series.seriesClass();
    const std::string& key = settings.key(field);
    if (cls == SeriesClass::SumBars || cls == SeriesClass::SumLine) {
        // Sum mode swaps the day and month series of partners.
        const bool monthKey = IsMonthSumKey(key);
        const bool swapped = set.sumMode() && set.slot(field).partner != 0;
        return monthKey != swapped ? ReadRule::MonthBar : ReadRule::DayBar;
    }
    if (settings.category(field) == FieldCategory::Outputs || series.stairs() ||
        series.drawStyle() == DrawStyle::Bars)
        return ReadRule::Hold;
    return ReadRule::Nearest;
}

double LearnedStep(const AnalysisDataSet& set)
{
    std::map<long long, int> counts;
    for (const DayBlock& block : set.dayBlocks())
        if (block.learnedInterval > 0)
            ++counts[std::llround(block.learnedInterval * 86400.0)];
    return MostFrequentInterval(counts);
}

ReadoutGraph MakeReadoutGraph(const AnalysisDataSet& set, int field, const std::string& prefix)
{
    ReadoutGraph g;
    const DeviceSettings* settings = set.deviceSettings();
    g.series = set.series(field);
    if (!settings || !g.series || field >= settings->fieldCount()) {
        g.series = nullptr;
        return g;
    }
    g.rule = ReadRuleOf(set, field, *settings);
    // The reader's interval, not the spacing of stored points: a field that stays constant all
    // day keeps two points a day, which would make a missing day look like one step.
    if (g.rule == ReadRule::Nearest || g.rule == ReadRule::Hold) {
        const double learned = LearnedStep(set);
        g.step = learned > 0 ? learned : SamplingStep(*g.series);
    }
    g.name = prefix + settings->label(field);
    g.unit = set.unit(field);
    if (settings->category(field) == FieldCategory::Others)
        g.unitsPerDay = RateUnitsPerDay(settings->key(field));
    if (g.unitsPerDay > 0)
        g.integralUnit = SumUnit(g.unit);
    g.colour = settings->colour(field);
    return g;
}

CurveKind CurveOf(ReadRule rule)
{
    switch (rule) {
        case ReadRule::Nearest:
            return CurveKind::Linear;
        case ReadRule::Hold:
            return CurveKind::Steps;
        case ReadRule::DayBar:
        case ReadRule::MonthBar:
            break;
    }
    return CurveKind::Points;
}

std::string ReadoutTimeText(DayTime t, int spanItem)
{
    return FormatDayTime(IsHourSpan(spanItem) ? "dd.mm.yyyy hh:nn:ss" : "dd.mm.yyyy hh:nn", t);
}

std::string DurationText(DayTime d, bool withSeconds)
{
    const bool negative = d < 0;
    long long seconds = std::llround(std::fabs(d) * 86400.0);
    const long long days = seconds / 86400;
    seconds %= 86400;
    char buffer[48];
    if (withSeconds)
        std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld", seconds / 3600,
                      seconds / 60 % 60, seconds % 60);
    else
        std::snprintf(buffer, sizeof buffer, "%02lld:%02lld", seconds / 3600, seconds / 60 % 60);
    std::string text = negative ? "-" : "";
    if (days > 0)
        text += std::to_string(days) + " d ";
    return text + buffer;
}

std::string ReadoutValueText(const std::optional<SampleValue>& v, char separator)
{
    return v ? Number(v->value, separator) : kNoValue;
}

std::vector<ReadoutLine> BuildReadout(const std::vector<ReadoutGraph>& graphs, DayTime t,
                                      int spanItem, const Markers& markers, char separator)
{
    std::vector<ReadoutLine> lines;
    lines.reserve(graphs.size() + 2);
    if (markers.a && markers.b) {
        const DayTime a = *markers.a, b = *markers.b;
        lines.push_back(
            {"A " + ReadoutTimeText(a, spanItem) + "   B " + ReadoutTimeText(b, spanItem), 0,
             true});
        // The time between matches the two times shown: to the minute when they hide seconds.
        const bool seconds = IsHourSpan(spanItem);
        const DayTime between = ShownTime(b, seconds) - ShownTime(a, seconds);
        lines.push_back({"\u0394t " + DurationText(between, seconds), 0, true});
        for (const ReadoutGraph& g : graphs)
            if (g.series)
                lines.push_back(MarkerLine(g, a, b, separator));
        return lines;
    }
    lines.push_back({ReadoutTimeText(t, spanItem), 0, true});
    for (const ReadoutGraph& g : graphs)
        if (g.series)
            lines.push_back(ValueLine(g, t, separator));
    return lines;
}

std::vector<std::vector<std::string>> StatisticsRows(const std::vector<ReadoutGraph>& graphs,
                                                     DayTime from, DayTime to, char separator)
{
    std::vector<StatisticsRequest> requests;
    requests.reserve(graphs.size());
    for (const ReadoutGraph& g : graphs)
        if (g.series)
            requests.push_back({g.series, CurveOf(g.rule), g.unitsPerDay});
    const std::vector<WindowStatistics> stats = ComputeWindowStatistics(requests, from, to);
    std::vector<std::vector<std::string>> rows;
    std::size_t next = 0;
    for (const ReadoutGraph& g : graphs) {
        if (!g.series)
            continue;
        const WindowStatistics& s = stats[next++];
        std::vector<std::string> row(kStatisticsColumns);
        row[0] = g.name;
        row[1] = g.unit;
        if (s.hasValue) {
            row[2] = Number(s.min, separator);
            row[3] = FormatDayTime("dd.mm.yyyy hh:nn:ss", s.minAt);
            row[4] = Number(s.max, separator);
            row[5] = FormatDayTime("dd.mm.yyyy hh:nn:ss", s.maxAt);
            row[6] = Number(s.mean, separator);
        }
        if (s.integral)
            row[7] = Number(*s.integral, separator) + Suffix(g.integralUnit);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string TabSeparated(const std::vector<std::vector<std::string>>& rows)
{
    std::string text;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                text.push_back('\t');
            text += row[i];
        }
        text.push_back('\n');
    }
    return text;
}

} // namespace korvex
