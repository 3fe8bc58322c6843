#pragma once

// The rules of the function check, one function each, over one device. Each appends what it
// finds; RunFunctionCheck sorts.

#include "core/check/CheckTimeline.h"
#include "core/check/FunctionCheck.h"

namespace korvex::check {

// What every rule of one device sees: the time line of the device's role fields, built once for
// the rules that compare them.
struct RuleInput {
    const CheckDevice& device;
    const AnalysisDataSet& set;
    double step;                // interval the reader learned (days)
    const CheckTimeline& line;  // the fields below, the night's edges added
    const std::vector<int>& fields;
    // The time line's values of a field slot (which must be one of fields).
    const std::vector<double>& values(int field) const;
};

// The fields the shared time line holds: the role fields that have data.
std::vector<int> CheckedFields(const CheckDevice& device, const AnalysisDataSet& set);
// Sample times to add at the edges of the night (23:00, one interval before 05:00) of every day.
std::vector<DayTime> NightEdges(const AnalysisDataSet& set, double step);

using Rule = void (*)(const RuleInput& in, std::vector<Incident>& out);

void SensorFault(const RuleInput& in, std::vector<Incident>& out);
void SensorStuck(const RuleInput& in, std::vector<Incident>& out);
void LogGap(const RuleInput& in, std::vector<Incident>& out);
void MissingDays(const RuleInput& in, std::vector<Incident>& out);
void NightCirculation(const RuleInput& in, std::vector<Incident>& out);
void DeltaTHigh(const RuleInput& in, std::vector<Incident>& out);
void NoFlow(const RuleInput& in, std::vector<Incident>& out);
void Stagnation(const RuleInput& in, std::vector<Incident>& out);
void PumpNotRunning(const RuleInput& in, std::vector<Incident>& out);
void PumpCycling(const RuleInput& in, std::vector<Incident>& out);

struct RuleEntry {
    const char* id; // the rule's identifier
    Rule run;
};
inline constexpr RuleEntry kCheckRules[] = {
    {"sensor-fault", SensorFault},           {"sensor-stuck", SensorStuck},
    {"log-gap", LogGap},                     {"missing-days", MissingDays},
    {"night-circulation", NightCirculation}, {"delta-t-high", DeltaTHigh},
    {"no-flow", NoFlow},                     {"stagnation", Stagnation},
    {"pump-not-running", PumpNotRunning},    {"pump-cycling", PumpCycling},
};

} // namespace korvex::check
