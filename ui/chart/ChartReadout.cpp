#include "ui/chart/ChartReadout.h"

#include "core/services/NumberFormat.h"
#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartWidget.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace korvex {

namespace {

// The chart's own top layer, which has a buffer for the zoom band: another buffer would be
// cleared and laid over the chart at every drawing, mostly empty.
const QString kLayerName = QStringLiteral("overlay");
constexpr int kBoxOffset = 14; // from the pointer to the box
constexpr int kBoxPadding = 4;
const QColor kCursorColour(90, 90, 90);
const QColor kMarkerColours[2] = {QColor(0, 90, 200), QColor(200, 60, 0)};

QColor ColourOf(Colour c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

// Time axis pixel of t, or nothing when t lies outside the plot area.
std::optional<double> PixelOfTime(const ChartWidget& chart, DayTime t)
{
    const ChartAxis& bottom = chart.BottomAxis();
    if (t < bottom.Minimum() || t > bottom.Maximum())
        return std::nullopt;
    return bottom.PixelOf(t);
}

QFont BoxFont(const ChartWidget& chart)
{
    return chart.LabelFont();
}

// A graph's line starts with a swatch of its colour; the text takes the colour only where it
// stays readable on the box's white (a yellow T3 would not).
int SwatchSize(const QFontMetrics& metrics)
{
    return std::max(6, metrics.ascent() - 2);
}

QColor ReadableOnWhite(const QColor& c)
{
    const double luminance = 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF();
    return luminance > 0.55 ? QColor(Qt::black) : c;
}

} // namespace

// Draws the cursor line, the markers and (on the chart under the pointer) the box. It draws
// only into the screen's layer buffer: pictures and prints show the curves alone.
class ReadoutLayerable : public QCPLayerable {
public:
    ReadoutLayerable(ChartWidget& chart, ChartReadout& owner)
        : QCPLayerable(&chart, kLayerName), chart_(chart), owner_(owner)
    {}

    QRect box; // in widget pixels; empty: no box on this chart

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override
    {
        painter->setAntialiasing(false);
    }

    void draw(QCPPainter* painter) override
    {
        if (!chart_.IsScreenBuffer(painter->device()))
            return;
        const QRect plot = chart_.axisRect()->rect();
        const Markers& m = owner_.markers_;
        const std::optional<DayTime> times[2] = {m.a, m.b};
        for (int i = 0; i < 2; ++i) {
            if (!times[i])
                continue;
            if (const auto x = PixelOfTime(chart_, *times[i])) {
                painter->setPen(QPen(kMarkerColours[i], 1));
                painter->drawLine(QPointF(*x, plot.top()), QPointF(*x, plot.bottom()));
                painter->setFont(BoxFont(chart_));
                painter->drawText(
                    QPointF(*x + 3, plot.top() + QFontMetrics(BoxFont(chart_)).ascent() + 1),
                    i == 0 ? QStringLiteral("A") : QStringLiteral("B"));
            }
        }
        if (owner_.enabled_ && owner_.cursor_) {
            if (const auto x = PixelOfTime(chart_, *owner_.cursor_)) {
                painter->setPen(QPen(kCursorColour, 1, Qt::DashLine));
                painter->drawLine(QPointF(*x, plot.top()), QPointF(*x, plot.bottom()));
            }
        }
        if (!box.isEmpty())
            DrawBox(painter);
    }

private:
    void DrawBox(QCPPainter* painter)
    {
        painter->setPen(QPen(QColor(120, 120, 120), 1));
        painter->setBrush(QColor(255, 255, 255, 235));
        painter->drawRect(box);
        const QFont font = BoxFont(chart_);
        const QFontMetrics metrics(font);
        painter->setFont(font);
        int y = box.top() + kBoxPadding + metrics.ascent();
        const int swatch = SwatchSize(metrics);
        for (const ReadoutLine& line : owner_.lines_) {
            int x = box.left() + kBoxPadding;
            if (!line.isTime) {
                const QColor colour = ColourOf(line.colour);
                painter->setPen(QPen(QColor(90, 90, 90), 1));
                painter->setBrush(colour);
                painter->drawRect(QRect(x, y - metrics.ascent() + 1, swatch, swatch));
                x += swatch + kBoxPadding;
                painter->setPen(ReadableOnWhite(colour));
            } else {
                painter->setPen(QColor(Qt::black));
            }
            painter->drawText(QPoint(x, y), QString::fromStdString(line.text));
            y += metrics.height();
        }
    }

