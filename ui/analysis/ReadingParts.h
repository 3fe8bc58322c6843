#pragma once

// What an analysis window offers for reading its charts: the value readout with two markers,
// the statistics panel of the shown window, the chart keys, and the remembered graph choice.
// Installed once per window, which keeps it (TChildform::Reading).

#include "core/services/AppSettings.h"

#include <QObject>

#include <memory>

namespace korvex {

class AnalysisDataSet;
class ChartKeys;
class ChartReadout;
class ShownGraphs;
class StatisticsPanel;
class TChildform;

class ReadingParts : public QObject {
    Q_OBJECT
public:
    explicit ReadingParts(TChildform& window);
    ~ReadingParts() override;

    ChartReadout& Readout() { return *readout_; }
    StatisticsPanel& Statistics() { return *statistics_; }
    ChartKeys& Keys() { return *keys_; }

    // The readout and the statistics panel as the options say.
    void Apply(const ReadingOptions& options);
    void ApplyLanguage();

private:
    TChildform& window_;
    std::unique_ptr<ShownGraphs> graphs_;
    ChartReadout* readout_ = nullptr;
    StatisticsPanel* statistics_ = nullptr;
    ChartKeys* keys_ = nullptr;
};

// Creates the window's reading parts (a child object of the window), set as the settings file
// says.
ReadingParts& InstallReadingParts(TChildform& window);

// Ticks the graphs a newly loaded device starts with: its remembered choice, or its Inputs and
// Outputs when none is stored. A settings file that cannot be read shows the defaults.
void ShowRememberedGraphs(AnalysisDataSet& set);
// The same for every device of a window whose analysis has just been opened, then shows the
// selected tab's graphs as a tab change does.
void ApplyRememberedGraphs(TChildform& window);
// Stores the device's ticked graphs (or its Overview marks) after the user changed them; a failed
// write is shown as every settings write failure is (text 94).
void RememberGraphChoice(QWidget* window, const AnalysisDataSet& set,
                         GraphList list = GraphList::Device);

} // namespace korvex
