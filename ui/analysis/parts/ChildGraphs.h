#pragma once

// The analysis window's graph side: one graph list per device and the Overview list under the
// shared column header, the show and overview boxes of their rows, which series are on the two
// charts, the axis titles with the four axis placeholders, the dynamic Y scale of the upper
// chart and the stacked output bands of the lower one. It also carries the window's zoom,
// panning, wheel and axis-label handling (ChartZoomHandlers.h, ChartAxisLabels.h).

#include "core/logdata/FieldCategory.h"
#include "core/services/TextId.h"
#include "core/views/AnalysisView.h"
#include "core/views/ChildState.h"
#include "ui/analysis/parts/PartHost.h"

#include <QString>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QScrollArea;
class QWidget;

namespace korvex {

class AnalysisDataSet;
class ChartAxisLabels;
class ChartZoomHandlers;
class GraphListBox;
class LineSeries;
class TGraphPanel;
struct ChildWidgets;

class ChildGraphs final {
public:
    // Connects the header, both charts' zoom, scroll, mouse and label events and the repaint
    // timer of the window. owner: the window as the parent of message boxes; host: what the
    // part may ask of the window; overviewMarksChanged: run after a row's overview box changed a
    // mark (the table refills).
    ChildGraphs(QWidget& owner, const ChildState& state, const ChildWidgets& widgets,
                PartHost& host, std::function<void()> overviewMarksChanged);
    ~ChildGraphs();
    ChildGraphs(const ChildGraphs&) = delete;
    ChildGraphs& operator=(const ChildGraphs&) = delete;

    // ---- Lists, axes and the output chart ----
    void CreateAxisPlaceholders();
    void BuildGraphList(AnalysisDataSet& dataSet);
    QScrollArea* GraphListOf(const AnalysisDataSet& dataSet) const;
    void LayoutGraphList(QScrollArea* container, bool setCaption, const QString& caption);
    void HeaderControlSectionResize(int section);
    void UpdateAxisTitles();
    void UpdateOutputChart(bool forced, bool overview);
    void AnalysisCleared();

    // ---- Graph lists ----
    // Rebuilds the Overview list from the overview marks of every device and brings it to the
    // front (header caption: the last tab's text).
    void BuildOverviewList();
    // The panel and the shown list fitted to the header's columns, as a resize by the user
    // does, but without counting as one.
    void FitToHeader();
    // The header's hint becomes the caption of the section under x (empty outside all).
    void HeaderControlMouseMove(int x);
    // The show box of row was clicked (its state is the new one). Throws text 101 when the
    // field cannot be shown; the box is then unticked and the field hidden. The output chart is
    // updated in every case.
    void ShowGraphClick(TGraphPanel& row);
    // The overview box of row was clicked: the field's overview mark follows it, then the table
    // is refilled.
    void ShowOverviewClick(TGraphPanel& row);
    // show/hide of field i, then axis titles and the main window's command states. ShowField
    // returns false when the data set has no data or no series for it.
    bool ShowField(AnalysisDataSet& dataSet, int field);
    void HideField(AnalysisDataSet& dataSet, int field);

    // ---- Series on the charts (tab switching, span changes) ----
    // Detaches every series (placeholders too) from both charts; frees none.
    void RemoveAllSeries();
    // The current data set puts its shown series back on the charts.
    void AddShownSeries();
    // Every data set puts back its series that are shown and marked for the overview.
    void AddOverviewSeries();
    // Offsets 0, -150, -300 ... for the output series in the lower chart's order.
    void RestackOutputs();
    // The graph side of selecting a device tab: overview mode off, the device becomes the
    // current data set, its list comes to the front with caption as the header caption, its
    // shown series replace those on the charts, then titles, output bands and repaint.
    void SelectDeviceGraphs(AnalysisDataSet& dataSet, const QString& caption);
    // The graph side of selecting the Overview tab: Overview list rebuilt, the shown and marked
    // series of all devices on the charts, overview mode on, titles, output bands, repaint.
    void SelectOverviewGraphs();
    // The graph side of selecting the tab of a device whose every file failed: no data set is
    // current, every list is hidden (no box may act on another device), the charts are emptied.
    void SelectNoDeviceGraphs();
    // A refused tab change puts back the selection from before it.
    void RestoreSelection(const AnalysisView& before);
    // A loaded analysis: first is current until a tab is selected, no output band is named yet.
    void AnalysisLoaded(AnalysisDataSet* first);
    // The data sets are about to be freed: none stays current or names an output band.
    void ReleaseDataSets();

    // ---- What the part owns, for the others to read ----
    // The window's view state (what is selected), which the part changes through its host.
    const AnalysisView& Selection() const { return state_.view; }
    // Names of the output bands in the lower chart, top first.
    const std::vector<std::string>& OutputNames() const { return outputNames_; }
    // Which axis placeholder series are in their chart (numbered as for AxisPlaceholder);
    // HasGraphs and the outputs discount them.
    const std::array<bool, 4>& PlaceholdersOn() const { return placeholdersOn_; }
    // The user resized a column of the header since the window was created.
    bool HeaderWidthsChanged() const { return headerWidthsChanged_; }

    // ---- Axes ----
    // Name of output band k (top first), "" beyond the list.
    QString OutputNameAt(int k) const;
    // Units of the shown fields of a category, sorted, each once, joined by three blanks.
    std::string UnitsOfKind(FieldCategory category) const;
    // Fits the upper chart's left and right axes to the points in the displayed time window.
    void DynamicScale();
    // Axis placeholder series i (0 Chart left, 1 Chart right, 2 Chart2 left, 3 Chart2 right);
    // null before CreateAxisPlaceholders.
    LineSeries* AxisPlaceholder(int i) const;

    ChartZoomHandlers& Zoom() { return *zoom_; }
    ChartAxisLabels& Labels() { return *labels_; }

private:
    // Widens the header's columns to their captions and the name column to the widest name.
    void FitColumnsToTexts(const QWidget* content);

    // ---- list building ----
    QWidget* NewHeading(QWidget* content, int top, const QString& caption);
    void NewSeparator(QWidget* content, int& y);
    TGraphPanel* NewRow(QWidget* content, AnalysisDataSet& dataSet, int field, int y,
                        bool withOverviewBox);
    void NewVerticalLines(QWidget* content, int y);
    int HeadingHeight() const;
    int RowHeight() const;
    void AddGroup(QWidget* content, AnalysisDataSet& dataSet, FieldCategory category,
                  TextId heading, int& y, bool withOverviewBox);
    bool MultiDevice() const;

    // The data sets stop telling the lists, and the lists go (before their data sets do).
    void DropGraphLists();

    // ---- axes ----
    void SetPlaceholder(int i, bool on);
    void SyncAxisVisibility();

    QWidget& owner_;
    PartHost& host_;
    const ChildState& state_;
    const ChildWidgets& w_;
    std::vector<std::string> outputNames_;
    std::array<bool, 4> placeholdersOn_{};
    bool headerWidthsChanged_ = false;
    std::array<std::unique_ptr<LineSeries>, 4> placeholders_;
    std::unique_ptr<ChartZoomHandlers> zoom_;
    std::unique_ptr<ChartAxisLabels> labels_;
    std::function<void()> overviewMarksChanged_;
    // The graph list of each data set, built with it.
    std::map<const AnalysisDataSet*, std::unique_ptr<GraphListBox>> lists_;
};

} // namespace korvex
