#pragma once

// One part of the analysis window on its own: the window's components built into a plain form
// (no window), the state the part reads, loaded from generated day logs, and a host that does
// what the window would and counts what the part asked of it.

#include "tests/ui/analysis/GeneratedLogs.h"
#include "tests/ui/doubles/PlatformDoubles.h"
#include "tests/ui/doubles/UiTestSupport.h"
#include "tests/ui/shell/OpenTestSupport.h"

#include "core/logdata/Aggregation.h"
#include "core/logdata/AnalysisDataSet.h"
#include "core/views/ChildState.h"
#include "core/views/Navigation.h"
#include "ui/analysis/parts/PartHost.h"
#include "ui/analysis/widgets/ChildLayout.h"
#include "ui/analysis/widgets/THeaderControl.h"
#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartWidget.h"

#include <QScrollArea>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvex::test {

class RecordingHost final : public PartHost {
public:
    RecordingHost(ChildState& state, const ChildWidgets& w) : state_(state), w_(w) {}

    void ApplyView(const AnalysisView& next) override
    {
        state_.view = next;
        ++viewsApplied;
    }
    void SetWindow(DayTime maximum, DayTime minimum) override
    {
        windows.push_back({minimum, maximum});
        SetChartsWindow(w_, maximum, minimum);
    }
    void UpdateExcelAction(bool, bool) override { ++excelUpdates; }
    void CommandStateChanged() override { ++commandStates; }
    void FitPanelLeftToHeader() override { ++panelFits; }
    QScrollArea* ListOfHeader() const override
    {
        for (QWidget* p = w_.headerControl->parentWidget(); p; p = p->parentWidget()) {
            if (auto* list = qobject_cast<QScrollArea*>(p))
                return list;
        }
        return w_.overview;
    }
    QString DeviceDisplayName(int deviceIndex) const override
    {
        return QStringLiteral("Device %1").arg(deviceIndex);
    }

    int viewsApplied = 0;
    int excelUpdates = 0;
    int commandStates = 0;
    int panelFits = 0;
    std::vector<TimeWindow> windows;

private:
    ChildState& state_;
    const ChildWidgets& w_;
};

// The form, its components, the state and the host, in the order they must be built; the state
// goes before the form, so that its data sets leave the charts while these still exist.
class PartBench {
public:
    PartBench() : w(BuildChildWidgets(form, form)), host(state, w)
    {
        form.resize(1000, 700);
    }

    // Loads the days of one device (ten-minute logs) as the window's loading does, up to the
    // aggregated data set with its fields available; the graph list is the graph part's.
    AnalysisDataSet& Load(int device, const QDate& from, const QDate& to,
                          const std::vector<LogColumn>& columns = StandardColumns())
    {
        state.periodStart = EncodeDate(from.year(), from.month(), from.day());
        state.periodEnd = EncodeDate(to.year(), to.month(), to.day());
        state.deviceNumbers.push_back(QStringLiteral("%1").arg(device, 2, 10, QLatin1Char('0'))
                                          .toStdString());
        auto set = std::make_unique<AnalysisDataSet>(state.periodStart, state.periodEnd, w.chart,
                                                     w.chart2);
        for (QDate d = from; d <= to; d = d.addDays(1))
            set->load(WriteFile(logs.path(), LogName(device, d), MakeDayLog(d, columns))
                          .toStdString());
        Aggregate(*set);
        set->updateAvailability();
        state.dataSets.push_back(std::move(set));
        return *state.dataSets.back();
    }

    // The days with data, as the window collects them after loading.
    void CollectDays()
    {
        std::vector<const AnalysisDataSet*> sets;
        for (const auto& set : state.dataSets)
            sets.push_back(set.get());
        state.dayList = CollectAnalysisDays(sets);
        state.dayNumbers.clear();
        for (const auto& entry : state.dayList)
            state.dayNumbers.push_back(entry.second);
    }

    PrivateHome home;
    PlatformDoubles doubles;
    QTemporaryDir logs;
    QWidget form;
    ChildState state;
    ChildWidgets w;
    RecordingHost host;
};

} // namespace korvex::test
