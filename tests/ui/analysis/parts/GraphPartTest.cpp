// The graph part built alone: it changes the view only through its host, keeps the graph lists
// itself (the data sets hold none), and drops them before the data sets go.

#include "tests/ui/analysis/parts/PartTestSupport.h"

#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/widgets/TGraphPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QPointer>

namespace korvex::test {
namespace {

class GraphPart : public ::testing::Test {
protected:
    GraphPart()
    {
        graphs.CreateAxisPlaceholders();
        first = &bench.Load(10, QDate(2011, 3, 30), QDate(2011, 4, 1));
        second = &bench.Load(21, QDate(2011, 3, 31), QDate(2011, 3, 31),
                             {{"T1[\xB0"
                               "C]",
                               [](int m) { return 5.0 + m / 90; }},
                              {"R1[%]", [](int m) { return m % 120 < 30 ? 100.0 : 0.0; }}});
        for (AnalysisDataSet* set : {first, second}) {
            graphs.BuildGraphList(*set);
            set->prepareDisplay();
        }
        bench.CollectDays();
    }

    TGraphPanel* Row(AnalysisDataSet& set, const std::string& key)
    {
        const int field = set.deviceSettings()->find(key);
        for (TGraphPanel* row : GraphRowsOf(graphs.GraphListOf(set)->widget())) {
            if (row->Tag() == field)
                return row;
        }
        return nullptr;
    }

    PartBench bench;
    int overviewMarks = 0;
    ChildGraphs graphs{bench.form, bench.state, bench.w, bench.host, [this] { ++overviewMarks; }};
    AnalysisDataSet* first = nullptr;
    AnalysisDataSet* second = nullptr;
};

TEST_F(GraphPart, SelectionsGoThroughTheHostIntoTheOneViewState)
{
    const int before = bench.host.viewsApplied;
    graphs.SelectDeviceGraphs(*second, QStringLiteral("Device 1"));
    EXPECT_GT(bench.host.viewsApplied, before);
    EXPECT_EQ(bench.state.view.Current(), second);
    EXPECT_FALSE(bench.state.view.Overview());
    // The part reads the window's state, not a copy of its own.
    EXPECT_EQ(&graphs.Selection(), &bench.state.view);

    graphs.SelectOverviewGraphs();
    EXPECT_TRUE(bench.state.view.Overview());
    EXPECT_EQ(bench.state.view.Current(), second) << "the Overview keeps the device";

    // A refused tab change puts back exactly what was there before.
    const AnalysisView before2 = ShowDevice(bench.state.view, first);
    graphs.RestoreSelection(before2);
    EXPECT_EQ(bench.state.view.Current(), first);
    EXPECT_FALSE(bench.state.view.Overview());

    graphs.SelectNoDeviceGraphs();
    EXPECT_EQ(bench.state.view.Current(), nullptr);
    EXPECT_FALSE(graphs.GraphListOf(*first)->isVisible());
}

TEST_F(GraphPart, ShowingAFieldPutsItOnTheChartAndTellsTheHost)
{
    graphs.SelectDeviceGraphs(*first, QStringLiteral("Device 0"));
    const int t2 = first->deviceSettings()->find("T2");
    const int series = bench.w.chart->SeriesCount();
    const int commands = bench.host.commandStates;
    ASSERT_TRUE(graphs.ShowField(*first, t2));
    EXPECT_EQ(bench.w.chart->SeriesCount(), series + 1);
    EXPECT_EQ(bench.host.commandStates, commands + 1);
    graphs.HideField(*first, t2);
    EXPECT_EQ(bench.w.chart->SeriesCount(), series);
    EXPECT_EQ(bench.host.commandStates, commands + 2);
}

TEST_F(GraphPart, ADisplayChangeInTheDataSetReachesItsOwnListOnly)
{
    graphs.SelectDeviceGraphs(*first, QStringLiteral("Device 0"));
    TGraphPanel* firstRow = Row(*first, "T1");
    TGraphPanel* secondRow = Row(*second, "T1");
    ASSERT_TRUE(firstRow && secondRow);
    const bool firstTicked = firstRow->ShowBox()->isChecked();
    const bool secondTicked = secondRow->ShowBox()->isChecked();

    // Shown by the core alone (as remembered graphs are): the row follows.
    const int t1 = first->deviceSettings()->find("T1");
    if (firstTicked)
        first->hide(t1);
    else
        first->show(t1);
    EXPECT_NE(firstRow->ShowBox()->isChecked(), firstTicked);
    EXPECT_EQ(secondRow->ShowBox()->isChecked(), secondTicked);
}

TEST_F(GraphPart, ReleasingTheDataSetsDropsTheListsBeforeTheSetsGo)
{
    graphs.SelectDeviceGraphs(*first, QStringLiteral("Device 0"));
    QPointer<QScrollArea> list = graphs.GraphListOf(*first);
    ASSERT_TRUE(list);
    graphs.ReleaseDataSets();
    EXPECT_EQ(bench.state.view.Current(), nullptr);
    EXPECT_TRUE(list.isNull()) << "the list's scroll box goes with it";
    EXPECT_EQ(graphs.GraphListOf(*first), nullptr);
    // A display change after that has no list to reach (the sanitizer build catches a dangling
    // one).
    first->notifyDisplayChanged(-1);
    first->show(first->deviceSettings()->find("T2"));
    // The header is back in the Overview list, not freed with the device's list.
    EXPECT_EQ(bench.w.headerControl->parentWidget(), bench.w.overview->widget());
}

TEST_F(GraphPart, AnOverviewMarkRefillsWhatTheWindowWiredToIt)
{
    graphs.SelectOverviewGraphs();
    TGraphPanel* row = Row(*second, "R1");
    ASSERT_NE(row, nullptr);
    ASSERT_NE(row->OverviewBox(), nullptr) << "two devices: the rows carry an overview box";
    const bool marked = second->selected(row->Tag());
    row->OverviewBox()->setChecked(!marked);
    graphs.ShowOverviewClick(*row);
    EXPECT_EQ(second->selected(row->Tag()), !marked);
    EXPECT_EQ(overviewMarks, 1);
}

} // namespace
} // namespace korvex::test
