#include "core/views/Navigation.h"

#include "core/services/Errors.h"

#include <algorithm>
#include <cmath>

namespace korvex {

namespace {

// Below a millisecond: sample times are whole minutes, so nothing real lies this close to a
// boundary, while binary rounding of day + fraction stays far below it.
constexpr double kTolerance = 1e-8;

struct YearMonth {
    int year = 0;
    int month = 0;
};

YearMonth YearMonthOf(DayTime t)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(WholeDay(t), y, m, d);
    return {y, m};
}

// First day of month m of year y; months outside 1..12 carry into the year.
DayTime FirstOfMonth(int year, int month)
{
    const int zeroBased = month - 1;
    const int years = zeroBased >= 0 ? zeroBased / 12 : -((11 - zeroBased) / 12);
    return EncodeDate(year + years, zeroBased - 12 * years + 1, 1);
}

int FirstMonthOfQuarter(int month)
{
    return month - (month - 1) % 3;
}

} // namespace

int SpanModeOf(int spanItem)
{
    switch (spanItem) {
        case SpanOneMonth:
            return ModeMonth;
        case SpanOneQuarter:
            return ModeQuarter;
        case SpanOneYear:
            return ModeYear;
        default:
            return ModeShort;
    }
}

bool IsHourSpan(int spanItem)
{
    return spanItem >= SpanOneHour && spanItem <= SpanEightHours;
}
bool IsShortSpan(int spanItem)
{
    return spanItem >= SpanOneHour && spanItem <= SpanOneDay;
}
bool IsLongSpan(int spanItem)
{
    return spanItem >= SpanOneMonth && spanItem <= SpanOneYear;
}

double HourSpanLength(int spanItem)
{
    switch (spanItem) {
        case SpanOneHour:
            return 1.0 / 24.0;
        case SpanThreeHours:
            return 0.125;
        case SpanEightHours:
            return 1.0 / 3.0;
        default:
            return 0;
    }
}

void SliderState::SetMaximum(int value)
{
    if (value < minimum)
        return;
    maximum = value;
    position = std::clamp(position, minimum, maximum);
}

bool SliderState::SetPosition(int value)
{
    const int clamped = std::clamp(value, minimum, std::max(minimum, maximum));
    if (clamped == position)
        return false;
    position = clamped;
    return true;
}

DayTime WholeDay(DayTime t)
{
    return std::floor(t + kTolerance);
}
DayTime CeilDay(DayTime t)
{
    return std::ceil(t - kTolerance);
}

NavigationState InitialNavigation(DayTime periodStart, DayTime periodEnd, std::span<const int> days)
{
    NavigationState state;
    state.spanItem = SpanOneDay;
    state.periodStart = periodStart;
    state.periodEnd = periodEnd;
    state.days = days;
    if (!days.empty()) {
        state.range = {static_cast<DayTime>(days.front()), static_cast<DayTime>(days.back()) + 1};
        state.window = {state.range.start, state.range.start + 1};
    }
    state.slider = {0, 0, 0};
    state.slider.SetMaximum(static_cast<int>(days.size()) - 1);
    return state;
}

NavigationRange ComputeNavigationRange(int mode, DayTime periodStart, DayTime periodEnd)
{
    int y1 = 0, m1 = 0, d1 = 0, y2 = 0, m2 = 0, d2 = 0;
    DecodeDate(WholeDay(periodStart), y1, m1, d1);
    DecodeDate(WholeDay(periodEnd + 1), y2, m2, d2);
    switch (mode) {
        case ModeMonth:
            if (d2 != 1)
                ++m2;
            return {FirstOfMonth(y1, m1), FirstOfMonth(y2, m2)};
        case ModeQuarter:
            m1 = FirstMonthOfQuarter(m1);
            if (d2 != 1 || (m2 - 1) % 3 != 0)
                m2 = (m2 - 1) - (m2 - 1) % 3 + 4;
            return {FirstOfMonth(y1, m1), FirstOfMonth(y2, m2)};
        case ModeYear:
            return {EncodeDate(y1, 1, 1), EncodeDate(m2 == 1 && d2 == 1 ? y2 : y2 + 1, 1, 1)};
        default:
            return {WholeDay(periodStart), WholeDay(periodEnd + 1)};
    }
}

