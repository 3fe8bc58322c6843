// The analysis window's way to an incident of the function check.

#include "ui/analysis/window/TChildform.h"

#include "core/check/FunctionCheck.h"
#include "core/logdata/AnalysisDataSet.h"
#include "core/views/IncidentWindow.h"
#include "ui/analysis/parts/CheckPart.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/parts/ChildNavigation.h"
#include "ui/analysis/parts/ReadingParts.h"
#include "ui/chart/ChartReadout.h"

#include <QTabBar>

#include <algorithm>

namespace korvex {

CheckPart& TChildform::Check()
{
    return *parts_.check;
}

void TChildform::ShowIncident(const Incident& incident)
{
    const auto it =
        std::find(state_.deviceNumbers.begin(), state_.deviceNumbers.end(), incident.device);
    if (it == state_.deviceNumbers.end())
        return;
    const int device = static_cast<int>(it - state_.deviceNumbers.begin());
    AnalysisDataSet* set = state_.DataSet(device);
    if (!set || !set->deviceSettings())
        return;

    // On the Overview, the incident's device comes to the front: its own charts show its fields.
    if ((state_.view.Overview() || state_.view.Current() != set) &&
        device < w_.tabSetDevices->count())
        w_.tabSetDevices->setCurrentIndex(device); // as a click on the tab


    for (const std::string& key : incident.fields) {
        const int field = set->deviceSettings()->find(key);
        if (field >= 0 && !set->shown(field))
            parts_.graphs->ShowField(*set, field);
    }
    parts_.graphs->UpdateOutputChart(false, false);

    const IncidentPlacement place =
        PlaceIncident(parts_.navigation->State(), incident.start, incident.end);
    parts_.navigation->ShowPlacement(place.spanItem, place.placement);

    ChartReadout& readout = reading_->Readout();
    readout.ClearMarkers();
    readout.SetMarker(incident.start);
    readout.SetMarker(incident.end);
}

} // namespace korvex
