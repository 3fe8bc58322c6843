// The command-line report end to end on generated logs: scan, load, aggregate, tables, JSON.

#include "core/logdata/LogDirectory.h"
#include "core/services/AppSettings.h"
#include "tools/report/ReportRun.h"
#include "tools/samplegen/SampleLogs.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// One month of the three sample devices, written once per run into a private folder that also
// holds the settings folder.
class SampleMonth {
public:
    SampleMonth()
    {
        std::string pattern = (fs::temp_directory_path() / "korvex-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        root_ = pattern;
        ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        korvex::WriteSampleLogs((root_ / "logs").string(), korvex::EncodeDate(2023, 6, 1),
                                korvex::EncodeDate(2023, 6, 30), korvex::DefaultSampleDevices());
        for (const auto& entry : fs::directory_iterator(root_ / "logs"))
            bytes_ += static_cast<std::int64_t>(entry.file_size());
    }
    ~SampleMonth()
    {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    std::string Logs() const { return (root_ / "logs").string(); }
    std::int64_t Bytes() const { return bytes_; }

private:
    fs::path root_;
    std::int64_t bytes_ = 0;
};

const SampleMonth& Month()
{
    static const SampleMonth month;
    return month;
}

void BM_ScanDirectory(benchmark::State& state)
{
    const std::string dir = Month().Logs();
    for (auto _ : state)
        benchmark::DoNotOptimize(korvex::ScanLogDirectory(dir));
}
BENCHMARK(BM_ScanDirectory)->Unit(benchmark::kMillisecond);

void BM_ReportJson(benchmark::State& state)
{
    const std::string dir = Month().Logs();
    std::FILE* sink = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        korvex::AppSettings::Release();
        benchmark::DoNotOptimize(korvex::report::RunReport({dir, "--json"}, sink, sink));
    }
    std::fclose(sink);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * Month().Bytes());
}
BENCHMARK(BM_ReportJson)->Unit(benchmark::kMillisecond);

void BM_SampleDay(benchmark::State& state)
{
    const korvex::DayTime day = korvex::EncodeDate(2023, 6, 15);
    for (auto _ : state)
        benchmark::DoNotOptimize(korvex::SampleLogBytes(static_cast<int>(state.range(0)), day));
}
BENCHMARK(BM_SampleDay)->Arg(10)->Arg(21)->Arg(30)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
