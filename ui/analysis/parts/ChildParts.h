#pragma once

// The parts that give an analysis window its behaviour, and the seams between them that a test
// double or a second implementation uses. The window (in its wiring source) builds every
// part, hands each what it reads (the const ChildState, the widgets it serves, the other parts
// it calls) and the narrow PartHost of what it may ask of the window, and wires their reports.

#include <memory>
#include <string>
#include <vector>

namespace korvex {

class DeviceSettings;
struct ChildDefaults;

// Yield tables and the table view, as the navigation refreshes them.
class ChildTablePart {
public:
    virtual ~ChildTablePart() = default;
    // Daily, monthly and annual tables, in this order.
    virtual void BuildYieldTables() = 0;
    virtual void UpdateTableTexts() = 0;
    virtual void FillTable() = 0;
    virtual void ShowTable(bool on) = 0;
};

// The yield summary in the chart title, as the navigation rebuilds it.
class ChildOverviewPart {
public:
    virtual ~ChildOverviewPart() = default;
    virtual void BuildYieldSummary() = 0;
    // The summary last built; empty for the short spans and on the Overview tab.
    virtual const std::string& YieldSummary() const = 0;
};

// The settings dialog as the window's settings command needs it. Edits the given defaults and
// device settings in place (backing them up itself) and returns true only for OK.
class ChildSettingsEditor {
public:
    virtual ~ChildSettingsEditor() = default;
    virtual bool EditSettings(ChildDefaults& defaults, DeviceSettings* current,
                              const std::vector<DeviceSettings*>& further) = 0;
};

class ChildGraphs;
class ChildNavigation;
class TablePart;
class YieldSummaryPart;
class ChildExport;
class ChildPrint;
class CheckPart;

struct ChildParts {
    ChildParts();
    ~ChildParts();
    ChildParts(const ChildParts&) = delete;
    ChildParts& operator=(const ChildParts&) = delete;

    std::unique_ptr<ChildGraphs> graphs;
    std::unique_ptr<ChildNavigation> navigation;
    std::unique_ptr<TablePart> table;
    std::unique_ptr<YieldSummaryPart> overview;
    std::unique_ptr<ChildExport> exporter;
    std::unique_ptr<ChildPrint> printer;
    std::unique_ptr<CheckPart> check;
};

} // namespace korvex
