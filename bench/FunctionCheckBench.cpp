// The function check over a year of two devices (a solar controller and a fresh-water station,
// one line per minute, with the sample logs' gaps and faults): the rules alone on loaded data
// sets, and korvex-report --check --json end to end beside --json on the same folder.

#include "core/check/FunctionCheck.h"
#include "core/logdata/Aggregation.h"
#include "core/logdata/LogFileReader.h"
#include "core/services/AppSettings.h"
#include "tools/report/ReportRun.h"
#include "tools/samplegen/SampleLogs.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace korvex {
namespace {

namespace fs = std::filesystem;

const DayTime kFirst = EncodeDate(2023, 1, 1);
const DayTime kEnd = EncodeDate(2024, 1, 1);
constexpr int kDevices[] = {10, 30};

class SampleYear {
public:
    SampleYear()
    {
        std::string pattern = (fs::temp_directory_path() / "korvex-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        root_ = pattern;
        ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        WriteSampleLogs(Logs(), kFirst, kEnd - 1, {kDevices[0], kDevices[1]});
        LogFileReader reader([](const std::string&) {});
        for (int device : kDevices) {
            auto set = std::make_unique<AnalysisDataSet>(kFirst, kEnd, nullptr, nullptr);
            for (DayTime day = kFirst; day < kEnd; ++day)
                reader.load(*set, Logs() + "/" + SampleFileName(device, day));
            Aggregate(*set);
            set->updateAvailability();
            CheckDevice d;
            d.set = set.get();
            d.number = std::to_string(device);
            d.roles = DefaultRoles(*set->deviceSettings());
            devices.push_back(d);
            sets_.push_back(std::move(set));
        }
    }
    ~SampleYear()
    {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    std::string Logs() const { return (root_ / "logs").string(); }

    std::vector<CheckDevice> devices;

private:
    fs::path root_;
    std::vector<std::unique_ptr<AnalysisDataSet>> sets_;
};

const SampleYear& Year()
{
    static const SampleYear year;
    return year;
}

void BM_CheckYearOfTwoDevices(benchmark::State& state)
{
    const std::vector<CheckDevice>& devices = Year().devices;
    std::size_t incidents = 0;
    for (auto _ : state) {
        const std::vector<Incident> found = RunFunctionCheck(devices);
        incidents = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["incidents"] = static_cast<double>(incidents);
}
BENCHMARK(BM_CheckYearOfTwoDevices)->Unit(benchmark::kMillisecond);

void RunReportWith(benchmark::State& state, std::vector<std::string> extra)
{
    std::vector<std::string> args = {Year().Logs()};
    args.insert(args.end(), extra.begin(), extra.end());
    std::FILE* sink = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        AppSettings::Release();
        benchmark::DoNotOptimize(report::RunReport(args, sink, sink));
    }
    std::fclose(sink);
}

void BM_ReportJsonYear(benchmark::State& state)
{
    RunReportWith(state, {"--json"});
}
BENCHMARK(BM_ReportJsonYear)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReportCheckJsonYear(benchmark::State& state)
{
    RunReportWith(state, {"--check", "--json"});
}
BENCHMARK(BM_ReportCheckJsonYear)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace korvex

BENCHMARK_MAIN();
