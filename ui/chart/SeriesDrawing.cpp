#include "ui/chart/SeriesDrawing.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace korvex {

namespace {

constexpr int kPieceSegments = 32;
// Far-off values are pulled in to this distance beyond the plot: the painter's rasteriser works
// in fixed point and the visible part of such a segment does not move noticeably.
constexpr double kFarPixels = 1.0e5;

// Column index of a pixel position: the offset keeps the truncation a floor for everything
// that can be on or near the plot.
inline long long ColumnOf(double px)
{
    return static_cast<long long>(px + 1048576.0);
}

template <class Xs, class Ys>
class RunBuilder {
public:
    RunBuilder(const Xs& xs, const Ys& ys, double offset, const PixelMapping& map, bool stairs,
               RunList& out)
        : xs_(xs), ys_(ys), offset_(offset), map_(map), stairs_(stairs), out_(out)
    {}

    // Point i at x with the non-null value y.
    void Add(int i, double x, double y)
    {
        const double px = map_.Px(x);
        const long long column = ColumnOf(px);
        if (!inRun_) {
            out_.runStarts.push_back(static_cast<int>(out_.points.size()));
            inRun_ = true;
            emitted_ = 0;
        } else if (colFirst_ >= 0 && column == column_) {
            if (y < minY_) {
                minY_ = y;
                colMin_ = i;
            }
            if (y > maxY_) {
                maxY_ = y;
                colMax_ = i;
            }
            colLast_ = i;
            return;
        }
        FlushColumn();
        column_ = column;
        colFirst_ = colMin_ = colMax_ = colLast_ = i;
        minY_ = maxY_ = y;
    }

    // A null point at index i ends the run.
    void Break(int i)
    {
        FlushColumn();
        if (!inRun_)
            return;
        if (stairs_ && emitted_ > 0)
            out_.points.emplace_back(map_.Px(xs_[i]), lastPy_);
        EndRun();
    }

    void Finish()
    {
        FlushColumn();
        if (inRun_)
            EndRun();
    }

private:
    void Emit(int i)
    {
        const double px = map_.Px(xs_[i]);
        const double py = std::clamp(map_.Py(ys_[i] + offset_), -kFarPixels, kFarPixels);
        if (stairs_ && emitted_ > 0)
            out_.points.emplace_back(px, lastPy_);
        out_.points.emplace_back(px, py);
        lastPy_ = py;
        ++emitted_;
    }

    void FlushColumn()
    {
        if (colFirst_ < 0)
            return;
        const int lo = std::min(colMin_, colMax_);
        const int hi = std::max(colMin_, colMax_);
        int last = -1;
        for (int i : {colFirst_, lo, hi, colLast_}) {
            if (i > last) {
                Emit(i);
                last = i;
            }
        }
        colFirst_ = -1;
    }

    void EndRun()
    {
        // A lone point: a one-pixel dash, so that isolated samples do not vanish.
        const int begin = out_.runStarts.back();
        if (static_cast<int>(out_.points.size()) - begin == 1) {
            const QPointF p = out_.points.back();
            out_.points.emplace_back(p.x() + 1.0, p.y());
        }
        inRun_ = false;
    }

    Xs xs_;
    Ys ys_;
    double offset_;
    const PixelMapping& map_;
    bool stairs_;
    RunList& out_;

    bool inRun_ = false;
    int emitted_ = 0;
    double lastPy_ = 0;
    long long column_ = 0;
    int colFirst_ = -1, colMin_ = -1, colMax_ = -1, colLast_ = -1;
    double minY_ = 0, maxY_ = 0;
};

// Pulls the end points of a run that lie far outside the plot onto the clip's vertical edges.
void ClipRunEnds(RunList& runs, int k, const QRectF& clip, bool stairs)
{
    const int begin = runs.RunBegin(k);
    const int end = runs.RunEnd(k);
    if (end - begin < 2)
        return;
    const double lo = clip.left() - 2.0;
    const double hi = clip.right() + 2.0;
    auto pull = [&](QPointF& outside, const QPointF& inside, double edge) {
        if (stairs || outside.x() == inside.x()) {
            outside.setX(edge);
            return;
        }
        const double t = (edge - inside.x()) / (outside.x() - inside.x());
        outside = QPointF(edge, inside.y() + t * (outside.y() - inside.y()));
    };
    QPointF& first = runs.points[static_cast<std::size_t>(begin)];
    const QPointF& second = runs.points[static_cast<std::size_t>(begin + 1)];
    if (first.x() < lo && second.x() >= lo)
        pull(first, second, lo);
    QPointF& last = runs.points[static_cast<std::size_t>(end - 1)];
    const QPointF& before = runs.points[static_cast<std::size_t>(end - 2)];
    if (last.x() > hi && before.x() <= hi)
        pull(last, before, hi);
}

} // namespace

