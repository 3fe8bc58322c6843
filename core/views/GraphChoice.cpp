#include "core/views/GraphChoice.h"

namespace korvex {

namespace {

bool ShownByDefault(FieldCategory category)
{
    return category == FieldCategory::Inputs || category == FieldCategory::Outputs;
}

} // namespace

std::vector<int> InitialShownFields(const AnalysisDataSet& set, bool hasStoredChoice,
                                    const StoredGraphState& stored)
{
    std::vector<int> fields;
    const DeviceSettings* settings = set.deviceSettings();
    if (!settings)
        return fields;
    for (int i = 0; i < set.slotCount() && i < settings->fieldCount(); ++i) {
        if (!set.available(i))
            continue;
        std::optional<bool> shown;
        if (hasStoredChoice && stored)
            shown = stored(settings->settingsKey(i));
        if (shown.value_or(ShownByDefault(settings->category(i))))
            fields.push_back(i);
    }
    return fields;
}

GraphChoice CurrentGraphChoice(const AnalysisDataSet& set)
{
    GraphChoice choice;
    const DeviceSettings* settings = set.deviceSettings();
    if (!settings)
        return choice;
    for (int i = 0; i < set.slotCount() && i < settings->fieldCount(); ++i)
        if (set.available(i))
            choice[settings->settingsKey(i)] = set.shownOrRemembered(i);
    return choice;
}

std::vector<int> InitialOverviewFields(const AnalysisDataSet& set, const StoredGraphState& stored)
{
    std::vector<int> fields;
    const DeviceSettings* settings = set.deviceSettings();
    if (!settings || !stored)
        return fields;
    for (int i = 0; i < set.slotCount() && i < settings->fieldCount(); ++i)
        if (set.available(i) && stored(settings->settingsKey(i)).value_or(false))
            fields.push_back(i);
    return fields;
}

GraphChoice CurrentOverviewChoice(const AnalysisDataSet& set)
{
    GraphChoice choice;
    const DeviceSettings* settings = set.deviceSettings();
    if (!settings)
        return choice;
    for (int i = 0; i < set.slotCount() && i < settings->fieldCount(); ++i)
        if (set.available(i))
            choice[settings->settingsKey(i)] = set.selected(i);
    return choice;
}

} // namespace korvex
