// Zooming combined with the navigation: every span change, slider move, jump and scroll that
// follows a zoom leaves the right window and labels on both charts, and so does the way back.
// Re-picking the selected span item places the window again.

#include "tests/ui/analysis/ChildNavigationTestSupport.h"

#include "ui/analysis/parts/ChartZoomHandlers.h"

#include <QAbstractItemView>

#include <cmath>

namespace korvex::test {
namespace {

const QDate kMar1(2010, 3, 1), kMar2(2010, 3, 2), kMar5(2010, 3, 5), kMar20(2010, 3, 20),
    kApr1(2010, 4, 1), kApr7(2010, 4, 7), kApr30(2010, 4, 30), kMay1(2010, 5, 1);

// Device 10 on 1, 2, 5 and 20 March and 7 April 2010; period March and April.
class ZoomNavigation : public NavigationWindow {
protected:
    void SetUp() override
    {
        Load({{10, kMar1}, {10, kMar2}, {10, kMar5}, {10, kMar20}, {10, kApr7}}, kMar1, kApr30);
        ASSERT_TRUE(G().ShowField(Set(0), Field("T1")));
        Draw();
    }

    ChartWidget& C() { return *W().chart; }
    ChartWidget& C2() { return *W().chart2; }

    void Draw()
    {
        for (int pass = 0; pass < 3; ++pass) {
            C().replot(QCustomPlot::rpImmediateRefresh);
            C2().replot(QCustomPlot::rpImmediateRefresh);
            W().repaintTimer->stop();
        }
    }

    // The user drags the zoom rectangle over [from, to] (time) and 0..40 (values).
    void ZoomTo(DayTime from, DayTime to)
    {
        Draw();
        const auto x = [this](double t) {
            return static_cast<int>(std::lround(C().BottomAxis().PixelOf(t)));
        };
        const auto y = [this](double v) {
            return static_cast<int>(std::lround(C().LeftAxis().PixelOf(v)));
        };
        ASSERT_TRUE(C().ZoomToPixelRect(QRect(QPoint(x(from), y(40)), QPoint(x(to), y(0)))));
        ASSERT_TRUE(G().Zoom().ZoomSaved());
        Draw();
    }

    // Window, labels and the lower chart after a navigation step; zoom undone.
    void ExpectPlaced(DayTime start, DayTime end, const char* format, double increment)
    {
        EXPECT_NEAR(Start(), start, 1e-9);
        EXPECT_NEAR(End(), end, 1e-9);
        EXPECT_EQ(C().BottomAxis().DateTimeFormat(), QString::fromLatin1(format));
        EXPECT_EQ(C().BottomAxis().Increment(), increment);
        EXPECT_FALSE(G().Zoom().ZoomSaved());
        EXPECT_FALSE(C().IsZoomed());
        ExpectLowerChartFollows();
    }

    void ExpectLowerChartFollows()
    {
        EXPECT_EQ(Start2(), Start());
        EXPECT_EQ(End2(), End());
        EXPECT_EQ(C2().BottomAxis().DateTimeFormat(), C().BottomAxis().DateTimeFormat());
        EXPECT_EQ(C2().BottomAxis().Increment(), C().BottomAxis().Increment());
    }

    // The user opens the span list and picks an item with the keyboard.
    void Pick(int item)
    {
        QComboBox& list = *W().spanTime;
        Press(&list);
        ASSERT_TRUE(WaitUntil([&list] { return list.view()->isVisible(); }));
        QAbstractItemView* view = list.view();
        view->setCurrentIndex(view->model()->index(item, 0));
        Key(view, QEvent::KeyPress, Qt::Key_Return);
        QApplication::processEvents();
        ASSERT_FALSE(view->isVisible());
    }

