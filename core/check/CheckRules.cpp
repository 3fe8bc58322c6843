#include "core/check/CheckRules.h"

#include "core/check/CheckTimeline.h"
#include "core/check/CheckTexts.h"

#include <algorithm>
#include <cmath>

namespace korvex::check {

namespace {

constexpr double kMinute = 1.0 / 1440.0;

const CheckThresholds& Limits(const RuleInput& in)
{
    return in.device.thresholds;
}

// Slot of the role's field, -1 when the role is not set or the device has no data for it.
int RoleField(const RuleInput& in, CheckRole role)
{
    const std::string& key = in.device.roles.key(role);
    const DeviceSettings* settings = in.set.deviceSettings();
    if (key.empty() || !settings)
        return -1;
    const int i = settings->find(key);
    return i >= 0 && in.set.available(i) ? i : -1;
}

std::string KeyOf(const RuleInput& in, int field)
{
    return in.set.deviceSettings()->key(field);
}

void Add(const RuleInput& in, std::vector<Incident>& out, const char* rule,
         std::vector<std::string> fields, DayTime start, DayTime end, std::optional<double> peak,
         const char* textKey)
{
    out.push_back({rule, in.device.number, std::move(fields), start, end, peak, CheckText(textKey)});
}

// Measured temperature fields with data.
std::vector<int> TemperatureFields(const RuleInput& in)
{
    std::vector<int> fields;
    const DeviceSettings* settings = in.set.deviceSettings();
    if (!settings)
        return fields;
    for (int i = 0; i < in.set.slotCount() && i < settings->fieldCount(); ++i)
        if (in.set.available(i) && settings->category(i) == FieldCategory::Inputs &&
            IsTemperatureUnit(in.set.unit(i)))
            fields.push_back(i);
    return fields;
}

} // namespace

const std::vector<double>& RuleInput::values(int field) const
{
    const auto it = std::find(fields.begin(), fields.end(), field);
    return line.values[static_cast<std::size_t>(it - fields.begin())];
}

std::vector<int> CheckedFields(const CheckDevice& device, const AnalysisDataSet& set)
{
    const CheckTimeline none;
    const std::vector<int> noFields;
    const RuleInput probe{device, set, 0, none, noFields};
    std::vector<int> fields;
    for (int r = 0; r < kCheckRoleCount; ++r) {
        const int f = RoleField(probe, static_cast<CheckRole>(r));
        if (f >= 0 && std::find(fields.begin(), fields.end(), f) == fields.end())
            fields.push_back(f);
    }
    return fields;
}

std::vector<DayTime> NightEdges(const AnalysisDataSet& set, double step)
{
    std::vector<DayTime> edges;
    for (const DayBlock& block : set.dayBlocks()) {
        edges.push_back(block.day + 23.0 / 24.0);
        edges.push_back(block.day + 5.0 / 24.0 - (step > 0 ? step : kMinute));
    }
    return edges;
}

namespace {

bool On(double pump)
{
    return pump > 0;
}

bool Off(double pump)
{
    return !std::isnan(pump) && pump <= 0;
}

// Runs of the condition that last long enough, each with the peak of peakOf over the run.
template <class Holds, class PeakOf>
void RoleRule(const RuleInput& in, std::vector<Incident>& out, const char* rule,
              const std::vector<int>& fields, const CheckTimeline& line, double minutes,
              Holds&& holds, PeakOf&& peakOf)
{
    std::vector<std::string> keys;
    for (int f : fields)
        keys.push_back(KeyOf(in, f));
    for (const SampleRun& run : FindSampleRuns(line, holds)) {
        const DayTime start = line.times[run.first], end = line.times[run.last];
        if (!LastsAtLeast(start, end, minutes))
            continue;
        std::optional<double> peak;
        for (std::size_t i = run.first; i <= run.last; ++i)
            if (const std::optional<double> p = peakOf(i); p && (!peak || *p > *peak))
                peak = p;
        Add(in, out, rule, keys, start, end, peak, rule);
    }
}

// Collector, store and pump on the shared time line, for the rules that compare collector and
// store while looking at the pump.
struct Circuit {
    std::vector<int> fields; // collector, store, pump
    const std::vector<double>& c;
    const std::vector<double>& s;
    const std::vector<double>& p;
};
std::optional<Circuit> CircuitOf(const RuleInput& in)
{
    const int collector = RoleField(in, CheckRole::Collector);
    const int store = RoleField(in, CheckRole::Store);
    const int pump = RoleField(in, CheckRole::Pump);
    if (collector < 0 || store < 0 || pump < 0)
        return std::nullopt;
    return Circuit{{collector, store, pump}, in.values(collector), in.values(store),
                   in.values(pump)};
}

std::optional<double> NoPeak(std::size_t)
{
    return std::nullopt;
}

} // namespace

void SensorFault(const RuleInput& in, std::vector<Incident>& out)
{
    const CheckThresholds& t = Limits(in);
    for (int f : TemperatureFields(in)) {
        // A field's own samples: the shared time line holds the role fields only.
        const CheckTimeline line = BuildCheckTimeline(in.set, {f}, in.step);
        const std::vector<double>& v = line.values[0];
        const auto outside = [&](std::size_t i) {
            return v[i] < t.sensorLowest || v[i] > t.sensorHighest;
        };
        // The reading furthest out of range.
        const auto worst = [&](std::size_t i) -> std::optional<double> {
            return std::fabs(v[i] - (v[i] < t.sensorLowest ? t.sensorLowest : t.sensorHighest));
        };
        // Cells that read "Err": runs of lines, joined where the next file goes on within one
        // interval (across midnight).
        const AnalysisDataSet::ErrRuns& errs = in.set.errRuns(KeyOf(in, f));
        for (std::size_t i = 0; i < errs.size();) {
            std::size_t j = i;
            while (j + 1 < errs.size() &&
                   errs[j + 1].first - errs[j].second <= in.step + 0.5 / 86400.0)
                ++j;
            Add(in, out, "sensor-fault", {KeyOf(in, f)}, errs[i].first, errs[j].second,
                std::nullopt, "sensor-fault");
            i = j + 1;
        }
        for (const SampleRun& run : FindSampleRuns(line, outside)) {
            std::size_t at = run.first;
            for (std::size_t i = run.first; i <= run.last; ++i)
                if (*worst(i) > *worst(at))
                    at = i;
            Add(in, out, "sensor-fault", {KeyOf(in, f)}, line.times[run.first],
                line.times[run.last], v[at], "sensor-fault");
        }
    }
}

void SensorStuck(const RuleInput& in, std::vector<Incident>& out)
{
    const double hours = Limits(in).stuckHours;
    for (int f : TemperatureFields(in)) {
        const CheckTimeline line = BuildCheckTimeline(in.set, {f}, in.step);
        const std::vector<double>& v = line.values[0];
        std::size_t first = 0;
        for (std::size_t i = 0; i <= line.times.size(); ++i) {
            const bool goesOn = i < line.times.size() && i > first && !line.breakBefore[i] &&
                                v[i] == v[first];
            if (goesOn)
                continue;
            if (i > first && !std::isnan(v[first]) &&
                LastsAtLeast(line.times[first], line.times[i - 1], hours * 60))
                Add(in, out, "sensor-stuck", {KeyOf(in, f)}, line.times[first],
                    line.times[i - 1], v[first], "sensor-stuck");
            first = i;
        }
    }
}

void LogGap(const RuleInput& in, std::vector<Incident>& out)
{
    // The reader marks a gap inside a file with a null point at the time of the line after it,
    // in every field that goes on: the measured fields tell all gaps.
    std::vector<std::pair<DayTime, DayTime>> gaps; // previous line, next line
    const DeviceSettings* settings = in.set.deviceSettings();
    for (int f = 0; settings && f < in.set.slotCount() && f < settings->fieldCount(); ++f) {
        const Series* s = in.set.series(f);
        if (!s || !in.set.available(f) || settings->category(f) == FieldCategory::Others)
            continue;
        const std::size_t n = static_cast<std::size_t>(s->count());
        VisitPoints(s->xs(), s->ys(), [&](const auto x, const auto y) {
            for (std::size_t i = 1; i + 1 < n; ++i)
                if (std::isnan(y[i]) && !std::isnan(y[i - 1]) && !std::isnan(y[i + 1]) &&
                    x[i] == x[i + 1] && x[i - 1] < x[i])
                    gaps.emplace_back(x[i - 1], x[i + 1]);
        });
    }
    std::sort(gaps.begin(), gaps.end());
    gaps.erase(std::unique(gaps.begin(), gaps.end()), gaps.end());
    for (const auto& [previous, next] : gaps) {
        // The interval of the gap's own file, else the device's.
        double interval = in.step;
        for (const DayBlock& block : in.set.dayBlocks())
            if (block.day == std::floor(previous) && block.learnedInterval > 0)
                interval = block.learnedInterval;
        if (!LastsAtLeast(previous + interval, next, Limits(in).gapMinutes))
            continue;
        Add(in, out, "log-gap", {}, previous + interval, next - interval, std::nullopt,
            "log-gap");
    }
}

void MissingDays(const RuleInput& in, std::vector<Incident>& out)
{
    std::vector<DayTime> days;
    for (const DayBlock& block : in.set.dayBlocks())
        days.push_back(block.day);
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    for (std::size_t i = 1; i < days.size(); ++i) {
        if (days[i] - days[i - 1] < 1.5)
            continue;
        const DayTime first = days[i - 1] + 1, last = days[i] - 1;
        bool failed = false;
        for (DayTime d : in.device.failedDays)
            failed = failed || (d >= first && d <= last);
        Add(in, out, "missing-days", {}, first, last + EncodeTime(23, 59), std::nullopt,
            failed ? "missing-days-failed" : "missing-days");
    }
}

void NightCirculation(const RuleInput& in, std::vector<Incident>& out)
{
    const int collector = RoleField(in, CheckRole::Collector);
    const int pump = RoleField(in, CheckRole::Pump);
    if (collector < 0 || pump < 0)
        return;
    const CheckTimeline& line = in.line;
    const std::vector<double>& c = in.values(collector);
    const std::vector<double>& p = in.values(pump);
    const double warm = Limits(in).nightCollector;
    const auto night = [&](std::size_t i) {
        const double hour = (line.times[i] - std::floor(line.times[i])) * 24.0;
        return hour >= 23.0 - 1e-9 || hour < 5.0 - 1e-9;
    };
    RoleRule(
        in, out, "night-circulation", {collector, pump}, line, Limits(in).nightMinutes,
        [&](std::size_t i) { return night(i) && c[i] > warm && Off(p[i]); },
        [&](std::size_t i) { return std::optional<double>(c[i]); });
}

void DeltaTHigh(const RuleInput& in, std::vector<Incident>& out)
{
    const std::optional<Circuit> circuit = CircuitOf(in);
    if (!circuit)
        return;
    const std::vector<double>& c = circuit->c;
    const std::vector<double>& s = circuit->s;
    const std::vector<double>& p = circuit->p;
    RoleRule(
        in, out, "delta-t-high", circuit->fields, in.line, Limits(in).deltaTMinutes,
        [&](std::size_t i) { return On(p[i]) && c[i] - s[i] > Limits(in).deltaTHigh; },
        [&](std::size_t i) { return std::optional<double>(c[i] - s[i]); });
}

void NoFlow(const RuleInput& in, std::vector<Incident>& out)
{
    const int pump = RoleField(in, CheckRole::Pump);
    const int flow = RoleField(in, CheckRole::Flow);
    if (pump < 0 || flow < 0)
        return;
    const CheckTimeline& line = in.line;
    const std::vector<double>& p = in.values(pump);
    const std::vector<double>& v = in.values(flow);
    RoleRule(
        in, out, "no-flow", {pump, flow}, line, Limits(in).noFlowMinutes,
        [&](std::size_t i) { return On(p[i]) && !std::isnan(v[i]) && v[i] <= 0; }, NoPeak);
}

void Stagnation(const RuleInput& in, std::vector<Incident>& out)
{
    const int collector = RoleField(in, CheckRole::Collector);
    if (collector < 0)
        return;
    const CheckTimeline& line = in.line;
    const std::vector<double>& c = in.values(collector);
    RoleRule(
        in, out, "stagnation", {collector}, line, Limits(in).stagnationMinutes,
        [&](std::size_t i) { return c[i] >= Limits(in).stagnation; },
        [&](std::size_t i) { return std::optional<double>(c[i]); });
}

void PumpNotRunning(const RuleInput& in, std::vector<Incident>& out)
{
    const std::optional<Circuit> circuit = CircuitOf(in);
    if (!circuit)
        return;
    const std::vector<double>& c = circuit->c;
    const std::vector<double>& s = circuit->s;
    const std::vector<double>& p = circuit->p;
    const CheckThresholds& t = Limits(in);
    RoleRule(
        in, out, "pump-not-running", circuit->fields, in.line, t.pumpOffMinutes,
        [&](std::size_t i) {
            return Off(p[i]) && c[i] - s[i] >= t.pumpOffDeltaT && c[i] < t.stagnation &&
                   s[i] < t.pumpOffStoreBelow;
        },
        [&](std::size_t i) { return std::optional<double>(c[i] - s[i]); });
}

void PumpCycling(const RuleInput& in, std::vector<Incident>& out)
{
    const int pump = RoleField(in, CheckRole::Pump);
    if (pump < 0)
        return;
    const CheckTimeline& line = in.line;
    const std::vector<double>& p = in.values(pump);
    std::vector<DayTime> starts;
    for (std::size_t i = 1; i < line.times.size(); ++i)
        if (!line.breakBefore[i] && Off(p[i - 1]) && On(p[i]))
            starts.push_back(line.times[i]);
    const CheckThresholds& t = Limits(in);
    const auto needed = static_cast<std::size_t>(std::max(1.0, t.cyclingStarts));
    const double window = t.cyclingWindowMinutes * kMinute;
    // Each start opens a window; windows that qualify and overlap join into one incident.
    std::size_t groupFirst = 0, groupLast = 0, most = 0;
    bool open = false;
    auto close = [&] {
        if (open)
            Add(in, out, "pump-cycling", {KeyOf(in, pump)}, starts[groupFirst], starts[groupLast],
                static_cast<double>(most), "pump-cycling");
        open = false;
    };
    std::size_t j = 0;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        j = std::max(j, k);
        while (j + 1 < starts.size() && starts[j + 1] - starts[k] < window - 0.5 / 86400.0)
            ++j;
        const std::size_t count = j - k + 1;
        if (count < needed)
            continue;
        if (open && k > groupLast)
            close();
        if (!open) {
            open = true;
            groupFirst = k;
            most = 0;
        }
        groupLast = std::max(groupLast, j);
        most = std::max(most, count);
    }
    close();
}

} // namespace korvex::check
