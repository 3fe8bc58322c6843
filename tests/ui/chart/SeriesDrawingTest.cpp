// Screen geometry of series: reduction per pixel column, null gaps, steps, clipping, and the
// split of a stroke into rectangles and polylines.
#include "ui/chart/SeriesDrawing.h"

#include "core/logdata/Series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
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

// The block summaries only shorten the work: for years of points in a few hundred pixels and for
// a day in a thousand, from any first point, with steps or lines, the runs are the very same.
TEST(SeriesDrawing, BlockSummariesGiveTheSameRuns)
{
    std::mt19937 random(11);
    LineSeries series(nullptr);
    std::vector<double> xs, ys;
    double x = 45000;
    double y = 20;
    for (int i = 0; i < 40000; ++i) {
        // Whole seconds at uneven steps, so that the points stay packed; values on a coarse grid,
        // so that equal extremes come in twos and threes; a null now and then, and a plateau.
        x += (1 + static_cast<int>(random() % 5)) * 60 / 86400.0;
        const int kind = static_cast<int>(random() % 100);
        if (kind == 0)
            y = std::nan("");
        else if (kind < 50 || std::isnan(y))
            y = static_cast<double>(static_cast<int>(random() % 40)) / 2;
        if (i >= 20000 && i < 21000)
            y = i % 2 ? 0.0 : -0.0;
        xs.push_back(x);
        ys.push_back(y);
    }
    series.appendPoints(xs.data(), ys.data(), xs.size());
    const PointBlocks blocks = series.pointBlocks();
    ASSERT_EQ(blocks.count, xs.size() / PointBlocks::kSize);

    // 40 000 points in 30 pixels: blocks inside a column; in 400 000: a column per point.
    for (const double pixels : {30.0, 100.0, 300.0, 1600.0, 400000.0}) {
        PixelMapping map;
        map.xOrigin = xs.front();
        map.xScale = pixels / (xs.back() - xs.front());
        map.yScale = -7;
        map.top = 300;
        const QRectF clip(0, 0, pixels, 600);
        for (const int begin : {0, 1, 255, 256, 9000}) {
            for (const bool stairs : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << pixels << " px from " << begin << (stairs ? " steps" : " lines"));
                const int end = static_cast<int>(xs.size()) - begin / 3;
                RunList plain, summarised;
                const double* px = xs.data();
                const double* py = ys.data();
                ReduceToRuns(px, py, begin, end, 2.0, map, stairs, clip, plain);
                VisitPoints(series.xs(), series.ys(), [&](const auto sx, const auto sy) {
                    ReduceToRuns(sx, sy, begin, end, 2.0, map, stairs, clip, summarised, &blocks);
                });
                EXPECT_EQ(summarised.runStarts, plain.runStarts);
                ASSERT_EQ(summarised.points.size(), plain.points.size());
                for (std::size_t k = 0; k < plain.points.size(); ++k) {
                    ASSERT_EQ(summarised.points[k].x(), plain.points[k].x()) << k;
                    ASSERT_EQ(summarised.points[k].y(), plain.points[k].y()) << k;
                }
            }
        }
    }
}

} // namespace
} // namespace korvex
