#include "ui/chart/ChartBands.h"

#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartWidget.h"

#include <QHelpEvent>
#include <QToolTip>

#include <algorithm>

namespace korvex {

const QString ChartBands::kLayerName = QStringLiteral("bands");

namespace {

// The chart's plottables are made on QCustomPlot's default layer.
const QString kCurvesLayer = QStringLiteral("main");

} // namespace

class BandsLayerable : public QCPLayerable {
public:
    BandsLayerable(ChartWidget& chart, ChartBands& owner)
        : QCPLayerable(&chart, ChartBands::kLayerName), chart_(chart), owner_(owner)
    {}

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override
    {
        painter->setAntialiasing(false);
    }

    QRect clipRect() const override { return chart_.axisRect()->rect(); }

    void draw(QCPPainter* painter) override
    {
        if (!owner_.visible_)
            return;
        painter->setPen(Qt::NoPen);
        for (const ChartBand& band : owner_.bands_) {
            const QRectF rect = owner_.RectOf(band);
            if (!rect.isEmpty())
                painter->fillRect(rect, band.colour);
        }
    }

private:
    ChartWidget& chart_;
    ChartBands& owner_;
};

ChartBands::ChartBands(ChartWidget& chart, QObject* parent)
    : QObject(parent), chart_(chart), chartAlive_(&chart)
{
    if (!chart.layer(kLayerName)) {
        QCPLayer* curves = chart.layer(kCurvesLayer);
        chart.addLayer(kLayerName, curves ? curves : chart.layer(0),
                       curves ? QCustomPlot::limBelow : QCustomPlot::limAbove);
        chart.layer(kLayerName)->setMode(QCPLayer::lmLogical);
    }
    layerable_ = new BandsLayerable(chart, *this);
    chart.installEventFilter(this);
}

ChartBands::~ChartBands()
{
    delete layerable_.data();
    if (chartAlive_)
        chartAlive_->removeEventFilter(this);
}

void ChartBands::SetBands(std::vector<ChartBand> bands)
{
    for (ChartBand& band : bands)
        if (band.end < band.start)
            std::swap(band.start, band.end);
    // Years of points make a drawing dear: none for bands that look as before or are hidden.
    const bool looksTheSame = !visible_ || bands == bands_;
    bands_ = std::move(bands);
    if (!looksTheSame)
        Replot();
}

void ChartBands::SetVisible(bool on)
{
    if (visible_ == on)
        return;
    visible_ = on;
    Replot();
}

QRectF ChartBands::RectOf(const ChartBand& band) const
{
    const ChartAxis& bottom = chart_.BottomAxis();
    const QRect plot = chart_.axisRect()->rect();
    if (band.end < bottom.Minimum() || band.start > bottom.Maximum() || plot.isEmpty())
        return {};
    double left = bottom.PixelOf(band.start);
    double right = bottom.PixelOf(band.end);
    if (right < left)
        std::swap(left, right);
    if (right - left < kMinimumPixels) {
        const double middle = (left + right) / 2;
        left = middle - kMinimumPixels / 2;
        right = middle + kMinimumPixels / 2;
    }
    left = std::max(left, static_cast<double>(plot.left()));
    right = std::min(right, static_cast<double>(plot.right() + 1));
    if (right <= left)
        return {};
    return QRectF(QPointF(left, plot.top()), QPointF(right, plot.bottom() + 1));
}

QString ChartBands::ToolTipAt(QPoint pos) const
{
    if (!visible_ || !chart_.axisRect()->rect().contains(pos))
        return {};
    QStringList lines;
    const QPointF at(pos.x() + 0.5, pos.y() + 0.5); // the pixel's middle
    for (const ChartBand& band : bands_)
        if (!band.text.isEmpty() && RectOf(band).contains(at))
            lines << band.text;
    return lines.join(QLatin1Char('\n'));
}

bool ChartBands::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &chart_ && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = ToolTipAt(help->pos());
        if (!text.isEmpty()) {
            QToolTip::showText(help->globalPos(), text, &chart_);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ChartBands::Replot()
{
    QCPLayer* layer = chartAlive_ ? chartAlive_->layer(kLayerName) : nullptr;
    if (!layer)
        return;
    // A buffer of its own from the first bands shown: the curves above it keep theirs when the
    // bands change. The change of mode makes this drawing a whole one. Until then nothing of the
    // bands was drawn, and nothing to draw needs no drawing.
    if (layer->mode() == QCPLayer::lmLogical) {
        if (!visible_ || bands_.empty())
            return;
        layer->setMode(QCPLayer::lmBuffered);
    }
    layer->replot();
}

} // namespace korvex
