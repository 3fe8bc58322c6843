#pragma once

// What an analysis window offers for reading its charts: the value readout with two markers,
// the statistics panel of the shown window, the chart keys, and the remembered graph choice.
// Installed once per window, which keeps it.

#include "core/services/AppSettings.h"

#include <QObject>

class QWidget;

#include <memory>

namespace korvex {

class AnalysisDataSet;
class ChartKeys;
class ChartReadout;
class ShownGraphs;
class StatisticsPanel;
struct ChildState;
struct ChildWidgets;

class ReadingParts : public QObject {
    Q_OBJECT
public:
    // A child object of owner, on the window's charts and navigation controls.
    ReadingParts(QWidget& owner, const ChildState& state, const ChildWidgets& widgets);
    ~ReadingParts() override;

    ChartReadout& Readout() { return *readout_; }
    StatisticsPanel& Statistics() { return *statistics_; }
    ChartKeys& Keys() { return *keys_; }

    // The readout and the statistics panel as the options say; the rest of the options (the
    // function check's panel) go to whoever listens to Applied.
    void Apply(const ReadingOptions& options);
    void ApplyLanguage();

signals:
    void Applied(const ReadingOptions& options);

private:
    std::unique_ptr<ShownGraphs> graphs_;
    ChartReadout* readout_ = nullptr;
    StatisticsPanel* statistics_ = nullptr;
    ChartKeys* keys_ = nullptr;
};

// Creates the window's reading parts (a child object of the window), set as the settings file
// says.
ReadingParts& InstallReadingParts(QWidget& owner, const ChildState& state,
                                  const ChildWidgets& widgets);

// Ticks the graphs a newly loaded device starts with: its remembered choice, or its Inputs and
// Outputs when none is stored. A settings file that cannot be read shows the defaults.
void ShowRememberedGraphs(AnalysisDataSet& set);
// Stores the device's ticked graphs (or its Overview marks) after the user changed them; a failed
// write is shown as every settings write failure is (text 94).
void RememberGraphChoice(QWidget* window, const AnalysisDataSet& set,
                         GraphList list = GraphList::Device);

} // namespace korvex
