#pragma once

// What an analysis window shows: one device's data set, or the Overview of the fields every
// device marked. The graph part owns it and changes it as the tabs are selected; the table, the
// yield summary, the export, the outputs and the readout read it.

namespace korvex {

class AnalysisDataSet;

class DeviceSelection {
public:
    // The data set of the selected device tab. None before an analysis, on the tab of a device
    // without data and while the window is cleared; kept while the Overview is shown.
    AnalysisDataSet* Current() const { return current_; }
    // The Overview tab is selected.
    bool Overview() const { return overview_; }

    // A device (none for a device without data): the Overview is left.
    void ShowDevice(AnalysisDataSet* set)
    {
        current_ = set;
        overview_ = false;
    }
    void ShowOverview() { overview_ = true; }
    // The current data set changes, the Overview stays as it is.
    void SetCurrent(AnalysisDataSet* set) { current_ = set; }

private:
    AnalysisDataSet* current_ = nullptr;
    bool overview_ = false;
};

} // namespace korvex
