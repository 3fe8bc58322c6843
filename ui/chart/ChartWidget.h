#pragma once

// The chart of an analysis window: a DayTime bottom axis, a left and a right value axis, the
// plottables that draw core series, title lines and a legend above the plot (shown for output),
// rectangle zoom with undo, label and drawing events, and drawing onto any painter.
//
// Events are single handlers (std::function); a handler can be swapped out and back in, which
// is how a drag detaches the scroll event for its duration.

#include "core/logdata/ChartHost.h"
#include "core/services/DayTime.h"
#include "ui/chart/ChartAxis.h"

#include <qcustomplot.h>

#include <QImage>
#include <QLocale>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace korvex {

// The ranges a zoom gesture asked for, before the chart's minimum spans widened them.
struct ZoomRequest {
    double bottomMin = 0, bottomMax = 0;
    double leftMin = 0, leftMax = 0;
    double rightMin = 0, rightMax = 0;
};

class ZoomBand;
class SeriesPlottable;

// The month names a chart starts with for a desktop locale: the shared table of its language,
// or the locale's own names for a language the program does not speak.
MonthNames LocaleMonthNames(const QLocale& locale);

class ChartWidget : public QCustomPlot, public ChartHost {
    Q_OBJECT
public:
    explicit ChartWidget(QWidget* parent = nullptr);
    ~ChartWidget() override;

    // --- series (ChartHost) ----------------------------------------------------------------
    // The chart draws the series it holds from their own points and drawing properties; it
    // never owns them. A series must be removed before it is destroyed.
    void addSeries(Series& series) override;
    void removeSeries(Series& series) override;
    bool hasSeries(const Series& series) const override;
    void attachToAxis(Series& series, VerticalAxis axis) override;
    void requestRepaint() override { Repaint(); }
    int plotAreaWidth() const override;
    // The series in the order they were added (drawing order, legend order).
    std::vector<Series*> SeriesList() const;
    int SeriesCount() const { return static_cast<int>(plottables_.size()); }
    void RemoveAllSeries();
    SeriesPlottable* PlottableOf(const Series& series) const;

    ChartAxis& BottomAxis() { return *bottom_; }
    ChartAxis& LeftAxis() { return *left_; }
    ChartAxis& RightAxis() { return *right_; }
    const ChartAxis& BottomAxis() const { return *bottom_; }
    const ChartAxis& LeftAxis() const { return *left_; }
    const ChartAxis& RightAxis() const { return *right_; }
    ChartAxis& Axis(AxisSide side);
    ChartAxis* AxisOf(const QCPAxis* axis);

    // --- events ---------------------------------------------------------------------------
    using ChartEvent = std::function<void(ChartWidget&)>;
    using AxisEvent = std::function<void(ChartWidget&, ChartAxis&)>;
    using AxisLabelEvent =
        std::function<void(ChartWidget&, ChartAxis&, double value, QString& text)>;
    using ZoomEvent = std::function<void(ChartWidget&, const ZoomRequest&)>;

    // Once per axis and drawing pass, before its labels are made.
    void SetOnGetNextAxisLabel(AxisEvent handler) { onGetNextAxisLabel_ = std::move(handler); }
    const AxisEvent& OnGetNextAxisLabel() const { return onGetNextAxisLabel_; }
    // Once per label of a pass; the handler may change the text (an empty text draws nothing).
    void SetOnGetAxisLabel(AxisLabelEvent handler) { onGetAxisLabel_ = std::move(handler); }
    const AxisLabelEvent& OnGetAxisLabel() const { return onGetAxisLabel_; }
    // After the axes and their labels are laid out, before any series is drawn.
    void SetOnBeforeDrawSeries(ChartEvent handler) { onBeforeDrawSeries_ = std::move(handler); }
    const ChartEvent& OnBeforeDrawSeries() const { return onBeforeDrawSeries_; }
    // After a zoom gesture has set the axes; the request holds the dragged ranges.
    void SetOnZoom(ZoomEvent handler) { onZoom_ = std::move(handler); }
    const ZoomEvent& OnZoom() const { return onZoom_; }
    // After UndoZoom (also when nothing was zoomed).
    void SetOnUndoZoom(ChartEvent handler) { onUndoZoom_ = std::move(handler); }
    const ChartEvent& OnUndoZoom() const { return onUndoZoom_; }
    // After ChartAxis::ScrollBy.
    void SetOnScroll(ChartEvent handler) { onScroll_ = std::move(handler); }
    const ChartEvent& OnScroll() const { return onScroll_; }

    // --- zoom ---------------------------------------------------------------------------
    // The left button drags a rectangle: to the right it zooms all three axes into it, to the
    // left (up-left) it undoes the zoom.
    void SetZoomEnabled(bool on) { zoomEnabled_ = on; }
    bool ZoomEnabled() const { return zoomEnabled_; }
    // A zoom narrower than span is widened to span around its centre (0 = no minimum).
    void SetMinimumZoomSpan(AxisSide side, double span);
    double MinimumZoomSpan(AxisSide side) const;
    // What the gesture does with a rectangle in widget pixels; false when it is too small.
    bool ZoomToPixelRect(const QRect& rect);
    // Restores the ranges in force before the first zoom, then raises the undo event.
    void UndoZoom();
    bool IsZoomed() const { return zoomed_; }
    static constexpr int kMinimumDragPixels = 6;

