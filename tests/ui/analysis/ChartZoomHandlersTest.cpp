// Zoom with its minimum spans and label styles, undo, the lower chart following, panning with
// the right mouse button and the wheel over the graph list.

#include "tests/ui/analysis/ChildGraphsTestSupport.h"

#include "ui/analysis/parts/ChartZoomHandlers.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

#include <cmath>

namespace korvex::test {
namespace {

class Zoom : public GraphWindow {
protected:
    void SetUp() override
    {
        Load({10}, QDate(2010, 5, 1), QDate(2010, 5, 31));
        day = EncodeDate(2010, 5, 3);
        G().ShowField(Set(0), Field("T1"));
        G().ShowField(Set(0), Field("V"));
        Window().SetWindow(day + 1, day);
        Draw();
    }

    ChartWidget& C() { return *W().chart; }
    ChartWidget& C2() { return *W().chart2; }

    // Zooms the upper chart into [from, to] of time and [low, high] of the left axis.
    void ZoomTo(double from, double to, double low, double high)
    {
        const QPoint a(static_cast<int>(std::lround(C().BottomAxis().PixelOf(from))),
                       static_cast<int>(std::lround(C().LeftAxis().PixelOf(high))));
        const QPoint b(static_cast<int>(std::lround(C().BottomAxis().PixelOf(to))),
                       static_cast<int>(std::lround(C().LeftAxis().PixelOf(low))));
        ASSERT_TRUE(C().ZoomToPixelRect(QRect(a, b)));
        Draw();
    }

    // As the month span shows it after a span change.
    void MonthSpan()
    {
        {
            const QSignalBlocker block(W().spanTime);
            W().spanTime->setCurrentIndex(4);
        }
        for (ChartWidget* c : {&C(), &C2()}) {
            c->BottomAxis().SetDateTimeFormat(QStringLiteral(" dd. mmm "));
            c->BottomAxis().SetIncrement(0);
        }
        Window().SetWindow(EncodeDate(2010, 6, 1), EncodeDate(2010, 5, 1));
        Draw();
    }

    void ExpectLowerChartFollows()
    {
        EXPECT_EQ(C2().BottomAxis().Minimum(), C().BottomAxis().Minimum());
        EXPECT_EQ(C2().BottomAxis().Maximum(), C().BottomAxis().Maximum());
        EXPECT_EQ(C2().BottomAxis().DateTimeFormat(), C().BottomAxis().DateTimeFormat());
        EXPECT_EQ(C2().BottomAxis().Increment(), C().BottomAxis().Increment());
        EXPECT_EQ(C2().BottomAxis().ExactDate(), C().BottomAxis().ExactDate());
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, QWidget* target = nullptr)
    {
        QWidget* to = target ? target : &C();
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
        QApplication::sendEvent(to, &event);
    }

