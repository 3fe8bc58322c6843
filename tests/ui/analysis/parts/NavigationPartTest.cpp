// The navigation part built alone, with fakes of the table and the yield summary it refreshes:
// a gesture moves the charts through the host, the navigable range lands in the window's one view
// state, and every refresh the window used to do by hand is asked of the parts handed in.

#include "tests/ui/analysis/parts/PartTestSupport.h"

#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/parts/ChildNavigation.h"
#include "ui/analysis/parts/ChildParts.h"

#include <QComboBox>
#include <QSlider>

namespace korvex::test {
namespace {

class CountingTable final : public ChildTablePart {
public:
    void BuildYieldTables() override { ++built; }
    void UpdateTableTexts() override {}
    void FillTable() override { ++filled; }
    void ShowTable(bool) override {}
    int built = 0;
    int filled = 0;
};

class FixedSummary final : public ChildOverviewPart {
public:
    void BuildYieldSummary() override { ++built; }
    const std::string& YieldSummary() const override { return text; }
    int built = 0;
    std::string text = "Yield 12,5 kWh";
};

DayTime Day(int y, int m, int d)
{
    return EncodeDate(y, m, d);
}

class NavigationPart : public ::testing::Test {
protected:
    NavigationPart()
    {
        graphs.CreateAxisPlaceholders();
        AnalysisDataSet& set = bench.Load(10, QDate(2011, 3, 30), QDate(2011, 4, 2));
        graphs.BuildGraphList(set);
        set.prepareDisplay();
        bench.CollectDays();
        bench.host.ApplyView(ShowDevice(bench.state.view, &set));
        navigation.ResetRange({Day(2011, 3, 30), Day(2011, 4, 3)});
        {
            const QSignalBlocker block(bench.w.spanTime);
            bench.w.spanTime->setCurrentIndex(SpanOneDay);
        }
        bench.w.sliderTime->setMaximum(3);
        navigation.SetWindow(Day(2011, 3, 31), Day(2011, 3, 30));
    }

    TimeWindow Shown() const
    {
        const ChartAxis& axis = bench.w.chart->BottomAxis();
        return {axis.Minimum(), axis.Maximum()};
    }

    PartBench bench;
    ChildGraphs graphs{bench.form, bench.state, bench.w, bench.host, [] {}};
    CountingTable table;
    FixedSummary summary;
    ChildNavigation navigation{bench.form, bench.state, bench.w, bench.host, graphs, table, summary};
};

TEST_F(NavigationPart, TheRangeIsTheWindowsStateNotTheParts)
{
    EXPECT_EQ(bench.state.view.range, (NavigationRange{Day(2011, 3, 30), Day(2011, 4, 3)}));
    EXPECT_EQ(&navigation.Range(), &bench.state.view.range);
}

TEST_F(NavigationPart, AMonthSpanWidensTheRangeAndRefreshesEveryPartItWasHanded)
{
    bench.w.spanTime->setCurrentIndex(SpanOneMonth); // the list's signal runs the span change
    // The period ran from 30 March to 2 April: whole months around it.
    EXPECT_EQ(bench.state.view.range, (NavigationRange{Day(2011, 3, 1), Day(2011, 5, 1)}));
    EXPECT_EQ(Shown().start, Day(2011, 3, 1));
    EXPECT_EQ(Shown().end, Day(2011, 4, 1));
    ASSERT_FALSE(bench.host.windows.empty());
    EXPECT_EQ(bench.host.windows.back(), (TimeWindow{Day(2011, 3, 1), Day(2011, 4, 1)}));
    EXPECT_EQ(table.filled, 1);
    EXPECT_EQ(summary.built, 1);
    EXPECT_GE(bench.host.excelUpdates, 1);
    // The title carries the summary the part was handed.
    EXPECT_TRUE(bench.w.chart->TitleLines().join(QString()).contains(QStringLiteral("12,5 kWh")));
}

TEST_F(NavigationPart, JumpsMoveTheChartsByWholeDaysThroughTheHost)
{
    const std::size_t before = bench.host.windows.size();
    navigation.ButtonJumpClick(+1);
    // One day a step, on the days with data: the slider moves and the window follows it.
    EXPECT_GT(bench.host.windows.size(), before);
    EXPECT_EQ(Shown().start, Day(2011, 3, 31));
    EXPECT_EQ(Shown().end, Day(2011, 4, 1));
    navigation.ButtonJumpClick(-1);
    EXPECT_EQ(Shown().start, Day(2011, 3, 30));
    EXPECT_GE(table.filled, 2);
}

TEST_F(NavigationPart, WithoutDaysNoGestureTouchesTheCharts)
{
    bench.state.dayList.clear();
    bench.state.dayNumbers.clear();
    const std::size_t before = bench.host.windows.size();
    navigation.SliderTimeChange(2);
    navigation.SpanTimeChange();
    EXPECT_EQ(bench.host.windows.size(), before);
    EXPECT_EQ(table.filled, 0);
}

} // namespace
} // namespace korvex::test
