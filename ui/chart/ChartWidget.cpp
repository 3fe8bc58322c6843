#include "ui/chart/ChartWidget.h"

#include "core/logdata/Series.h"
#include "core/services/MonthNameTables.h"
#include "ui/chart/ChartPaintBuffer.h"
#include "ui/chart/SeriesPlottable.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QToolTip>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace korvex {

namespace {

int SideIndex(AxisSide side)
{
    switch (side) {
        case AxisSide::Bottom:
            return 0;
        case AxisSide::Left:
            return 1;
        case AxisSide::Right:
            return 2;
    }
    return 0;
}

} // namespace

MonthNames LocaleMonthNames(const QLocale& locale)
{
    // The six languages of the catalogue have their table, the one korvex-report writes too.
    const int block = MonthTableBlock(QLocale::languageToCode(locale.language()).toStdString());
    if (block >= 0)
        return MonthNamesForBlock(block);
    MonthNames names;
    for (int m = 1; m <= 12; ++m) {
        QString shortName = locale.monthName(m, QLocale::ShortFormat);
        // Some locales end their abbreviations with a dot; the label formats bring their own.
        if (shortName.endsWith(u'.'))
            shortName.chop(1);
        names.shortNames[static_cast<std::size_t>(m - 1)] = shortName.toStdString();
        names.longNames[static_cast<std::size_t>(m - 1)] =
            locale.monthName(m, QLocale::LongFormat).toStdString();
    }
    return names;
}

namespace {

QFont PixelFont(const QString& family, int pixels, bool bold = false)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

// The rubber band of the zoom gesture, drawn on the buffered overlay layer so that dragging
// repaints only the band, never the series.
class ZoomBand : public QCPLayerable {
public:
    explicit ZoomBand(QCustomPlot* plot) : QCPLayerable(plot, QStringLiteral("overlay")) {}
    void Show(const QRect& rect)
    {
        rect_ = rect;
        active_ = true;
    }
    void Hide() { active_ = false; }

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override
    {
        painter->setAntialiasing(false);
    }
    void draw(QCPPainter* painter) override
    {
        if (!active_)
            return;
        painter->setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter->setBrush(QColor(0, 0, 0, 18));
        painter->drawRect(rect_);
    }

private:
    QRect rect_;
    bool active_ = false;
};

ChartWidget::ChartWidget(QWidget* parent)
    : QCustomPlot(parent), monthNames_(LocaleMonthNames(QLocale::system()))
{
    setBackground(QBrush(Qt::white));
    setAutoAddPlottableToLegend(false);
    setInteractions(QCP::Interactions());
    setPlottingHints(QCP::phCacheLabels);
    setNoAntialiasingOnDrag(false);

    bottom_ = std::make_unique<ChartAxis>(*this, xAxis, AxisSide::Bottom);
    left_ = std::make_unique<ChartAxis>(*this, yAxis, AxisSide::Left);
    right_ = std::make_unique<ChartAxis>(*this, yAxis2, AxisSide::Right);
    xAxis2->setVisible(false);
    yAxis2->setVisible(true);
    right_->SetGridVisible(false);
    bottom_->SetMinMax(0, 1);
    left_->SetMinMax(0, 1);
    right_->SetMinMax(0, 1);
    left_->Raw()->grid()->setVisible(true);
    bottom_->Raw()->grid()->setVisible(true);

    // Title and legend live in rows above the plot; the legend is centred between two spacers.
    title_ = new QCPTextElement(this);
    title_->setTextFlags(Qt::AlignHCenter | Qt::AlignVCenter);
    title_->setMargins(QMargins(4, 2, 4, 4));
    axisRect()->insetLayout()->take(legend);
    legendRow_ = new QCPLayoutGrid;
    legendRow_->setColumnSpacing(0);
    legendRow_->addElement(0, 0, new QCPLayoutElement(this));
    legendRow_->addElement(0, 1, legend);
    legendRow_->addElement(0, 2, new QCPLayoutElement(this));
    legendRow_->setColumnStretchFactors({1.0, 0.0001, 1.0});
    legend->setVisible(true);
    legend->setBorderPen(QPen(QColor(150, 150, 150), 1));
    legend->setBrush(QBrush(Qt::white));
    legend->setMargins(QMargins(7, 4, 7, 4));
    legend->setColumnSpacing(18);
    legend->setRowSpacing(2);
    legend->setIconSize(22, 11);
    legend->setIconBorderPen(Qt::NoPen);
    legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    legendRow_->setMargins(QMargins(0, 0, 0, 6));
    // Added once so that both belong to the plot; BuildLayout arranges the rows.
    plotLayout()->addElement(1, 0, title_);
    plotLayout()->addElement(2, 0, legendRow_);

    plotLayout()->setAutoMargins(QCP::msNone);
    plotLayout()->setRowSpacing(0);

    layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmBuffered);
    zoomBand_ = new ZoomBand(this);
    connect(this, &QCustomPlot::beforeReplot, this, [this] {
        ++drawingsBegun_;
        AdoptPaintBuffers();
    });