    ChartWidget& chart_;
    ChartReadout& owner_;
};

ChartReadout::ChartReadout(ChartWidget& upper, ChartWidget& lower, GraphSource graphs,
                           SpanSource span, QObject* parent)
    : QObject(parent), upper_(upper), lower_(lower), upperAlive_(&upper), lowerAlive_(&lower),
      graphs_(std::move(graphs)), span_(std::move(span))
{
    Install(upper_, upperLayer_);
    Install(lower_, lowerLayer_);
    // Keys, buttons, the slider and zooms move the window under a resting pointer: the box
    // follows what is on screen, not the last mouse move.
    for (ChartWidget* chart : {&upper_, &lower_})
        connect(chart, &QCustomPlot::afterReplot, this, [this, chart] { FollowChart(*chart); });
}

ChartReadout::~ChartReadout()
{
    delete upperLayer_.data();
    delete lowerLayer_.data();
    if (upperAlive_)
        upperAlive_->removeEventFilter(this);
    if (lowerAlive_)
        lowerAlive_->removeEventFilter(this);
}

void ChartReadout::Install(ChartWidget& chart, QPointer<ReadoutLayerable>& layerable)
{
    layerable = new ReadoutLayerable(chart, *this);
    chart.setMouseTracking(true);
    chart.installEventFilter(this);
}

void ChartReadout::SetEnabled(bool on)
{
    if (enabled_ == on)
        return;
    enabled_ = on;
    Rebuild();
    Replot();
}

void ChartReadout::SetMarker(DayTime t)
{
    (nextIsB_ ? markers_.b : markers_.a) = t;
    nextIsB_ = !nextIsB_;
    Rebuild();
    Replot();
    emit MarkersChanged();
}

void ChartReadout::ClearMarkers()
{
    if (!markers_.a && !markers_.b)
        return;
    markers_ = {};
    nextIsB_ = false;
    Rebuild();
    Replot();
    emit MarkersChanged();
}

QRect ChartReadout::BoxRect() const
{
    if (boxChart_ == &upper_ && upperLayer_)
        return upperLayer_->box;
    if (boxChart_ == &lower_ && lowerLayer_)
        return lowerLayer_->box;
    return {};
}

void ChartReadout::PointerMoved(ChartWidget& chart, QPoint pos)
{
    if (!chart.axisRect()->rect().contains(pos)) {
        PointerLeft();
        return;
    }
    cursor_ = chart.BottomAxis().ValueAtPixel(pos.x());
    boxChart_ = &chart;
    pointer_ = pos;
    Rebuild();
    Replot();
}

void ChartReadout::PointerLeft()
{
    if (!cursor_ && !boxChart_)
        return;
    cursor_.reset();
    boxChart_ = nullptr;
    Rebuild();
    Replot();
}

void ChartReadout::FollowChart(ChartWidget& chart)
{
    if (boxChart_ != &chart || !cursor_)
        return;
    if (!chart.axisRect()->rect().contains(pointer_)) {
        PointerLeft();
        return;
    }
    cursor_ = chart.BottomAxis().ValueAtPixel(pointer_.x());
    Rebuild();
    Replot();
}

void ChartReadout::Refresh()
{
    Rebuild();
    Replot();
}

void ChartReadout::Rebuild()
{
    lines_.clear();
    if (!upperLayer_ || !lowerLayer_)
        return;
    upperLayer_->box = QRect();
    lowerLayer_->box = QRect();
    if (!enabled_ || !cursor_ || !boxChart_)
        return;
    const std::vector<ReadoutGraph> graphs = graphs_ ? graphs_() : std::vector<ReadoutGraph>();
    lines_ = BuildReadout(graphs, *cursor_, span_ ? span_() : 0, markers_, DecimalSeparator());
    const QFontMetrics metrics(BoxFont(*boxChart_));
    int width = 0;
    for (const ReadoutLine& line : lines_)
        width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(line.text)) +
                                    (line.isTime ? 0 : SwatchSize(metrics) + kBoxPadding));
    const QSize size(width + 2 * kBoxPadding,
                     static_cast<int>(lines_.size()) * metrics.height() + 2 * kBoxPadding);
    // Right of and below the pointer; flipped to the other side where the chart ends.
    const QRect bounds = boxChart_->rect();
    int left = pointer_.x() + kBoxOffset;
    if (left + size.width() > bounds.right())
        left = pointer_.x() - kBoxOffset - size.width();
    int top = pointer_.y() + kBoxOffset;
    if (top + size.height() > bounds.bottom())
        top = pointer_.y() - kBoxOffset - size.height();
    left = std::clamp(left, bounds.left(), std::max(bounds.left(), bounds.right() - size.width()));
    top = std::clamp(top, bounds.top(), std::max(bounds.top(), bounds.bottom() - size.height()));
    (boxChart_ == &upper_ ? upperLayer_ : lowerLayer_)->box = QRect(QPoint(left, top), size);
}

void ChartReadout::Replot()
{
    for (ChartWidget* chart : {upperAlive_.data(), lowerAlive_.data()})
        if (QCPLayer* layer = chart ? chart->layer(kLayerName) : nullptr)
            layer->replot();
}

bool ChartReadout::eventFilter(QObject* watched, QEvent* event)
{
    ChartWidget* chart = watched == &upper_ ? &upper_ : watched == &lower_ ? &lower_ : nullptr;
    if (!chart)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseMove: {
            auto* e = static_cast<QMouseEvent*>(event);
            PointerMoved(*chart, e->position().toPoint());
            break;
        }
        case QEvent::Leave:
            PointerLeft();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (chart == &upper_ && e->button() == Qt::LeftButton &&
                chart->axisRect()->rect().contains(e->position().toPoint()))
                pressAt_ = e->position().toPoint();
            break;
        }
        case QEvent::MouseButtonRelease: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (chart == &upper_ && e->button() == Qt::LeftButton && pressAt_) {
                // Only a click that stayed below the drag threshold; a drag zooms or undoes.
                const QPoint d = e->position().toPoint() - *pressAt_;
                const QPoint at = *pressAt_;
                pressAt_.reset();
                if (std::abs(d.x()) < ChartWidget::kMinimumDragPixels &&
                    std::abs(d.y()) < ChartWidget::kMinimumDragPixels)
                    SetMarker(chart->BottomAxis().ValueAtPixel(at.x()));
            }
            break;
        }
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                ClearMarkers();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvex
