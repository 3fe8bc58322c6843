#pragma once

// Reading values off the two charts of an analysis window: a cursor line across both charts at
// the pointer's time, a box near the pointer with every shown graph's value at that time, and
// two markers set by clicks on the upper chart. Everything is drawn on the chart's buffered
// overlay layer above the curves (with the zoom band), so that moving the pointer replots that
// layer only, never the curves; nothing of it goes into pictures or prints.

#include "core/views/Readout.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <optional>
#include <vector>

class QCPLayer;

namespace korvex {

class ChartWidget;
class ReadoutLayerable;

class ChartReadout : public QObject {
    Q_OBJECT
public:
    // The shown graphs in chart order (upper chart first), and the span item in force.
    using GraphSource = std::function<std::vector<ReadoutGraph>()>;
    using SpanSource = std::function<int()>;

    ChartReadout(ChartWidget& upper, ChartWidget& lower, GraphSource graphs, SpanSource span,
                 QObject* parent = nullptr);
    ~ChartReadout() override;

    // The cursor line and the box; markers are drawn either way.
    void SetEnabled(bool on);
    bool Enabled() const { return enabled_; }

    // A click sets A, the next B, the next A again, and so on.
    void SetMarker(DayTime t);
    void ClearMarkers();
    const Markers& CurrentMarkers() const { return markers_; }

    // The pointer's time while it is over a plot area.
    std::optional<DayTime> CursorTime() const { return cursor_; }
    // The box's lines as last built (empty while no box is shown).
    const std::vector<ReadoutLine>& Lines() const { return lines_; }
    // The box's rectangle in the chart it is drawn on (empty while none is shown).
    QRect BoxRect() const;
    ChartWidget* BoxChart() const { return boxChart_; }

    // Called when the pointer moves over a chart (widget pixels) and when it leaves it.
    void PointerMoved(ChartWidget& chart, QPoint pos);
    void PointerLeft();
    // Redraws the overlay after the charts' windows or graphs changed.
    void Refresh();

signals:
    void MarkersChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Install(ChartWidget& chart, QPointer<ReadoutLayerable>& layerable);
    // After a chart was drawn anew: the time under the resting pointer, and its values.
    void FollowChart(ChartWidget& chart);
    void Rebuild();
    void Replot();

    ChartWidget& upper_;
    ChartWidget& lower_;
    // The charts may go first when the window closes; then there is nothing left to detach.
    QPointer<ChartWidget> upperAlive_;
    QPointer<ChartWidget> lowerAlive_;
    GraphSource graphs_;
    SpanSource span_;
    QPointer<ReadoutLayerable> upperLayer_;
    QPointer<ReadoutLayerable> lowerLayer_;
    bool enabled_ = true;
    std::optional<DayTime> cursor_;
    ChartWidget* boxChart_ = nullptr;
    QPoint pointer_;
    std::vector<ReadoutLine> lines_;
    Markers markers_;
    bool nextIsB_ = false;
    std::optional<QPoint> pressAt_;

    friend class ReadoutLayerable;
};

} // namespace korvex
