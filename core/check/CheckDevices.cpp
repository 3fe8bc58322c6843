#include "core/check/CheckDevices.h"

#include "core/check/CheckSettings.h"
#include "core/logdata/LogDirectory.h"

namespace korvex {

namespace {

std::string BaseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::vector<CheckDevice> CheckDevicesOf(const std::vector<std::unique_ptr<AnalysisDataSet>>& sets,
                                        const std::vector<std::string>& numbers,
                                        const std::vector<std::string>& failedPaths,
                                        const AppSettings* settings,
                                        std::optional<std::size_t> only)
{
    std::vector<CheckDevice> devices;
    for (std::size_t i = 0; i < sets.size() && i < numbers.size(); ++i) {
        const AnalysisDataSet* set = sets[i].get();
        if (!set || !set->deviceSettings() || (only && *only != i))
            continue;
        CheckDevice d;
        d.set = set;
        d.number = numbers[i];
        const DeviceSettings& device = *set->deviceSettings();
        d.roles = settings ? StoredRoles(*settings, device) : DefaultRoles(device);
        if (settings)
            d.thresholds = StoredThresholds(*settings, device.number());
        for (const std::string& path : failedPaths) {
            const std::string name = BaseName(path);
            DayTime day = 0;
            if (name.substr(0, 2) == d.number && LogFileNameDate(name, day))
                d.failedDays.push_back(day);
        }
        devices.push_back(std::move(d));
    }
    return devices;
}

} // namespace korvex
