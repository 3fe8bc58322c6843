#pragma once

// Time window of an analysis window: span items, navigable range, window placement on span
// changes, the slider's meaning and the jump and scroll buttons, as pure functions of the window
// state. The analysis window applies the results to its charts and its track bar.

#include "core/services/DayTime.h"
#include "core/services/TextId.h"
#include "core/views/ViewFormat.h"

#include <optional>
#include <span>
#include <string>

namespace korvex {

// Items of the span selector, in list order.
enum SpanItem : int {
    SpanNone = -1,
    SpanOneHour = 0,
    SpanThreeHours = 1,
    SpanEightHours = 2,
    SpanOneDay = 3,
    SpanOneMonth = 4,
    SpanOneQuarter = 5,
    SpanOneYear = 6,
};
constexpr int kSpanItemCount = 7;

// The selector's item texts, in list order.
inline constexpr TextId kSpanItemTexts[kSpanItemCount] = {
    TextId::SpanOneHour,  TextId::SpanThreeHours, TextId::SpanEightHours, TextId::SpanOneDay,
    TextId::SpanOneMonth, TextId::SpanOneQuarter, TextId::SpanOneYear,
};

// SpanMode: 1 month, 2 quarter, 3 year, 0 for everything else (also no selection).
enum SpanMode : int { ModeShort = 0, ModeMonth = 1, ModeQuarter = 2, ModeYear = 3 };

int SpanModeOf(int spanItem);
bool IsHourSpan(int spanItem);       // items 0..2
bool IsShortSpan(int spanItem);      // items 0..3
bool IsLongSpan(int spanItem);       // items 4..6
double HourSpanLength(int spanItem); // 1/24, 0.125, 1/3 for the hour spans, else 0

struct TimeWindow {
    DayTime start = 0;
    DayTime end = 0;
    bool operator==(const TimeWindow&) const = default;
};

struct NavigationRange {
    DayTime start = 0; // whole day
    DayTime end = 0;   // whole day, exclusive
    bool operator==(const NavigationRange&) const = default;
};

// The track bar's rules: a maximum below the minimum is not applied, the position is clamped to
// [minimum, maximum], and only a real change of position counts as a change.
struct SliderState {
    int minimum = 0;
    int maximum = 0;
    int position = 0;

    void SetMaximum(int value);
    bool SetPosition(int value); // true when the position changed
    bool operator==(const SliderState&) const = default;
};

// What the analysis window keeps for navigation. The window itself is Chart's bottom axis.
struct NavigationState {
    int spanItem = SpanOneDay;
    TimeWindow window;
    DayTime periodStart = 0; // first day of the chosen period
    DayTime periodEnd = 0;   // last day of the chosen period, inclusive
    NavigationRange range;
    std::span<const int> days; // DayList: day numbers with data, ascending, no duplicates
    SliderState slider;
};

// Whole-day arithmetic on computed times: sums like day + 16/24 are not exact in binary, so a
// value within a millisecond below a boundary counts as the boundary.
DayTime WholeDay(DayTime t); // floor
DayTime CeilDay(DayTime t);  // ceil

// State after the analysis is loaded: "1 day" on the first day with data, range from that day
// to the day after the last one, slider over the days.
NavigationState InitialNavigation(DayTime periodStart, DayTime periodEnd,
                                  std::span<const int> days);

// Navigable range for a SpanMode, widened from the period to whole months, quarters or years.
NavigationRange ComputeNavigationRange(int mode, DayTime periodStart, DayTime periodEnd);

// Placement of the window after a span change, with the bottom-axis label format and increment
// (0 = automatic) for both charts.
struct SpanPlacement {
    NavigationRange range;
    TimeWindow window;
    const char* axisFormat = "hh:mm";
    double axisIncrement = 0;
};
// Throws KorvexError("Invalid state") when no span item is selected.
SpanPlacement ApplySpan(const NavigationState& state);

// Maximum of the slider for the state's span, range and day count (the current maximum for no
// selection).
int SliderMaximum(const NavigationState& state);
// Slider after synchronising it with the window (maximum first, then the clamped position).
SliderState SyncSlider(const NavigationState& state);

// Index of the day list entry nearest to t; a tie goes to the later day; -1 for an empty list.
int NearestDayIndex(std::span<const int> days, DayTime t);

// Window that slider position p means. Throws KorvexError("Illegal state.") without a span.
TimeWindow SliderTimeChange(const NavigationState& state, int position);

// Jump buttons (direction -1 left, +1 right). Long spans and "1 day" move the slider, and the
// window follows as in SliderTimeChange; the hour spans move the window and then synchronise the
// slider. For the hour spans the caller undoes any zoom before asking.
struct JumpResult {
    enum Kind { None, SliderMoved, WindowMoved } kind = None;
    int sliderPosition = 0; // SliderMoved
    TimeWindow window;      // SliderMoved and WindowMoved
};
JumpResult ButtonJumpClick(const NavigationState& state, int direction);

// Click of a scroll button in a long span: the slider position one step to the side, when the
// slider can move there.
std::optional<int> ScrollClickPosition(const NavigationState& state, int direction);

// One auto-repeat step: 2.5 % of the window width to the side; nothing for the long spans. Never
// clamped to the range.
std::optional<TimeWindow> ScrollStep(const NavigationState& state, int direction);

// SetWindow's order for one axis: the maximum goes first when the new minimum lies at or beyond
// the current maximum.
bool SetMaximumFirst(double currentMaximum, double newMinimum);

// Start of the month, quarter or year that a yield summary covers for a window start.
DayTime YieldPeriodStart(int mode, DayTime windowStart);

// Chart title: the displayed dates, then the yield summary after "  -  " when it is not empty.
std::string ChartTitleText(int spanItem, const TimeWindow& window, const std::string& yieldSummary,
                           const MonthNames& names = MonthNames::English());

// Title shown right after loading: the first day in full ("dd. mmmm yyyy").
std::string InitialChartTitle(DayTime navigationStart,
                              const MonthNames& names = MonthNames::English());

} // namespace korvex
