#pragma once

// Where the analysis window goes to show an incident (or any stretch of time): the shortest span
// whose window holds the stretch's start and end, and the window placed on it, by the same window
// arithmetic as a span change (Navigation.h).

#include "core/views/Navigation.h"

namespace korvex {

struct IncidentPlacement {
    int spanItem = SpanOneDay;
    SpanPlacement placement;
    // False when no span's window holds both ends (a stretch across a year's end, or longer than
    // a year); the window then shows the year of the start.
    bool holdsWhole = true;
};

// The hour spans centre the stretch in their window (on a whole minute where that still holds
// it), kept within its day; the longer spans take
// the day, month, quarter or year of the start. A span whose window the navigable range would
// push off the stretch is passed over. start and end may come in either order.
IncidentPlacement PlaceIncident(const NavigationState& state, DayTime start, DayTime end);

} // namespace korvex