SpanPlacement ApplySpan(const NavigationState& state)
{
    const DayTime s = state.window.start;
    const int mode = SpanModeOf(state.spanItem);
    SpanPlacement out;
    out.axisIncrement = 0;
    out.range = ComputeNavigationRange(mode, state.periodStart, state.periodEnd);

    DayTime start = 0;
    DayTime width = 0;
    if (mode != ModeShort) {
        out.axisFormat = " dd. mmm ";
        auto [y, m] = YearMonthOf(s);
        int following = m + 1;
        if (mode == ModeQuarter) {
            out.axisIncrement = 7;
            m = FirstMonthOfQuarter(m);
            following = m + 3;
        } else if (mode == ModeYear) {
            out.axisIncrement = 7;
            m = 1;
            following = 13;
        }
        start = FirstOfMonth(y, m);
        width = FirstOfMonth(y, following) - start;
    } else {
        if (state.spanItem == SpanOneDay) {
            width = 1.0;
            start = WholeDay(s);
        } else if (IsHourSpan(state.spanItem)) {
            width = HourSpanLength(state.spanItem);
            start = s;
            // Never straddle midnight: end at the following midnight instead.
            if (WholeDay(start) != WholeDay(start + width))
                start = CeilDay(s) - width;
        } else {
            throw KorvexError("Invalid state");
        }
        out.axisFormat = "hh:mm";
    }

    if (start + width > out.range.end)
        start = out.range.end - width;
    if (start < out.range.start)
        start = out.range.start;
    out.window = {start, start + width};
    return out;
}

int SliderMaximum(const NavigationState& state)
{
    const auto [ys, ms] = YearMonthOf(state.range.start);
    const auto [ye, me] = YearMonthOf(state.range.end);
    switch (state.spanItem) {
        case SpanOneHour:
            return 23;
        case SpanThreeHours:
            return 21;
        case SpanEightHours:
            return 16;
        case SpanOneDay:
            return static_cast<int>(state.days.size()) - 1;
        case SpanOneMonth:
            return std::max(12 * (ye - ys) + (me - ms) - 1, 0);
        case SpanOneQuarter:
            return std::max((me - ms) / 3 + 4 * (ye - ys) - 1, 0);
        case SpanOneYear:
            return std::max(ye - ys - 1, 0);
        default:
            return state.slider.maximum;
    }
}

SliderState SyncSlider(const NavigationState& state)
{
    SliderState slider = state.slider;
    slider.SetMaximum(SliderMaximum(state));
    const DayTime a = state.window.start;
    const auto [ys, ms] = YearMonthOf(state.range.start);
    const auto [ya, ma] = YearMonthOf(a);
    int position = slider.position;
    if (IsHourSpan(state.spanItem))
        position = static_cast<int>(std::trunc((a - WholeDay(a)) * 24 + kTolerance * 24));
    else if (state.spanItem == SpanOneDay)
        position = NearestDayIndex(state.days, a);
    else if (state.spanItem == SpanOneMonth)
        position = 12 * (ya - ys) + (ma - ms);
    else if (state.spanItem == SpanOneQuarter)
        position = (ma - ms) / 3 + 4 * (ya - ys);
    else if (state.spanItem == SpanOneYear)
        position = ya - ys;
    slider.SetPosition(position);
    return slider;
}

int NearestDayIndex(std::span<const int> days, DayTime t)
{
    const double k = std::trunc(t + (t >= 0 ? kTolerance : -kTolerance));
    const auto it = std::lower_bound(days.begin(), days.end(), k,
                                     [](int day, double key) { return day < key; });
    if (it == days.end())
        return static_cast<int>(days.size()) - 1;
    const int i = static_cast<int>(it - days.begin());
    if (i == 0)
        return 0;
    return days[i] - k <= k - days[i - 1] ? i : i - 1;
}

