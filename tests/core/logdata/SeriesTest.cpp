#include "core/logdata/CustomSeries.h"
#include "tests/core/logdata/FakeChartHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvex::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(SeriesTest, PointsStayInXOrderAndEqualXKeepInsertionOrder)
{
    LineSeries s(nullptr);
    s.addPoint(2, 20);
    s.addNullPoint(2);
    s.addPoint(2, 21);
    EXPECT_EQ(s.addPoint(1, 10), 0);
    EXPECT_EQ(s.addPoint(2.5, 25), 4);
    ASSERT_EQ(s.count(), 5);
    EXPECT_EQ(s.y(0), 10);
    EXPECT_EQ(s.y(1), 20);
    EXPECT_TRUE(s.isNull(2));
    EXPECT_EQ(s.y(3), 21);
    EXPECT_EQ(s.lowerBound(2), 1);
    EXPECT_EQ(s.lowerBound(3), 5);
}

TEST(SeriesTest, AppendPointsMergesStablyWhenOutOfOrder)
{
    LineSeries s(nullptr);
    s.addPoint(1, 1);
    s.addPoint(3, 3);
    const double xs[] = {0, 3, 4};
    const double ys[] = {0, 30, 40};
    s.appendPoints(xs, ys, 3);
    ASSERT_EQ(s.count(), 5);
    const double wantX[] = {0, 1, 3, 3, 4};
    const double wantY[] = {0, 1, 3, 30, 40};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s.x(i), wantX[i]);
        EXPECT_EQ(s.y(i), wantY[i]);
    }
}

TEST(SeriesTest, VersionsTellDataFromStyleChanges)
{
    LineSeries s(nullptr);
    const auto data = s.dataVersion();
    const auto style = s.styleVersion();
    s.setColour(0xFF);
    EXPECT_EQ(s.dataVersion(), data);
    EXPECT_GT(s.styleVersion(), style);
    s.addPoint(1, 1);
    EXPECT_GT(s.dataVersion(), data);
    const auto afterAdd = s.dataVersion();
    s.setY(0, 2);
    EXPECT_GT(s.dataVersion(), afterAdd);
}

TEST(SeriesTest, LargestAndSmallestIgnoreNulls)
{
    LineSeries s(nullptr);
    EXPECT_EQ(s.largestY(), 0);
    s.addPoint(1, -5);
    s.addNullPoint(2);
    s.addPoint(3, 7);
    EXPECT_EQ(s.largestY(), 7);
    EXPECT_EQ(s.smallestY(), -5);
}

TEST(OffsetSeriesTest, OffsetLineShiftsItsRange)
{
    TOffsetLine line(nullptr);
    line.addPoint(1, 0);
    line.addPoint(2, 100);
    line.setOffset(-300);
    EXPECT_EQ(line.smallestY(), -300);
    EXPECT_EQ(line.largestY(), -200);
    EXPECT_EQ(line.displayY(1), -200);
}

TEST(OffsetSeriesTest, AreaKeepsItsBaseLineInRangeAndHandsTheOffsetToItsSource)
{
    FakeChartHost chart;
    auto line = std::make_unique<TOffsetLine>(&chart);
    line->setStairs(true);
    line->setColour(0x123456);
    line->addPoint(1, 0);
    line->addPoint(2, 100);
    line->setOffset(-150);
    Series* inner = line.get();

    TOffsetArea area(std::move(line));
    EXPECT_EQ(area.chart(), &chart);
    EXPECT_EQ(area.offset(), -150);
    EXPECT_TRUE(area.stairs());
    EXPECT_EQ(area.colour(), 0x123456u);
    EXPECT_EQ(area.smallestY(), -150);
    EXPECT_EQ(area.largestY(), -50);
    EXPECT_EQ(area.areaOrigin(), -150);
    EXPECT_EQ(area.xs().data(), inner->xs().data()); // draws from the source's arrays
    EXPECT_EQ(area.ys().data(), inner->ys().data());

    area.setOffset(-300);
    EXPECT_EQ(inner->offset(), -300);
    // Points added through the wrapper land in the source.
    area.addPoint(3, 50);
    EXPECT_EQ(inner->count(), 3);

    auto back = area.detachSource();
    EXPECT_EQ(back.get(), inner);
    EXPECT_EQ(area.source(), nullptr);
    EXPECT_EQ(back->offset(), -300);
}

TEST(OffsetSeriesTest, AreaBelowZeroReachesUpToItsOffset)
{
    auto line = std::make_unique<TOffsetLine>(nullptr);
    line->addPoint(1, -40);
    line->addPoint(2, -10);
    TOffsetArea area(std::move(line));
    EXPECT_EQ(area.largestY(), 0);
    EXPECT_EQ(area.smallestY(), -40);
}

TEST(OffsetSeriesTest, SettingAnOffsetRepaintsOnlyWhenOnTheChart)
{
    FakeChartHost chart;
    TOffsetLine line(&chart);
    line.setOffset(-150);
    EXPECT_EQ(chart.repaints, 0);
    chart.addSeries(line);
    line.setOffset(-300);
    line.setOffset(-300);
    EXPECT_EQ(chart.repaints, 1);
}

TEST(SumBarsTest, OneBarPerDayLastValueWins)
{
    TSumBars bars(nullptr);
    EXPECT_EQ(bars.addPoint(10 + 14.0 / 24, 5), 0);
    EXPECT_EQ(bars.addPoint(10 + 23.0 / 24, 7), 0);
    EXPECT_EQ(bars.addPoint(11 + 1.0 / 24, 3), 1);
    ASSERT_EQ(bars.count(), 2);
    EXPECT_EQ(bars.x(0), 10.5);
    EXPECT_EQ(bars.y(0), 7);
    EXPECT_EQ(bars.x(1), 11.5);
    EXPECT_EQ(bars.y(1), 3);

    // An earlier day goes before the others; a later value for a known day replaces it.
    EXPECT_EQ(bars.addPoint(9.2, 1), 0);
    EXPECT_EQ(bars.addPoint(10.9, 8), 1);
    ASSERT_EQ(bars.count(), 3);
    EXPECT_EQ(bars.x(0), 9.5);
    EXPECT_EQ(bars.y(1), 8);
    EXPECT_EQ(bars.y(2), 3);
}

TEST(SumBarsTest, NullsOnlyWhenAccepted)
{
    TSumBars bars(nullptr);
    EXPECT_EQ(bars.addNullPoint(4.5), 0);
    EXPECT_EQ(bars.addPoint(4.2, kNaN), -1);
    EXPECT_EQ(bars.count(), 0);
    bars.setAcceptNulls(true);
    bars.addPoint(2.2, 1);
    bars.addPoint(5.2, 2);
    bars.addNullPoint(4.5);
    ASSERT_EQ(bars.count(), 3);
    EXPECT_TRUE(bars.isNull(1));
    EXPECT_EQ(bars.x(1), 4.5);
}

TEST(SumBarsTest, DrawingDefaultsAndWrappers)
{
    FakeChartHost chart;
    auto bars = std::make_unique<TSumBars>(&chart);
    EXPECT_EQ(bars->drawStyle(), DrawStyle::Bars);
    EXPECT_TRUE(bars->useYOrigin());
    EXPECT_EQ(bars->yOrigin(), 0);
    EXPECT_EQ(bars->barWidthPercent(), 75);
    EXPECT_EQ(bars->fixedBarWidth(), 0);
    EXPECT_FALSE(bars->marksVisible());
    EXPECT_FALSE(bars->outlineVisible());
    bars->addPoint(3.1, 4);

    // A line through the bars still snaps added values to the day.
    TSumLine line(std::move(bars));
    EXPECT_EQ(line.seriesClass(), SeriesClass::SumLine);
    EXPECT_EQ(line.chart(), &chart);
    line.addPoint(3.9, 6);
    ASSERT_EQ(line.count(), 1);
    EXPECT_EQ(line.y(0), 6);
    EXPECT_EQ(line.x(0), 3.5);
}

TEST(SumBarsTest, ClearResetsTheDayShortcut)
{
    TSumBars bars(nullptr);
    bars.addPoint(1.2, 1);
    bars.clear();
    bars.addPoint(1.7, 2);
    ASSERT_EQ(bars.count(), 1);
    EXPECT_EQ(bars.y(0), 2);
}

TEST(FieldSeriesTest, ClassPerCategory)
{
    FakeChartHost chart;
    EXPECT_EQ(MakeFieldSeries(FieldCategory::Inputs, false, &chart)->seriesClass(),
              SeriesClass::Line);
    EXPECT_EQ(MakeFieldSeries(FieldCategory::Others, false, &chart)->seriesClass(),
              SeriesClass::OffsetLine);
    EXPECT_EQ(MakeFieldSeries(FieldCategory::Others, true, &chart)->seriesClass(),
              SeriesClass::SumBars);
    auto out = MakeFieldSeries(FieldCategory::Outputs, false, &chart);
    EXPECT_EQ(out->seriesClass(), SeriesClass::OffsetLine);
    EXPECT_TRUE(out->stairs());
    EXPECT_EQ(out->chart(), &chart);
}

TEST(SeriesMemoryTest, GrowthStaysNearSixteenBytesPerPoint)
{
    LineSeries s(nullptr);
    for (int i = 0; i < 500000; ++i)
        s.addPoint(i, i);
    const double perPoint = static_cast<double>(s.memoryBytes()) / s.count();
    EXPECT_LE(perPoint, 20.0);
    s.shrinkToFit();
    EXPECT_LE(static_cast<double>(s.memoryBytes()) / s.count(), 16.01);
}

} // namespace
} // namespace korvex::test
