#pragma once

// The seams between the analysis window and the parts that give it behaviour. The window calls
// these operations at the points of its life that need them; each part is built in its own
// files and connects the signals of the controls it serves itself. Every part is installed while
// the window is built, each with the other parts it calls or reads (navigation refreshes graphs,
// table and summary). A value of the window's state has one owner: the part that changes it keeps
// it and offers it to the others read-only; they change it only through that part's operations.

#include <QString>

#include <memory>
#include <string>
#include <vector>

class QScrollArea;

namespace korvex {

class AnalysisDataSet;
class DeviceSettings;
struct ChildDefaults;
class TChildform;

// Graph lists, axis placeholders, axis titles and the output chart.
class ChildGraphPart {
public:
    virtual ~ChildGraphPart() = default;
    // Once, while the window is created: the four axis placeholder series.
    virtual void CreateAxisPlaceholders() = 0;
    // Builds the device's graph list and hands it to the data set (replacing an older one).
    virtual void BuildGraphList(AnalysisDataSet& dataSet) = 0;
    // The graph list of a data set, or nullptr before it was built.
    virtual QScrollArea* GraphListOf(AnalysisDataSet& dataSet) = 0;
    // Aligns the rows of one list (a device's list or Overview) to the header.
    virtual void LayoutGraphList(QScrollArea* container, bool setCaption,
                                 const QString& caption) = 0;
    // The header's section-resize handling (fits PanelLeft, lays out the shown list); counts as
    // the user's change of the widths.
    virtual void HeaderControlSectionResize(int section) = 0;
    virtual void UpdateAxisTitles() = 0;
    virtual void UpdateOutputChart(bool forced, bool overview) = 0;
    // The window has just freed its data sets (ClearAnalysis): whatever refers to them, such as
    // the Overview list's rows, must go. The header is back in Overview already.
    virtual void AnalysisCleared() = 0;
};

// Span list, slider, buttons and device tabs.
class ChildNavigationPart {
public:
    virtual ~ChildNavigationPart() = default;
    // The tab-change handling for a tab index: selects the device or the overview, shows its
    // list and series, refreshes table, summary, title and the spreadsheet action.
    virtual void TabSetDevicesChange(int index) = 0;
    virtual void UpdateChartTitle() = 0;
};

// Yield tables and the table view.
class ChildTablePart {
public:
    virtual ~ChildTablePart() = default;
    // Daily, monthly and annual tables, in this order.
    virtual void BuildYieldTables() = 0;
    virtual void UpdateTableTexts() = 0;
    virtual void FillTable() = 0;
    virtual void ShowTable(bool on) = 0;
};

// Overview display and the yield summary in the chart title.
class ChildOverviewPart {
public:
    virtual ~ChildOverviewPart() = default;
    virtual void BuildYieldSummary() = 0;
    // The summary last built; empty for the short spans and on the Overview tab.
    virtual const std::string& YieldSummary() const = 0;
};

// Export of the displayed day's log file to the spreadsheet program.
class ChildExportPart {
public:
    virtual ~ChildExportPart() = default;
    virtual void ActionOpenExcelExecute() = 0;
};

// Printing and saving pictures of what the window shows.
class ChildPrintPart {
public:
    virtual ~ChildPrintPart() = default;
    virtual void SaveAnalysis() = 0;
    virtual void PrintAnalysis() = 0;
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
};

// Creates the parts of a new window (ChildPartsInstall.cpp: one line per part). Runs inside the
// window's creation, after the widgets and the state exist and before OnCreate's steps that
// need the parts.
void InstallChildParts(TChildform& window, ChildParts& parts);

} // namespace korvex