TimeWindow SliderTimeChange(const NavigationState& state, int position)
{
    if (IsHourSpan(state.spanItem)) {
        const DayTime start = WholeDay(state.window.start) + position / 24.0;
        return {start, start + (24 - state.slider.maximum) / 24.0};
    }
    const auto [y, m] = YearMonthOf(state.range.start);
    switch (state.spanItem) {
        case SpanOneDay: {
            if (state.days.empty())
                return state.window;
            const int p = std::clamp(position, 0, static_cast<int>(state.days.size()) - 1);
            const DayTime start = state.days[static_cast<std::size_t>(p)];
            return {start, start + 1};
        }
        case SpanOneMonth:
            return {FirstOfMonth(y, m + position), FirstOfMonth(y, m + position + 1)};
        case SpanOneQuarter:
            return {FirstOfMonth(y, m + 3 * position), FirstOfMonth(y, m + 3 * position + 3)};
        case SpanOneYear:
            return {EncodeDate(y + position, 1, 1), EncodeDate(y + position + 1, 1, 1)};
        default:
            throw KorvexError("Illegal state.");
    }
}

JumpResult ButtonJumpClick(const NavigationState& state, int direction)
{
    JumpResult out;
    if (IsHourSpan(state.spanItem)) {
        const DayTime a = state.window.start;
        const DayTime b = state.window.end;
        const DayTime w = b - a;
        if (direction < 0 && WholeDay(a - 1) < WholeDay(state.periodStart))
            out.window = {state.periodStart, state.periodStart + w};
        else if (direction > 0 && CeilDay(b + 1) - 1 > CeilDay(state.periodEnd))
            out.window = {state.periodEnd + 1 - w, state.periodEnd + 1};
        else
            out.window = {a + direction, b + direction};
        out.kind = JumpResult::WindowMoved;
        return out;
    }
    if (state.spanItem != SpanOneDay && !IsLongSpan(state.spanItem))
        return out;

    SliderState slider = state.slider;
    int target = 0;
    if (state.spanItem == SpanOneDay)
        target = slider.position + direction;
    else
        target = direction < 0 ? 0 : slider.maximum;
    if (!slider.SetPosition(target))
        return out;
    out.kind = JumpResult::SliderMoved;
    out.sliderPosition = slider.position;
    NavigationState moved = state;
    moved.slider = slider;
    out.window = SliderTimeChange(moved, slider.position);
    return out;
}

std::optional<int> ScrollClickPosition(const NavigationState& state, int direction)
{
    if (!IsLongSpan(state.spanItem))
        return std::nullopt;
    if (direction < 0 && state.slider.position > 0)
        return state.slider.position - 1;
    if (direction > 0 && state.slider.position < state.slider.maximum)
        return state.slider.position + 1;
    return std::nullopt;
}

std::optional<TimeWindow> ScrollStep(const NavigationState& state, int direction)
{
    if (IsLongSpan(state.spanItem))
        return std::nullopt;
    double d = 0.025 * (state.window.end - state.window.start);
    if (direction < 0)
        d = -d;
    return TimeWindow{state.window.start + d, state.window.end + d};
}

bool SetMaximumFirst(double currentMaximum, double newMinimum)
{
    return newMinimum >= currentMaximum;
}

DayTime YieldPeriodStart(int mode, DayTime windowStart)
{
    const auto [y, m] = YearMonthOf(windowStart);
    switch (mode) {
        case ModeMonth:
            return FirstOfMonth(y, m);
        case ModeQuarter:
            return FirstOfMonth(y, FirstMonthOfQuarter(m));
        case ModeYear:
            return EncodeDate(y, 1, 1);
        default:
            return WholeDay(windowStart);
    }
}

std::string ChartTitleText(int spanItem, const TimeWindow& window, const std::string& yieldSummary,
                           const MonthNames& names)
{
    const DayTime a = WholeDay(window.start);
    const DayTime e = WholeDay(window.end - kOneMinute);
    std::string text;
    if (!IsLongSpan(spanItem)) {
        text = FormatDayTime("dd. mmm yyyy", a, names);
        if (a < e)
            text += " - " + FormatDayTime("dd. mmm yyyy", e, names);
    } else {
        text = FormatDayTime("mmm yyyy", a, names);
        const auto [ya, ma] = YearMonthOf(a);
        const auto [ye, me] = YearMonthOf(e);
        if (12 * (ye - ya) + (me - ma) > 0)
            text += " - " + FormatDayTime("mmm yyyy", e, names);
    }
    if (!yieldSummary.empty())
        text += "  -  " + yieldSummary;
    return text;
}

std::string InitialChartTitle(DayTime navigationStart, const MonthNames& names)
{
    return FormatDayTime("dd. mmmm yyyy", navigationStart, names);
}

} // namespace korvex
