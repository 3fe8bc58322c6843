#pragma once

#include "core/logdata/ChartHost.h"
#include "core/logdata/DeviceSettings.h"
#include "core/logdata/FieldCategory.h"
#include "core/logdata/Series.h"
#include "core/services/DayTime.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace korvex {

struct ParsedLogFile;

// Told when what a field's graph-list row shows (shown, available) changed: the field's index,
// or -1 for every field. The analysis window's graph lists listen; the data set owns none of them.
using DisplayListener = std::function<void(int field)>;

struct FieldSlot {
    bool available = false;  // has points and is not a derived field
    bool shown = false;      // the series is on its chart
    bool remembered = false; // was shown before the graph became unavailable
    FieldCategory category = FieldCategory::Inputs;
    int partner = 0; // day-sum <-> month-sum field index, 0 otherwise
    ChartHost* chart = nullptr;
    std::unique_ptr<Series> series;
};

// One per loaded file: the day and the reading state of the reader.
struct DayBlock {
    bool started = false;       // a line at or after the day start was accepted
    double allowedStep = 1440;  // minutes
    DayTime lastTime = 0;       // last accepted line; day + 1 once the file is read
    double learnedInterval = 0; // days, 0 = not learned
    DayTime day = 0;            // whole day
    std::uint8_t dayOfMonth = 0;
    std::uint8_t month = 0;
    std::uint16_t year = 0;

    static DayBlock ForDay(DayTime day);
};

// "yyyymmdd" -> whole day number: sorted, without duplicates.
using DayTextList = std::map<std::string, int>;

// Everything known about one bus device within one analysis.
class AnalysisDataSet {
public:
    // Throws KorvexError(Text(TextId::DataStructureNoMemory)) when its lists cannot be created.
    AnalysisDataSet(DayTime rangeStart, DayTime rangeEnd, ChartHost* mainChart,
                    ChartHost* outputsChart);
    ~AnalysisDataSet();
    AnalysisDataSet(const AnalysisDataSet&) = delete;
    AnalysisDataSet& operator=(const AnalysisDataSet&) = delete;

    // ---- Loading ----
    // Reads one log file (LogFileReader with the process-wide warning handler).
    void load(const std::string& path);
    // The same with the file read and parsed on a reading thread.
    void load(const ParsedLogFile& file);
    // Grows the slots by one at index with a new series for the category. Index beyond
    // slotCount(): KorvexError(Text(TextId::DataStructureIndexError)); out of memory: Text(TextId::DataStructureNoMemory).
    void insertSlot(int index, FieldCategory category, bool isSum);
    // Inserts the unit of a new field at its index (the caller keeps the lists parallel).
    void insertUnit(int index, const std::string& unit);
    // Replaces the unit of field i (no-op out of range).
    void setUnit(int i, const std::string& unit);
    void createDeviceSettings(int number, const std::string& name, bool standardName);
    void appendDayBlock(const DayBlock& block);
    void appendFileName(const std::string& path);
    // Trims the point arrays of every series with more than an eighth of its capacity unused
    // (after the last file).
    void shrinkToFit();

    // ---- Reading (out-of-range indices give false, 0 or empty) ----
    bool hasData() const { return !blocks_.empty(); }
    bool shownOrRemembered(int i) const;
    bool shown(int i) const;
    bool available(int i) const;
    bool selected(int i) const;
    void select(int i, bool on);
    bool hasSelection() const { return !selection_.empty(); }
    const std::string& unit(int i) const;
    const std::vector<std::string>& units() const { return units_; }
    DeviceSettings* deviceSettings() { return settings_.get(); }
    const DeviceSettings* deviceSettings() const { return settings_.get(); }
    // Replaces the listener (an empty one: none).
    void setDisplayListener(DisplayListener listener) { displayListener_ = std::move(listener); }
    void notifyDisplayChanged(int field) const
    {
        if (displayListener_)
            displayListener_(field);
    }
    // The loaded file covering t (the nearer neighbour for a day without file).
    std::string fileNameAt(DayTime t) const;
    void addDaysTo(DayTextList& list) const;
    // Appends, in field order, the unit of every shown field of the category (and, with
    // selectedOnly, selected for the overview too); duplicates are left to the list.
    void collectUnits(bool selectedOnly, std::vector<std::string>& list,
                      FieldCategory category) const;

