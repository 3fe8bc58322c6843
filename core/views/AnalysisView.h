#pragma once

// What an analysis window shows, as one plain value: the device or the Overview, the time window
// on both charts and the range it may move in, and the table instead of the charts. The window
// owns the only instance (ChildState::view). Its parts read it and hand the window the next one,
// derived from the gesture by the functions below; the window applies it and the parts redraw.

#include "core/views/Navigation.h"

namespace korvex {

class AnalysisDataSet;

struct AnalysisView {
    // The data set of the selected device tab. None before an analysis, on the tab of a device
    // without data and while the window is cleared; kept while the Overview is shown.
    AnalysisDataSet* current = nullptr;
    bool overview = false; // the Overview tab is selected
    // The navigable range: from the first day with data to the day after the last, widened to
    // whole months, quarters or years by the long spans.
    NavigationRange range;
    TimeWindow window; // both charts' bottom axes
    bool tableMode = false;

    AnalysisDataSet* Current() const { return current; }
    bool Overview() const { return overview; }
    bool operator==(const AnalysisView&) const = default;
};

// A device tab (none for a device without data): the Overview is left.
AnalysisView ShowDevice(AnalysisView view, AnalysisDataSet* set);
// The Overview tab; the current data set stays.
AnalysisView ShowOverview(AnalysisView view);
// The current data set changes, the Overview stays as it is.
AnalysisView WithCurrent(AnalysisView view, AnalysisDataSet* set);
AnalysisView WithRange(AnalysisView view, const NavigationRange& range);
// The window as given, never with its start above its end.
AnalysisView WithWindow(AnalysisView view, TimeWindow window);
AnalysisView ShowTable(AnalysisView view, bool on);

} // namespace korvex