    SetFontFamily(fontFamily_);
    BuildLayout();
}

ChartWidget::~ChartWidget()
{
    // Rows taken out of the layout are not deleted by it.
    if (!legendRow_->layout())
        delete legendRow_;
    if (!title_->layout())
        delete title_;
}

ChartAxis& ChartWidget::Axis(AxisSide side)
{
    switch (side) {
        case AxisSide::Bottom:
            return *bottom_;
        case AxisSide::Left:
            return *left_;
        case AxisSide::Right:
            return *right_;
    }
    return *bottom_;
}

ChartAxis* ChartWidget::AxisOf(const QCPAxis* axis)
{
    for (ChartAxis* a : {bottom_.get(), left_.get(), right_.get()}) {
        if (a->Raw() == axis)
            return a;
    }
    return nullptr;
}

// --- series ----------------------------------------------------------------------------------

SeriesPlottable* ChartWidget::PlottableOf(const Series& series) const
{
    for (SeriesPlottable* p : plottables_) {
        if (&p->series() == &series)
            return p;
    }
    return nullptr;
}

void ChartWidget::addSeries(Series& series)
{
    if (PlottableOf(series))
        return;
    QCPAxis* valueAxis = series.axis() == VerticalAxis::Right ? yAxis2 : yAxis;
    plottables_.push_back(new SeriesPlottable(xAxis, valueAxis, series));
    legendOrderDirty_ = true;
    Repaint();
}

void ChartWidget::removeSeries(Series& series)
{
    SeriesPlottable* p = PlottableOf(series);
    if (!p)
        return;
    plottables_.erase(std::find(plottables_.begin(), plottables_.end(), p));
    removePlottable(p);
    legendOrderDirty_ = true;
    Repaint();
}

bool ChartWidget::hasSeries(const Series& series) const
{
    return PlottableOf(series) != nullptr;
}

void ChartWidget::attachToAxis(Series& series, VerticalAxis axis)
{
    if (SeriesPlottable* p = PlottableOf(series)) {
        p->setValueAxis(axis == VerticalAxis::Right ? yAxis2 : yAxis);
        Repaint();
    }
}

int ChartWidget::plotAreaWidth() const
{
    const int width = axisRect()->width();
    // Before the first layout the plot area is unknown: take the widget less its label columns.
    return width > 0 ? width : std::max(1, this->width() - 80);
}

std::vector<Series*> ChartWidget::SeriesList() const
{
    std::vector<Series*> list;
    list.reserve(plottables_.size());
    for (SeriesPlottable* p : plottables_)
        list.push_back(&p->series());
    return list;
}

void ChartWidget::RemoveAllSeries()
{
    while (!plottables_.empty()) {
        SeriesPlottable* p = plottables_.back();
        plottables_.pop_back();
        removePlottable(p);
    }
    legendOrderDirty_ = true;
    Repaint();
}

// --- events --------------------------------------------------------------------------------

void ChartWidget::RaiseGetNextAxisLabel(ChartAxis& axis)
{
    if (onGetNextAxisLabel_)
        onGetNextAxisLabel_(*this, axis);
}

void ChartWidget::RaiseGetAxisLabel(ChartAxis& axis, double value, QString& text)
{
    if (onGetAxisLabel_)
        onGetAxisLabel_(*this, axis, value, text);
}

void ChartWidget::RaiseScroll()
{
    if (onScroll_)
        onScroll_(*this);
}

// --- zoom ------------------------------------------------------------------------------------

void ChartWidget::SetMinimumZoomSpan(AxisSide side, double span)
{
    minimumSpan_[SideIndex(side)] = span > 0 ? span : 0.0;
}

double ChartWidget::MinimumZoomSpan(AxisSide side) const
{
    return minimumSpan_[SideIndex(side)];
}

