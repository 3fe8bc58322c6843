#pragma once

// The function check in an analysis window: runs the check over the loaded analysis, lists the
// incidents in its panel below the charts and draws them as light bands behind the upper chart's
// curves. Panel and bands follow the device shown (every device on the Overview tab). A
// double-click on an incident is reported (IncidentChosen); the window goes to it. While the
// function check is switched off the charts look as they always did and the check does not run.

#include "core/check/FunctionCheck.h"

#include <QObject>

#include <string>
#include <vector>

class QWidget;

namespace korvex {

class ChartBands;
class CheckPanel;
struct ChildState;
struct ChildWidgets;

class CheckPart : public QObject {
    Q_OBJECT
public:
    // The panel goes into the window's panel strip, hidden until SetShown.
    CheckPart(QWidget& owner, const ChildState& state, const ChildWidgets& widgets);
    ~CheckPart() override;

    // The check over the analysis as it is now, with the roles and thresholds of the settings
    // file (the defaults when it cannot be read); an empty analysis has no incidents. Switched
    // off, it only notes that the incidents are out of date, and runs once switched on.
    void Run();
    void Clear();
    // The panel's filter and the bands for the view's device, or all on the Overview.
    void FollowView();
    // Panel and bands on or off.
    void SetShown(bool shown);
    bool Shown() const;
    // Headings in the new language, and the check again for its incidents' texts.
    void ApplyLanguage();

    CheckPanel& Panel() { return *panel_; }
    ChartBands& Bands() { return *bands_; }
    const std::vector<Incident>& Incidents() const { return incidents_; }

signals:
    void IncidentChosen(const Incident& incident);

private:
    const ChildState& state_;
    CheckPanel* panel_ = nullptr;
    ChartBands* bands_ = nullptr;
    std::vector<Incident> incidents_;
    bool shown_ = false;
    bool current_ = false; // the incidents are those of the analysis as it is
};

} // namespace korvex
