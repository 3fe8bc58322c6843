#include "core/views/Navigation.h"

#include "core/services/Errors.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvex {
namespace {

DayTime D(int y, int m, int d)
{
    return EncodeDate(y, m, d);
}
DayTime H(int h, int min = 0)
{
    return EncodeTime(h, min);
}
int Day(int y, int m, int d)
{
    return static_cast<int>(D(y, m, d));
}

NavigationState Period(DayTime from, DayTime to, int item)
{
    NavigationState s;
    s.periodStart = from;
    s.periodEnd = to;
    s.spanItem = item;
    s.range = ComputeNavigationRange(SpanModeOf(item), from, to);
    return s;
}

TEST(NavigationRange, WidensThePeriodPerMode)
{
    const DayTime from = D(2010, 3, 15), to = D(2010, 5, 14);
    EXPECT_EQ(ComputeNavigationRange(ModeShort, from, to), (NavigationRange{from, D(2010, 5, 15)}));
    EXPECT_EQ(ComputeNavigationRange(ModeMonth, from, to),
              (NavigationRange{D(2010, 3, 1), D(2010, 6, 1)}));
    EXPECT_EQ(ComputeNavigationRange(ModeQuarter, from, to),
              (NavigationRange{D(2010, 1, 1), D(2010, 7, 1)}));
    EXPECT_EQ(ComputeNavigationRange(ModeYear, from, to),
              (NavigationRange{D(2010, 1, 1), D(2011, 1, 1)}));
    EXPECT_EQ(SliderMaximum(Period(from, to, SpanOneQuarter)), 1);
    EXPECT_EQ(SliderMaximum(Period(from, to, SpanOneMonth)), 2);
    EXPECT_EQ(SliderMaximum(Period(from, to, SpanOneYear)), 0);
}

TEST(NavigationRange, PeriodsEndingOnBoundaries)
{
    // The day after the period is a first of month/quarter/year: no extra month.
    EXPECT_EQ(ComputeNavigationRange(ModeMonth, D(2010, 5, 1), D(2010, 5, 31)).end, D(2010, 6, 1));
    EXPECT_EQ(ComputeNavigationRange(ModeQuarter, D(2010, 4, 2), D(2010, 6, 30)).end,
              D(2010, 7, 1));
    EXPECT_EQ(ComputeNavigationRange(ModeYear, D(2009, 6, 1), D(2010, 12, 31)),
              (NavigationRange{D(2009, 1, 1), D(2011, 1, 1)}));
    // Wrapping into the next year.
    EXPECT_EQ(ComputeNavigationRange(ModeMonth, D(2010, 12, 3), D(2010, 12, 30)).end,
              D(2011, 1, 1));
    EXPECT_EQ(ComputeNavigationRange(ModeQuarter, D(2010, 11, 3), D(2010, 11, 15)),
              (NavigationRange{D(2010, 10, 1), D(2011, 1, 1)}));
    // Quarter over a year boundary: Oct-Dec and Jan-Mar.
    const auto s = Period(D(2009, 11, 1), D(2010, 2, 10), SpanOneQuarter);
    EXPECT_EQ(s.range, (NavigationRange{D(2009, 10, 1), D(2010, 4, 1)}));
    EXPECT_EQ(SliderMaximum(s), 1);
}

TEST(ApplySpan, HourSpansNeverStraddleMidnight)
{
    auto s = Period(D(2010, 3, 15), D(2010, 5, 14), SpanEightHours);
    s.window = {D(2010, 4, 3) + H(22, 30), D(2010, 4, 4) + H(1, 30)}; // "3 hours" at 22:30
    const SpanPlacement p = ApplySpan(s);
    EXPECT_DOUBLE_EQ(p.window.start, D(2010, 4, 3) + H(16));
    EXPECT_DOUBLE_EQ(p.window.end, D(2010, 4, 4));
    EXPECT_STREQ(p.axisFormat, "hh:mm");
    EXPECT_EQ(p.axisIncrement, 0);

    // A start that is midnight up to binary rounding stays on its own day.
    s.window.start = D(2010, 4, 4) - 1e-11;
    EXPECT_NEAR(ApplySpan(s).window.start, D(2010, 4, 4), 1e-9);

    s.spanItem = SpanOneDay;
    s.window.start = D(2010, 4, 3) + H(22, 30);
    EXPECT_EQ(ApplySpan(s).window, (TimeWindow{D(2010, 4, 3), D(2010, 4, 4)}));

    s.spanItem = SpanNone;
    try {
        ApplySpan(s);
        FAIL();
    } catch (const KorvexError& e) {
        EXPECT_STREQ(e.what(), "Invalid state");
    }
}

TEST(ApplySpan, ClampsToTheRange)
{
    // Ending after the range: pulled back to end at its end.
    auto s = Period(D(2010, 3, 15), D(2010, 5, 14), SpanEightHours);
    s.window.start = D(2010, 5, 14) + H(20);
    EXPECT_EQ(ApplySpan(s).window, (TimeWindow{D(2010, 5, 14) + H(16), D(2010, 5, 15)}));

    // A January window in a February range: the lower bound wins, the width stays 31 days.
    s = Period(D(2010, 2, 1), D(2010, 2, 28), SpanOneMonth);
    s.window.start = D(2010, 1, 20);
    const SpanPlacement p = ApplySpan(s);
    EXPECT_EQ(p.range, (NavigationRange{D(2010, 2, 1), D(2010, 3, 1)}));
    EXPECT_EQ(p.window, (TimeWindow{D(2010, 2, 1), D(2010, 3, 4)}));
    EXPECT_STREQ(p.axisFormat, " dd. mmm ");

    s = Period(D(2010, 3, 15), D(2010, 5, 14), SpanOneQuarter);
    s.window.start = D(2010, 5, 3) + H(7);
    const SpanPlacement q = ApplySpan(s);
    EXPECT_EQ(q.window, (TimeWindow{D(2010, 4, 1), D(2010, 7, 1)}));
    EXPECT_EQ(q.axisIncrement, 7);

    s.spanItem = SpanOneYear;
    EXPECT_EQ(ApplySpan(s).window, (TimeWindow{D(2010, 1, 1), D(2011, 1, 1)}));
}

class DayListNavigation : public ::testing::Test {
protected:
    // Days with data: 1, 2, 5 and 10 March 2010.
    std::vector<int> days{Day(2010, 3, 1), Day(2010, 3, 2), Day(2010, 3, 5), Day(2010, 3, 10)};
    NavigationState state = InitialNavigation(D(2010, 3, 1), D(2010, 3, 10), days);
};

TEST_F(DayListNavigation, InitialStateShowsTheFirstDay)
{
    EXPECT_EQ(state.spanItem, SpanOneDay);
    EXPECT_EQ(state.window, (TimeWindow{D(2010, 3, 1), D(2010, 3, 2)}));
    EXPECT_EQ(state.range, (NavigationRange{D(2010, 3, 1), D(2010, 3, 11)}));
    EXPECT_EQ(state.slider, (SliderState{0, 3, 0}));
    EXPECT_EQ(InitialChartTitle(state.range.start), "01. March 2010");
}

TEST_F(DayListNavigation, NearestDayPrefersTheLaterDayOnATie)
{
    EXPECT_EQ(NearestDayIndex(days, D(2010, 2, 1)), 0);
    EXPECT_EQ(NearestDayIndex(days, D(2010, 3, 3) + H(23)), 1); // 3rd: 1 day after, 2 before
    EXPECT_EQ(NearestDayIndex(days, D(2010, 3, 7)), 2);
    EXPECT_EQ(NearestDayIndex(days, D(2010, 3, 8) - 1e-11), 3); // tie on the 7th/8th boundary
    EXPECT_EQ(NearestDayIndex(days, D(2010, 4, 1)), 3);
    EXPECT_EQ(NearestDayIndex({}, D(2010, 4, 1)), -1);
}

TEST(NearestDay, RealTieGoesToTheLaterDay)
{
    const std::vector<int> days{Day(2010, 3, 5), Day(2010, 3, 7)};
    EXPECT_EQ(NearestDayIndex(days, D(2010, 3, 6)), 1);
    EXPECT_EQ(NearestDayIndex(days, D(2010, 3, 6) + H(23)), 1);
    EXPECT_EQ(NearestDayIndex(days, D(2010, 3, 5) + H(23)), 0);
}

TEST_F(DayListNavigation, JumpsSkipDaysWithoutData)
{
    state.slider.position = 1;
    state.window = {D(2010, 3, 2), D(2010, 3, 3)};
    JumpResult r = ButtonJumpClick(state, +1);
    EXPECT_EQ(r.kind, JumpResult::SliderMoved);
    EXPECT_EQ(r.sliderPosition, 2);
    EXPECT_EQ(r.window, (TimeWindow{D(2010, 3, 5), D(2010, 3, 6)}));

    state.slider.position = 3;
    EXPECT_EQ(ButtonJumpClick(state, +1).kind, JumpResult::None);
    state.slider.position = 0;
    EXPECT_EQ(ButtonJumpClick(state, -1).kind, JumpResult::None);

    state.window = {D(2010, 3, 6) + H(13), D(2010, 3, 7) + H(13)};
    EXPECT_EQ(SyncSlider(state), (SliderState{0, 3, 2}));
}

TEST_F(DayListNavigation, SliderOfHourSpansReadsWholeHoursExactly)
{
    state.spanItem = SpanEightHours;
    state.slider.maximum = 16;
    // Over many days, start = day + p/24 must read back as p (no 15.999... truncation).
    for (int day = Day(2008, 1, 1); day < Day(2012, 1, 1); day += 7) {
        for (int p = 0; p <= 16; ++p) {
            state.window.start = day;
            const TimeWindow w = SliderTimeChange(state, p);
            ASSERT_NEAR(w.end - w.start, 1.0 / 3.0, 1e-9);
            NavigationState moved = state;
            moved.window = w;
            ASSERT_EQ(SyncSlider(moved).position, p) << day;
        }
    }
}

TEST(SliderTimeChange, LongSpansCountFromTheRangeStart)
{
    auto s = Period(D(2009, 11, 15), D(2011, 2, 10), SpanOneMonth);
    s.slider = SyncSlider(s);
    EXPECT_EQ(s.slider.maximum, 15); // Nov 2009 .. Feb 2011
    EXPECT_EQ(SliderTimeChange(s, 2), (TimeWindow{D(2010, 1, 1), D(2010, 2, 1)}));
    EXPECT_EQ(SliderTimeChange(s, 15), (TimeWindow{D(2011, 2, 1), D(2011, 3, 1)}));

    s = Period(D(2009, 11, 15), D(2011, 2, 10), SpanOneQuarter);
    EXPECT_EQ(SliderMaximum(s), 5);
    EXPECT_EQ(SliderTimeChange(s, 1), (TimeWindow{D(2010, 1, 1), D(2010, 4, 1)}));
    s.window = {D(2010, 7, 1), D(2010, 10, 1)};
    EXPECT_EQ(SyncSlider(s).position, 3);

    s = Period(D(2009, 11, 15), D(2011, 2, 10), SpanOneYear);
    EXPECT_EQ(SliderMaximum(s), 2); // 2009, 2010, 2011
    EXPECT_EQ(SliderTimeChange(s, 1), (TimeWindow{D(2010, 1, 1), D(2011, 1, 1)}));
    s.slider = SyncSlider(s);
    JumpResult r = ButtonJumpClick(s, +1);
    EXPECT_EQ(r.kind, JumpResult::SliderMoved);
    EXPECT_EQ(r.window, (TimeWindow{D(2011, 1, 1), D(2012, 1, 1)}));
    s.slider.position = r.sliderPosition;
    EXPECT_EQ(ScrollClickPosition(s, +1), std::nullopt);
    EXPECT_EQ(ScrollClickPosition(s, -1), 1);
    EXPECT_EQ(ScrollStep(s, +1), std::nullopt);

    s.spanItem = SpanNone;
    EXPECT_THROW(SliderTimeChange(s, 0), KorvexError);
}

TEST(ButtonJump, HourSpansSnapToThePeriodEnds)
{
    auto s = Period(D(2010, 3, 15), D(2010, 5, 14), SpanEightHours);
    s.window = {D(2010, 5, 14) + H(8), D(2010, 5, 14) + H(16)};
    JumpResult r = ButtonJumpClick(s, +1);
    EXPECT_EQ(r.kind, JumpResult::WindowMoved);
    EXPECT_NEAR(r.window.start, D(2010, 5, 14) + H(16), 1e-9);
    EXPECT_EQ(r.window.end, D(2010, 5, 15));
    s.window = r.window;
    EXPECT_EQ(ButtonJumpClick(s, +1).window, r.window);

    s.window = {D(2010, 4, 1) + H(10), D(2010, 4, 1) + H(18)};
    EXPECT_EQ(ButtonJumpClick(s, -1).window,
              (TimeWindow{D(2010, 3, 31) + H(10), D(2010, 3, 31) + H(18)}));
    // From the second day back onto the first, at the same hours.
    s.window = {D(2010, 3, 16) + H(10), D(2010, 3, 16) + H(18)};
    const JumpResult back = ButtonJumpClick(s, -1);
    EXPECT_NEAR(back.window.start, D(2010, 3, 15) + H(10), 1e-9);
    EXPECT_NEAR(back.window.end, D(2010, 3, 15) + H(18), 1e-9);
    s.window = {D(2010, 3, 15) + H(10), D(2010, 3, 15) + H(18)};
    EXPECT_EQ(ButtonJumpClick(s, -1).window, (TimeWindow{D(2010, 3, 15), D(2010, 3, 15) + H(8)}));

    // Scrolling moves 2.5 % of the width and may leave the range.
    s.window = {D(2010, 5, 14) + H(16), D(2010, 5, 15)};
    const auto step = ScrollStep(s, +1);
    ASSERT_TRUE(step);
    EXPECT_NEAR(step->start - s.window.start, 0.025 / 3, 1e-9);
}

TEST(SliderState, FollowsTheTrackBarRules)
{
    SliderState s{0, 10, 7};
    s.SetMaximum(-1);
    EXPECT_EQ(s.maximum, 10);
    s.SetMaximum(5);
    EXPECT_EQ(s, (SliderState{0, 5, 5}));
    EXPECT_FALSE(s.SetPosition(9));
    EXPECT_TRUE(s.SetPosition(-3));
    EXPECT_EQ(s.position, 0);
}

TEST(ChartTitle, NamesTheDisplayedDates)
{
    EXPECT_EQ(ChartTitleText(SpanOneDay, {D(2010, 3, 17), D(2010, 3, 18)}, ""), "17. Mar 2010");
    EXPECT_EQ(ChartTitleText(SpanEightHours, {D(2010, 3, 17) + H(20), D(2010, 3, 18) + H(4)}, ""),
              "17. Mar 2010 - 18. Mar 2010");
    EXPECT_EQ(ChartTitleText(SpanOneMonth, {D(2010, 3, 1), D(2010, 4, 1)}, "Monthly yield Q: 1,00"),
              "Mar 2010  -  Monthly yield Q: 1,00");
    EXPECT_EQ(ChartTitleText(SpanOneQuarter, {D(2010, 10, 1), D(2011, 1, 1)}, ""),
              "Oct 2010 - Dec 2010");
    EXPECT_EQ(YieldPeriodStart(ModeQuarter, D(2010, 11, 20)), D(2010, 10, 1));
    EXPECT_EQ(YieldPeriodStart(ModeYear, D(2010, 11, 20)), D(2010, 1, 1));
}

} // namespace
} // namespace korvex