bool ChartWidget::ZoomToPixelRect(const QRect& pixelRect)
{
    const QRect rect = pixelRect.normalized();
    if (rect.width() < kMinimumDragPixels || rect.height() < kMinimumDragPixels)
        return false;
    ZoomRequest request;
    request.bottomMin = xAxis->pixelToCoord(rect.left());
    request.bottomMax = xAxis->pixelToCoord(rect.right());
    request.leftMin = yAxis->pixelToCoord(rect.bottom());
    request.leftMax = yAxis->pixelToCoord(rect.top());
    request.rightMin = yAxis2->pixelToCoord(rect.bottom());
    request.rightMax = yAxis2->pixelToCoord(rect.top());
    if (!zoomed_) {
        for (AxisSide side : {AxisSide::Bottom, AxisSide::Left, AxisSide::Right})
            savedRanges_[SideIndex(side)] = Axis(side).Raw()->range();
        zoomed_ = true;
    }
    const double wanted[3][2] = {{request.bottomMin, request.bottomMax},
                                 {request.leftMin, request.leftMax},
                                 {request.rightMin, request.rightMax}};
    for (AxisSide side : {AxisSide::Bottom, AxisSide::Left, AxisSide::Right}) {
        const int i = SideIndex(side);
        double lo = std::min(wanted[i][0], wanted[i][1]);
        double hi = std::max(wanted[i][0], wanted[i][1]);
        const double width = hi - lo;
        if (minimumSpan_[i] > 0 && width < minimumSpan_[i]) {
            lo += (width - minimumSpan_[i]) / 2;
            hi -= (width - minimumSpan_[i]) / 2;
        }
        Axis(side).SetMinMax(lo, hi);
    }
    if (onZoom_)
        onZoom_(*this, request);
    Repaint();
    return true;
}

void ChartWidget::UndoZoom()
{
    if (zoomed_) {
        for (AxisSide side : {AxisSide::Bottom, AxisSide::Left, AxisSide::Right})
            Axis(side).Raw()->setRange(savedRanges_[SideIndex(side)]);
        zoomed_ = false;
    }
    if (onUndoZoom_)
        onUndoZoom_(*this);
    Repaint();
}

void ChartWidget::mousePressEvent(QMouseEvent* event)
{
    if (zoomEnabled_ && event->button() == Qt::LeftButton &&
        axisRect()->rect().contains(event->pos())) {
        dragging_ = true;
        dragStart_ = dragEnd_ = event->pos();
    }
    QCustomPlot::mousePressEvent(event);
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_) {
        dragEnd_ = event->pos();
        zoomBand_->Show(QRect(dragStart_, dragEnd_).normalized());
        layer(QStringLiteral("overlay"))->replot();
    }
    QCustomPlot::mouseMoveEvent(event);
}

void ChartWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        dragEnd_ = event->pos();
        zoomBand_->Hide();
        layer(QStringLiteral("overlay"))->replot();
        const int dx = dragEnd_.x() - dragStart_.x();
        const int dy = dragEnd_.y() - dragStart_.y();
        if (dx <= -kMinimumDragPixels)
            UndoZoom();
        else if (dx >= kMinimumDragPixels && std::abs(dy) >= kMinimumDragPixels)
            ZoomToPixelRect(QRect(dragStart_, dragEnd_));
    }
    QCustomPlot::mouseReleaseEvent(event);
}

// --- title, legend, margins ---------------------------------------------------------------------

void ChartWidget::SetTitleLines(const QStringList& lines)
{
    titleLines_ = lines;
    title_->setText(lines.join(u'\n'));
    BuildLayout();
}

bool ChartWidget::TitleContains(const QPoint& pos) const
{
    return titleVisible_ && title_->layout() && !titleLines_.isEmpty() &&
           title_->outerRect().contains(pos);
}

bool ChartWidget::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (!titleToolTip_.isEmpty() && TitleContains(help->pos()))
            QToolTip::showText(help->globalPos(), titleToolTip_, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QCustomPlot::event(event);
}

void ChartWidget::SetTitleVisible(bool on)
{
    titleVisible_ = on;
    BuildLayout();
}

void ChartWidget::SetLegendVisible(bool on)
{
    legendVisible_ = on;
    BuildLayout();
}

void ChartWidget::SetMarginsPercent(int left, int top, int right, int bottom)
{
    marginsPercent_ =
        QMargins(std::max(0, left), std::max(0, top), std::max(0, right), std::max(0, bottom));
    layoutDirty_ = true;
}

