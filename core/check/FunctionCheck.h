#pragma once

// Function check: the rules that find an installation's faults in the logs of an analysis, run
// over the data sets' series. The analysis window and korvex-report call the same code. A rule
// is one unit in CheckRules.cpp over the shared time line (CheckTimeline.h), one entry of
// kCheckRules with its texts in CheckTexts.cpp, and one test.

#include "core/logdata/AnalysisDataSet.h"
#include "core/services/DayTime.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// The solar circuit's fields a rule needs to know.
enum class CheckRole { Collector, Store, Pump, Flow };
constexpr int kCheckRoleCount = 4;
constexpr std::array<const char*, kCheckRoleCount> kCheckRoleNames = {"collector", "store", "pump",
                                                                      "flow"};
std::optional<CheckRole> CheckRoleFromName(std::string_view name);

// Field key per role; empty for none.
struct DeviceRoles {
    std::array<std::string, kCheckRoleCount> keys;
    const std::string& key(CheckRole role) const { return keys[static_cast<int>(role)]; }
    void set(CheckRole role, std::string key) { keys[static_cast<int>(role)] = std::move(key); }
    bool operator==(const DeviceRoles&) const = default;
};

// Solar controllers (device numbers 10 and 20): collector T1, store T2, pump R1, flow V, each
// only where the device has that field. Every other device has none.
DeviceRoles DefaultRoles(const DeviceSettings& settings);

// Thresholds in °C, K, minutes and counts; every one may be changed per device.
struct CheckThresholds {
    double sensorLowest = -40;      // sensor-fault below
    double sensorHighest = 250;     // sensor-fault above
    double stuckHours = 24;         // sensor-stuck
    double gapMinutes = 30;         // log-gap
    double nightCollector = 40;     // night-circulation: collector above
    double nightMinutes = 1;        //   from 23:00 to before 05:00
    double deltaTHigh = 50;         // delta-t-high: collector - store above
    double deltaTMinutes = 20;      //
    double noFlowMinutes = 5;       // no-flow
    double stagnation = 120;        // stagnation: collector at or above
    double stagnationMinutes = 10;  //
    double pumpOffDeltaT = 20;      // pump-not-running: collector - store at least
    double pumpOffStoreBelow = 85;  //   with the store below
    double pumpOffMinutes = 15;     //
    double cyclingStarts = 10;      // pump-cycling: starts within
    double cyclingWindowMinutes = 60;
    bool operator==(const CheckThresholds&) const = default;
};

// The thresholds as named values, for the settings file and the settings dialog.
struct ThresholdEntry {
    const char* key;                  // settings key, "NightCollector"
    double CheckThresholds::*value;   // member
};
extern const std::array<ThresholdEntry, 16> kThresholdEntries;

struct Incident {
    std::string rule;   // identifier, never translated ("night-circulation")
    std::string device; // two-digit device text
    std::vector<std::string> fields;
    DayTime start = 0;
    DayTime end = 0;
    std::optional<double> peak;
    std::string text; // what was seen and its likely causes, in the current language
};

// log-gap and missing-days are listed but say nothing about the installation itself.
bool IsAboutTheInstallation(const Incident& incident);

struct CheckDevice {
    const AnalysisDataSet* set = nullptr;
    std::string number; // two-digit device text
    DeviceRoles roles;
    CheckThresholds thresholds;
    std::vector<DayTime> failedDays; // days whose file failed
};

// Every rule over every device, sorted by start (then device and rule).
std::vector<Incident> RunFunctionCheck(const std::vector<CheckDevice>& devices);

} // namespace korvex
