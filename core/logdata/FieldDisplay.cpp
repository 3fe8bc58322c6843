#include "core/logdata/FieldDisplay.h"

#include "core/logdata/CustomSeries.h"
#include "core/logdata/FieldKeys.h"

#include <memory>

namespace korvex {

namespace {

// Sum bars take a fixed width in sum mode so that about 36 month bars fill the plot area.
constexpr int kSumBarsPerPlot = 36;
constexpr int kBarWidthPercent = 75;

std::unique_ptr<Series> Wrap(SeriesClass target, std::unique_ptr<Series> series)
{
    switch (target) {
        case SeriesClass::OffsetLine:
            return std::make_unique<TOffsetLine>(std::move(series));
        case SeriesClass::OffsetArea:
            return std::make_unique<TOffsetArea>(std::move(series));
        case SeriesClass::SumBars:
            return std::make_unique<TSumBars>(std::move(series));
        case SeriesClass::SumLine:
            return std::make_unique<TSumLine>(std::move(series));
        case SeriesClass::Line:
        default:
            return series;
    }
}

// Switching back unwraps, so the very same source series (points, offset) returns.
void SwitchClass(FieldSlot& slot, SeriesClass target)
{
    if (slot.series->seriesClass() == target)
        return;
    ChartHost* chart = slot.chart;
    const bool onChart = slot.shown && chart;
    if (onChart)
        chart->removeSeries(*slot.series);
    try {
        if (slot.series->source()) {
            std::unique_ptr<Series> wrapper = std::move(slot.series);
            slot.series = wrapper->detachSource();
        } else {
            slot.series = Wrap(target, std::move(slot.series));
        }
    } catch (...) {
        if (onChart && slot.series)
            chart->addSeries(*slot.series);
        throw;
    }
    if (onChart)
        chart->addSeries(*slot.series);
}

void ApplyAttributes(AnalysisDataSet& set, int i, int offset)
{
    if (i < 0 || i >= set.slotCount() || !set.slot(i).series)
        return;
    DeviceSettings* settings = set.deviceSettings();
    if (!settings || i >= settings->fieldCount())
        return;
    FieldSlot& slot = set.slot(i);
    const FieldCategory category = settings->category(i);
    const bool asBars =
        category == FieldCategory::Outputs ? settings->outputsAsBars() : settings->othersAsBars();
    const SeriesClass target = TargetSeriesClass(category, settings->derived(i), asBars);
    if (category != FieldCategory::Inputs)
        SwitchClass(slot, target);

    Series& s = *slot.series;
    const int width = static_cast<int>(settings->lineWidth());
    const Colour colour = settings->colour(i);
    switch (s.seriesClass()) {
        case SeriesClass::OffsetLine:
            s.setOffset(category == FieldCategory::Outputs ? offset : 0);
            s.setStairs(category == FieldCategory::Outputs);
            s.setPenWidth(width);
            break;
        case SeriesClass::OffsetArea:
            s.setOffset(category == FieldCategory::Outputs ? offset : 0);
            s.setOutlineColour(colour);
            s.setOutlineWidth(width);
            break;
        case SeriesClass::SumBars: {
            ChartHost* chart = slot.chart;
            if (set.sumMode() && chart && chart->hasSeries(s)) {
                s.setFixedBarWidth(chart->plotAreaWidth() / kSumBarsPerPlot);
            } else {
                s.setFixedBarWidth(0);
                s.setBarWidthPercent(kBarWidthPercent);
            }
            s.setOutlineWidth(width);
            s.setOutlineColour(colour);
            break;
        }
        case SeriesClass::Line:
        case SeriesClass::SumLine:
        default:
            s.setPenWidth(width);
            break;
    }
    s.setAxis(VerticalAxis::Left);
    if (slot.chart)
        slot.chart->attachToAxis(s, VerticalAxis::Left);
    s.setColour(colour);
    s.setTitle(settings->label(i));
}

void RefreshField(AnalysisDataSet& set, int i)
{
    set.notifyDisplayChanged(i);
}

void RefreshAll(AnalysisDataSet& set)
{
    set.notifyDisplayChanged(-1);
}

bool IsSelectableSum(const DeviceSettings& settings, int i)
{
    return settings.category(i) == FieldCategory::Others && settings.derived(i) &&
           !IsYearCounterKey(settings.key(i));
}

} // namespace

SeriesClass TargetSeriesClass(FieldCategory category, bool derived, bool asBars)
{
    switch (category) {
        case FieldCategory::Inputs:
            return SeriesClass::Line;
        case FieldCategory::Others:
            if (derived)
                return asBars ? SeriesClass::SumBars : SeriesClass::SumLine;
            return asBars ? SeriesClass::OffsetArea : SeriesClass::OffsetLine;
        case FieldCategory::Outputs:
        default:
            return asBars ? SeriesClass::OffsetArea : SeriesClass::OffsetLine;
    }
}

void ApplyDisplay(AnalysisDataSet& set, int field)
{
    if (field < 0 || field >= set.slotCount())
        return;
    if (set.slot(field).shown)
        ApplyAttributes(set, field, 0);
    RefreshField(set, field);
}

void ApplyDisplayOfAll(AnalysisDataSet& set)
{
    int outputs = 0;
    for (int i = 0; i < set.slotCount(); ++i) {
        if (set.slot(i).category == FieldCategory::Outputs)
            ApplyAttributes(set, i, -kOutputBandOffset * outputs++);
        else
            ApplyAttributes(set, i, 0);
    }
    RefreshAll(set);
}

void ApplyOutputDisplay(AnalysisDataSet& set, int field, int offset)
{
    if (field < 0 || field >= set.slotCount())
        return;
    if (set.slot(field).shown)
        ApplyAttributes(set, field, offset);
    RefreshField(set, field);
}

void SetTitles(AnalysisDataSet& set, bool withDeviceName)
{
    const DeviceSettings* settings = set.deviceSettings();
    if (!settings)
        return;
    for (int i = 0; i < set.slotCount() && i < settings->fieldCount(); ++i) {
        if (Series* s = set.series(i))
            s->setTitle(withDeviceName ? settings->name() + ": " + settings->label(i)
                                       : settings->label(i));
    }
}

void SetSumFieldsAvailable(AnalysisDataSet& set, bool on)
{
    const DeviceSettings* settings = set.deviceSettings();
    if (!settings)
        return;
    for (int i = 0; i < set.slotCount() && i < settings->fieldCount(); ++i) {
        if (!IsSelectableSum(*settings, i))
            continue;
        FieldSlot& slot = set.slot(i);
        if (!on) {
            slot.remembered = slot.remembered || slot.shown;
            // Keep "shown" and "on the chart" in step for callers that do not clear the chart.
            if (slot.shown && slot.chart && slot.series)
                slot.chart->removeSeries(*slot.series);
            slot.shown = false;
            slot.available = false;
        } else {
            slot.available = slot.series && slot.series->count() > 0;
            if (slot.available && slot.remembered) {
                slot.shown = true;
                slot.remembered = false;
            }
        }
    }
    RefreshAll(set);
}

void SetSumMode(AnalysisDataSet& set, bool on)
{
    if (set.sumMode() == on)
        return;
    set.setSumModeFlag(on);
    for (int i = 0; i < set.slotCount(); ++i) {
        FieldSlot& day = set.slot(i);
        const int p = day.partner;
        if (p <= i || p >= set.slotCount())
            continue;
        FieldSlot& month = set.slot(p);
        const bool onChart = day.shown && day.chart;
        if (onChart && day.series)
            day.chart->removeSeries(*day.series);
        std::swap(day.series, month.series);
        if (onChart && day.series)
            day.chart->addSeries(*day.series);
        ApplyDisplay(set, i);
    }
}

} // namespace korvex
