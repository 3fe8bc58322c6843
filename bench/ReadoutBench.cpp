// The chart readout and the window statistics over a year of one-minute data in eight graphs:
// one readout update (value of every graph at the pointer's time, texts included) and the
// statistics of the whole year window.
//
// Values vary every minute (nothing compressed) with a null point closing every day, as the log
// reader leaves a year of files: 525,600 samples per graph.

#include "core/logdata/CustomSeries.h"
#include "core/views/Navigation.h"
#include "core/views/Readout.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace korvex {
namespace {

constexpr int kYear = 2023;
constexpr int kGraphs = 8;

struct YearGraphs {
    std::vector<std::unique_ptr<Series>> series;
    std::vector<ReadoutGraph> graphs;
    DayTime first = 0;
    DayTime end = 0;
};

const YearGraphs& Year()
{
    static const YearGraphs year = [] {
        YearGraphs y;
        y.first = EncodeDate(kYear, 1, 1);
        y.end = EncodeDate(kYear + 1, 1, 1);
        for (int g = 0; g < kGraphs; ++g) {
            // Six measured lines (two of them power), two step outputs.
            const bool output = g >= 6;
            std::unique_ptr<Series> s =
                output ? std::unique_ptr<Series>(std::make_unique<TOffsetLine>(nullptr))
                       : std::make_unique<LineSeries>(nullptr);
            std::vector<double> xs, ys;
            xs.reserve(366 * 1441);
            ys.reserve(366 * 1441);
            for (DayTime day = y.first; day < y.end; day += 1) {
                for (int m = 0; m < 1440; ++m) {
                    xs.push_back(day + m / 1440.0);
                    const double wave = std::sin((m + 37 * g) / 90.0) + 0.001 * (m % 13);
                    ys.push_back(output ? (wave > 0 ? 100 : 0) : 20 + 10 * g + 5 * wave);
                }
                xs.push_back(day + 1439 / 1440.0);
                ys.push_back(std::nan(""));
            }
            s->appendPoints(xs.data(), ys.data(), xs.size());
            ReadoutGraph r;
            r.series = s.get();
            r.rule = output ? ReadRule::Hold : ReadRule::Nearest;
            r.step = SamplingStep(*s);
            r.name = "G" + std::to_string(g + 1);
            r.unit = output ? "[%]" : "[\u00b0C]";
            r.unitsPerDay = g == 2 || g == 3 ? 24 : 0;
            r.integralUnit = r.unitsPerDay ? "[kWh]" : "";
            y.graphs.push_back(r);
            y.series.push_back(std::move(s));
        }
        return y;
    }();
    return year;
}

void BM_ReadoutUpdateYearEightGraphs(benchmark::State& state)
{
    const YearGraphs& y = Year();
    // The pointer sweeps the year window as it would across a plot a thousand pixels wide.
    int pixel = 0;
    for (auto _ : state) {
        const DayTime t = y.first + (y.end - y.first) * (pixel % 1000) / 1000.0 + 0.0001;
        benchmark::DoNotOptimize(BuildReadout(y.graphs, t, SpanOneYear, {}, ','));
        ++pixel;
    }
}
BENCHMARK(BM_ReadoutUpdateYearEightGraphs)->Unit(benchmark::kMicrosecond);

void BM_ReadoutWithMarkersYearEightGraphs(benchmark::State& state)
{
    const YearGraphs& y = Year();
    Markers m;
    m.a = y.first + 40.3;
    m.b = y.first + 250.7;
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildReadout(y.graphs, y.first + 100, SpanOneYear, m, ','));
}
BENCHMARK(BM_ReadoutWithMarkersYearEightGraphs)->Unit(benchmark::kMicrosecond);

void BM_StatisticsYearWindowEightGraphs(benchmark::State& state)
{
    const YearGraphs& y = Year();
    for (auto _ : state)
        benchmark::DoNotOptimize(StatisticsRows(y.graphs, y.first, y.end, ','));
}
BENCHMARK(BM_StatisticsYearWindowEightGraphs)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace korvex

BENCHMARK_MAIN();
