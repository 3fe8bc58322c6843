// Aggregation and yield tables over a year of one-minute data, and span changes over that year.
//
// The data sets are built in memory as the log reader leaves them: per device 5 power and
// 5 flow fields with one point per minute (all values distinct, so nothing is compressed), a
// null point closing every day, one day block per day, and one logged day sum (Ptag).

#include "core/logdata/Aggregation.h"
#include "core/logdata/FieldDisplay.h"
#include "core/services/AppSettings.h"
#include "core/views/TableView.h"
#include "core/views/YieldSummary.h"
#include "core/views/YieldTables.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace korvex {
namespace {

constexpr int kYear = 2023;
constexpr int kDevices = 3;
constexpr int kFieldsPerKind = 5;

// One field's year: a daytime bell with a little ripple, every minute, null at each day's end.
struct YearPoints {
    std::vector<double> xs;
    std::vector<double> ys;
    std::vector<DayTime> days;
};

const YearPoints& Points()
{
    static const YearPoints points = [] {
        YearPoints p;
        const DayTime first = EncodeDate(kYear, 1, 1);
        const DayTime end = EncodeDate(kYear + 1, 1, 1);
        p.xs.reserve(366 * 1441);
        p.ys.reserve(366 * 1441);
        for (DayTime day = first; day < end; day += 1) {
            p.days.push_back(day);
            for (int m = 0; m < 1440; ++m) {
                const double hour = m / 60.0;
                const double sun = std::max(0.0, std::sin((hour - 6) / 12 * 3.141592653589793));
                p.xs.push_back(day + m / 1440.0);
                p.ys.push_back(std::round((4 * sun + 0.01 * (m % 7)) * 1000) / 1000);
            }
            p.xs.push_back(day + 1439 / 1440.0);
            p.ys.push_back(std::nan(""));
        }
        return p;
    }();
    return points;
}

std::unique_ptr<AnalysisDataSet> MakeDeviceYear(int number)
{
    const YearPoints& points = Points();
    auto set = std::make_unique<AnalysisDataSet>(points.days.front(), points.days.back(), nullptr,
                                                 nullptr);
    set->createDeviceSettings(number, "Bench " + std::to_string(number), false);
    DeviceSettings& ds = *set->deviceSettings();
    auto add = [&](const std::string& key, const std::string& unit, bool isSum) {
        const int i = ds.registerField(key, unit, FieldCategory::Others, nullptr);
        set->insertUnit(i, unit);
        set->insertSlot(i, FieldCategory::Others, isSum);
        return i;
    };
    for (int k = 0; k < kFieldsPerKind; ++k) {
        const std::string suffix = k == 0 ? "" : std::to_string(k + 1);
        set->series(add("P" + suffix, "[kW]", false))
            ->appendPoints(points.xs.data(), points.ys.data(), points.xs.size());
        set->series(add("V" + suffix, "[l/min]", false))
            ->appendPoints(points.xs.data(), points.ys.data(), points.xs.size());
    }
    Series* logged = set->series(add("Ptag", "[kWh]", true));
    for (DayTime day : points.days) {
        logged->addPoint(day + 0.75, 12.5);
        set->appendDayBlock(DayBlock::ForDay(day));
        set->appendFileName("/bench/" + std::to_string(number) + ".csv");
    }
    return set;
}

std::vector<int> DayNumbers()
{
    std::vector<int> days;
    for (DayTime d : Points().days)
        days.push_back(static_cast<int>(d));
    return days;
}

struct Analysis {
    std::vector<std::unique_ptr<AnalysisDataSet>> sets;
    std::vector<int> days = DayNumbers();
    StringGrid daily, monthly, annual;
};

void Prepare(Analysis& a)
{
    a.sets.clear();
    for (int n = 0; n < kDevices; ++n)
        a.sets.push_back(MakeDeviceYear(10 + n));
}

void AggregateAndBuild(Analysis& a, const ViewFormat& format)
{
    for (auto& set : a.sets)
        Aggregate(*set);
    a.daily = BuildDailyYieldTable(a.sets, a.days, format);
    a.monthly = BuildMonthlyYieldTable(a.daily, format);
    a.annual = BuildAnnualYieldTable(a.monthly, EncodeDate(kYear, 1, 1), a.sets, format);
}

// One device-year: the day and month sums of its ten fields.
void BM_AggregateDeviceYear(benchmark::State& state)
{
    Points();
    for (auto _ : state) {
        state.PauseTiming();
        auto set = MakeDeviceYear(10);
        state.ResumeTiming();
        Aggregate(*set);
        benchmark::DoNotOptimize(set->slotCount());
        state.PauseTiming();
        set.reset();
        state.ResumeTiming();
    }
    state.counters["points"] = static_cast<double>(Points().xs.size() * kFieldsPerKind * 2);
}
BENCHMARK(BM_AggregateDeviceYear)->Unit(benchmark::kMillisecond)->Iterations(5);

// The budget: three device-years aggregated and the three yield tables built.
void BM_AggregateThreeDevicesAndTables(benchmark::State& state)
{
    Points();
    const ViewFormat format{&MonthNames::English(), ','};
    Analysis a;
    for (auto _ : state) {
        state.PauseTiming();
        Prepare(a);
        state.ResumeTiming();
        AggregateAndBuild(a, format);
        benchmark::DoNotOptimize(a.annual.RowCount());
        state.PauseTiming();
        a.sets.clear();
        state.ResumeTiming();
    }
    state.counters["columns"] = a.daily.ColCount() - 1;
    state.counters["rows"] = a.daily.RowCount();
}
BENCHMARK(BM_AggregateThreeDevicesAndTables)->Unit(benchmark::kMillisecond)->Iterations(5);

// A span change to "1 year" and back on a year of data: sum fields, sum mode, display, table and
// summary. The point arrays must stay where they are.
void BM_SpanChangeYear(benchmark::State& state)
{
    const ViewFormat format{&MonthNames::English(), ','};
    Analysis a;
    Prepare(a);
    AggregateAndBuild(a, format);
    std::vector<const void*> arrays;
    for (auto& set : a.sets) {
        set->prepareDisplay();
        for (int i = 0; i < set->slotCount(); ++i)
            arrays.push_back(set->series(i)->xs().data());
    }
    TableRequest table;
    table.daily = &a.daily;
    table.monthly = &a.monthly;
    table.sets = a.sets;
    table.current = a.sets[0].get();
    table.format = format;
    SummaryRequest summary;
    summary.sets = a.sets;
    summary.current = a.sets[0].get();
    summary.monthly = &a.monthly;
    summary.annual = &a.annual;
    summary.format = format;
    for (auto _ : state) {
        for (bool year : {true, false}) {
            for (auto& set : a.sets) {
                SetSumFieldsAvailable(*set, year);
                SetSumMode(*set, year);
                ApplyDisplayOfAll(*set);
            }
            table.spanItem = summary.spanItem = year ? SpanOneYear : SpanOneMonth;
            table.window = {EncodeDate(kYear, 1, 1), EncodeDate(kYear + 1, 1, 1)};
            summary.windowStart = table.window.start;
            benchmark::DoNotOptimize(FillTable(table).RowCount());
            benchmark::DoNotOptimize(BuildYieldSummary(summary).size());
        }
    }
    std::size_t k = 0;
    int moved = 0;
    for (auto& set : a.sets) {
        for (int i = 0; i < set->slotCount(); ++i)
            moved += set->series(i)->xs().data() != arrays[k++];
    }
    if (moved != 0)
        state.SkipWithError("point arrays were copied by a span change");
}
BENCHMARK(BM_SpanChangeYear)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace korvex

// The aggregation registers fields through the settings object: give it a private folder.
int main(int argc, char** argv)
{
    std::string folder = (std::filesystem::temp_directory_path() / "korvex-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data()))
        return 1;
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    korvex::AppSettings::Release();
    std::filesystem::remove_all(folder);
    return 0;
}
