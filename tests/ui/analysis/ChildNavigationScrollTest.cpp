// The scroll buttons: auto-repeat while a mouse button holds them, one step per space key
// press, slider steps in the long spans.

#include "tests/ui/analysis/ChildNavigationTestSupport.h"

namespace korvex::test {
namespace {

const QDate kMar1(2010, 3, 1), kMar2(2010, 3, 2), kMar20(2010, 3, 20), kMar31(2010, 3, 31);

class NavigationScroll : public NavigationWindow {
protected:
    void SetUp() override { Load({{10, kMar1}, {10, kMar2}, {10, kMar20}}, kMar1, kMar31); }

    // One auto-repeat step of a three-hour window: 2.5 % of it.
    static constexpr double kThreeHourStep = 0.025 * 0.125;
};

TEST_F(NavigationScroll, HeldButtonRepeatsStepsUntilReleased)
{
    Span(SpanThreeHours);
    ASSERT_NEAR(Start(), DayOf(kMar1), 1e-9);

    Press(W().buttonScrollRight);
    EXPECT_TRUE(W().scrollTimer->isActive());
    EXPECT_EQ(W().scrollTimer->interval(), 25);
    EXPECT_EQ(Nav().ScrollTag(), 1);
    // The first step comes with the first tick, not with the press.
    EXPECT_NEAR(Start(), DayOf(kMar1), 1e-9);

    Nav().ScrollTimerTick();
    Nav().ScrollTimerTick();
    EXPECT_NEAR(Start(), DayOf(kMar1) + 2 * kThreeHourStep, 1e-9);
    EXPECT_NEAR(End(), DayOf(kMar1) + 0.125 + 2 * kThreeHourStep, 1e-9);
    EXPECT_NEAR(Start2(), Start(), 1e-12);
    EXPECT_TRUE(W().scrollTimer->isActive());

    // The real timer keeps stepping while the button is held.
    const DayTime held = Start();
    EXPECT_TRUE(WaitUntil([&] { return Start() > held + 2.5 * kThreeHourStep; }));
    Release(W().buttonScrollRight);
    EXPECT_FALSE(W().scrollTimer->isActive());
    const DayTime released = Start();
    WaitUntil([] { return false; }, 100);
    EXPECT_EQ(Start(), released);
    // Every step is exactly 2.5 % of the width, the width never changes.
    const double steps = (released - DayOf(kMar1)) / kThreeHourStep;
    EXPECT_NEAR(steps, std::round(steps), 1e-6);
    EXPECT_NEAR(End() - Start(), 0.125, 1e-9);
    EXPECT_EQ(SliderPos(), static_cast<int>((released - DayOf(kMar1)) * 24 + 1e-6));
}

TEST_F(NavigationScroll, AnyMouseButtonScrollsAndScrollingLeavesTheRange)
{
    W().sliderTime->setValue(2); // 20 March, the last day with data
    Span(SpanOneHour);
    Nav().SetWindow(DayOf(kMar31) + 1, At(kMar31, 23));

    Press(W().buttonScrollRight, Qt::RightButton);
    EXPECT_TRUE(W().scrollTimer->isActive());
    for (int i = 0; i < 80; ++i)
        Nav().ScrollTimerTick();
    Release(W().buttonScrollRight, Qt::RightButton);
    EXPECT_FALSE(W().scrollTimer->isActive());
    // Two hours beyond the end of the range: an empty stretch, titled by its dates.
    EXPECT_NEAR(Start(), At(kMar31, 25), 1e-9);
    EXPECT_GT(Start(), Nav().Range().end);
    EXPECT_EQ(Title(), QStringLiteral("01. Apr 2010"));

    Press(W().buttonScrollLeft, Qt::MiddleButton);
    EXPECT_EQ(Nav().ScrollTag(), 0);
    Nav().ScrollTimerTick();
    Release(W().buttonScrollLeft, Qt::MiddleButton);
    EXPECT_NEAR(Start(), At(kMar31, 25) - 0.025 / 24, 1e-9);
}

TEST_F(NavigationScroll, SpaceKeyStepsOncePerPressIncludingKeyRepeat)
{
    Span(SpanThreeHours);
    W().sliderTime->setValue(12);
    ASSERT_NEAR(Start(), At(kMar1, 12), 1e-9);

    // A running auto-repeat stops at the first key step.
    Press(W().buttonScrollLeft);
    ASSERT_TRUE(W().scrollTimer->isActive());
    Key(W().buttonScrollLeft, QEvent::KeyPress, Qt::Key_Space);
    EXPECT_FALSE(W().scrollTimer->isActive());
    EXPECT_NEAR(Start(), At(kMar1, 12) - kThreeHourStep, 1e-9);
    Release(W().buttonScrollLeft);

    Key(W().buttonScrollLeft, QEvent::KeyPress, Qt::Key_Space);
    Key(W().buttonScrollLeft, QEvent::KeyPress, Qt::Key_Space, true);
    Key(W().buttonScrollLeft, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_NEAR(Start(), At(kMar1, 12) - 3 * kThreeHourStep, 1e-9);
    // Other keys do not scroll.
    Key(W().buttonScrollRight, QEvent::KeyPress, Qt::Key_Right);
    Key(W().buttonScrollRight, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_NEAR(Start(), At(kMar1, 12) - 3 * kThreeHourStep, 1e-9);
    Key(W().buttonScrollRight, QEvent::KeyPress, Qt::Key_Space);
    EXPECT_NEAR(Start(), At(kMar1, 12) - 2 * kThreeHourStep, 1e-9);
    Key(W().buttonScrollRight, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(SliderPos(), 11);
}

TEST_F(NavigationScroll, LongSpansStepTheSliderInsteadOfRepeating)
{
    const DayTime apr1 = EncodeDate(2010, 4, 1);
    Span(SpanOneMonth);
    ASSERT_NEAR(Start(), DayOf(kMar1), 1e-9);

    Press(W().buttonScrollRight);
    EXPECT_FALSE(W().scrollTimer->isActive());
    Key(W().buttonScrollRight, QEvent::KeyPress, Qt::Key_Space);
    Nav().ScrollStep(+1);
    EXPECT_NEAR(Start(), DayOf(kMar1), 1e-9);
    Release(W().buttonScrollRight);
    // The click (release over the button) steps the slider, which has nowhere to go in a
    // one-month range.
    EXPECT_NEAR(Start(), DayOf(kMar1), 1e-9);
    EXPECT_NEAR(End(), apr1, 1e-9);
    EXPECT_FALSE(W().scrollTimer->isActive());
}

} // namespace
} // namespace korvex::test
