// What the plottables draw from the core series: null gaps, steps, offset bands, areas, bars,
// pen widths, the axis of each series and the reduced drawing of dense data.
#include "ChartTestSupport.h"

#include "ui/chart/SeriesPlottable.h"

#include <gtest/gtest.h>

namespace korvex::test {
namespace {

const double kNull = std::nan("");

TEST(ChartPlottables, LineIsBrokenAtNullPointsAndKeepsItsPenWidth)
{
    ChartWidget chart;
    PrepareChart(chart);
    auto series = MakeSeries(
        &chart,
        {{kDay, 50}, {kDay + 0.4, 50}, {kDay + 0.5, kNull}, {kDay + 0.6, 50}, {kDay + 1, 50}}, kRed,
        5);
    chart.addSeries(*series);
    const QImage image = chart.RenderToImage(chart.size());

    const auto [top, bottom] = ColumnExtent(image, Px(chart, kDay + 0.2), kRed);
    EXPECT_NEAR((top + bottom) / 2.0, Py(chart.LeftAxis(), 50), 1.0);
    EXPECT_NEAR(bottom - top + 1, 5, 1);
    EXPECT_EQ(ColumnExtent(image, Px(chart, kDay + 0.45), kRed).first, -1);
    EXPECT_EQ(ColumnExtent(image, Px(chart, kDay + 0.55), kRed).first, -1);
    EXPECT_NE(ColumnExtent(image, Px(chart, kDay + 0.8), kRed).first, -1);
}

TEST(ChartPlottables, StepLinesHoldTheirValueAndSitInTheirOffsetBand)
{
    ChartWidget chart;
    PrepareChart(chart);
    chart.LeftAxis().SetMinMax(-310, 110);
    auto top =
        MakeSeries<TOffsetLine>(&chart, {{kDay, 0}, {kDay + 0.5, 100}, {kDay + 1, 100}}, kRed, 2);
    top->setStairs(true);
    auto third =
        MakeSeries<TOffsetLine>(&chart, {{kDay, 100}, {kDay + 0.5, 0}, {kDay + 1, 0}}, kBlue, 2);
    third->setStairs(true);
    third->setOffset(-300);
    chart.addSeries(*top);
    chart.addSeries(*third);
    const QImage image = chart.RenderToImage(chart.size());
    const ChartAxis& left = chart.LeftAxis();

    // Before the change the first value holds (no ramp towards the next point).
    auto before = ColumnExtent(image, Px(chart, kDay + 0.45), kRed);
    EXPECT_NEAR(before.first, Py(left, 0), 2);
    EXPECT_NEAR(before.second, Py(left, 0), 2);
    auto after = ColumnExtent(image, Px(chart, kDay + 0.55), kRed);
    EXPECT_NEAR(after.first, Py(left, 100), 2);
    // The jump is one vertical line at the time of the change.
    auto jump = ColumnExtent(image, Px(chart, kDay + 0.5), kRed);
    EXPECT_NEAR(jump.first, Py(left, 100), 2);
    EXPECT_NEAR(jump.second, Py(left, 0), 2);

    // The third band: 100 is drawn at -200, 0 at -300.
    EXPECT_NEAR(ColumnExtent(image, Px(chart, kDay + 0.25), kBlue).first, Py(left, -200), 2);
    EXPECT_NEAR(ColumnExtent(image, Px(chart, kDay + 0.75), kBlue).first, Py(left, -300), 2);
}

TEST(ChartPlottables, OffsetAreaIsFilledFromItsOffsetLineUpToTheShiftedValues)
{
    ChartWidget chart;
    PrepareChart(chart);
    chart.LeftAxis().SetMinMax(-170, -30);
    auto line =
        MakeSeries<TOffsetLine>(&chart, {{kDay, 0}, {kDay + 0.5, 80}, {kDay + 1, 80}}, kGreen, 1);
    line->setStairs(true);
    line->setOffset(-150);
    auto area = std::make_unique<TOffsetArea>(std::move(line));
    area->setOutlineColour(kGreen);
    chart.addSeries(*area);
    const QImage image = chart.RenderToImage(chart.size());
    const ChartAxis& left = chart.LeftAxis();

    const auto [top, bottom] = ColumnExtent(image, Px(chart, kDay + 0.75), kGreen);
    EXPECT_NEAR(top, Py(left, -70), 2);
    EXPECT_NEAR(bottom, Py(left, -150), 2);
    // Every pixel in between is filled.
    for (int y = top; y <= bottom; ++y)
        ASSERT_TRUE(Matches(image.pixel(Px(chart, kDay + 0.75), y), kGreen)) << y;
    // Where the value is 0 only the base line shows.
    const auto low = ColumnExtent(image, Px(chart, kDay + 0.25), kGreen);
    EXPECT_LE(low.second - low.first, 2);
    EXPECT_NEAR(low.first, Py(left, -150), 2);
}

TEST(ChartPlottables, SumBarsAreThreeQuartersOfADayWideOrAFixedPixelWidth)
{
    ChartWidget chart;
    PrepareChart(chart, 900, 400);
    chart.BottomAxis().SetMinMax(kDay, kDay + 3);
    auto bars = std::make_unique<TSumBars>(&chart);
    bars->addPoint(kDay + 0.3, 40);
    bars->addPoint(kDay + 1.2, 60);
    bars->addPoint(kDay + 2.9, 20);
    bars->setColour(kBlue);
    bars->setOutlineVisible(false);
    chart.addSeries(*bars);
    const ChartAxis& left = chart.LeftAxis();

    QImage image = chart.RenderToImage(chart.size());
    const double dayPixels = Px(chart, kDay + 1) - Px(chart, kDay);
    const auto [from, to] = RowExtent(image, Py(left, 10), kBlue);
    ASSERT_NE(from, -1);
    EXPECT_NEAR(from, Px(chart, kDay + 0.5) - 0.375 * dayPixels, 1.5);
    const auto middle = ColumnExtent(image, Px(chart, kDay + 1.5), kBlue);
    EXPECT_NEAR(middle.first, Py(left, 60), 1.5);
    EXPECT_NEAR(middle.second, Py(left, 0), 1.5);
    EXPECT_EQ(ColumnExtent(image, Px(chart, kDay + 1.02), kBlue).first, -1); // the gap

    bars->setFixedBarWidth(10);
    image = chart.RenderToImage(chart.size());
    const int centre = Px(chart, kDay + 0.5);
    int width = 0;
    for (int x = centre - 30; x <= centre + 30; ++x)
        width += Matches(image.pixel(x, Py(left, 10)), kBlue) ? 1 : 0;
    EXPECT_NEAR(width, 10, 1);
    EXPECT_NEAR(chart.PlottableOf(*bars)->LastBarWidth(), 10, 0.01);
}

TEST(ChartPlottables, EachSeriesIsDrawnOnItsOwnAxis)
{
    ChartWidget chart;
    PrepareChart(chart);
    chart.RightAxis().SetMinMax(0, 10);
    auto series = MakeSeries(&chart, {{kDay, 5}, {kDay + 1, 5}}, kRed, 1);
    series->setAxis(VerticalAxis::Right);
    chart.addSeries(*series);
    QImage image = chart.RenderToImage(chart.size());
    const int x = Px(chart, kDay + 0.5);
    EXPECT_NEAR(ColumnExtent(image, x, kRed).first, Py(chart.RightAxis(), 5), 1);

    series->setAxis(VerticalAxis::Left);
    chart.attachToAxis(*series, VerticalAxis::Left);
    image = chart.RenderToImage(chart.size());
    EXPECT_NEAR(ColumnExtent(image, x, kRed).first, Py(chart.LeftAxis(), 5), 1);
}

TEST(ChartPlottables, DenseDataShowsEveryExtremeAndEveryGap)
{
    // A month of one-minute samples on 600 pixels: about 70 points per pixel column.
    ChartWidget chart;
    PrepareChart(chart, 700, 400);
    chart.BottomAxis().SetMinMax(kDay, kDay + 30);
    auto series = std::make_unique<LineSeries>(&chart);
    const int spike = 10 * 1440 + 333;
    for (int m = 0; m < 30 * 1440; ++m) {
        const double x = kDay + m / 1440.0;
        if (m >= 20 * 1440 && m < 22 * 1440) {
            if (m == 20 * 1440)
                series->addNullPoint(x);
            continue;
        }
        series->addPoint(x, m == spike ? 95.0 : 30.0 + (m % 3));
    }
    series->setColour(kRed);
    series->setPenWidth(2);
    chart.addSeries(*series);
    const QImage image = chart.RenderToImage(chart.size());

    EXPECT_NEAR(ColumnExtent(image, Px(chart, kDay + spike / 1440.0), kRed).first,
                Py(chart.LeftAxis(), 95), 2);
    for (double day : {0.5, 5.0, 15.0, 25.0, 29.5}) {
        const auto [top, bottom] = ColumnExtent(image, Px(chart, kDay + day), kRed);
        EXPECT_NEAR(top, Py(chart.LeftAxis(), 32), 2) << day;
        EXPECT_NEAR(bottom, Py(chart.LeftAxis(), 30), 2) << day;
    }
    EXPECT_EQ(ColumnExtent(image, Px(chart, kDay + 21), kRed).first, -1);
}

TEST(ChartPlottables, HostAddsEachSeriesOnceAndKeepsTheirOrder)
{
    ChartWidget chart;
    PrepareChart(chart);
    auto a = MakeSeries(&chart, {{kDay, 1}}, kRed);
    auto b = MakeSeries(&chart, {{kDay, 2}}, kBlue);
    chart.addSeries(*a);
    chart.addSeries(*b);
    chart.addSeries(*a);
    EXPECT_EQ(chart.SeriesList(), (std::vector<Series*>{a.get(), b.get()}));
    EXPECT_TRUE(chart.hasSeries(*b));
    chart.removeSeries(*a);
    chart.removeSeries(*a);
    EXPECT_EQ(chart.SeriesList(), (std::vector<Series*>{b.get()}));
    EXPECT_FALSE(chart.hasSeries(*a));
    EXPECT_EQ(chart.plottableCount(), 1);
    chart.RemoveAllSeries();
    EXPECT_EQ(chart.SeriesCount(), 0);
    EXPECT_EQ(chart.plottableCount(), 0);
    // The series themselves are untouched.
    EXPECT_EQ(a->count(), 1);
}

} // namespace
} // namespace korvex::test
