#pragma once

// Which graphs an analysis starts with: the choice remembered per device and field, or, for a
// device without one, its Inputs and Outputs so that the first analysis shows curves at once.

#include "core/logdata/AnalysisDataSet.h"
#include "core/services/AppSettings.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvex {

// Stored state of a field by its settings key, nothing when the key is not stored.
using StoredGraphState = std::function<std::optional<bool>(const std::string& settingsKey)>;

// The available fields to show, ascending. With a stored choice a field is shown when stored as
// shown, and a field the choice does not name (new in the logs) falls back to the default;
// stored keys without a field are ignored.
std::vector<int> InitialShownFields(const AnalysisDataSet& set, bool hasStoredChoice,
                                    const StoredGraphState& stored);

// The choice to store: every available field by its settings key, shown or not.
GraphChoice CurrentGraphChoice(const AnalysisDataSet& set);

// The available fields marked for the Overview by a stored choice, ascending (none without one:
// a device starts with no Overview marks).
std::vector<int> InitialOverviewFields(const AnalysisDataSet& set, const StoredGraphState& stored);
// The Overview marks to store: every available field by its settings key, marked or not.
GraphChoice CurrentOverviewChoice(const AnalysisDataSet& set);

} // namespace korvex
