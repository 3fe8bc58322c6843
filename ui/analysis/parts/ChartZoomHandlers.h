#pragma once

// What the analysis window does around the upper chart's mouse zoom: minimum spans, the label
// style of a zoomed long span and its restoration on undo, the lower chart following the time
// axis, vertical panning with the right mouse button, and the mouse wheel over the graph lists.

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QMouseEvent;
class QScrollArea;

namespace korvex {

class ChartWidget;
struct ChildWidgets;
struct ZoomRequest;

// Narrowest zoom of the time axis (one hour) and of the value axes.
constexpr double kMinimumZoomDays = 1.0 / 24.0;
constexpr double kMinimumZoomValues = 0.01;

// The label style of a zoomed long span, chosen by the dragged width in days: format and
// increment (0 = automatic).
struct ZoomLabelStyle {
    const char* format;
    double increment;
};
ZoomLabelStyle LongSpanZoomStyle(double width);

// [minimum, maximum] widened symmetrically to span when narrower.
void WidenToMinimum(double& minimum, double& maximum, double span);

class ChartZoomHandlers : public QObject {
    Q_OBJECT
public:
    // updateAxisTitles: the graph part's UpdateAxisTitles (run after an undo).
    ChartZoomHandlers(const ChildWidgets& widgets, std::function<void()> updateAxisTitles);
    ~ChartZoomHandlers() override;

    // The chart events: after a zoom gesture set the axes, after an undo restored them, after
    // the chart scrolled.
    void ChartZoom();
    void ChartUndoZoom();
    void ChartScroll();
    // Right-button panning of both value axes of the upper chart.
    void ChartMouseDown(QMouseEvent* event);
    void ChartMouseMove(QMouseEvent* event);
    void ChartMouseUp(QMouseEvent* event);

    // The time axis's label style from before the zoom is kept until the undo.
    bool ZoomSaved() const { return zoomSaved_; }
    // The right button is down on the upper chart.
    bool Dragging() const { return dragging_; }

protected:
    // Wheel turns over a graph list scroll it by the wheel's distance.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The lower chart shows exactly the upper chart's time axis.
    void FollowTimeAxis();

    const ChildWidgets& w_;
    std::function<void()> updateAxisTitles_;

    // Kept while the chart is zoomed.
    bool zoomSaved_ = false;
    bool savedExactDate_ = false;
    QString savedBottomFormat_;
    double savedIncrement_ = 0;

    // Value-axis panning: the values under the pointer where the drag began.
    bool dragging_ = false;
    double dragStart_ = 0;
    double dragEnd_ = 0;
};

} // namespace korvex
