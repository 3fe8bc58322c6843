// Screen geometry of series: reduction per pixel column, null gaps, steps, clipping, and the
// split of a stroke into rectangles and polylines.
#include "ui/chart/SeriesDrawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace korvex {
namespace {

// One unit of x and y is one pixel; the plot spans 0..1000 horizontally.
PixelMapping UnitMapping()
{
    return PixelMapping{};
}
const QRectF kClip(0, 0, 1000, 1000);

RunList Reduce(const std::vector<double>& xs, const std::vector<double>& ys, bool stairs,
               double offset = 0)
{
    RunList runs;
    ReduceToRuns(xs.data(), ys.data(), 0, static_cast<int>(xs.size()), offset, UnitMapping(),
                 stairs, kClip, runs);
    return runs;
}

std::vector<QPointF> RunPoints(const RunList& runs, int k)
{
    return {runs.points.begin() + runs.RunBegin(k), runs.points.begin() + runs.RunEnd(k)};
}

TEST(SeriesDrawing, NullPointsBreakTheLineAndLonePointsStayVisible)
{
    const double nan = std::nan("");
    const RunList runs = Reduce({10, 20, 30, 40, 50, 60}, {1, 2, nan, 4, nan, 6}, false);
    ASSERT_EQ(runs.RunCount(), 3);
    EXPECT_EQ(RunPoints(runs, 0), (std::vector<QPointF>{{10, 1}, {20, 2}}));
    // A point between two nulls becomes a one-pixel dash instead of vanishing.
    EXPECT_EQ(RunPoints(runs, 1), (std::vector<QPointF>{{40, 4}, {41, 4}}));
    EXPECT_EQ(RunPoints(runs, 2), (std::vector<QPointF>{{60, 6}, {61, 6}}));
}

TEST(SeriesDrawing, StepsHoldEachValueUntilTheNextPointOrNull)
{
    const double nan = std::nan("");
    const RunList runs = Reduce({10, 20, 30, 40}, {0, 100, 50, nan}, true, -150);
    ASSERT_EQ(runs.RunCount(), 1);
    EXPECT_EQ(RunPoints(runs, 0), (std::vector<QPointF>{{10, -150},
                                                        {20, -150},
                                                        {20, -50},
                                                        {30, -50},
                                                        {30, -100},
                                                        {40, -100}})); // up to the null's time
}

TEST(SeriesDrawing, ManyPointsInOneColumnKeepFirstExtremesAndLast)
{
    std::vector<double> xs, ys;
    for (int i = 0; i < 1000; ++i) {
        xs.push_back(100 + i / 1000.0); // all in pixel column 100
        ys.push_back(i == 300 ? 90 : i == 700 ? -40 : 5 + (i % 7));
    }
    xs.push_back(101.5);
    ys.push_back(7);
    const RunList runs = Reduce(xs, ys, false);
    ASSERT_EQ(runs.RunCount(), 1);
    const std::vector<QPointF> run = RunPoints(runs, 0);
    ASSERT_EQ(run.size(), 5u); // first, highest, lowest, last of column 100; the next column
    EXPECT_EQ(run[0].y(), 5);
    EXPECT_EQ(run[1].y(), 90);  // the highest came first ...
    EXPECT_EQ(run[2].y(), -40); // ... the lowest later: their order is kept
    EXPECT_EQ(run[3], QPointF(xs[999], ys[999]));
    EXPECT_EQ(run[4], QPointF(101.5, 7));
}

TEST(SeriesDrawing, NeighboursFarOutsideArePulledOntoTheEdgeAlongTheirSegment)
{
    const RunList line = Reduce({-1.0e7, 500, 2.0e7}, {0, 100, 300}, false);
    ASSERT_EQ(line.RunCount(), 1);
    const std::vector<QPointF> run = RunPoints(line, 0);
    ASSERT_EQ(run.size(), 3u);
    EXPECT_DOUBLE_EQ(run[0].x(), -2.0);
    EXPECT_NEAR(run[0].y(), 100 * (1.0e7 - 2.0) / (1.0e7 + 500), 1e-6);
    EXPECT_DOUBLE_EQ(run[2].x(), 1002.0);
    EXPECT_NEAR(run[2].y(), 100 + 200 * (502.0 / (2.0e7 - 500)), 1e-6);
    // Steps keep their level: only x moves.
    const RunList steps = Reduce({-1.0e7, 500}, {40, 60}, true);
    EXPECT_EQ(RunPoints(steps, 0).front(), QPointF(-2.0, 40));
}

TEST(SeriesDrawing, VisibleRangeTakesOneNeighbourOnEachSide)
{
    const std::vector<double> xs{1, 2, 3, 4, 5, 6};
    int begin = 0, end = 0;
    VisibleRange(xs.data(), 6, 2.5, 4.5, begin, end);
    EXPECT_EQ(begin, 1);
    EXPECT_EQ(end, 5);
    VisibleRange(xs.data(), 6, 0, 10, begin, end);
    EXPECT_EQ(begin, 0);
    EXPECT_EQ(end, 6);
    VisibleRange(xs.data(), 6, 7, 8, begin, end); // all left of the window: the last one only
    EXPECT_EQ(begin, 5);
    EXPECT_EQ(end, 6);
}

TEST(SeriesDrawing, ShortAndAxisParallelSegmentsBecomeRectanglesOthersStayLines)
{
    RunList runs;
    runs.runStarts = {0};
    runs.points = {{10, 50}, {10.5, 20}, {10.8, 60}, {40, 60}, {80, 10}};
    StrokeParts parts;
    SplitStroke(runs, 2.0, parts);
    // The two short segments in column 10 merge into one rectangle; the horizontal one is a
    // rectangle of the pen's height.
    ASSERT_EQ(parts.rects.size(), 2u);
    EXPECT_EQ(parts.rects[0], QRectF(QPointF(9, 19), QPointF(11.8, 61)));
    EXPECT_EQ(parts.rects[1], QRectF(QPointF(9.8, 59), QPointF(41, 61)));
    ASSERT_EQ(parts.lines.RunCount(), 1);
    EXPECT_EQ(parts.lines.points, (std::vector<QPointF>{{40, 60}, {80, 10}}));
}

} // namespace
} // namespace korvex
