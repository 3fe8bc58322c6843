// "Open in Excel" writes the day's log as a workbook before the spreadsheet program starts: a
// one-minute day of 15 value columns must take well under 100 ms, reading and writing included.
#include "core/services/DayTime.h"
#include "core/views/LogSheet.h"
#include "core/workbook/DayWorkbook.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace korvex;

namespace {

// 1,440 lines: device cell, timestamp, 8 temperatures, flow, power, day yield, total and three
// outputs, moving values with varied decimals.
std::string DayLog()
{
    std::string out = "Solar controller;DATE & TIME;T1[\xB0"
                      "C];T2[\xB0"
                      "C];T3[\xB0"
                      "C];T4[\xB0"
                      "C];T5[\xB0"
                      "C];T6[\xB0"
                      "C];T7[\xB0"
                      "C];T8[\xB0"
                      "C];V'[l/min];P[W];Qday[kWh];Qsum[kWh];R1[%];R2[%];R3[%]\r\n";
    std::mt19937 random(7);
    double temps[8] = {20, 30, 40, 50, 45, 35, 25, 15};
    double yield = 0;
    char line[256];
    for (int minute = 0; minute < 1440; ++minute) {
        const bool pump = minute > 600 && minute < 1000;
        for (double& t : temps)
            t += (static_cast<int>(random() % 5) - 2) * 0.1;
        const int power = pump ? 1500 + static_cast<int>(random() % 400) : 0;
        yield += power / 60000.0;
        const int n = std::snprintf(
            line, sizeof line,
            "Solar controller;2024-06-12 %02d:%02d;%.1f;%.1f;%.1f;%.1f;%.1f;%.1f;%.1f;%.1f;"
            "%.2f;%d;%.3f;%.0f;%d;%d;%s\r\n",
            minute / 60, minute % 60, temps[0], temps[1], temps[2], temps[3], temps[4], temps[5],
            temps[6], temps[7], pump ? 6.5 : 0.0, power, yield, 12000 + yield, pump ? 100 : 0,
            pump ? 60 : 0, minute % 97 == 0 ? "Err" : "0");
        for (int i = 0; i < n; ++i)
            if (line[i] == '.')
                line[i] = ',';
        out.append(line, static_cast<std::size_t>(n));
    }
    return out;
}

void BM_DaySheet(benchmark::State& state)
{
    const std::string log = DayLog();
    for (auto _ : state) {
        Sheet sheet = LogDaySheet(log, "x");
        benchmark::DoNotOptimize(sheet);
    }
}
BENCHMARK(BM_DaySheet)->Unit(benchmark::kMillisecond);

void BM_DayWorkbook(benchmark::State& state)
{
    const fs::path root =
        fs::temp_directory_path() / ("korvex-workbookbench-" + std::to_string(::getpid()));
    fs::create_directories(root);
    const fs::path log = root / "1024061200.csv";
    {
        std::ofstream out(log, std::ios::binary);
        out << DayLog();
    }
    for (auto _ : state) {
        const std::string path = WriteDayWorkbook(log.string(), (root / "cache").string());
        benchmark::DoNotOptimize(path);
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(root / "cache" / "24061200.xlsx"));
    fs::remove_all(root);
}
BENCHMARK(BM_DayWorkbook)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
