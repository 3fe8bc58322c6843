// Loading a year of one-minute log files of one device: time, throughput and memory per point.
#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/LogFileReader.h"
#include "core/logdata/ParsedLogFile.h"
#include "core/services/AppSettings.h"
#include "core/services/DayTime.h"
#include "tools/samplegen/SampleLogs.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace korvex;

namespace {

const DayTime kFirstDay = EncodeDate(2024, 1, 1);
constexpr int kDays = 365;

struct Year {
    std::vector<std::string> paths;
    std::size_t bytes = 0;
};

fs::path BenchRoot()
{
    static const fs::path root =
        fs::temp_directory_path() / ("korvex-logbench-" + std::to_string(::getpid()));
    return root;
}

// A wider file than the sample devices write: 15 value columns (8 temperatures, flow, power,
// day yield, total, three outputs) of slowly moving values with one decimal.
std::string WideDayFile(DayTime day, std::mt19937& random)
{
    std::string out = "Solar controller;DATE & TIME;T1[\xB0"
                      "C];T2[\xB0"
                      "C];T3[\xB0"
                      "C];T4[\xB0"
                      "C];"
                      "T5[\xB0"
                      "C];T6[\xB0"
                      "C];T7[\xB0"
                      "C];T8[\xB0"
                      "C];V'[l/min];P[W];Qday[kWh];"
                      "Qsum[kWh];R1[%];R2[%];R3[%]\r\n";
    out.reserve(1440 * 110);
    double temps[8] = {20, 30, 40, 50, 45, 35, 25, 15};
    double yield = 0;
    const std::string date = FormatDayTime("yyyy-mm-dd", day);
    char line[256];
    for (int minute = 0; minute < 1440; ++minute) {
        const bool pump = minute > 600 && minute < 1000;
        for (double& t : temps)
            t += (static_cast<int>(random() % 5) - 2) * 0.1;
        const double flow = pump ? 6.5 + (random() % 3) * 0.1 : 0;
        const int power = pump ? 1500 + static_cast<int>(random() % 400) : 0;
        yield += power / 60000.0;
        int n =
            std::snprintf(line, sizeof line,
                          "Solar controller;%s %02d:%02d;%.1f;%.1f;%.1f;%.1f;%.1f;%.1f;%.1f;"
                          "%.1f;%.1f;%d;%.1f;%.0f;%d;%d;%d\r\n",
                          date.c_str(), minute / 60, minute % 60, temps[0], temps[1], temps[2],
                          temps[3], temps[4], temps[5], temps[6], temps[7], flow, power, yield,
                          12000 + yield, pump ? 100 : 0, pump ? 60 : 0, minute % 240 < 5 ? 100 : 0);
        for (int i = 0; i < n; ++i) {
            if (line[i] == '.')
                line[i] = ',';
        }
        out.append(line, static_cast<std::size_t>(n));
    }
    return out;
}

Year WriteYear(const std::string& kind)
{
    Year year;
    const fs::path dir = BenchRoot() / kind;
    fs::create_directories(dir);
    std::mt19937 random(42);
    for (int d = 0; d < kDays; ++d) {
        const DayTime day = kFirstDay + d;
        const std::string bytes =
            kind == "sample" ? SampleLogBytes(10, day) : WideDayFile(day, random);
        const fs::path path = dir / SampleFileName(10, day);
        std::ofstream(path, std::ios::binary) << bytes;
        year.paths.push_back(path.string());
        year.bytes += bytes.size();
    }
    return year;
}

const Year& SampleYear()
{
    static const Year year = WriteYear("sample");
    return year;
}

const Year& WideYear()
{
    static const Year year = WriteYear("wide");
    return year;
}

void LoadYear(benchmark::State& state, const Year& year)
{
    std::size_t points = 0, bytesUsed = 0, bytesTrimmed = 0, failed = 0;
    for (auto _ : state) {
        AnalysisDataSet set(kFirstDay, kFirstDay + kDays, nullptr, nullptr);
        for (const std::string& path : year.paths) {
            try {
                set.load(path);
            } catch (const std::exception&) {
                ++failed;
            }
        }
        state.PauseTiming();
        points = set.pointCount();
        bytesUsed = set.memoryBytes();
        set.shrinkToFit();
        bytesTrimmed = set.memoryBytes();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * year.bytes));
    state.counters["MB"] = static_cast<double>(year.bytes) / 1e6;
    state.counters["points"] = static_cast<double>(points);
    state.counters["B/point"] = static_cast<double>(bytesUsed) / static_cast<double>(points);
    state.counters["B/point_trimmed"] =
        static_cast<double>(bytesTrimmed) / static_cast<double>(points);
    state.counters["failed_files"] = static_cast<double>(failed);
}

void BM_LoadSampleYear(benchmark::State& state)
{
    LoadYear(state, SampleYear());
}
void BM_LoadWideYear(benchmark::State& state)
{
    LoadYear(state, WideYear());
}

// The parser alone, on files already in memory: what a reading thread spends per file.
void BM_ParseSampleYear(benchmark::State& state)
{
    const Year& year = SampleYear();
    std::vector<std::string> files;
    for (const std::string& path : year.paths) {
        std::ifstream in(path, std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::size_t points = 0;
    for (auto _ : state) {
        points = 0;
        for (std::size_t i = 0; i < files.size(); ++i) {
            const ParsedLogFile parsed = ParseLogFile(year.paths[i], files[i]);
            for (const ParsedStage& stage : parsed.stages)
                points += stage.xs.size();
        }
        benchmark::DoNotOptimize(points);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * year.bytes));
    state.counters["points"] = static_cast<double>(points);
}

BENCHMARK(BM_ParseSampleYear)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadSampleYear)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadWideYear)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    // Field registration reads labels from the settings file: keep it away from the user's.
    const fs::path config = BenchRoot() / "config";
    fs::create_directories(config);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    AppSettings::Release();
    std::error_code ignored;
    fs::remove_all(BenchRoot(), ignored);
    return 0;
}