    int slotCount() const { return static_cast<int>(slots_.size()); }
    // Unchecked access for the display and aggregation code.
    FieldSlot& slot(int i) { return slots_[static_cast<std::size_t>(i)]; }
    const FieldSlot& slot(int i) const { return slots_[static_cast<std::size_t>(i)]; }
    // The slot's series or null (out of range or no series).
    Series* series(int i) const;

    const std::vector<DayBlock>& dayBlocks() const { return blocks_; }

    // Where a field's cells read "Err" (the controller's mark for a broken sensor), by field key:
    // runs of consecutive lines (first, last) of each file, in load order. The series has no
    // point for them.
    using ErrRuns = std::vector<std::pair<DayTime, DayTime>>;
    void addErrRuns(const std::string& key, const ErrRuns& runs);
    const ErrRuns& errRuns(const std::string& key) const;
    const std::vector<std::string>& fileNames() const { return fileNames_; }
    int fileCount() const { return fileCount_; }
    DayTime rangeStart() const { return rangeStart_; }
    DayTime rangeEnd() const { return rangeEnd_; }
    ChartHost* mainChart() const { return mainChart_; }
    ChartHost* outputsChart() const { return outputsChart_; }
    ChartHost* chartFor(FieldCategory category) const;

    bool sumMode() const { return sumMode_; }
    void setSumModeFlag(bool on) { sumMode_ = on; }
    bool unitWarningPending() const { return unitWarningPending_; }
    void clearUnitWarningPending() { unitWarningPending_ = false; }

    // Sum of the heap bytes of all series and lists (for memory budgets).
    std::size_t memoryBytes() const;
    // Number of points of all series.
    std::size_t pointCount() const;

    // ---- Display changes (each then applies the field's display) ----
    // Only with data and a series: puts the series on its chart and in the legend.
    bool show(int i);
    void hide(int i);
    void reAddShown();
    void reAddShownAndSelected();
    // Fresh overview selection (all 0), then the display of all fields.
    void prepareDisplay();
    void setOthersAxis(VerticalAxis axis);
    // available = the series has points and the field is not derived.
    void updateAvailability();
    // Removes every shown series from its chart. The destructor does this too: destroy data
    // sets before their charts, or call forgetCharts() when the charts are gone first.
    void detachFromCharts();
    void forgetCharts();

private:
    std::vector<std::uint8_t> selection_;
    bool sumMode_ = false;
    bool unitWarningPending_ = true;
    ChartHost* mainChart_;
    ChartHost* outputsChart_;
    std::vector<DayBlock> blocks_;
    std::map<std::string, ErrRuns> errRuns_;
    std::vector<std::string> units_;
    std::vector<std::string> fileNames_;
    DisplayListener displayListener_;
    std::vector<FieldSlot> slots_;
    std::unique_ptr<DeviceSettings> settings_;
    DayTime rangeEnd_;
    DayTime rangeStart_;
    int fileCount_ = 0;
};

// The data set position of a file among the analysis's sorted device texts ("10", "21", ...).
// Throws KorvexError(Text(TextId::LogFileNotAssigned) + "\n(" + path + ")") when its device is not among them.
int DataSetIndexForFile(const std::vector<std::string>& deviceTexts, const std::string& path);

// The sorted days of all data sets (null entries skipped) as ("yyyymmdd", day) pairs.
// Throws KorvexError(Text(TextId::NoFileToOpen)) when there is none.
std::vector<std::pair<std::string, int>>
CollectAnalysisDays(const std::vector<const AnalysisDataSet*>& sets);

} // namespace korvex
