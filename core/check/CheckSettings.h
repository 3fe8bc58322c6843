#pragma once

// The function check's roles and thresholds in the settings file: section Roles:NN (keys
// collector, store, pump, flow) and section Check:NN (one key per threshold), per device number.

#include "core/check/FunctionCheck.h"
#include "core/services/AppSettings.h"

namespace korvex {

// The stored roles of the device, or its default roles when none are stored.
DeviceRoles StoredRoles(const AppSettings& settings, const DeviceSettings& device);
// The stored thresholds of the device; a threshold not stored (or not a number) keeps its default.
CheckThresholds StoredThresholds(const AppSettings& settings, int deviceNumber);

// Writes the device's roles (every role, empty for none) and thresholds in one replacement of the
// file. Roles equal to the defaults and thresholds at their default are written only where the
// file holds them already, so that a later change of a default reaches untouched devices. A
// failed write throws SettingsFileError (text 94); nothing is written while the file is not open.
void SaveCheckSettings(AppSettings& settings, const DeviceSettings& device,
                       const DeviceRoles& roles, const CheckThresholds& thresholds);

// "10:collector=T1,store=T3,pump=R1,flow=V;20:collector=T1" as roles per two-digit device text.
// A device named gets exactly the roles given (the others none). On an error, what is wrong and
// the part it is about.
enum class RolesError { None, NoColon, NoDevice, UnknownRole, NoKey };
struct RolesOption {
    std::vector<std::pair<std::string, DeviceRoles>> devices;
    RolesError error = RolesError::None;
    std::string errorPart;
};
RolesOption ParseRolesOption(std::string_view text);

} // namespace korvex
