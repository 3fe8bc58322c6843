#pragma once

// TChildform: one analysis window. It lays out its components, owns the analysis (ChildState),
// and runs the window's life: creation, the four loading operations the open-analysis dialog
// calls, caption, device tabs, language switch, chart settings and closing. Graph lists,
// navigation, table, overview, export, printing and reading are parts (ui/analysis/parts) that
// it builds and wires (TChildformParts.cpp): they read its state and ask it for the next view
// through a PartHost, never holding the window itself.

#include "core/views/ChildState.h"
#include "ui/analysis/parts/ChildParts.h"
#include "ui/analysis/widgets/ChildWidgets.h"

#include <QMdiSubWindow>

#include <memory>
#include <string>

namespace korvex {

class CheckPart;
class PartHost;
struct Incident;
class ReadingParts;
struct ParsedLogFile;

class TChildform : public QMdiSubWindow {
    Q_OBJECT
public:
    // An empty window (state New). Throws the settings error (text 94) only when no settings
    // object can be had and it is needed; the window then still exists without stored values.
    explicit TChildform(QWidget* owner = nullptr);
    ~TChildform() override;

    // The loaded analysis. The window alone writes it (loading, emptying, chart settings); the
    // parts and everyone else read it.
    const ChildState& State() const { return state_; }
    const ChildWidgets& Widgets() const { return w_; }
    // The window's parts by their types (main window, output helpers, tests, benchmarks and
    // tools). The parts themselves call each other through what they were handed when built.
    ChildGraphs& Graphs();
    const ChildGraphs& Graphs() const;
    ChildNavigation& Navigation();
    TablePart& Table();
    YieldSummaryPart& Summary();
    ChildPrint& Printer();
    ReadingParts& Reading();
    CheckPart& Check();

    // ---- Loading, in the order the open-analysis dialog calls them ----
    // Clears the window, stores the period and the caption values, takes over the device
    // numbers and makes one empty data-set slot per device.
    void BeginAnalysis(int fileCount, std::vector<std::string> deviceNumbers, DayTime periodStart,
                       DayTime periodEnd);
    // Loads one log file into its device's data set (created on its first file). Throws text
    // 147 for a device not in the list; reader errors pass through.
    void AddLogFile(const std::string& path);
    // The same with the file read and parsed by a reading thread of the load.
    void AddParsedLogFile(const ParsedLogFile& file);
    // Completes device i after all files: sums, availability, graph list, display.
    void BuildDeviceView(int deviceIndex);
    // Day list, first day shown, tabs, yield tables, and the function check once the first view
    // is drawn; failedFiles: the files the load could not read (missing days of the check).
    // Throws text 146 when no day has data.
    void FinishAnalysis(std::vector<std::string> failedFiles = {});

    // Discards a load: the analysis emptied, caption "New".
    void ResetAnalysis();

    // ---- Operations of the main window (and of tests) ----
    void ApplyLanguage();
    void ApplyChartSettings(const ChildDefaults& values);
    // Forced: enabled exactly when value; otherwise computed from span, data set and tab.
    void UpdateExcelAction(bool forced = false, bool value = false);
    bool HasGraphs() const;
    bool TableMode() const;
    // The period texts ("dd.mm.yyyy"; without an end the caption names the start day alone) and
    // the file count the caption shows, then the caption.
    void SetCaptionPeriod(std::string fromText, std::string toText, int fileCount);
    void ActionOpenSettingsExecute();
    // The main window's view, save and print commands.
    void ShowTable(bool on);
    void SaveAnalysis();
    void PrintAnalysis();
    // Activation: recomputes the spreadsheet action and keeps Close in the system menu.
    void OnActivate();

    // Both charts' bottom axes to [minimum, maximum], never holding minimum above maximum.
    void SetWindow(DayTime maximum, DayTime minimum);
    void PanelLeftResize();

    // PanelLeft's width (the graph lists' column); never below its minimum width.
    int PanelLeftWidth() const;
    // The width the header has in its list (PanelLeft's width less frames and scroll bar).
    int HeaderControlWidth() const;

    // Sets the settings editor used by ActionOpenSettingsExecute (the main window's settings
    // dialog); without one the command does nothing.
    static void SetSettingsEditor(ChildSettingsEditor* editor);

signals:
    // Something the main window's action states depend on changed (graphs shown, table mode).
    void CommandStateChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Host;

    void ClearAnalysis();
    void HoldChartDrawing(bool hold);
    void UpdateCaption();
    // Goes to an incident of the function check: its device's tab, the shortest span that holds
    // it with the window on it, markers A and B at its start and end, its fields shown.
    void ShowIncident(const Incident& incident);
    // Fills the tab set from the devices, selects tab 0 (tab-change handling) and removes the
    // tabs again with a single device.
    void FillDeviceTabs();
    // PanelLeft's width changes by the difference between 2 + the sum of the header's section
    // widths and the header's width, so that every column is visible.
    void FitPanelLeftToHeader();
    // SpanTime's seven item texts in the current language, keeping the selection.
    void UpdateSpanTexts();
    // The header back at the top of Overview (where the tab-less states keep it).
    void ReturnHeaderToOverview();
    // The display name of device i (its number while it has no settings yet).
    QString DeviceDisplayName(int deviceIndex) const;
    void SetPanelLeftWidth(int width);
    // The graph list (scroll box) that holds HeaderControl now.
    QScrollArea* ListOfHeader() const;

    void BuildLayout();
    // Builds the parts, each with what it reads and the host of what it may ask, and wires them.
    void InstallParts();
    void ConfigureCharts();
    void OnCreate();
    void StoreHeaderWidths();
    void RemoveAllTabs();
    // The statistics panel's remembered height, and keeping it when the user drags it.
    void RememberStatisticsHeight();
    // However the windows are arranged, the navigation row and both charts at their minimum
    // stay whole (the statistics panel at its minimum too while it is shown).
    void UpdateMinimumSize();

    ChildState state_;
    ChildWidgets w_;
    std::unique_ptr<PartHost> host_;
    ChildParts parts_;
    ReadingParts* reading_ = nullptr; // a child object of the window
    int panelLeftMinWidth_ = 141;

    static ChildSettingsEditor* settingsEditor_;
};

// Ticks every device's remembered graphs in a window whose analysis has just been opened
// (ShowRememberedGraphs), then shows the selected tab's graphs as a tab change does.
void ApplyRememberedGraphs(TChildform& window);

} // namespace korvex