    // --- title, legend, margins -------------------------------------------------------------
    void SetTitleLines(const QStringList& lines);
    QStringList TitleLines() const { return titleLines_; }
    // A drawing was asked for and has not happened yet.
    bool ReplotQueued() const
    {
        return mReplotQueued || askedWhileHeld_ ||
               (repaintQueued_ && drawingsBegun_ == drawingsBegunAtRequest_);
    }
    void SetTitleVisible(bool on);
    bool TitleVisible() const { return titleVisible_; }
    // Shown while the pointer rests on the title; empty for none.
    void SetTitleToolTip(const QString& text) { titleToolTip_ = text; }
    QString TitleToolTip() const { return titleToolTip_; }
    // True when pos (widget coordinates) lies on the shown title.
    bool TitleContains(const QPoint& pos) const;
    void SetLegendVisible(bool on);
    bool LegendVisible() const { return legendVisible_; }
    // Outer margins in percent of the chart's width (left, right) and height (top, bottom).
    void SetMarginsPercent(int left, int top, int right, int bottom);
    QMargins MarginsPercent() const { return marginsPercent_; }
    // The font family of labels, titles and legend ("Arial" by default).
    void SetFontFamily(const QString& family);

    // Title lines and their visibility, legend visibility, margins, font, month names and every
    // axis setting and range of other; not its series, events or zoom state. A temporary chart
    // for output starts from this.
    void CopyLookFrom(const ChartWidget& other);

    // Month names for "mmm"/"mmmm" labels; the system locale's by default.
    void SetMonthNames(const MonthNames& names)
    {
        monthNames_ = names;
        layoutDirty_ = true;
    }
    const MonthNames& Months() const { return monthNames_; }

    // --- drawing ------------------------------------------------------------------------------
    // Repaint soon (several requests make one drawing pass). A drawing that begins before the
    // request's turn comes (a resize draws at once) answers it: it is not drawn again.
    void Repaint();
    // While held (a load fills the window) requests are only noted; the release asks for one
    // drawing if any came. A resize still draws.
    void HoldDrawing(bool hold);
    // Lays the chart out at layoutSize (the target's size when empty) and draws it scaled into
    // target. Works for the screen, images, PDF and printers alike.
    void Render(QCPPainter& painter, const QRectF& target, QSize layoutSize = QSize());
    QImage RenderToImage(QSize size);
    // Width of a text in the axis label font.
    int TextWidth(const QString& text) const;
    QFont LabelFont() const;

    // Bookkeeping of the label events: the axis ticker raises them through these.
    bool LabelEventsSuppressed() const { return silentPass_; }
    void RaiseGetNextAxisLabel(ChartAxis& axis);
    void RaiseGetAxisLabel(ChartAxis& axis, double value, QString& text);
    void RaiseScroll();
    void MarkLayoutDirty() { layoutDirty_ = true; }
    const QList<QSharedPointer<QCPAbstractPaintBuffer>>& PaintBuffers() const
    {
        return mPaintBuffers;
    }
    // Whether a painter draws for the screen (into one of the chart's buffers), not a picture.
    bool IsScreenBuffer(const QPaintDevice* device) const;

protected:
    bool event(QEvent* event) override;
    void updateLayout() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void BuildLayout();
    void ApplyMargins();
    void ApplyAutomaticRanges();
    void ArrangeLegend();
    void SyncPlottables();
    void AdoptPaintBuffers();

    std::unique_ptr<ChartAxis> bottom_, left_, right_;
    std::vector<SeriesPlottable*> plottables_;
    bool legendOrderDirty_ = false;

    AxisEvent onGetNextAxisLabel_;
    AxisLabelEvent onGetAxisLabel_;
    ChartEvent onBeforeDrawSeries_;
    ZoomEvent onZoom_;
    ChartEvent onUndoZoom_;
    ChartEvent onScroll_;

    bool zoomEnabled_ = true;
    bool zoomed_ = false;
    double minimumSpan_[3] = {0, 0, 0};
    QCPRange savedRanges_[3];
    bool dragging_ = false;
    QPoint dragStart_, dragEnd_;
    ZoomBand* zoomBand_ = nullptr;

    QStringList titleLines_;
    QString titleToolTip_;
    bool titleVisible_ = true;
    bool legendVisible_ = false;
    QMargins marginsPercent_{1, 1, 1, 1};
    QString fontFamily_ = QStringLiteral("Arial");
    QCPTextElement* title_ = nullptr;
    QCPLayoutGrid* legendRow_ = nullptr;
    MonthNames monthNames_;

    bool silentPass_ = false;
    bool layoutDirty_ = true;
    bool repaintQueued_ = false;
    bool held_ = false;
    bool askedWhileHeld_ = false;
    std::uint64_t drawingsBegun_ = 0;
    std::uint64_t drawingsBegunAtRequest_ = 0;
    QSize lastLayoutViewport_;
};

} // namespace korvex