    // The space key held on a scroll button: one step per key press.
    void SpaceOn(QWidget* button, int times)
    {
        for (int i = 0; i < times; ++i)
            Key(button, QEvent::KeyPress, Qt::Key_Space, i > 0);
        Key(button, QEvent::KeyRelease, Qt::Key_Space);
    }
};

TEST_F(ZoomNavigation, SpanChangesAfterAZoomAndBack)
{
    Span(SpanOneMonth);
    ExpectPlaced(DayOf(kMar1), DayOf(kApr1), " dd. mmm ", 0);
    ZoomTo(DayOf(kMar1) + 9, DayOf(kMar1) + 19);
    EXPECT_EQ(C().BottomAxis().DateTimeFormat(), QStringLiteral(" dd. mmm "));
    EXPECT_EQ(C().BottomAxis().Increment(), 1.0);

    // The zoom is undone first: the day is the first of the month shown, not of the zoom.
    Span(SpanOneDay);
    ExpectPlaced(DayOf(kMar1), DayOf(kMar2), "hh:mm", 0);
    EXPECT_EQ(SliderPos(), 0);
    EXPECT_EQ(Title(), QStringLiteral("01. Mar 2010"));

    ZoomTo(At(kMar1, 6), At(kMar1, 6, 20));
    EXPECT_NEAR(End() - Start(), 1.0 / 24, 1e-9);
    Span(SpanEightHours);
    ExpectPlaced(DayOf(kMar1), At(kMar1, 8), "hh:mm", 0);
    EXPECT_EQ(SliderPos(), 0);

    ZoomTo(At(kMar1, 2), At(kMar1, 5));
    Span(SpanOneQuarter);
    ExpectPlaced(DayOf(QDate(2010, 1, 1)), DayOf(kApr1), " dd. mmm ", 7);
    EXPECT_TRUE(Title().startsWith(QStringLiteral("Jan 2010 - Mar 2010  -  ")));

    ZoomTo(DayOf(kMar5), DayOf(kMar5) + 3);
    EXPECT_EQ(C().BottomAxis().DateTimeFormat(), QStringLiteral(" dd. mmm hh:mm "));
    // January, the quarter's first month, lies before the months with data: March is shown.
    Span(SpanOneMonth);
    ExpectPlaced(DayOf(kMar1), DayOf(kApr1), " dd. mmm ", 0);
    EXPECT_EQ(SliderPos(), 0);
}

TEST_F(ZoomNavigation, SliderMovesAfterAZoomAndBack)
{
    Span(SpanOneMonth);
    ASSERT_EQ(SliderMax(), 1);
    ZoomTo(DayOf(kMar1) + 11, DayOf(kMar1) + 14);
    EXPECT_EQ(C().BottomAxis().Increment(), 1.0 / 24);

    W().sliderTime->setValue(1);
    ExpectPlaced(DayOf(kApr1), DayOf(kMay1), " dd. mmm ", 0);
    EXPECT_TRUE(Title().startsWith(QStringLiteral("Apr 2010  -  ")));

    ZoomTo(At(kApr7, 6), At(kApr7, 18));
    EXPECT_EQ(C().BottomAxis().Increment(), 0.0);
    W().sliderTime->setValue(0);
    ExpectPlaced(DayOf(kMar1), DayOf(kApr1), " dd. mmm ", 0);
    EXPECT_TRUE(Title().startsWith(QStringLiteral("Mar 2010  -  ")));

    // One day: the slider goes from day with data to day with data, zoomed or not.
    Span(SpanOneDay);
    ZoomTo(At(kMar1, 8), At(kMar1, 10));
    W().sliderTime->setValue(3);
    ExpectPlaced(DayOf(kMar20), DayOf(kMar20) + 1, "hh:mm", 0);
    ZoomTo(At(kMar20, 12), At(kMar20, 13));
    W().sliderTime->setValue(0);
    ExpectPlaced(DayOf(kMar1), DayOf(kMar2), "hh:mm", 0);
}

TEST_F(ZoomNavigation, JumpsAfterAZoomAndBack)
{
    // One day: a jump moves the slider, which undoes the zoom.
    ZoomTo(At(kMar1, 8), At(kMar1, 9));
    W().buttonJumpRight->click();
    ExpectPlaced(DayOf(kMar2), DayOf(kMar2) + 1, "hh:mm", 0);
    EXPECT_EQ(SliderPos(), 1);
    ZoomTo(At(kMar2, 20), At(kMar2, 23));
    W().buttonJumpLeft->click();
    ExpectPlaced(DayOf(kMar1), DayOf(kMar2), "hh:mm", 0);

    // Three hours: the window jumps by a day from where it was before the zoom.
    Span(SpanThreeHours);
    ExpectPlaced(DayOf(kMar1), At(kMar1, 3), "hh:mm", 0);
    ZoomTo(At(kMar1, 1), At(kMar1, 1, 30));
    W().buttonJumpRight->click();
    ExpectPlaced(DayOf(kMar2), At(kMar2, 3), "hh:mm", 0);
    EXPECT_EQ(SliderPos(), 0);
    EXPECT_EQ(Title(), QStringLiteral("02. Mar 2010"));
    ZoomTo(At(kMar2, 0, 30), At(kMar2, 2));
    W().buttonJumpLeft->click();
    ExpectPlaced(DayOf(kMar1), At(kMar1, 3), "hh:mm", 0);

    // Long spans: to the last and back to the first month.
    Span(SpanOneMonth);
    ZoomTo(DayOf(kMar1) + 2, DayOf(kMar1) + 12);
    W().buttonJumpRight->click();
    ExpectPlaced(DayOf(kApr1), DayOf(kMay1), " dd. mmm ", 0);
    ZoomTo(DayOf(kApr1) + 2, DayOf(kApr1) + 4);
    W().buttonJumpLeft->click();
    ExpectPlaced(DayOf(kMar1), DayOf(kApr1), " dd. mmm ", 0);
}

TEST_F(ZoomNavigation, ScrollingAZoomedWindowAndBack)
{
    // Short spans: the zoomed window moves by 2.5 % of its own width and stays zoomed.
    ZoomTo(At(kMar1, 10), At(kMar1, 12));
    const DayTime from = Start(), to = End();
    SpaceOn(W().buttonScrollRight, 4);
    const double step = 0.025 * (to - from);
    EXPECT_NEAR(Start(), from + 4 * step, 1e-9);
    EXPECT_NEAR(End(), to + 4 * step, 1e-9);
    EXPECT_TRUE(G().Zoom().ZoomSaved());
    EXPECT_EQ(C().BottomAxis().DateTimeFormat(), QStringLiteral("hh:mm"));
    ExpectLowerChartFollows();
    SpaceOn(W().buttonScrollLeft, 2);
    EXPECT_NEAR(Start(), from + 2 * step, 1e-9);
    ExpectLowerChartFollows();

    // Undoing the zoom goes back to the window from before it.
    C().UndoZoom();
    ExpectPlaced(DayOf(kMar1), DayOf(kMar2), "hh:mm", 0);

    // Long spans: a scroll button moves the slider, which undoes the zoom.
    Span(SpanOneMonth);
    ZoomTo(DayOf(kMar1) + 9, DayOf(kMar1) + 19);
    W().buttonScrollRight->click();
    ExpectPlaced(DayOf(kApr1), DayOf(kMay1), " dd. mmm ", 0);
    ZoomTo(DayOf(kApr1) + 9, DayOf(kApr1) + 10);
    W().buttonScrollLeft->click();
    ExpectPlaced(DayOf(kMar1), DayOf(kApr1), " dd. mmm ", 0);
    EXPECT_TRUE(Title().startsWith(QStringLiteral("Mar 2010  -  ")));
}

TEST_F(ZoomNavigation, RePickingTheSelectedSpanPlacesTheWindowAgain)
{
    W().sliderTime->setValue(1);
    SpaceOn(W().buttonScrollRight, 4); // 2 March 02:24 to 3 March 02:24
    ASSERT_NEAR(Start(), DayOf(kMar2) + 0.1, 1e-9);
    ASSERT_EQ(Title(), QStringLiteral("02. Mar 2010 - 03. Mar 2010"));

    Pick(SpanOneDay);
    EXPECT_EQ(W().spanTime->currentIndex(), SpanOneDay);
    ExpectPlaced(DayOf(kMar2), DayOf(kMar2) + 1, "hh:mm", 0);
    EXPECT_EQ(SliderPos(), 1);
    EXPECT_EQ(Title(), QStringLiteral("02. Mar 2010"));

    // After a zoom the pick undoes it.
    ZoomTo(At(kMar2, 9), At(kMar2, 11));
    Pick(SpanOneDay);
    ExpectPlaced(DayOf(kMar2), DayOf(kMar2) + 1, "hh:mm", 0);

    // Three hours scrolled across 22:30: the pick pulls the window back before midnight.
    Pick(SpanThreeHours);
    ExpectPlaced(DayOf(kMar2), At(kMar2, 3), "hh:mm", 0);
    Nav().SetWindow(At(kMar2, 22, 30) + 0.125, At(kMar2, 22, 30));
    Pick(SpanThreeHours);
    ExpectPlaced(At(kMar2, 21), DayOf(kMar2) + 1, "hh:mm", 0);
    EXPECT_EQ(SliderPos(), 21);

    // The same pick with nothing moved changes nothing.
    Pick(SpanThreeHours);
    ExpectPlaced(At(kMar2, 21), DayOf(kMar2) + 1, "hh:mm", 0);
    EXPECT_TRUE(Errors().empty());
}

// Days with data 1 and 5 March: 3 March lies exactly between them.
class DayTie : public NavigationWindow {
protected:
    void SetUp() override
    {
        Load({{10, QDate(2010, 3, 1)}, {10, QDate(2010, 3, 5)}}, QDate(2010, 3, 1),
             QDate(2010, 3, 31));
    }

