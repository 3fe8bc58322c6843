// The table view in the analysis window: what it shows for each span, that it follows the
// window, the device and the overview marks, and the language.

#include "tests/ui/analysis/TablePartTestSupport.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/views/StringGrid.h"

#include <QTabBar>

namespace korvex::test {
namespace {

using Texts = std::vector<std::string>;

class TableView : public TableWindowTest {
protected:
    void SetUp() override
    {
        Load();
        window->ShowTable(true);
    }

    int Field(int device, const char* key)
    {
        return State().dataSets[static_cast<std::size_t>(device)]->deviceSettings()->find(key);
    }
};

TEST_F(TableView, ShowTableReplacesTheCharts)
{
    const ChildWidgets& w = window->Widgets();
    EXPECT_TRUE(window->TableMode());
    EXPECT_TRUE(Grid().isVisibleTo(window));
    EXPECT_FALSE(w.panelCharts->isVisibleTo(window));

    window->ShowTable(false);
    EXPECT_FALSE(window->TableMode());
    EXPECT_FALSE(Grid().isVisibleTo(window));
    EXPECT_TRUE(w.panelCharts->isVisibleTo(window));

    // With the charts shown, navigating leaves the grid alone.
    const StringGrid before = Grid().Content();
    Show(SpanOneYear, Day(2010, 1, 1), Day(2011, 1, 1));
    EXPECT_EQ(Grid().Content(), before);
}

TEST_F(TableView, OneDayShowsTheWholeMonth)
{
    Show(SpanOneDay, Day(2010, 3, 17), Day(2010, 3, 18));
    EXPECT_EQ(Column(0), (Texts{Text(TextId::DailyOverview), Text(TextId::Date), "01. Mar. 2010",
                                "02. Mar. 2010", "03. Mar. 2010", "04. Mar. 2010", "05. Mar. 2010",
                                "17. Mar. 2010", Text(TextId::Total)}));
    // One column per yield field of the device, headed by the device name once.
    EXPECT_EQ(Row(0), (Texts{Text(TextId::DailyOverview), "Solar controller", ""}));
    EXPECT_EQ(Row(1), (Texts{Text(TextId::Date), "V [l]", "Q [kWh]"}));
    EXPECT_EQ(Column(1)[7], "110,00");
    EXPECT_EQ(Row(8), (Texts{Text(TextId::Total), "660,00", "2,22"}));
    EXPECT_EQ(Grid().FixedRows(), 2);
    EXPECT_EQ(Grid().FixedCols(), 1);
    EXPECT_EQ(Grid().Content().Value(0, 7), static_cast<int>(Day(2010, 3, 17)));
}

TEST_F(TableView, FollowsTheWindowAndTheDevice)
{
    // The "1 hour" window of 2 April still shows April; device 10 has no data that day but
    // device 20 has, so the row is there with zero yields.
    Show(SpanOneHour, Day(2010, 4, 2) + 8.0 / 24, Day(2010, 4, 2) + 9.0 / 24);
    EXPECT_EQ(Column(0), (Texts{Text(TextId::DailyOverview), Text(TextId::Date), "02. Apr. 2010",
                                Text(TextId::Total)}));
    EXPECT_EQ(Row(2), (Texts{"02. Apr. 2010", "0,00", "0,00"}));

    // The other device (the navigation switches CurrentDataSet on a tab change): the same days,
    // zero where only the first device has data.
    window->Graphs().SelectDeviceGraphs(*State().DataSet(1), QString());
    Show(SpanOneMonth, Day(2010, 3, 1), Day(2010, 4, 1));
    EXPECT_EQ(Grid().RowCount(), 2 + 6 + 1);
    EXPECT_EQ(Row(0), (Texts{Text(TextId::DailyOverview), "Roof array of the east wing", ""}));
    EXPECT_EQ(Row(3), (Texts{"02. Mar. 2010", "0,00", "0,00"}));
    EXPECT_EQ(Row(4), (Texts{"03. Mar. 2010", "110,00", "0,73"}));
    EXPECT_EQ(Row(8), (Texts{Text(TextId::Total), "220,00", "1,46"}));
}

TEST_F(TableView, FollowsTheNavigationControls)
{
    // The analysis opens on its first day, 27 February.
    EXPECT_EQ(Column(0), (Texts{Text(TextId::DailyOverview), Text(TextId::Date), "27. Feb. 2010",
                                "28. Feb. 2010", Text(TextId::Total)}));
    window->Widgets().spanTime->setCurrentIndex(SpanOneYear);
    EXPECT_EQ(Column(0), (Texts{Text(TextId::MonthlyOverview), Text(TextId::Date), "Feb. 2010",
                                "Mar. 2010", "Apr. 2010", Text(TextId::Total)}));
    const QString title = window->Widgets().chart->TitleLines().join(QLatin1Char(' '));
    EXPECT_TRUE(
        title.contains(QString::fromStdString(Text(TextId::AnnualYield) + " V: 880,00 [l]")))
        << title.toStdString();

    // The second device's tab shows its columns.
    window->Widgets().tabSetDevices->setCurrentIndex(1);
    EXPECT_EQ(Row(0), (Texts{Text(TextId::MonthlyOverview), "Roof array of the east wing", ""}));
}

TEST_F(TableView, OneYearShowsMonths)
{
    Show(SpanOneYear, Day(2010, 1, 1), Day(2011, 1, 1));
    EXPECT_EQ(Column(0), (Texts{Text(TextId::MonthlyOverview), Text(TextId::Date), "Feb. 2010",
                                "Mar. 2010", "Apr. 2010", Text(TextId::Total)}));
    EXPECT_EQ(Column(1),
              (Texts{"Solar controller", "V [l]", "220,00", "660,00", "0,00", "880,00"}));
    EXPECT_EQ(Column(2), (Texts{"", "Q [kWh]", "0,74", "2,22", "0,00", "2,96"}));

    // A year without data keeps the headings and an empty total.
    Show(SpanOneYear, Day(2011, 1, 1), Day(2012, 1, 1));
    EXPECT_EQ(Column(0),
              (Texts{Text(TextId::MonthlyOverview), Text(TextId::Date), Text(TextId::Total)}));
    EXPECT_EQ(Column(1), (Texts{"Solar controller", "V [l]", "0,00"}));
}

TEST_F(TableView, OverviewShowsEveryMarkedDevice)
{
    QTabBar& tabs = *window->Widgets().tabSetDevices;
    ASSERT_EQ(tabs.count(), 3);
    // The tab change selects the overview.
    tabs.setCurrentIndex(2);

    // Nothing marked: the date column alone, no fixed column.
    Show(SpanOneMonth, Day(2010, 3, 1), Day(2010, 4, 1));
    EXPECT_EQ(Grid().ColCount(), 1);
    EXPECT_EQ(Grid().FixedCols(), 0);
    EXPECT_EQ(Column(0).back(), Text(TextId::Total));

    // One field of each device: all yield columns of both.
    State().dataSets[0]->select(Field(0, "V"), true);
    State().dataSets[1]->select(Field(1, "P"), true);
    window->Table().FillTable();
    EXPECT_EQ(Row(0), (Texts{Text(TextId::DailyOverview), "Solar controller", "",
                             "Roof array of the east wing", ""}));
    EXPECT_EQ(Row(1), (Texts{Text(TextId::Date), "V [l]", "Q [kWh]", "V [l]", "Q [kWh]"}));
    EXPECT_EQ(Row(4), (Texts{"03. Mar. 2010", "110,00", "0,37", "110,00", "0,73"}));
    EXPECT_EQ(Grid().FixedCols(), 1);

    // A device whose mark is gone leaves the table.
    State().dataSets[0]->select(Field(0, "V"), false);
    window->Table().FillTable();
    EXPECT_EQ(Row(0), (Texts{Text(TextId::DailyOverview), "Roof array of the east wing", ""}));
}

TEST_F(TableView, LanguageSwitchRefillsTheTable)
{
    Show(SpanOneYear, Day(2010, 1, 1), Day(2011, 1, 1));
    SelectTextBlock(BlockGerman);
    window->ApplyLanguage();
    EXPECT_TRUE(window->TableMode());
    EXPECT_EQ(Column(0), (Texts{Text(TextId::MonthlyOverview), Text(TextId::Date), "Feb. 2010",
                                "Mar. 2010", "Apr. 2010", Text(TextId::Total)}));
    EXPECT_NE(Text(TextId::MonthlyOverview), "Monthly overview");
    // The hidden tables carry the new captions too.
    EXPECT_EQ(window->Table().DailyTable()->Text(0, 0), Text(TextId::DailyOverview));
    EXPECT_EQ(window->Table().AnnualTable()->Text(0, 0), Text(TextId::AnnualOverview));
}

TEST_F(TableView, RefillResetsTheDataColumnsOnly)
{
    window->show();
    window->Graphs().SelectDeviceGraphs(*State().DataSet(1), QString());
    Show(SpanOneDay, Day(2010, 3, 17), Day(2010, 3, 18));
    Grid().viewport()->grab();

    // The device name is wider than 80 pixels: painting widened its column to fit.
    const QFontMetrics metrics(Grid().font(), Grid().viewport());
    const int nameWidth = metrics.horizontalAdvance(QStringLiteral("Roof array of the east wing"));
    ASSERT_GT(nameWidth + 3, 80);
    EXPECT_EQ(Grid().ColWidth(1), nameWidth + 3);
    EXPECT_EQ(Grid().ColWidth(2), 80);

    Grid().SetColWidth(0, 130);
    Grid().SetColWidth(2, 140);
    window->Table().FillTable();
    EXPECT_EQ(Grid().ColWidth(0), 130);
    EXPECT_EQ(Grid().ColWidth(1), 80);
    EXPECT_EQ(Grid().ColWidth(2), 80);
    Grid().viewport()->grab();
    EXPECT_EQ(Grid().ColWidth(1), nameWidth + 3);
}

} // namespace
} // namespace korvex::test
