#include "tools/report/ReportStats.h"

#include "core/logdata/Aggregation.h"
#include "core/services/Cp1252.h"
#include "core/services/NumberFormat.h"
#include "core/services/TextCatalogue.h"
#include "core/views/Readout.h"
#include "tools/report/JsonWriter.h"

namespace korvex::report {

namespace {

constexpr const char* kTimeFormat = "yyyy-mm-dd hh:nn:ss";

std::string Time(DayTime t)
{
    return FormatDayTime(kTimeFormat, t);
}

DayTime SpanEnd(int spanItem, DayTime start)
{
    switch (spanItem) {
        case SpanOneDay:
            return start + 1;
        case SpanOneMonth:
            return IncMonth(start, 1);
        case SpanOneQuarter:
            return IncMonth(start, 3);
        case SpanOneYear:
            return IncMonth(start, 12);
        default:
            return start + HourSpanLength(spanItem);
    }
}

TimeWindow PlacedWindow(const ReportAnalysis& analysis, int spanItem, DayTime at,
                        WindowPlacement placement)
{
    if (placement == WindowPlacement::ExactlyAt)
        return {at, SpanEnd(spanItem, at)};
    // Placed as a span change places it, from a window that started on that day.
    NavigationState nav =
        InitialNavigation(analysis.periodStart, analysis.periodEnd, analysis.days);
    nav.window = {at, at + 1};
    nav.spanItem = spanItem;
    return ApplySpan(nav).window;
}

DeviceStatistics DeviceStats(const std::string& number, AnalysisDataSet& set, TimeWindow window)
{
    DeviceStatistics d;
    d.device = number;
    DeviceSettings* settings = set.deviceSettings();
    if (!settings)
        return d;
    d.name = settings->displayName();
    for (int i = 0; i < set.slotCount() && i < settings->fieldCount(); ++i) {
        const Series* series = set.series(i);
        if (!series || !set.available(i))
            continue;
        FieldStatistics f;
        f.key = settings->key(i);
        f.unit = settings->unit(i);
        const int units =
            settings->category(i) == FieldCategory::Others ? RateUnitsPerDay(f.key) : 0;
        if (units > 0)
            f.integralUnit = SumUnit(f.unit);
        const CurveKind kind = CurveOf(ReadRuleOf(set, i, *settings));
        f.stats = ComputeWindowStatistics(*series, kind, window.start, window.end, units);
        d.fields.push_back(std::move(f));
    }
    return d;
}

} // namespace

StatisticsReport ReportStatistics(ReportAnalysis& analysis, int spanItem, DayTime at,
                                  WindowPlacement placement, std::optional<std::size_t> device)
{
    StatisticsReport report;
    report.window = PlacedWindow(analysis, spanItem, at, placement);
    for (std::size_t i = 0; i < analysis.dataSets.size(); ++i) {
        if (device && *device != i)
            continue;
        if (AnalysisDataSet* set = analysis.dataSets[i].get())
            report.devices.push_back(DeviceStats(analysis.deviceNumbers[i], *set, report.window));
    }
    return report;
}

std::string StatisticsText(const StatisticsReport& report, int textBlock)
{
    auto t = [textBlock](TextId id) { return TextOf(textBlock, id); };
    std::string text = t(TextId::StatisticsWindowUsed) + ';' + Time(report.window.start) + ';' +
                       Time(report.window.end) + "\r\n";
    text += t(TextId::StatisticsDevice) + ';' + t(TextId::StatisticsField) + ';' +
            t(TextId::StatisticsUnit) + ';' + t(TextId::StatisticsMinimum) + ';' +
            t(TextId::StatisticsMinimumTime) + ';' + t(TextId::StatisticsMaximum) + ';' +
            t(TextId::StatisticsMaximumTime) + ';' + t(TextId::StatisticsMean) + ';' +
            t(TextId::StatisticsEnergyVolume) + ';' + t(TextId::StatisticsUnit) + "\r\n";
    for (const DeviceStatistics& d : report.devices) {
        for (const FieldStatistics& f : d.fields) {
            const WindowStatistics& s = f.stats;
            text += d.device + ';' + f.key + ';' + f.unit + ';';
            if (s.hasValue)
                text += FormatYield(s.min) + ';' + Time(s.minAt) + ';' + FormatYield(s.max) + ';' +
                        Time(s.maxAt) + ';' + FormatYield(s.mean) + ';';
            else
                text += ";;;;;";
            if (s.integral)
                text += FormatYield(*s.integral);
            text += ';' + f.integralUnit + "\r\n";
        }
    }
    return Utf8ToCp1252(text);
}

std::string StatisticsJson(const StatisticsReport& report)
{
    JsonWriter w;
    w.BeginObject();
    w.Key("from").String(Time(report.window.start));
    w.Key("to").String(Time(report.window.end));
    w.Key("devices").BeginArray();
    for (const DeviceStatistics& d : report.devices) {
        w.BeginObject();
        w.Key("device").String(d.device);
        w.Key("name").String(d.name);
        w.Key("fields").BeginArray();
        for (const FieldStatistics& f : d.fields) {
            const WindowStatistics& s = f.stats;
            w.BeginObject();
            w.Key("key").String(f.key);
            w.Key("unit").String(f.unit);
            auto number = [&](const char* key, bool has, double value) {
                w.Key(key);
                has ? w.Number(value) : w.Null();
            };
            auto time = [&](const char* key, DayTime t) {
                w.Key(key);
                s.hasValue ? w.String(Time(t)) : w.Null();
            };
            number("min", s.hasValue, s.min);
            time("minAt", s.minAt);
            number("max", s.hasValue, s.max);
            time("maxAt", s.maxAt);
            number("mean", s.hasValue, s.mean);
            number("integral", s.integral.has_value(), s.integral.value_or(0));
            w.EndObject();
        }
        w.EndArray();
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    return w.take() + "\n";
}

} // namespace korvex::report
