#include "core/check/CheckSettings.h"

#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"

#include <charconv>
#include <cmath>

namespace korvex {

namespace {

std::string Section(const char* prefix, int deviceNumber)
{
    return prefix + std::to_string(deviceNumber);
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// Shortest text that reads back as the same number, with a point whatever the locale.
std::string NumberText(double value)
{
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

[[noreturn]] void WriteFailed()
{
    throw SettingsFileError(Text(TextId::SettingsFileAccessFailed));
}

} // namespace

DeviceRoles StoredRoles(const AppSettings& settings, const DeviceSettings& device)
{
    const std::string section = Section("Roles:", device.number());
    if (!settings.sectionExists(section))
        return DefaultRoles(device);
    DeviceRoles roles;
    for (int i = 0; i < kCheckRoleCount; ++i)
        if (const auto key = settings.readValue(section, kCheckRoleNames[static_cast<std::size_t>(i)]))
            roles.set(static_cast<CheckRole>(i), std::string(Trim(*key)));
    return roles;
}

CheckThresholds StoredThresholds(const AppSettings& settings, int deviceNumber)
{
    CheckThresholds t;
    const std::string section = Section("Check:", deviceNumber);
    for (const ThresholdEntry& e : kThresholdEntries) {
        const auto text = settings.readValue(section, e.key);
        if (!text)
            continue;
        std::string number(Trim(*text));
        for (char& c : number)
            if (c == ',')
                c = '.';
        double value = 0;
        const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
        if (ec == std::errc() && end == number.data() + number.size() && std::isfinite(value))
            t.*(e.value) = value;
    }
    return t;
}

void SaveCheckSettings(AppSettings& settings, const DeviceSettings& device,
                       const DeviceRoles& roles, const CheckThresholds& thresholds)
{
    if (!settings.isOpen())
        return;
    IniFile& file = settings.file();
    const std::string rolesSection = Section("Roles:", device.number());
    const std::string checkSection = Section("Check:", device.number());
    const CheckThresholds defaults;
    if (!file.beginUpdate())
        WriteFailed();
    bool written = true;
    if (file.sectionExists(rolesSection) || roles != DefaultRoles(device)) {
        for (int i = 0; i < kCheckRoleCount; ++i)
            written = written && file.writeString(rolesSection,
                                                  kCheckRoleNames[static_cast<std::size_t>(i)],
                                                  roles.keys[static_cast<std::size_t>(i)]);
    }
    for (const ThresholdEntry& e : kThresholdEntries) {
        const double value = thresholds.*(e.value);
        if (value != defaults.*(e.value) || file.valueExists(checkSection, e.key))
            written = written && file.writeString(checkSection, e.key, NumberText(value));
    }
    if (!file.endUpdate() || !written)
        WriteFailed();
}

RolesOption ParseRolesOption(std::string_view text)
{
    RolesOption result;
    auto fail = [&result](RolesError error, std::string_view part) {
        result.devices.clear();
        result.error = error;
        result.errorPart = std::string(part);
        return result;
    };
    while (!text.empty()) {
        const std::size_t semicolon = text.find(';');
        std::string_view part = Trim(text.substr(0, semicolon));
        text = semicolon == std::string_view::npos ? std::string_view() : text.substr(semicolon + 1);
        if (part.empty())
            continue;
        const std::size_t colon = part.find(':');
        if (colon == std::string_view::npos)
            return fail(RolesError::NoColon, part);
        const std::string_view device = Trim(part.substr(0, colon));
        if (device.size() != 2 || device.find_first_not_of("0123456789") != std::string_view::npos)
            return fail(RolesError::NoDevice, device);
        DeviceRoles roles;
        std::string_view list = part.substr(colon + 1);
        while (!list.empty()) {
            const std::size_t comma = list.find(',');
            const std::string_view item = Trim(list.substr(0, comma));
            list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
            const std::size_t equals = item.find('=');
            const std::string_view name = Trim(item.substr(0, equals));
            const std::optional<CheckRole> role = CheckRoleFromName(name);
            if (!role)
                return fail(RolesError::UnknownRole, name);
            if (equals == std::string_view::npos || Trim(item.substr(equals + 1)).empty())
                return fail(RolesError::NoKey, name);
            roles.set(*role, std::string(Trim(item.substr(equals + 1))));
        }
        result.devices.emplace_back(std::string(device), roles);
    }
    return result;
}

} // namespace korvex
