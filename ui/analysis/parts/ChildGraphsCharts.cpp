// The graph part's side of the two charts: which series are on them, the axis titles and
// placeholders, the dynamic Y scale of the upper chart and the output bands of the lower one.

#include "ui/analysis/parts/ChildGraphs.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/FieldDisplay.h"
#include "ui/analysis/widgets/AxisTitles.h"
#include "core/views/ChildState.h"
#include "ui/analysis/widgets/ChildWidgets.h"
#include "ui/chart/ChartWidget.h"

#include <QDate>
#include <QScrollArea>
#include <QTabBar>

#include <algorithm>
#include <cmath>

namespace korvex {

// ---- ChildGraphs: series on the charts ----

void ChildGraphs::CreateAxisPlaceholders()
{
    const DayTime today = static_cast<DayTime>(QDate(1899, 12, 30).daysTo(QDate::currentDate()));
    ChartHost* hosts[4] = {w_.chart, w_.chart, w_.chart2, w_.chart2};
    const VerticalAxis axes[4] = {VerticalAxis::Left, VerticalAxis::Right, VerticalAxis::Left,
                                  VerticalAxis::Right};
    for (int i = 0; i < 4; ++i) {
        auto& slot = placeholders_[static_cast<std::size_t>(i)];
        if (slot)
            SetPlaceholder(i, false);
        slot = std::make_unique<LineSeries>(hosts[i]);
        slot->addPoint(today, 0);
        slot->setShowInLegend(false);
        slot->setTitle(std::string());
        slot->setAxis(axes[i]);
        placeholdersOn_[static_cast<std::size_t>(i)] = false;
    }
}

LineSeries* ChildGraphs::AxisPlaceholder(int i) const
{
    return i >= 0 && i < 4 ? placeholders_[static_cast<std::size_t>(i)].get() : nullptr;
}

void ChildGraphs::SetPlaceholder(int i, bool on)
{
    LineSeries* series = AxisPlaceholder(i);
    if (!series)
        return;
    ChartWidget& chart = i < 2 ? *w_.chart : *w_.chart2;
    if (on) {
        chart.addSeries(*series);
        (i % 2 == 0 ? chart.LeftAxis() : chart.RightAxis()).SetTitle(QStringLiteral(" "));
    } else {
        chart.removeSeries(*series);
    }
    placeholdersOn_[static_cast<std::size_t>(i)] = on;
}

void ChildGraphs::RemoveAllSeries()
{
    w_.chart->RemoveAllSeries();
    w_.chart2->RemoveAllSeries();
    // The placeholders went with them; UpdateAxisTitles puts back those that are needed.
    placeholdersOn_.fill(false);
}

void ChildGraphs::AddShownSeries()
{
    if (AnalysisDataSet* set = state_.view.Current())
        set->reAddShown();
}

void ChildGraphs::AddOverviewSeries()
{
    for (auto& set : state_.dataSets) {
        if (set)
            set->reAddShownAndSelected();
    }
}

void ChildGraphs::RestackOutputs()
{
    int k = 0;
    for (Series* series : w_.chart2->SeriesList()) {
        const SeriesClass kind = series->seriesClass();
        if (kind != SeriesClass::OffsetLine && kind != SeriesClass::OffsetArea)
            continue;
        series->setOffset(kOutputBandOffset * k);
        --k;
    }
    w_.chart2->Repaint();
}

void ChildGraphs::SelectDeviceGraphs(AnalysisDataSet& dataSet, const QString& caption)
{
    host_.ApplyView(ShowDevice(state_.view, &dataSet));
    if (QScrollArea* list = GraphListOf(dataSet)) {
        list->raise();
        list->show();
        LayoutGraphList(list, true, caption);
    }
    RemoveAllSeries();
    AddShownSeries();
    UpdateAxisTitles();
    UpdateOutputChart(true, false);
    w_.chart2->Repaint();
}

void ChildGraphs::SelectOverviewGraphs()
{
    BuildOverviewList();
    RemoveAllSeries();
    AddOverviewSeries();
    RestackOutputs();
    host_.ApplyView(ShowOverview(state_.view));
    UpdateAxisTitles();
    UpdateOutputChart(true, true);
    w_.chart2->Repaint();
}

void ChildGraphs::SelectNoDeviceGraphs()
{
    host_.ApplyView(ShowDevice(state_.view, nullptr));
    for (const auto& other : state_.dataSets) {
        if (QScrollArea* list = other ? GraphListOf(*other) : nullptr)
            list->hide();
    }
    RemoveAllSeries();
    UpdateAxisTitles();
    UpdateOutputChart(true, false);
    w_.chart2->Repaint();
}

void ChildGraphs::RestoreSelection(const AnalysisView& before)
{
    host_.ApplyView(ShowDevice(state_.view, before.current));
    if (before.overview)
        host_.ApplyView(ShowOverview(state_.view));
}

void ChildGraphs::AnalysisLoaded(AnalysisDataSet* first)
{
    host_.ApplyView(WithCurrent(state_.view, first));
    outputNames_.clear();
}

void ChildGraphs::ReleaseDataSets()
{
    DropGraphLists();
    host_.ApplyView(WithCurrent(state_.view, nullptr));
    outputNames_.clear();
}

// ---- axes ----

std::string ChildGraphs::UnitsOfKind(FieldCategory category) const
{
    std::vector<std::string> units;
    if (state_.view.Overview()) {
        for (const auto& set : state_.dataSets) {
            if (set)
                set->collectUnits(true, units, category);
        }
    } else if (AnalysisDataSet* set = state_.view.Current()) {
        set->collectUnits(false, units, category);
    }
    return JoinUnits(std::move(units));
}

void ChildGraphs::UpdateAxisTitles()
{
    std::string t0 = UnitsOfKind(FieldCategory::Inputs);
    std::string t1 = UnitsOfKind(FieldCategory::Others);
    const std::string t2 = UnitsOfKind(FieldCategory::Outputs);
    bool othersRight = true;
    if (t0.empty()) {
        t0 = t1;
        t1.clear();
        othersRight = false;
    }
    ChartWidget& chart = *w_.chart;
    ChartWidget& chart2 = *w_.chart2;
    chart.LeftAxis().SetTitle(QString::fromStdString(t0));
    chart.RightAxis().SetTitle(QString::fromStdString(t1));
    chart2.LeftAxis().SetTitle(QString::fromStdString(t2));

    for (auto& set : state_.dataSets) {
        if (set)
            set->setOthersAxis(othersRight ? VerticalAxis::Right : VerticalAxis::Left);
    }

    const AxisPlaceholderPlan plan = PlanAxisPlaceholders(!t0.empty(), !t1.empty(), !t2.empty());
    for (int i = 0; i < 4; ++i)
        SetPlaceholder(i, plan.on[i]);
    chart2.RightAxis().SetTitle(plan.on[3] ? QStringLiteral(" ") : QString());

    if (state_.defaults.dynamicScaling)
        DynamicScale();
    SyncAxisVisibility();
    chart.Repaint();
    chart2.Repaint();
}

void ChildGraphs::SyncAxisVisibility()
{
    // A value axis is drawn while a series (a placeholder included) is on it; an empty chart
    // keeps its left axis so that it does not collapse into a bare frame.
    for (ChartWidget* chart : {w_.chart, w_.chart2}) {
        bool left = false, right = false;
        for (const Series* series : chart->SeriesList())
            (series->axis() == VerticalAxis::Right ? right : left) = true;
        chart->LeftAxis().SetVisible(left || chart->SeriesCount() == 0);
        chart->RightAxis().SetVisible(right);
    }
}

void ChildGraphs::DynamicScale()
{
    ChartWidget& chart = *w_.chart;
    if (chart.SeriesCount() == 0) {
        chart.LeftAxis().SetMinMax(0, 1);
        chart.RightAxis().SetMinMax(0, 1);
        return;
    }
    const double from = chart.BottomAxis().Minimum();
    const double to = chart.BottomAxis().Maximum();
    ValueRange left, right;
    for (const Series* series : chart.SeriesList())
        AddPointsInWindow(*series, from, to, series->axis() == VerticalAxis::Right ? right : left);
    const ValueRange l = left.Padded();
    const ValueRange r = right.Padded();
    chart.LeftAxis().SetMinMax(l.low, l.high);
    chart.RightAxis().SetMinMax(r.low, r.high);
}

void ChildGraphs::UpdateOutputChart(bool forced, bool overview)
{
    outputNames_.clear();
    if (!forced) {
        const QTabBar& tabs = *w_.tabSetDevices;
        overview = tabs.count() > 0 && tabs.currentIndex() == tabs.count() - 1;
    }
    int offset = 0;
    auto stack = [&](AnalysisDataSet& set, int i) {
        ApplyOutputDisplay(set, i, offset);
        const DeviceSettings* settings = set.deviceSettings();
        outputNames_.push_back(settings && i < settings->fieldCount() ? settings->label(i)
                                                                      : std::string());
        offset -= kOutputBandOffset;
    };
    auto isShownOutput = [](const AnalysisDataSet& set, int i) {
        return set.slot(i).category == FieldCategory::Outputs && set.shown(i);
    };
    if (overview) {
        for (auto& set : state_.dataSets) {
            for (int i = 0; set && i < set->slotCount(); ++i) {
                if (isShownOutput(*set, i) && set->selected(i))
                    stack(*set, i);
            }
        }
    } else if (AnalysisDataSet* set = state_.view.Current()) {
        for (int i = 0; i < set->slotCount(); ++i) {
            if (isShownOutput(*set, i))
                stack(*set, i);
        }
    }
    const int n = static_cast<int>(outputNames_.size());
    w_.chart2->LeftAxis().SetMinMax(n > 0 ? 140 - kOutputBandOffset * n : -10, 110);
    w_.chart2->Repaint();
}

QString ChildGraphs::OutputNameAt(int k) const
{
    if (k < 0 || k >= static_cast<int>(outputNames_.size()))
        return QString();
    return QString::fromStdString(outputNames_[static_cast<std::size_t>(k)]);
}

} // namespace korvex
