// Where an analysis window gets its parts, each with the window it serves and the parts it calls.

#include "ui/analysis/ChildExport.h"
#include "ui/analysis/ChildGraphs.h"
#include "ui/analysis/ChildNavigation.h"
#include "ui/analysis/ChildPrint.h"
#include "ui/analysis/TChildform.h"
#include "ui/analysis/TablePart.h"
#include "ui/analysis/YieldSummaryPart.h"

namespace korvex {

ChildParts::ChildParts() = default;
ChildParts::~ChildParts() = default;

void InstallChildParts(TChildform& window, ChildParts& parts)
{
    const ChildWidgets& w = window.Widgets();
    // The table shows the overview marks; it is built after the graph part, whose selection it
    // reads, and is refilled through this call when a mark changes.
    auto graphs = std::make_unique<ChildGraphs>(window, [&parts] { parts.table->FillTable(); });
    const DeviceSelection& selection = graphs->Selection();
    auto table = std::make_unique<TablePart>(window.State(), selection, *w.grid, *w.panelCharts,
                                             *w.spanTime, *w.chart);
    auto overview = std::make_unique<YieldSummaryPart>(window.State(), selection, *table,
                                                       *w.tabSetDevices, *w.spanTime, *w.chart);
    parts.navigation = std::make_unique<ChildNavigation>(window, *graphs, *table, *overview);
    parts.graphs = std::move(graphs);
    parts.table = std::move(table);
    parts.overview = std::move(overview);
    parts.exporter = std::make_unique<ChildExport>(window, selection, *w.chart);
    parts.printer = std::make_unique<ChildPrint>(window);
}

} // namespace korvex
