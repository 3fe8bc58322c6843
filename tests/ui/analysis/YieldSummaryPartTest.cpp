// The yield summary of the chart title for the displayed month, quarter and year.

#include "tests/ui/analysis/TablePartTestSupport.h"

#include "core/logdata/AnalysisDataSet.h"
#include "ui/analysis/parts/ChildNavigation.h"

#include <QTabBar>

namespace korvex::test {
namespace {

class YieldSummaryView : public TableWindowTest {
protected:
    void SetUp() override { Load(); }

    const std::string& Summary() { return window->Summary().YieldSummary(); }
};

TEST_F(YieldSummaryView, NamesThePeriodAndEveryYieldField)
{
    Show(SpanOneMonth, Day(2010, 3, 1), Day(2010, 4, 1));
    EXPECT_EQ(Summary(), Text(TextId::MonthlyYield) + " V: 660,00 [l]  -  Q: 2,22 [kWh]");

    Show(SpanOneYear, Day(2010, 1, 1), Day(2011, 1, 1));
    EXPECT_EQ(Summary(), Text(TextId::AnnualYield) + " V: 880,00 [l]  -  Q: 2,96 [kWh]");

    // The other device.
    window->Graphs().SelectDeviceGraphs(*State().DataSet(1), QString());
    Show(SpanOneMonth, Day(2010, 3, 1), Day(2010, 4, 1));
    EXPECT_EQ(Summary(), Text(TextId::MonthlyYield) + " V: 220,00 [l]  -  Q: 1,46 [kWh]");
}

TEST_F(YieldSummaryView, EmptyForShortSpansAndOnTheOverviewTab)
{
    Show(SpanOneMonth, Day(2010, 3, 1), Day(2010, 4, 1));
    ASSERT_FALSE(Summary().empty());
    Show(SpanOneDay, Day(2010, 3, 17), Day(2010, 3, 18));
    EXPECT_EQ(Summary(), "");

    QTabBar& tabs = *window->Widgets().tabSetDevices;
    ASSERT_EQ(tabs.count(), 3);
    tabs.setCurrentIndex(2);
    Show(SpanOneYear, Day(2010, 1, 1), Day(2011, 1, 1));
    EXPECT_EQ(Summary(), "");
    // Back on a device tab the yields are there at once.
    tabs.setCurrentIndex(1);
    EXPECT_EQ(Summary(), Text(TextId::AnnualYield) + " V: 330,00 [l]  -  Q: 2,19 [kWh]");
}

TEST_F(YieldSummaryView, SummaryInTheChartTitle)
{
    Show(SpanOneMonth, Day(2010, 3, 1), Day(2010, 4, 1));
    window->Navigation().UpdateChartTitle();
    const QString title = window->Widgets().chart->TitleLines().join(QLatin1Char('\n'));
    EXPECT_TRUE(title.contains(QString::fromStdString(Summary()))) << title.toStdString();
}

} // namespace
} // namespace korvex::test
