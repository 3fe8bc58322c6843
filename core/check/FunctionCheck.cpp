#include "core/check/FunctionCheck.h"

#include "core/check/CheckRules.h"
#include "core/views/Readout.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <system_error>
#include <thread>
#include <tuple>

namespace korvex {

const std::array<ThresholdEntry, 16> kThresholdEntries = {{
    {"SensorLowest", &CheckThresholds::sensorLowest},
    {"SensorHighest", &CheckThresholds::sensorHighest},
    {"StuckHours", &CheckThresholds::stuckHours},
    {"GapMinutes", &CheckThresholds::gapMinutes},
    {"NightCollector", &CheckThresholds::nightCollector},
    {"NightMinutes", &CheckThresholds::nightMinutes},
    {"DeltaTHigh", &CheckThresholds::deltaTHigh},
    {"DeltaTMinutes", &CheckThresholds::deltaTMinutes},
    {"NoFlowMinutes", &CheckThresholds::noFlowMinutes},
    {"Stagnation", &CheckThresholds::stagnation},
    {"StagnationMinutes", &CheckThresholds::stagnationMinutes},
    {"PumpOffDeltaT", &CheckThresholds::pumpOffDeltaT},
    {"PumpOffStoreBelow", &CheckThresholds::pumpOffStoreBelow},
    {"PumpOffMinutes", &CheckThresholds::pumpOffMinutes},
    {"CyclingStarts", &CheckThresholds::cyclingStarts},
    {"CyclingWindowMinutes", &CheckThresholds::cyclingWindowMinutes},
}};

std::optional<CheckRole> CheckRoleFromName(std::string_view name)
{
    for (int i = 0; i < kCheckRoleCount; ++i)
        if (name == kCheckRoleNames[static_cast<std::size_t>(i)])
            return static_cast<CheckRole>(i);
    return std::nullopt;
}

DeviceRoles DefaultRoles(const DeviceSettings& settings)
{
    DeviceRoles roles;
    if (settings.number() != 10 && settings.number() != 20)
        return roles;
    const std::pair<CheckRole, const char*> defaults[] = {{CheckRole::Collector, "T1"},
                                                          {CheckRole::Store, "T2"},
                                                          {CheckRole::Pump, "R1"},
                                                          {CheckRole::Flow, "V"}};
    for (const auto& [role, key] : defaults)
        if (settings.find(key) >= 0)
            roles.set(role, key);
    return roles;
}

bool IsAboutTheInstallation(const Incident& incident)
{
    return incident.rule != "log-gap" && incident.rule != "missing-days";
}

std::vector<Incident> RunFunctionCheck(const std::vector<CheckDevice>& devices)
{
    // One task per device: its rules share the device's time line. A year of several devices
    // spreads over the cores; each task writes its own list, so the result does not depend on it.
    struct Task {
        const CheckDevice* device;
        std::vector<Incident> found;
    };
    std::vector<Task> tasks;
    for (const CheckDevice& device : devices)
        if (device.set && device.set->deviceSettings())
            tasks.push_back({&device, {}});
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t t = next++; t < tasks.size(); t = next++) {
            const CheckDevice& device = *tasks[t].device;
            const AnalysisDataSet& set = *device.set;
            const double step = LearnedStep(set);
            const std::vector<int> fields = check::CheckedFields(device, set);
            const CheckTimeline line =
                fields.empty() ? CheckTimeline{}
                               : BuildCheckTimeline(set, fields, step, check::NightEdges(set, step));
            const check::RuleInput in{device, set, step, line, fields};
            for (const check::RuleEntry& rule : check::kCheckRules)
                rule.run(in, tasks[t].found);
        }
    };
    std::vector<std::thread> threads;
    const std::size_t helpers =
        std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), tasks.size());
    try {
        for (std::size_t h = 1; h < helpers; ++h)
            threads.emplace_back(work);
    } catch (const std::system_error&) {
        // this thread takes the rest
    }
    work();
    for (std::thread& t : threads)
        t.join();
    std::vector<Incident> incidents;
    for (Task& task : tasks)
        incidents.insert(incidents.end(), std::make_move_iterator(task.found.begin()),
                         std::make_move_iterator(task.found.end()));
    std::stable_sort(incidents.begin(), incidents.end(), [](const Incident& a, const Incident& b) {
        return std::tie(a.start, a.device) < std::tie(b.start, b.device);
    });
    return incidents;
}

} // namespace korvex
