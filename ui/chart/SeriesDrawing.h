#pragma once

// Geometry of a series on screen: the points of the visible stretch reduced to what a pixel
// column can show, broken at null points, and drawn in short pieces.
//
// A year of one-minute samples has hundreds of points per pixel column. Per column and run the
// first, lowest, highest and last point (in their order) draw exactly the same pixels as all of
// them, so a graph costs a few points per column however long it is.

#include "core/logdata/PointColumns.h"

#include <QPointF>
#include <QRectF>

#include <vector>

class QPainter;

namespace korvex {

// Linear mapping of axis values to pixels: px = left + (x - xOrigin) * xScale, likewise y.
struct PixelMapping {
    double left = 0, xOrigin = 0, xScale = 1;
    double top = 0, yOrigin = 0, yScale = 1;
    double Px(double x) const { return left + (x - xOrigin) * xScale; }
    double Py(double y) const { return top + (y - yOrigin) * yScale; }
};

// Polylines of one series: run k is points[runStarts[k]] up to the next run's start.
struct RunList {
    std::vector<QPointF> points;
    std::vector<int> runStarts;
    void Clear()
    {
        points.clear();
        runStarts.clear();
    }
    int RunCount() const { return static_cast<int>(runStarts.size()); }
    int RunBegin(int k) const { return runStarts[static_cast<std::size_t>(k)]; }
    int RunEnd(int k) const
    {
        return k + 1 < RunCount() ? runStarts[static_cast<std::size_t>(k + 1)]
                                  : static_cast<int>(points.size());
    }
};

// Index range [begin, end) of the points needed to draw [first, last]: the visible points and
// one neighbour on each side, so that lines run on to the plot's edges.
// xs: const double* or a column accessor (core/logdata/PointColumns.h).
template <class Xs>
void VisibleRange(const Xs& xs, int count, double first, double last, int& begin, int& end)
{
    const auto n = static_cast<std::size_t>(count);
    begin = static_cast<int>(LowerBoundIndex(xs, 0, n, first));
    end = static_cast<int>(UpperBoundIndex(xs, 0, n, last));
    if (begin > 0)
        --begin;
    if (end < count)
        ++end;
}

// Reduces points [begin, end) to runs of pixel points. y values get offset added; NaN values
// are null points and end a run. With stairs, each value holds until the next point's X (also
// up to a null point's X). A run of one point becomes a one-pixel dash so that it stays visible.
// Points beyond clip horizontally are pulled onto its edge along their segment.
// Built for plain arrays and for the column accessors of a series. With the series' block
// summaries, a block of points without nulls that falls into one pixel column is taken as the
// four points that draw it; the runs are the same as without them.
template <class Xs, class Ys>
void ReduceToRuns(const Xs& xs, const Ys& ys, int begin, int end, double offset,
                  const PixelMapping& map, bool stairs, const QRectF& clip, RunList& out,
                  const PointBlocks* blocks = nullptr);

// Short and axis-parallel segments of the runs as rectangles covering their stroke of the given
// width (merged while they stay in one pixel column), the remaining segments as polylines.
// Steps and graphs with several points per pixel column consist almost only of such segments,
// and filling rectangles costs a fraction of stroking the same segments with a wide pen.
struct StrokeParts {
    std::vector<QRectF> rects;
    RunList lines;
    void Clear()
    {
        rects.clear();
        lines.Clear();
    }
};
void SplitStroke(const RunList& runs, double penWidth, StrokeParts& out);

// Strokes a polyline in pieces of about 32 points. One long polyline with a wide pen makes the
// painter build a single outline of the whole line, which is slow on every kind of painter.
void DrawPolylineInPieces(QPainter& painter, const QPointF* points, int count);

} // namespace korvex
