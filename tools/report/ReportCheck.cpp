#include "tools/report/ReportCheck.h"

#include "core/check/CheckDevices.h"
#include "core/check/CheckSettings.h"
#include "core/check/CheckTexts.h"
#include "core/logdata/LogDirectory.h"
#include "core/services/Cp1252.h"
#include "core/services/Errors.h"
#include "core/services/NumberFormat.h"
#include "core/services/TextCatalogue.h"
#include "tools/report/JsonWriter.h"
#include "tools/report/ReportMessages.h"
#include "tools/report/ReportRun.h"

#include <algorithm>

namespace korvex::report {

namespace {

constexpr const char* kTimeFormat = "yyyy-mm-dd hh:nn";

} // namespace

CheckOutcome RunCheck(const ReportOptions& options, const ReportAnalysis& analysis,
                      const LogLoadResult& load, std::optional<std::size_t> only)
{
    CheckOutcome outcome;
    const AppSettings* settings = nullptr;
    try {
        settings = &AppSettings::Get();
    } catch (const SettingsFileError&) {
        // Without a readable settings file the defaults serve.
    }
    std::vector<std::string> failedPaths;
    for (const LogLoadFailure& f : load.failures)
        failedPaths.push_back(f.path);
    std::vector<CheckDevice> devices = CheckDevicesOf(analysis.dataSets, analysis.deviceNumbers,
                                                      failedPaths, settings, only);
    if (options.roles) {
        const RolesOption given = ParseRolesOption(*options.roles);
        if (given.error != RolesError::None) {
            static const char* const kReasons[] = {
                "", "--roles: \"%1\" needs a device number and a colon",
                "--roles: \"%1\" is no two-digit device number",
                "--roles: unknown role \"%1\" (collector, store, pump, flow)",
                "--roles: the role %1 needs a field key"};
            outcome.exitCode = ExitUsage;
            outcome.usage =
                Message(kReasons[static_cast<int>(given.error)], {given.errorPart});
            return outcome;
        }
        for (const auto& [number, roles] : given.devices) {
            const auto it = std::find_if(devices.begin(), devices.end(),
                                         [&](const CheckDevice& d) { return d.number == number; });
            if (it == devices.end()) {
                outcome.exitCode = ExitUsage;
                outcome.usage = Message("--roles: device %1 is not in the analysis", {number});
                return outcome;
            }
            for (const std::string& key : roles.keys)
                if (!key.empty() && it->set->deviceSettings()->find(key) < 0) {
                    outcome.exitCode = ExitUsage;
                    outcome.usage = Message("--roles: device %1 has no field %2", {number, key});
                    return outcome;
                }
            it->roles = roles;
        }
    }
    const std::vector<Incident> incidents = RunFunctionCheck(devices);
    const bool found = std::any_of(incidents.begin(), incidents.end(), IsAboutTheInstallation);
    outcome.exitCode = found ? ExitFound : ExitSuccess;
    auto fields = [](const Incident& i, const char* separator) {
        std::string text;
        for (const std::string& f : i.fields)
            text += (text.empty() ? "" : separator) + f;
        return text;
    };
    if (!options.json) {
        std::string text = std::string(CheckText("heading-rule")) + ';' +
                           Text(TextId::StatisticsDevice) + ';' + CheckText("heading-fields") +
                           ';' + CheckText("heading-start") + ';' + CheckText("heading-end") +
                           ';' + CheckText("heading-peak") + ';' + CheckText("heading-text") +
                           "\r\n";
        for (const Incident& i : incidents)
            text += i.rule + ';' + i.device + ';' + fields(i, ",") + ';' +
                    FormatDayTime(kTimeFormat, i.start) + ';' + FormatDayTime(kTimeFormat, i.end) +
                    ';' + (i.peak ? FormatYield(*i.peak) : std::string()) + ';' + i.text + "\r\n";
        outcome.output = Utf8ToCp1252(text);
        return outcome;
    }
    JsonWriter w;
    w.BeginObject();
    w.Key("roles").BeginObject();
    for (const CheckDevice& d : devices) {
        w.Key(d.number).BeginObject();
        for (int r = 0; r < kCheckRoleCount; ++r) {
            w.Key(kCheckRoleNames[static_cast<std::size_t>(r)]);
            const std::string& key = d.roles.key(static_cast<CheckRole>(r));
            key.empty() ? w.Null() : w.String(key);
        }
        w.EndObject();
    }
    w.EndObject();
    w.Key("incidents").BeginArray();
    for (const Incident& i : incidents) {
        w.BeginObject();
        w.Key("rule").String(i.rule);
        w.Key("device").String(i.device);
        w.Key("fields").BeginArray();
        for (const std::string& f : i.fields)
            w.String(f);
        w.EndArray();
        w.Key("start").String(FormatDayTime(kTimeFormat, i.start));
        w.Key("end").String(FormatDayTime(kTimeFormat, i.end));
        w.Key("peak");
        i.peak ? w.Number(*i.peak) : w.Null();
        w.Key("text").String(i.text);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    outcome.output = w.take() + "\n";
    return outcome;
}

} // namespace korvex::report
