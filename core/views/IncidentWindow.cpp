#include "core/views/IncidentWindow.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace korvex {

namespace {

// Computed times are not exact in binary; a millisecond either way still counts as inside.
constexpr DayTime kSlack = 1.0 / 86400000.0;

bool Holds(const TimeWindow& window, DayTime start, DayTime end)
{
    return window.start <= start + kSlack && end <= window.end + kSlack;
}

// The window start asked of ApplySpan for one span item.
DayTime CandidateStart(int spanItem, DayTime start, DayTime end)
{
    if (!IsHourSpan(spanItem))
        return start;
    const DayTime width = HourSpanLength(spanItem);
    const DayTime day = WholeDay(start);
    // ApplySpan moves a window that straddles midnight back before it, which would lose a
    // stretch just after midnight: keep the centred window inside the start's day here.
    const DayTime centred = std::clamp((start + end) / 2 - width / 2, day, day + 1 - width);
    // On a whole minute the axis labels fall on round times, where that still holds the stretch.
    const DayTime minute = std::floor(centred * 1440 + 1e-6) / 1440;
    return minute + width + kSlack >= end ? minute : centred;
}

} // namespace

IncidentPlacement PlaceIncident(const NavigationState& state, DayTime start, DayTime end)
{
    if (end < start)
        std::swap(start, end);
    NavigationState trial = state;
    for (int item = 0; item < kSpanItemCount; ++item) {
        if (IsHourSpan(item) && WholeDay(start) != WholeDay(end) &&
            !(WholeDay(end) == WholeDay(start) + 1 && end - WholeDay(end) <= kSlack))
            continue;
        trial.spanItem = item;
        trial.window.start = CandidateStart(item, start, end);
        trial.window.end = trial.window.start;
        const SpanPlacement placement = ApplySpan(trial);
        if (Holds(placement.window, start, end))
            return {item, placement, true};
    }
    trial.spanItem = SpanOneYear;
    trial.window = {start, start};
    return {SpanOneYear, ApplySpan(trial), false};
}

} // namespace korvex
