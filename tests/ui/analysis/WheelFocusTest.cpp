// The wheel over the span list and the time slider: it acts only while the control has the
// keyboard focus, so that scrolling past them never changes the span or the day.

#include "tests/ui/analysis/ChildNavigationTestSupport.h"

#include <QWheelEvent>

namespace korvex::test {
namespace {

const QDate kMar1(2010, 3, 1), kMar2(2010, 3, 2), kMar5(2010, 3, 5), kMar20(2010, 3, 20),
    kMar31(2010, 3, 31);

class WheelFocus : public NavigationWindow {
protected:
    void SetUp() override
    {
        Load({{10, kMar1}, {10, kMar2}, {10, kMar5}, {10, kMar20}}, kMar1, kMar31);
        window->activateWindow();
        ASSERT_TRUE(WaitUntil([this] { return QApplication::activeWindow() == window; }));
        W().chart->setFocus();
        ASSERT_TRUE(W().chart->hasFocus());
    }

    // One notch (120) away from the user is positive, towards the user negative.
    static void Wheel(QWidget* target, int delta)
    {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }
};

TEST_F(WheelFocus, WithoutFocusTheWheelChangesNeitherSpanNorDay)
{
    for (int delta : {-120, 120, -240}) {
        Wheel(W().spanTime, delta);
        Wheel(W().sliderTime, delta);
    }
    EXPECT_EQ(W().spanTime->currentIndex(), SpanOneDay);
    EXPECT_EQ(SliderPos(), 0);
    EXPECT_NEAR(Start(), DayOf(kMar1), 1e-9);
    EXPECT_NEAR(End(), DayOf(kMar1) + 1, 1e-9);
    EXPECT_TRUE(W().chart->hasFocus());

    // A wheel from the system would first hand the focus to a control that takes it by the
    // wheel; these two never do.
    for (QWidget* control :
         {static_cast<QWidget*>(W().spanTime), static_cast<QWidget*>(W().sliderTime)})
        EXPECT_NE(control->focusPolicy() & Qt::WheelFocus, Qt::WheelFocus);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(WheelFocus, FocusedSliderStepsOneDayWithDataPerNotch)
{
    W().sliderTime->setFocus();
    ASSERT_TRUE(W().sliderTime->hasFocus());
    Wheel(W().sliderTime, 120);
    EXPECT_EQ(SliderPos(), 1);
    EXPECT_NEAR(Start(), DayOf(kMar2), 1e-9);
    Wheel(W().sliderTime, 120);
    EXPECT_EQ(SliderPos(), 2);
    EXPECT_NEAR(Start(), DayOf(kMar5), 1e-9); // 3 and 4 March have no data
    EXPECT_EQ(Title(), QStringLiteral("05. Mar 2010"));
    Wheel(W().sliderTime, -120);
    EXPECT_NEAR(Start(), DayOf(kMar2), 1e-9);

    // Focus elsewhere: the slider is left alone again.
    W().chart->setFocus();
    Wheel(W().sliderTime, 120);
    EXPECT_EQ(SliderPos(), 1);
    EXPECT_NEAR(Start(), DayOf(kMar2), 1e-9);
}

TEST_F(WheelFocus, FocusedSpanListChangesTheSpanAsAPickWould)
{
    W().sliderTime->setValue(3); // 20 March
    W().spanTime->setFocus();
    ASSERT_TRUE(W().spanTime->hasFocus());

    Wheel(W().spanTime, -120); // the next item: one month
    EXPECT_EQ(W().spanTime->currentIndex(), SpanOneMonth);
    EXPECT_NEAR(Start(), DayOf(kMar1), 1e-9);
    EXPECT_NEAR(End(), DayOf(QDate(2010, 4, 1)), 1e-9);
    EXPECT_EQ(W().chart->BottomAxis().DateTimeFormat(), QStringLiteral(" dd. mmm "));

    Wheel(W().spanTime, 120); // back to one day, on the day the month starts with
    EXPECT_EQ(W().spanTime->currentIndex(), SpanOneDay);
    EXPECT_NEAR(Start(), DayOf(kMar1), 1e-9);
    EXPECT_NEAR(End(), DayOf(kMar1) + 1, 1e-9);
    EXPECT_EQ(W().chart->BottomAxis().DateTimeFormat(), QStringLiteral("hh:mm"));
    EXPECT_EQ(SliderPos(), 0);
    EXPECT_TRUE(Errors().empty());
}

} // namespace
} // namespace korvex::test
