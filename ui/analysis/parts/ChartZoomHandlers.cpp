#include "ui/analysis/parts/ChartZoomHandlers.h"

#include "ui/analysis/widgets/ChildWidgets.h"
#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

namespace korvex {

namespace {
// SpanTime items from "1 month" on are the long spans.
constexpr int kFirstLongSpan = 4;
} // namespace

ZoomLabelStyle LongSpanZoomStyle(double width)
{
    if (width >= 7)
        return {" dd. mmm ", 1.0};
    return {" dd. mmm hh:mm ", width >= 1 ? 1.0 / 24.0 : 0.0};
}

void WidenToMinimum(double& minimum, double& maximum, double span)
{
    const double width = maximum - minimum;
    if (width < span) {
        minimum += (width - span) / 2;
        maximum -= (width - span) / 2;
    }
}

ChartZoomHandlers::ChartZoomHandlers(const ChildWidgets& widgets,
                                     std::function<void()> updateAxisTitles)
    : w_(widgets), updateAxisTitles_(std::move(updateAxisTitles))
{
    ChartWidget& chart = *w_.chart;
    chart.SetOnZoom([this](ChartWidget&, const ZoomRequest&) { ChartZoom(); });
    chart.SetOnUndoZoom([this](ChartWidget&) { ChartUndoZoom(); });
    chart.SetOnScroll([this](ChartWidget&) { ChartScroll(); });
    connect(&chart, &QCustomPlot::mousePress, this, &ChartZoomHandlers::ChartMouseDown);
    connect(&chart, &QCustomPlot::mouseMove, this, &ChartZoomHandlers::ChartMouseMove);
    connect(&chart, &QCustomPlot::mouseRelease, this, &ChartZoomHandlers::ChartMouseUp);
    qApp->installEventFilter(this);
}

ChartZoomHandlers::~ChartZoomHandlers()
{
    w_.chart->SetOnZoom(nullptr);
    w_.chart->SetOnUndoZoom(nullptr);
    w_.chart->SetOnScroll(nullptr);
}

void ChartZoomHandlers::FollowTimeAxis()
{
    w_.chart2->UndoZoom();
    w_.chart2->BottomAxis().CopyFrom(w_.chart->BottomAxis());
    w_.chart2->Repaint();
}

void ChartZoomHandlers::ChartZoom()
{
    ChartWidget& chart = *w_.chart;
    ChartAxis& bottom = chart.BottomAxis();
    if (!zoomSaved_) {
        savedExactDate_ = bottom.ExactDate();
        savedBottomFormat_ = bottom.DateTimeFormat();
        savedIncrement_ = bottom.Increment();
        zoomSaved_ = true;
    }

    double minimum = bottom.Minimum();
    double maximum = bottom.Maximum();
    const double width = maximum - minimum;
    WidenToMinimum(minimum, maximum, kMinimumZoomDays);
    bottom.SetMinMax(minimum, maximum);

    for (ChartAxis* axis : {&chart.LeftAxis(), &chart.RightAxis()}) {
        const double v = axis->Maximum() - axis->Minimum();
        if (v < kMinimumZoomValues) {
            const double centre = axis->Minimum() + v / 2;
            axis->SetMinMax(centre - kMinimumZoomValues / 2, centre + kMinimumZoomValues / 2);
        }
    }

    bottom.SetExactDate(false);
    if (w_.spanTime->currentIndex() >= kFirstLongSpan) {
        const ZoomLabelStyle style = LongSpanZoomStyle(width);
        bottom.SetIncrement(style.increment);
        bottom.SetDateTimeFormat(QString::fromLatin1(style.format));
    }
    chart.Repaint();
    FollowTimeAxis();
}

void ChartZoomHandlers::ChartUndoZoom()
{
    ChartAxis& bottom = w_.chart->BottomAxis();
    if (zoomSaved_) {
        bottom.SetDateTimeFormat(savedBottomFormat_);
        bottom.SetExactDate(savedExactDate_);
        bottom.SetIncrement(savedIncrement_);
        zoomSaved_ = false;
    }
    FollowTimeAxis();
    if (updateAxisTitles_)
        updateAxisTitles_();
}

void ChartZoomHandlers::ChartScroll()
{
    FollowTimeAxis();
}

void ChartZoomHandlers::ChartMouseDown(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton)
        return;
    ChartWidget& chart = *w_.chart;
    // Panning scrolls the value axes only; the lower chart need not follow.
    chart.SetOnScroll(nullptr);
    const double y = event->position().y();
    dragStart_ = chart.LeftAxis().ValueAtPixel(y);
    dragEnd_ = chart.RightAxis().ValueAtPixel(y);
    dragging_ = true;
}

void ChartZoomHandlers::ChartMouseMove(QMouseEvent* event)
{
    if (!dragging_)
        return;
    ChartWidget& chart = *w_.chart;
    const double y = event->position().y();
    const double a = chart.LeftAxis().ValueAtPixel(y);
    const double b = chart.RightAxis().ValueAtPixel(y);
    chart.LeftAxis().ScrollBy(dragStart_ - a);
    chart.RightAxis().ScrollBy(dragEnd_ - b);
}

void ChartZoomHandlers::ChartMouseUp(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton || !dragging_)
        return;
    // Qt holds the mouse for the pressed widget until the release, wherever it happens.
    dragging_ = false;
    w_.chart->SetOnScroll([this](ChartWidget&) { ChartScroll(); });
}

bool ChartZoomHandlers::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    // Seen before any widget under the pointer takes it: over a graph list (a scroll box on
    // the lists' panel) the list scrolls by the wheel's own distance, whatever has the focus.
    for (auto* w = static_cast<QWidget*>(watched); w; w = w->parentWidget()) {
        auto* list = qobject_cast<QScrollArea*>(w);
        if (!list || list->parentWidget() != w_.panelGraphPanels)
            continue;
        auto* wheel = static_cast<QWheelEvent*>(event);
        QScrollBar* bar = list->verticalScrollBar();
        bar->setValue(bar->value() - wheel->angleDelta().y());
        wheel->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvex
