#include "ui/chart/SeriesPlottable.h"

#include <algorithm>
#include <cmath>

namespace korvex {

namespace {

constexpr double kFarPixels = 1.0e5;
constexpr int kPiecePoints = 33;

QPen LinePen(const QColor& colour, int width, bool stairs)
{
    // Square ends fill the corners where two pieces of a line meet.
    return stairs ? QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin)
                  : QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

// Steps drawn on whole pixels stay crisp: a line of odd width is centred on a pixel's middle.
void SnapToPixels(RunList& runs, int penWidth)
{
    const double shift = penWidth % 2 == 1 ? 0.5 : 0.0;
    for (QPointF& p : runs.points)
        p = QPointF(std::floor(p.x()) + shift, std::floor(p.y()) + shift);
}

} // namespace

QColor ToQColor(Colour colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

SeriesPlottable::SeriesPlottable(QCPAxis* keyAxis, QCPAxis* valueAxis, Series& series)
    : QCPAbstractPlottable(keyAxis, valueAxis), series_(series)
{
    setSelectable(QCP::stNone);
    SyncStyle();
}

bool SeriesPlottable::SyncStyle()
{
    if (styleVersion_ == series_.styleVersion())
        return false;
    styleVersion_ = series_.styleVersion();
    const QColor colour = ToQColor(series_.colour());
    setPen(LinePen(colour, std::max(1, series_.penWidth()), series_.stairs()));
    setBrush(QBrush(colour));
    setName(QString::fromStdString(series_.title()));
    return true;
}

double SeriesPlottable::selectTest(const QPointF&, bool, QVariant*) const
{
    return -1;
}

void SeriesPlottable::RefreshExtent() const
{
    const std::uint64_t version = series_.dataVersion();
    if (version == extentVersion_)
        return;
    extentVersion_ = version;
    minY_ = series_.smallestY();
    maxY_ = series_.largestY();
    const std::size_t n = static_cast<std::size_t>(series_.count());
    double gap = 0;
    double previous = 0;
    bool havePrevious = false;
    VisitPoints(series_.xs(), series_.ys(), [&](const auto xs, const auto ys) {
        for (std::size_t i = 0; i < n; ++i) {
            if (std::isnan(ys[i]))
                continue;
            const double x = xs[i];
            if (havePrevious && x > previous && (gap == 0 || x - previous < gap))
                gap = x - previous;
            previous = x;
            havePrevious = true;
        }
    });
    hasValues_ = havePrevious;
    minGap_ = gap > 0 ? gap : 1.0;
}

QCPRange SeriesPlottable::getKeyRange(bool& foundRange, QCP::SignDomain) const
{
    foundRange = !series_.empty();
    if (!foundRange)
        return QCPRange();
    double lo = series_.firstX();
    double hi = series_.lastX();
    if (series_.drawStyle() == DrawStyle::Bars) {
        RefreshExtent();
        lo -= minGap_ / 2;
        hi += minGap_ / 2;
    }
    return QCPRange(lo, hi);
}

QCPRange SeriesPlottable::getValueRange(bool& foundRange, QCP::SignDomain, const QCPRange&) const
{
    RefreshExtent();
    foundRange = hasValues_;
    if (!foundRange)
        return QCPRange();
    double lo = minY_, hi = maxY_;
    if (series_.drawStyle() == DrawStyle::Bars && series_.useYOrigin()) {
        lo = std::min(lo, series_.yOrigin());
        hi = std::max(hi, series_.yOrigin());
    }
    return QCPRange(lo, hi);
}

PixelMapping SeriesPlottable::Mapping() const
{
    PixelMapping map;
    QCPAxis* k = keyAxis();
    QCPAxis* v = valueAxis();
    map.xOrigin = k->range().lower;
    map.left = k->coordToPixel(map.xOrigin);
    map.xScale = k->coordToPixel(map.xOrigin + 1.0) - map.left;
    map.yOrigin = v->range().lower;
    map.top = v->coordToPixel(map.yOrigin);
    map.yScale = v->coordToPixel(map.yOrigin + 1.0) - map.top;
    return map;
}

void SeriesPlottable::draw(QCPPainter* painter)
{
    if (!keyAxis() || !valueAxis() || series_.empty())
        return;
    SyncStyle();
    const PixelMapping map = Mapping();
    const QRectF clip = clipRect();
    switch (series_.drawStyle()) {
        case DrawStyle::Line:
            DrawLines(*painter, map, clip);
            break;
        case DrawStyle::Area:
            DrawArea(*painter, map, clip);
            break;
        case DrawStyle::Bars:
            DrawBars(*painter, map, clip);
            break;
    }
}

// Whether the visible stretch holds several points per pixel column.
static bool IsDense(int pointCount, const QRectF& clip)
{
    return pointCount >= 2 * clip.width();
}

void SeriesPlottable::StrokeRuns(QCPPainter& painter, const QPen& pen, bool dense)
{
    if (!dense) {
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        for (int k = 0; k < runs_.RunCount(); ++k) {
            const int b = runs_.RunBegin(k);
            DrawPolylineInPieces(painter, runs_.points.data() + b, runs_.RunEnd(k) - b);
        }
        return;
    }
    SplitStroke(runs_, pen.widthF(), parts_);
    if (!parts_.rects.empty()) {
        const bool smooth = painter.antialiasing();
        painter.setAntialiasing(false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(pen.color());
        painter.drawRects(parts_.rects.data(), static_cast<int>(parts_.rects.size()));
        painter.setAntialiasing(smooth);
    }
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (int k = 0; k < parts_.lines.RunCount(); ++k) {
        const int b = parts_.lines.RunBegin(k);
        DrawPolylineInPieces(painter, parts_.lines.points.data() + b, parts_.lines.RunEnd(k) - b);
    }
}

void SeriesPlottable::Reduce(double first, double last, const PixelMapping& map, const QRectF& clip,
                             int& begin, int& end)
{
    const PointBlocks blocks = series_.pointBlocks();
    VisitPoints(series_.xs(), series_.ys(), [&](const auto xs, const auto ys) {
        VisibleRange(xs, series_.count(), first, last, begin, end);
        ReduceToRuns(xs, ys, begin, end, series_.offset(), map, series_.stairs(), clip, runs_,
                     &blocks);
    });
}

void SeriesPlottable::DrawLines(QCPPainter& painter, const PixelMapping& map, const QRectF& clip)
{
    const QCPRange range = keyAxis()->range();
    int begin = 0, end = 0;
    Reduce(range.lower, range.upper, map, clip, begin, end);
    if (series_.stairs())
        SnapToPixels(runs_, mPen.width());
    // Steps are all right angles: rectangles draw them exactly.
    StrokeRuns(painter, mPen, series_.stairs() || IsDense(end - begin, clip));
}

void SeriesPlottable::DrawArea(QCPPainter& painter, const PixelMapping& map, const QRectF& clip)
{
    const QCPRange range = keyAxis()->range();
    int begin = 0, end = 0;
    Reduce(range.lower, range.upper, map, clip, begin, end);
    const int width = std::max(1, series_.outlineWidth());
    if (series_.stairs())
        SnapToPixels(runs_, width);
    const double base = std::clamp(map.Py(series_.areaOrigin()), -kFarPixels, kFarPixels);

    // Filled in pieces too: one polygon of thousands of vertices is as slow to fill as a long
    // wide line is to stroke. Neighbouring pieces share two segments, so that no seam shows
    // where a smoothing viewer (PDF) draws their edges.
    painter.setAntialiasing(false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(mBrush);
    QPointF piece[kPiecePoints + 2];
    for (int k = 0; k < runs_.RunCount(); ++k) {
        const int b = runs_.RunBegin(k);
        const int e = runs_.RunEnd(k);
        for (int start = b;; start += kPiecePoints - 3) {
            const int n = std::min(kPiecePoints, e - start);
            std::copy(runs_.points.begin() + start, runs_.points.begin() + start + n, piece);
            piece[n] = QPointF(piece[n - 1].x(), base);
            piece[n + 1] = QPointF(piece[0].x(), base);
            painter.drawPolygon(piece, n + 2, Qt::WindingFill);
            if (start + n >= e)
                break;
        }
    }

    if (!series_.outlineVisible())
        return;
    applyDefaultAntialiasingHint(&painter);
    StrokeRuns(painter, LinePen(ToQColor(series_.outlineColour()), width, series_.stairs()),
               series_.stairs() || IsDense(end - begin, clip));
}

double SeriesPlottable::BarWidthPixels(const PixelMapping& map) const
{
    if (series_.fixedBarWidth() > 0)
        return series_.fixedBarWidth();
    RefreshExtent();
    const double slot = std::fabs(minGap_ * map.xScale);
    return std::max(1.0, slot * series_.barWidthPercent() / 100.0);
}

void SeriesPlottable::DrawBars(QCPPainter& painter, const PixelMapping& map, const QRectF& clip)
{
    RefreshExtent();
    const QCPRange range = keyAxis()->range();
    // Bars are few (one per day or month): the views' own access is quick enough.
    const TimeView xs = series_.xs();
    const ValueView ys = series_.ys();
    int begin = 0, end = 0;
    VisibleRange(xs, series_.count(), range.lower - minGap_, range.upper + minGap_, begin, end);
    const double width = BarWidthPixels(map);
    lastBarWidth_ = width;
    const double originValue =
        series_.useYOrigin() ? series_.yOrigin() : valueAxis()->range().lower;
    const double base = std::clamp(map.Py(originValue), -kFarPixels, kFarPixels);
    const QRectF bounds = clip.adjusted(-8, -8, 8, 8);

    painter.setBrush(mBrush);
    if (series_.outlineVisible() && series_.outlineWidth() > 0)
        painter.setPen(QPen(ToQColor(series_.outlineColour()), series_.outlineWidth(),
                            Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    else
        painter.setPen(Qt::NoPen);
    // Bars are rectangles on the pixel grid; smoothing would only blur their edges.
    painter.setAntialiasing(false);
    for (int i = begin; i < end; ++i) {
        const double y = ys[static_cast<std::size_t>(i)];
        if (std::isnan(y))
            continue;
        const double cx = map.Px(xs[static_cast<std::size_t>(i)]);
        const double left = std::max(std::round(cx - width / 2), bounds.left());
        const double right = std::min(std::round(cx + width / 2), bounds.right());
        if (right < bounds.left() || left > bounds.right())
            continue;
        const double top = std::clamp(map.Py(y), -kFarPixels, kFarPixels);
        painter.drawRect(
            QRectF(QPointF(left, std::round(std::min(top, base))),
                   QPointF(std::max(right, left + 1), std::round(std::max(top, base)))));
    }
}

void SeriesPlottable::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const
{
    const QColor colour = ToQColor(series_.colour());
    if (series_.drawStyle() == DrawStyle::Line) {
        painter->setPen(LinePen(colour, std::clamp(series_.penWidth(), 1, 4), false));
        const double y = rect.center().y();
        painter->drawLine(QLineF(rect.left() + 1, y, rect.right() - 1, y));
        return;
    }
    painter->setBrush(QBrush(colour));
    if (series_.outlineVisible())
        painter->setPen(QPen(ToQColor(series_.outlineColour()), 1));
    else
        painter->setPen(Qt::NoPen);
    painter->drawRect(rect.adjusted(2, 1, -2, -1));
}

} // namespace korvex