    DayTime day = 0;
};

TEST_F(Zoom, StylesAndMinimumsOfAZoom)
{
    EXPECT_STREQ(LongSpanZoomStyle(10).format, " dd. mmm ");
    EXPECT_EQ(LongSpanZoomStyle(7).increment, 1.0);
    EXPECT_STREQ(LongSpanZoomStyle(3).format, " dd. mmm hh:mm ");
    EXPECT_EQ(LongSpanZoomStyle(1).increment, 1.0 / 24);
    EXPECT_EQ(LongSpanZoomStyle(0.5).increment, 0.0);

    double lo = 10, hi = 10.004;
    WidenToMinimum(lo, hi, 0.01);
    EXPECT_NEAR(lo, 9.997, 1e-12);
    EXPECT_NEAR(hi, 10.007, 1e-12);
    lo = 1, hi = 2;
    WidenToMinimum(lo, hi, 0.01);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 2);
}

TEST_F(Zoom, TwentyMinutesBecomeOneHourAroundTheirCentre)
{
    const double from = day + 0.5, to = from + 20.0 / 1440;
    ZoomTo(from, to, 20, 40);
    const ChartAxis& bottom = C().BottomAxis();
    EXPECT_NEAR(bottom.Maximum() - bottom.Minimum(), 1.0 / 24, 1e-9);
    EXPECT_NEAR((bottom.Maximum() + bottom.Minimum()) / 2, (from + to) / 2, 2.0 / 1440);
    EXPECT_FALSE(bottom.ExactDate());
    EXPECT_EQ(bottom.DateTimeFormat(), QStringLiteral("hh:mm")); // short span
    EXPECT_TRUE(G().Zoom().ZoomSaved());
    ExpectLowerChartFollows();
}

TEST_F(Zoom, NarrowValueRangesWidenToOneHundredth)
{
    C().LeftAxis().SetMinMax(20, 20.1);
    C().RightAxis().SetMinMax(0, 0.1);
    Draw();
    const QPoint a(static_cast<int>(C().BottomAxis().PixelOf(day + 0.25)),
                   static_cast<int>(C().LeftAxis().PixelOf(20.05)));
    ASSERT_TRUE(C().ZoomToPixelRect(QRect(a, a + QPoint(100, 8))));
    const double centre = (C().LeftAxis().Minimum() + C().LeftAxis().Maximum()) / 2;
    EXPECT_NEAR(C().LeftAxis().Maximum() - C().LeftAxis().Minimum(), 0.01, 1e-12);
    EXPECT_NEAR(centre, 20.05, 0.005);
    EXPECT_NEAR(C().RightAxis().Maximum() - C().RightAxis().Minimum(), 0.01, 1e-12);
    // Wide enough ranges stay as dragged.
    EXPECT_GT(C().BottomAxis().Maximum() - C().BottomAxis().Minimum(), 1.0 / 24);
}

TEST_F(Zoom, LongSpansChooseLabelsByTheZoomedWidthAndUndoRestoresThem)
{
    MonthSpan();
    const double increment = C().BottomAxis().Increment();
    const bool exact = C().BottomAxis().ExactDate();

    ZoomTo(EncodeDate(2010, 5, 10), EncodeDate(2010, 5, 20), 20, 40);
    EXPECT_EQ(C().BottomAxis().DateTimeFormat(), QStringLiteral(" dd. mmm "));
    EXPECT_EQ(C().BottomAxis().Increment(), 1.0);
    ExpectLowerChartFollows();

    ZoomTo(EncodeDate(2010, 5, 12), EncodeDate(2010, 5, 15), 20, 40);
    EXPECT_EQ(C().BottomAxis().DateTimeFormat(), QStringLiteral(" dd. mmm hh:mm "));
    EXPECT_EQ(C().BottomAxis().Increment(), 1.0 / 24);
    ExpectLowerChartFollows();

    ZoomTo(EncodeDate(2010, 5, 13), EncodeDate(2010, 5, 13) + 0.5, 20, 40);
    EXPECT_EQ(C().BottomAxis().DateTimeFormat(), QStringLiteral(" dd. mmm hh:mm "));
    EXPECT_EQ(C().BottomAxis().Increment(), 0.0);
    // The time labels show day and hour.
    ASSERT_FALSE(C().BottomAxis().LabelTexts().isEmpty());
    EXPECT_TRUE(C().BottomAxis().LabelTexts().front().contains(u':'));

    // Undo brings back the month and the labels saved at the first zoom.
    C().UndoZoom();
    Draw();
    EXPECT_FALSE(G().Zoom().ZoomSaved());
    EXPECT_EQ(C().BottomAxis().DateTimeFormat(), QStringLiteral(" dd. mmm "));
    EXPECT_EQ(C().BottomAxis().Increment(), increment);
    EXPECT_EQ(C().BottomAxis().ExactDate(), exact);
    EXPECT_EQ(C().BottomAxis().Minimum(), EncodeDate(2010, 5, 1));
    EXPECT_EQ(C().BottomAxis().Maximum(), EncodeDate(2010, 6, 1));
    ExpectLowerChartFollows();
}

TEST_F(Zoom, UndoRefreshesTheAxisTitles)
{
    ZoomTo(day + 0.25, day + 0.5, 20, 40);
    // Hidden behind the window's back: only the undo's refresh can bring the title in step.
    Set(0).hide(Field("T1"));
    EXPECT_EQ(C().LeftAxis().Title(), QStringLiteral("[°C]"));
    C().UndoZoom();
    EXPECT_EQ(C().LeftAxis().Title(), QStringLiteral("[l/min]"));
    EXPECT_EQ(C().BottomAxis().Minimum(), day);
    ExpectLowerChartFollows();
}

TEST_F(Zoom, ScrollingTheUpperChartMovesTheLowerOne)
{
    C().BottomAxis().ScrollBy(0.25);
    EXPECT_EQ(C().BottomAxis().Minimum(), day + 0.25);
    ExpectLowerChartFollows();
}

TEST_F(Zoom, RightButtonDragPansBothValueAxes)
{
    ChartAxis& left = C().LeftAxis();
    ChartAxis& right = C().RightAxis();
    const double time = C().BottomAxis().Minimum();
    const QPoint press(C().axisRect()->center());
    const double underLeft = left.ValueAtPixel(press.y());
    const double underRight = right.ValueAtPixel(press.y());

    Mouse(QEvent::MouseButtonPress, press, Qt::RightButton);
    EXPECT_TRUE(G().Zoom().Dragging());
    EXPECT_FALSE(C().OnScroll());
    const QPoint moved = press - QPoint(30, 60); // upward
    Mouse(QEvent::MouseMove, moved, Qt::RightButton);
    EXPECT_NEAR(left.ValueAtPixel(moved.y()), underLeft, 1e-9);
    EXPECT_NEAR(right.ValueAtPixel(moved.y()), underRight, 1e-9);
    EXPECT_GT(left.Minimum(), 0); // the curves moved up with the pointer
    EXPECT_EQ(C().BottomAxis().Minimum(), time);

    // Another button's release does not end the drag; the right one does, wherever it happens.
    Mouse(QEvent::MouseButtonRelease, moved, Qt::LeftButton);
    EXPECT_TRUE(G().Zoom().Dragging());
    Mouse(QEvent::MouseButtonRelease, QPoint(-40, -40), Qt::RightButton);
    EXPECT_FALSE(G().Zoom().Dragging());
    ASSERT_TRUE(C().OnScroll());
    const double lowered = left.Minimum();
    Mouse(QEvent::MouseMove, press, Qt::NoButton);
    EXPECT_EQ(left.Minimum(), lowered);
    C().BottomAxis().ScrollBy(0.1);
    ExpectLowerChartFollows();
}

TEST_F(Zoom, WheelOverTheGraphListScrollsIt)
{
    // Enough rows to need scrolling.
    std::vector<LogColumn> columns;
    for (int i = 1; i <= 50; ++i)
        columns.push_back({"T" + QByteArray::number(i) +
                               "[\xB0"
                               "C]",
                           [i](int) { return 20.0 + i; }});
    Load({10}, QDate(2010, 5, 3), QDate(2010, 5, 3), columns);
    QScrollArea* list = List();
    QScrollBar* bar = list->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 150);
    W().chart->setFocus();

    auto wheel = [](QWidget* target, int delta) {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    };
    TGraphPanel* row = Row("T3");
    wheel(row->ShowBox(), -120); // towards the user: down the list
    EXPECT_EQ(bar->value(), 120);
    wheel(row->NameLabel(), 60);
    EXPECT_EQ(bar->value(), 60);
    Row("T4")->setEnabled(false);
    wheel(Row("T4")->ShowBox(), -30);
    EXPECT_EQ(bar->value(), 90);

    // Elsewhere the list stays where it is.
    wheel(W().chart, -120);
    EXPECT_EQ(bar->value(), 90);
}

} // namespace
} // namespace korvex::test