void ChartWidget::SetFontFamily(const QString& family)
{
    fontFamily_ = family;
    for (ChartAxis* a : {bottom_.get(), left_.get(), right_.get()}) {
        a->Raw()->setTickLabelFont(PixelFont(family, 12));
        a->Raw()->setLabelFont(PixelFont(family, 12));
    }
    title_->setFont(PixelFont(family, 14, true));
    legend->setFont(PixelFont(family, 12));
    for (int i = 0; i < legend->itemCount(); ++i)
        legend->item(i)->setFont(legend->font());
    layoutDirty_ = true;
}

void ChartWidget::CopyLookFrom(const ChartWidget& other)
{
    if (&other == this)
        return;
    titleLines_ = other.titleLines_;
    title_->setText(titleLines_.join(u'\n'));
    titleVisible_ = other.titleVisible_;
    legendVisible_ = other.legendVisible_;
    marginsPercent_ = other.marginsPercent_;
    monthNames_ = other.monthNames_;
    SetFontFamily(other.fontFamily_);
    bottom_->CopyFrom(*other.bottom_);
    left_->CopyFrom(*other.left_);
    right_->CopyFrom(*other.right_);
    setBackground(other.mBackgroundBrush);
    BuildLayout();
}

QFont ChartWidget::LabelFont() const
{
    return bottom_->Raw()->tickLabelFont();
}

int ChartWidget::TextWidth(const QString& text) const
{
    const QFontMetrics metrics(left_->Raw()->tickLabelFont());
    return metrics.boundingRect(0, 0, 0, 0, Qt::TextDontClip | Qt::AlignHCenter, text).width();
}

void ChartWidget::BuildLayout()
{
    QCPLayoutGrid* grid = plotLayout();
    QCPAxisRect* rect = axisRect();
    for (QCPLayoutElement* e :
         {static_cast<QCPLayoutElement*>(title_), static_cast<QCPLayoutElement*>(legendRow_),
          static_cast<QCPLayoutElement*>(rect)}) {
        if (e->layout() == grid)
            grid->take(e);
    }
    grid->simplify();
    bool hasTitle = false;
    for (const QString& line : std::as_const(titleLines_))
        hasTitle = hasTitle || !line.isEmpty();
    int row = 0;
    QList<double> stretch;
    if (titleVisible_ && hasTitle) {
        grid->addElement(row++, 0, title_);
        stretch << 0.0001;
    }
    title_->setVisible(titleVisible_ && hasTitle);
    if (legendVisible_) {
        grid->addElement(row++, 0, legendRow_);
        stretch << 0.0001;
    }
    legendRow_->setVisible(legendVisible_);
    grid->addElement(row++, 0, rect);
    stretch << 1.0;
    grid->setRowStretchFactors(stretch);
    layoutDirty_ = true;
}

void ChartWidget::ApplyMargins()
{
    const QRect vp = viewport();
    plotLayout()->setMargins(QMargins(
        vp.width() * marginsPercent_.left() / 100, vp.height() * marginsPercent_.top() / 100,
        vp.width() * marginsPercent_.right() / 100, vp.height() * marginsPercent_.bottom() / 100));
}

void ChartWidget::ArrangeLegend()
{
    if (!legendVisible_ || legend->itemCount() == 0)
        return;
    int widest = 1;
    for (int i = 0; i < legend->itemCount(); ++i) {
        if (QCPAbstractLegendItem* item = legend->item(i))
            widest = std::max(widest, item->minimumOuterSizeHint().width());
    }
    const QMargins m = plotLayout()->margins();
    const int room = viewport().width() - m.left() - m.right() - legend->margins().left() -
                     legend->margins().right();
    const int columns =
        std::max(1, (room + legend->columnSpacing()) / (widest + legend->columnSpacing()));
    if (legend->wrap() != columns) {
        legend->setWrap(columns);
        legend->setFillOrder(QCPLayoutGrid::foColumnsFirst, true);
    }
}

void ChartWidget::ApplyAutomaticRanges()
{
    for (ChartAxis* axis : {bottom_.get(), left_.get(), right_.get()}) {
        if (!axis->Automatic())
            continue;
        bool found = false;
        QCPRange total;
        for (QCPAbstractPlottable* p : axis->Raw()->plottables()) {
            bool ok = false;
            const QCPRange r = axis->IsVertical() ? p->getValueRange(ok) : p->getKeyRange(ok);
            if (!ok)
                continue;
            if (!found)
                total = r;
            else
                total.expand(r);
            found = true;
        }
        if (found)
            axis->SetMinMax(total.lower, total.upper);
    }
}