template <class Xs, class Ys>
void ReduceToRuns(const Xs& xs, const Ys& ys, int begin, int end, double offset,
                  const PixelMapping& map, bool stairs, const QRectF& clip, RunList& out,
                  const PointBlocks* blocks)
{
    out.Clear();
    RunBuilder<Xs, Ys> builder(xs, ys, offset, map, stairs, out);
    const auto reduce = [&](int i, double x, double y) {
        if (std::isnan(y))
            builder.Break(i);
        else
            builder.Add(i, x, y);
    };
    const auto at = [&](int k) {
        reduce(k, xs[static_cast<std::size_t>(k)], ys[static_cast<std::size_t>(k)]);
    };
    // A summarised block without nulls inside one pixel column adds to that column only its
    // first point, its first smallest and first largest Y and its last point: the others can
    // change neither the column's extremes nor its ends.
    constexpr int kBlock = static_cast<int>(PointBlocks::kSize);
    const auto skipped = [&](int first) {
        const auto b = static_cast<std::size_t>(first / kBlock);
        if (!blocks || b >= blocks->count || !blocks->whole[b])
            return false;
        const int last = first + kBlock - 1;
        if (ColumnOf(map.Px(xs[static_cast<std::size_t>(first)])) !=
            ColumnOf(map.Px(xs[static_cast<std::size_t>(last)])))
            return false;
        const int low = first + blocks->lowAt[b];
        const int high = first + blocks->highAt[b];
        int done = -1;
        for (const int k : {first, std::min(low, high), std::max(low, high), last}) {
            if (k > done) {
                at(k);
                done = k;
            }
        }
        return true;
    };
    constexpr bool kPlain =
        std::is_pointer_v<Xs> || (std::is_same_v<Xs, WideValues> && std::is_same_v<Ys, WideValues>);
    int i = begin;
    // Up to the first whole block, point by point.
    for (const int aligned = std::min(end, (begin + kBlock - 1) / kBlock * kBlock); i < aligned;
         ++i)
        at(i);
    for (; i + kBlock <= end; i += kBlock) {
        if (skipped(i))
            continue;
        if constexpr (!kPlain) {
            // Packed points are decoded a block at a time: loops of fixed length without
            // branches vectorise, the divisions of the decoding run two at a time.
            double bx[kBlock], by[kBlock];
            DecodeBlock<kBlock>(xs, static_cast<std::size_t>(i), bx);
            DecodeBlock<kBlock>(ys, static_cast<std::size_t>(i), by);
            for (int k = 0; k < kBlock; ++k)
                reduce(i + k, bx[k], by[k]);
        } else {
            for (int k = i; k < i + kBlock; ++k)
                at(k);
        }
    }
    for (; i < end; ++i)
        at(i);
    builder.Finish();
    for (int k = 0; k < out.RunCount(); ++k)
        ClipRunEnds(out, k, clip, stairs);
}

#define KORVEX_REDUCE_TO_RUNS(Xs, Ys)                                                              \
    template void ReduceToRuns<Xs, Ys>(const Xs&, const Ys&, int, int, double,                     \
                                       const PixelMapping&, bool, const QRectF&, RunList&,         \
                                       const PointBlocks*);
using RawValues = const double*;
KORVEX_REDUCE_TO_RUNS(RawValues, RawValues)
KORVEX_REDUCE_TO_RUNS(WideValues, WideValues)
KORVEX_REDUCE_TO_RUNS(WideValues, PackedDecimals)
KORVEX_REDUCE_TO_RUNS(PackedTimes, WideValues)
KORVEX_REDUCE_TO_RUNS(PackedTimes, PackedDecimals)
#undef KORVEX_REDUCE_TO_RUNS

void SplitStroke(const RunList& runs, double penWidth, StrokeParts& out)
{
    out.Clear();
    const double half = penWidth / 2.0;
    bool lineOpen = false;
    for (int k = 0; k < runs.RunCount(); ++k) {
        const int begin = runs.RunBegin(k);
        const int end = runs.RunEnd(k);
        lineOpen = false;
        for (int i = begin; i + 1 < end; ++i) {
            const QPointF a = runs.points[static_cast<std::size_t>(i)];
            const QPointF b = runs.points[static_cast<std::size_t>(i + 1)];
            const double dx = std::fabs(b.x() - a.x());
            if (dx <= 1.0 || a.y() == b.y()) {
                const QRectF r(
                    QPointF(std::min(a.x(), b.x()) - half, std::min(a.y(), b.y()) - half),
                    QPointF(std::max(a.x(), b.x()) + half, std::max(a.y(), b.y()) + half));
                // Merged while the union stays within about one pixel column.
                if (!out.rects.empty()) {
                    QRectF& last = out.rects.back();
                    const QRectF both = last.united(r);
                    if (both.width() <= penWidth + 1.0 && r.top() <= last.bottom() &&
                        r.bottom() >= last.top()) {
                        last = both;
                        lineOpen = false;
                        continue;
                    }
                }
                out.rects.push_back(r);
                lineOpen = false;
                continue;
            }
            if (!lineOpen) {
                out.lines.runStarts.push_back(static_cast<int>(out.lines.points.size()));
                out.lines.points.push_back(a);
                lineOpen = true;
            }
            out.lines.points.push_back(b);
        }
    }
}

void DrawPolylineInPieces(QPainter& painter, const QPointF* points, int count)
{
    if (count < 2)
        return;
    for (int start = 0; start < count - 1; start += kPieceSegments) {
        const int n = std::min(kPieceSegments + 1, count - start);
        painter.drawPolyline(points + start, n);
    }
}

} // namespace korvex
