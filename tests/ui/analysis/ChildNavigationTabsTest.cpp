// The device tabs and the Overview tab: which series the charts hold, the Overview list's hint,
// the export command and the yield summary in the chart title.

#include "tests/ui/analysis/ChildNavigationTestSupport.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/services/Errors.h"
#include "ui/platform/UiText.h"

#include <QAction>

namespace korvex::test {
namespace {

const QDate kMar1(2010, 3, 1), kMar2(2010, 3, 2), kMar5(2010, 3, 5), kMar21(2010, 3, 21),
    kMar31(2010, 3, 31);

// Device 10 on 1, 2 and 5 March, device 20 on 2 and 21 March 2010.
class NavigationTabs : public NavigationWindow {
protected:
    void SetUp() override
    {
        Load({{10, kMar1}, {10, kMar2}, {10, kMar5}, {20, kMar2}, {20, kMar21}}, kMar1, kMar31);
        QObject::connect(window, &TChildform::CommandStateChanged, window, [this] { ++refreshes; });
    }

    QTabBar& Tabs() { return *W().tabSetDevices; }

    QLabel* OverviewHint()
    {
        for (QLabel* label : W().overview->widget()->findChildren<QLabel*>()) {
            if (label->text() == UiText(TextId::SelectOverviewDataFirst))
                return label;
        }
        return nullptr;
    }

    // Shows field key of a device on its tab and marks it for the overview with its box.
    void ShowAndMark(int device, const std::string& key, bool mark = true)
    {
        Tabs().setCurrentIndex(device);
        const int field = Field(key, device);
        ASSERT_GE(field, 0) << key;
        ASSERT_TRUE(G().ShowField(Set(device), field));
        if (!mark)
            return;
        for (TGraphPanel* row : GraphRowsOf(G().GraphListOf(Set(device))->widget())) {
            if (row->Tag() == field) {
                ASSERT_NE(row->OverviewBox(), nullptr);
                row->OverviewBox()->click();
            }
        }
        ASSERT_TRUE(Set(device).selected(field));
    }

    Series& SeriesOf(int device, const std::string& key)
    {
        return *Set(device).series(Field(key, device));
    }

    int refreshes = 0;
};

TEST_F(NavigationTabs, DeviceTabsSwitchTheDeviceAndKeepTheWindow)
{
    ASSERT_EQ(Tabs().count(), 3);
    EXPECT_EQ(Tabs().tabText(2), UiText(TextId::Overview));
    EXPECT_EQ(Tabs().currentIndex(), 0);
    EXPECT_EQ(G().Selection().Current(), &Set(0));

    W().sliderTime->setValue(1);
    ASSERT_NEAR(Start(), DayOf(kMar2), 1e-9);
    Tabs().setCurrentIndex(1);
    EXPECT_EQ(G().Selection().Current(), &Set(1));
    EXPECT_FALSE(G().Selection().Overview());
    EXPECT_TRUE(G().GraphListOf(Set(1))->isVisible());
    EXPECT_NEAR(Start(), DayOf(kMar2), 1e-9);
    EXPECT_NEAR(End(), DayOf(kMar2) + 1, 1e-9);
    EXPECT_EQ(Title(), QStringLiteral("02. Mar 2010"));
    EXPECT_TRUE(W().actionOpenExcel->isEnabled());
    EXPECT_GE(refreshes, 1);

    // A click on a tab refreshes the main window's commands as well.
    const int before = refreshes;
    const QPoint at = Tabs().tabRect(0).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, Tabs().mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Tabs(), &press);
    EXPECT_EQ(Tabs().currentIndex(), 0);
    EXPECT_EQ(G().Selection().Current(), &Set(0));
    EXPECT_GE(refreshes, before + 2);

