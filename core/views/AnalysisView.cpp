#include "core/views/AnalysisView.h"

#include <algorithm>

namespace korvex {

AnalysisView ShowDevice(AnalysisView view, AnalysisDataSet* set)
{
    view.current = set;
    view.overview = false;
    return view;
}

AnalysisView ShowOverview(AnalysisView view)
{
    view.overview = true;
    return view;
}

AnalysisView WithCurrent(AnalysisView view, AnalysisDataSet* set)
{
    view.current = set;
    return view;
}

AnalysisView WithRange(AnalysisView view, const NavigationRange& range)
{
    view.range = range;
    return view;
}

AnalysisView WithWindow(AnalysisView view, TimeWindow window)
{
    window.start = std::min(window.start, window.end);
    view.window = window;
    return view;
}

AnalysisView ShowTable(AnalysisView view, bool on)
{
    view.tableMode = on;
    return view;
}

} // namespace korvex
