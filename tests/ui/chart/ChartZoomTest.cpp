// Rectangle zoom with the left button, its minimum spans, undo by dragging up-left, and the
// zoom and undo events.
#include "ChartTestSupport.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace korvex::test {
namespace {

class ChartZoom : public ::testing::Test {
protected:
    void SetUp() override
    {
        PrepareChart(chart, 800, 400);
        chart.RightAxis().SetMinMax(0, 10);
        chart.SetOnZoom([this](ChartWidget&, const ZoomRequest& r) {
            ++zooms;
            request = r;
        });
        chart.SetOnUndoZoom([this](ChartWidget&) { ++undos; });
        chart.RenderToImage(chart.size()); // lays the chart out at its size
    }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button)
    {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, QPointF(at), chart.mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    }
    void Drag(QPoint from, QPoint to)
    {
        Send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        Send(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        Send(QEvent::MouseMove, to, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, to, Qt::LeftButton);
    }
    QPoint At(double time, double value) const
    {
        return QPoint(static_cast<int>(std::lround(chart.BottomAxis().PixelOf(time))),
                      static_cast<int>(std::lround(chart.LeftAxis().PixelOf(value))));
    }
    double PixelTime() const { return 1.0 / chart.axisRect()->width(); }

    ChartWidget chart;
    int zooms = 0, undos = 0;
    ZoomRequest request;
};

TEST_F(ChartZoom, DraggingToTheRightZoomsAllAxesIntoTheRectangle)
{
    Drag(At(kDay + 0.25, 80), At(kDay + 0.5, 40));
    ASSERT_TRUE(chart.IsZoomed());
    EXPECT_EQ(zooms, 1);
    EXPECT_NEAR(chart.BottomAxis().Minimum(), kDay + 0.25, 2 * PixelTime());
    EXPECT_NEAR(chart.BottomAxis().Maximum(), kDay + 0.5, 2 * PixelTime());
    EXPECT_NEAR(chart.LeftAxis().Minimum(), 40, 0.6);
    EXPECT_NEAR(chart.LeftAxis().Maximum(), 80, 0.6);
    EXPECT_NEAR(chart.RightAxis().Minimum(), 4, 0.06);
    EXPECT_NEAR(chart.RightAxis().Maximum(), 8, 0.06);
    EXPECT_DOUBLE_EQ(request.bottomMin, chart.BottomAxis().Minimum());
    EXPECT_DOUBLE_EQ(request.leftMax, chart.LeftAxis().Maximum());
}

TEST_F(ChartZoom, NarrowZoomsAreWidenedToTheMinimumSpansAroundTheirCentre)
{
    chart.SetMinimumZoomSpan(AxisSide::Bottom, kOneHour);
    chart.SetMinimumZoomSpan(AxisSide::Left, 0.01);
    chart.LeftAxis().SetMinMax(0, 0.1);
    chart.RenderToImage(chart.size());
    const QPoint a = At(kDay + 0.5, 0.06);
    const QPoint b(a.x() + 12, a.y() + 12); // about 20 minutes and 0.003
    ASSERT_TRUE(chart.ZoomToPixelRect(QRect(a, b)));
    // The event sees what was dragged; the axes hold the widened ranges.
    EXPECT_LT(request.bottomMax - request.bottomMin, kOneHour / 2);
    EXPECT_NEAR(chart.BottomAxis().Maximum() - chart.BottomAxis().Minimum(), kOneHour, 1e-9);
    EXPECT_NEAR(chart.BottomAxis().Minimum() + chart.BottomAxis().Maximum(),
                request.bottomMin + request.bottomMax, 1e-9);
    EXPECT_NEAR(chart.LeftAxis().Maximum() - chart.LeftAxis().Minimum(), 0.01, 1e-12);
    EXPECT_NEAR(chart.LeftAxis().Minimum() + chart.LeftAxis().Maximum(),
                request.leftMin + request.leftMax, 1e-12);
    // The right axis has no minimum of its own.
    EXPECT_NEAR(request.rightMax - request.rightMin,
                chart.RightAxis().Maximum() - chart.RightAxis().Minimum(), 1e-12);
}

TEST_F(ChartZoom, DraggingUpLeftUndoesToTheRangesBeforeTheFirstZoom)
{
    Drag(At(kDay + 0.2, 90), At(kDay + 0.6, 10));
    chart.RenderToImage(chart.size());
    Drag(At(kDay + 0.3, 60), At(kDay + 0.4, 30));
    EXPECT_EQ(zooms, 2);
    chart.RenderToImage(chart.size());
    Drag(At(kDay + 0.38, 35), At(kDay + 0.31, 55));
    EXPECT_FALSE(chart.IsZoomed());
    EXPECT_EQ(undos, 1);
    EXPECT_EQ(chart.BottomAxis().Minimum(), kDay);
    EXPECT_EQ(chart.BottomAxis().Maximum(), kDay + 1);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 100);
    EXPECT_EQ(chart.RightAxis().Maximum(), 10);
    // Undoing again leaves the ranges alone but still tells the window.
    chart.LeftAxis().SetMinMax(-5, 5);
    chart.UndoZoom();
    EXPECT_EQ(undos, 2);
    EXPECT_EQ(chart.LeftAxis().Minimum(), -5);
}

TEST_F(ChartZoom, ClicksTinyDragsAndADisabledZoomChangeNothing)
{
    Drag(At(kDay + 0.5, 50), At(kDay + 0.5, 50) + QPoint(3, 3));
    Drag(At(kDay + 0.5, 50), At(kDay + 0.5, 50) + QPoint(40, 2)); // flat: no rectangle
    chart.SetZoomEnabled(false);
    Drag(At(kDay + 0.2, 80), At(kDay + 0.6, 20));
    Drag(At(kDay + 0.6, 20), At(kDay + 0.2, 80));
    EXPECT_EQ(zooms, 0);
    EXPECT_EQ(undos, 0);
    EXPECT_EQ(chart.BottomAxis().Minimum(), kDay);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 100);
    // The right button is left to the window (vertical panning).
    chart.SetZoomEnabled(true);
    Send(QEvent::MouseButtonPress, At(kDay + 0.2, 80), Qt::RightButton);
    Send(QEvent::MouseButtonRelease, At(kDay + 0.6, 20), Qt::RightButton);
    EXPECT_EQ(zooms, 0);
}

} // namespace
} // namespace korvex::test