void ChartWidget::SyncPlottables()
{
    // Series change their properties without telling the chart; take them over before laying
    // out, so that the legend and the axes see the current names and axes.
    for (SeriesPlottable* p : plottables_) {
        if (p->SyncStyle())
            legendOrderDirty_ = true;
        QCPAxis* wanted = p->series().axis() == VerticalAxis::Right ? yAxis2 : yAxis;
        if (p->valueAxis() != wanted)
            p->setValueAxis(wanted);
    }
    if (!legendOrderDirty_)
        return;
    legendOrderDirty_ = false;
    legend->clearItems();
    for (SeriesPlottable* p : plottables_) {
        if (p->series().showInLegend()) {
            p->addToLegend(legend);
            if (QCPPlottableLegendItem* item = legend->itemWithPlottable(p))
                item->setFont(legend->font());
        }
    }
    legend->setWrap(0);
    layoutDirty_ = true;
}

void ChartWidget::updateLayout()
{
    ApplyAutomaticRanges();
    SyncPlottables();
    ApplyMargins();
    ArrangeLegend();
    // Label placement needs the plot area's size, known only after a layout: when anything that
    // moves the plot area changed, lay out once without raising the label events first.
    if (layoutDirty_ || viewport().size() != lastLayoutViewport_) {
        silentPass_ = true;
        QCustomPlot::updateLayout();
        silentPass_ = false;
    }
    QCustomPlot::updateLayout();
    layoutDirty_ = false;
    lastLayoutViewport_ = viewport().size();
    if (onBeforeDrawSeries_)
        onBeforeDrawSeries_(*this);
}

// --- drawing ---------------------------------------------------------------------------------------

void ChartWidget::Repaint()
{
    if (held_) {
        askedWhileHeld_ = true;
        return;
    }
    drawingsBegunAtRequest_ = drawingsBegun_;
    if (repaintQueued_)
        return;
    repaintQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        repaintQueued_ = false;
        if (drawingsBegun_ == drawingsBegunAtRequest_)
            replot();
    });
}

// Every drawing sets up the buffers right after it announced itself, and draws all of them anew:
// buffers swapped in here are never shown before they were drawn.
void ChartWidget::AdoptPaintBuffers()
{
    const int needed = PaintBuffersNeeded(*this);
    while (mPaintBuffers.size() > needed)
        mPaintBuffers.removeLast();
    for (int i = 0; i < needed; ++i) {
        if (i < mPaintBuffers.size() &&
            dynamic_cast<ReusedPaintBuffer*>(mPaintBuffers.at(i).data()) != nullptr)
            continue;
        QSharedPointer<QCPAbstractPaintBuffer> buffer(
            new ReusedPaintBuffer(viewport().size(), bufferDevicePixelRatio()));
        if (i < mPaintBuffers.size())
            mPaintBuffers[i] = buffer;
        else
            mPaintBuffers.append(buffer);
    }
}

bool ChartWidget::IsScreenBuffer(const QPaintDevice* device) const
{
    if (!device)
        return false;
    // A buffer of the library's own (made before the chart took its buffers over) is a pixmap.
    if (device->devType() == QInternal::Pixmap)
        return true;
    for (const auto& buffer : mPaintBuffers) {
        const auto* reused = dynamic_cast<const ReusedPaintBuffer*>(buffer.data());
        if (reused && device == &reused->image())
            return true;
    }
    return false;
}

void ChartWidget::HoldDrawing(bool hold)
{
    held_ = hold;
    if (!held_ && askedWhileHeld_) {
        askedWhileHeld_ = false;
        Repaint();
    }
}

void ChartWidget::Render(QCPPainter& painter, const QRectF& target, QSize layoutSize)
{
    if (layoutSize.isEmpty())
        layoutSize = target.size().toSize();
    if (layoutSize.isEmpty() || target.isEmpty())
        return;
    const bool paged = dynamic_cast<QPagedPaintDevice*>(painter.device()) != nullptr;
    const QCPPainter::PainterModes modes = painter.modes();
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / layoutSize.width(), target.height() / layoutSize.height());
    if (paged)
        painter.setModes(modes | QCPPainter::pmVectorized | QCPPainter::pmNonCosmetic);
    toPainter(&painter, layoutSize.width(), layoutSize.height());
    painter.setModes(modes);
    painter.restore();
    // The layout now fits the output; the screen needs its own again.
    if (layoutSize != size())
        Repaint();
}

QImage ChartWidget::RenderToImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QCPPainter painter(&image);
    Render(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

} // namespace korvex