    // -1 is no tab at all.
    try {
        Nav().TabSetDevicesChange(-1);
        ADD_FAILURE() << "no error for tab -1";
    } catch (const KorvexError& e) {
        EXPECT_EQ(std::string(e.what()), Text(TextId::DataStructureIndexError));
    }
}

TEST_F(NavigationTabs, OverviewWithoutMarksShowsTheHintAndNoSeries)
{
    ShowAndMark(0, "T1", false);
    ASSERT_TRUE(window->HasGraphs());

    Tabs().setCurrentIndex(2);
    EXPECT_TRUE(G().Selection().Overview());
    EXPECT_FALSE(W().actionOpenExcel->isEnabled());
    ASSERT_NE(OverviewHint(), nullptr);
    EXPECT_TRUE(OverviewHint()->isVisible());
    EXPECT_TRUE(GraphRowsOf(W().overview->widget()).empty());
    EXPECT_FALSE(window->HasGraphs());

    // No yield summary on the Overview tab, also for a month; the export stays off.
    Span(SpanOneMonth);
    EXPECT_EQ(Title(), QStringLiteral("Mar 2010"));
    EXPECT_FALSE(W().actionOpenExcel->isEnabled());
    EXPECT_TRUE(G().Selection().Overview());

    // Back on a device the summary is there at once.
    Tabs().setCurrentIndex(0);
    ASSERT_FALSE(window->Summary().YieldSummary().empty());
    EXPECT_EQ(Title(), QString::fromStdString("Mar 2010  -  " + window->Summary().YieldSummary()));
    EXPECT_TRUE(W().chart->hasSeries(SeriesOf(0, "T1")));
}

TEST_F(NavigationTabs, OverviewShowsTheMarkedSeriesOfEveryDevice)
{
    ShowAndMark(0, "T1");
    ShowAndMark(0, "T2", false);
    ShowAndMark(0, "R1");
    ShowAndMark(1, "T1");
    ShowAndMark(1, "R1");

    Tabs().setCurrentIndex(2);
    EXPECT_EQ(OverviewHint(), nullptr);
    EXPECT_EQ(GraphRowsOf(W().overview->widget()).size(), 4u);
    ChartWidget& chart = *W().chart;
    ChartWidget& chart2 = *W().chart2;
    EXPECT_TRUE(chart.hasSeries(SeriesOf(0, "T1")));
    EXPECT_TRUE(chart.hasSeries(SeriesOf(1, "T1")));
    EXPECT_FALSE(chart.hasSeries(SeriesOf(0, "T2")));
    // The outputs of both devices stacked one band below the other.
    EXPECT_TRUE(chart2.hasSeries(SeriesOf(0, "R1")));
    EXPECT_TRUE(chart2.hasSeries(SeriesOf(1, "R1")));
    EXPECT_EQ(SeriesOf(0, "R1").offset(), 0);
    EXPECT_EQ(SeriesOf(1, "R1").offset(), -150);
    EXPECT_EQ(G().OutputNames().size(), 2u);
    EXPECT_FALSE(W().actionOpenExcel->isEnabled());

    // A span change on the Overview tab keeps what it shows.
    Span(SpanOneYear);
    EXPECT_TRUE(G().Selection().Overview());
    EXPECT_TRUE(chart.hasSeries(SeriesOf(0, "T1")));
    EXPECT_TRUE(chart.hasSeries(SeriesOf(1, "T1")));
    EXPECT_FALSE(chart.hasSeries(SeriesOf(0, "T2")));
    EXPECT_EQ(SeriesOf(0, "R1").offset(), 0);
    EXPECT_EQ(SeriesOf(1, "R1").offset(), -150);
    EXPECT_EQ(Title(), QStringLiteral("Jan 2010 - Dec 2010"));

    // Device 0 again: its own shown series only, its output at the top band.
    Tabs().setCurrentIndex(0);
    EXPECT_FALSE(G().Selection().Overview());
    EXPECT_TRUE(chart.hasSeries(SeriesOf(0, "T1")));
    EXPECT_TRUE(chart.hasSeries(SeriesOf(0, "T2")));
    EXPECT_FALSE(chart.hasSeries(SeriesOf(1, "T1")));
    EXPECT_FALSE(chart2.hasSeries(SeriesOf(1, "R1")));
    EXPECT_EQ(SeriesOf(0, "R1").offset(), 0);
    EXPECT_EQ(Title(), QString::fromStdString("Jan 2010 - Dec 2010  -  " +
                                              window->Summary().YieldSummary()));
    EXPECT_EQ(window->Summary().YieldSummary().rfind(Text(TextId::AnnualYield), 0), 0u);
}

} // namespace
} // namespace korvex::test