    // Steps of 2.5 % of the one-day window with the space key on a scroll button.
    void Steps(QWidget* button, int count)
    {
        for (int i = 0; i < count; ++i)
            Key(button, QEvent::KeyPress, Qt::Key_Space, i > 0);
        Key(button, QEvent::KeyRelease, Qt::Key_Space);
    }
};

TEST_F(DayTie, ScrolledOntoTheMiddleDayTheSliderShowsTheLaterDay)
{
    const DayTime mar1 = DayOf(QDate(2010, 3, 1));
    // 2 March: the nearer day is 1 March.
    Steps(W().buttonScrollRight, 40);
    ASSERT_NEAR(Start(), mar1 + 1, 1e-9);
    EXPECT_EQ(SliderPos(), 0);
    // 3 March: two days from either, the tie goes to 5 March, up to its last step.
    Steps(W().buttonScrollRight, 40);
    ASSERT_NEAR(Start(), mar1 + 2, 1e-9);
    EXPECT_EQ(SliderPos(), 1);
    Steps(W().buttonScrollRight, 39);
    ASSERT_NEAR(Start(), mar1 + 2.975, 1e-9);
    EXPECT_EQ(SliderPos(), 1);
    // Back to 2 March 23:24: the earlier day is nearer again.
    Steps(W().buttonScrollLeft, 40);
    ASSERT_NEAR(Start(), mar1 + 1.975, 1e-9);
    EXPECT_EQ(SliderPos(), 0);
}

} // namespace
} // namespace korvex::test
