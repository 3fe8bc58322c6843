// Drawing the upper chart of an analysis window offscreen: a generated year of one-minute logs
// of two devices, eight temperature graphs of pen width 2 on a 1600 x 900 chart.
//   BM_YearIntoImage      the "1 year" window drawn into a QImage; argument 1: eight graphs of
//                         525,600 distinct values each instead (nothing for the log reader to
//                         compress), the worst case for the drawing
//   BM_YearOnScreen       the same through the widget: replot and paint
//   BM_SpanChange         a new window of another span (1 hour ... 1 year) until painted
//   BM_SliderStep         the "1 month" and "1 day" windows moved by one step until painted
// Run with QT_QPA_PLATFORM=offscreen (set here when missing).
#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/LogFileReader.h"
#include "core/services/AppSettings.h"
#include "core/services/DayTime.h"
#include "tools/samplegen/SampleLogs.h"
#include "ui/chart/ChartWidget.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace korvex;

namespace {

const DayTime kFirstDay = EncodeDate(2024, 1, 1);
constexpr int kDays = 366;
constexpr int kGraphs = 8;

struct Year {
    std::vector<std::unique_ptr<AnalysisDataSet>> sets;
    std::vector<std::unique_ptr<Series>> owned;
    std::vector<Series*> graphs;
    std::size_t points = 0;
};

// The temperatures of the solar controller (10) and of the fresh-water station (30).
Year LoadYear()
{
    Year year;
    for (int device : {10, 30}) {
        auto set =
            std::make_unique<AnalysisDataSet>(kFirstDay, kFirstDay + kDays, nullptr, nullptr);
        LogFileReader reader;
        for (int d = 0; d < kDays; ++d) {
            const DayTime day = kFirstDay + d;
            const std::string name = "/korvex-bench/logs/" + SampleFileName(device, day);
            try {
                reader.loadBytes(*set, name, SampleLogBytes(device, day));
            } catch (const std::exception&) {
                // A generated fault day: the rest of the year still counts.
            }
        }
        set->shrinkToFit();
        for (int i = 0; i < set->slotCount() && year.graphs.size() < kGraphs; ++i) {
            if (set->slot(i).category == FieldCategory::Inputs && set->series(i))
                year.graphs.push_back(set->series(i));
        }
        year.sets.push_back(std::move(set));
    }
    for (Series* s : year.graphs)
        year.points += static_cast<std::size_t>(s->count());
    return year;
}

Year& TheYear()
{
    static Year year = LoadYear();
    return year;
}

// Every minute a new value: daily swing, seasonal drift and a little noise.
Year& DenseYear()
{
    static Year year = [] {
        Year y;
        std::uint32_t noise = 12345;
        std::vector<double> xs(kDays * 1440), ys(kDays * 1440);
        for (int g = 0; g < kGraphs; ++g) {
            for (int m = 0; m < kDays * 1440; ++m) {
                noise = noise * 1664525u + 1013904223u;
                const double t = m / 1440.0;
                xs[m] = kFirstDay + t;
                ys[m] = 15 + 8 * g + 10 * std::sin(t / kDays * 6.2832) +
                        12 * std::max(0.0, std::sin((t - std::floor(t) - 0.25) * 6.2832)) +
                        (noise >> 24) / 256.0;
            }
            auto series = std::make_unique<LineSeries>(nullptr);
            series->appendPoints(xs.data(), ys.data(), xs.size());
            y.graphs.push_back(series.get());
            y.owned.push_back(std::move(series));
        }
        for (Series* s : y.graphs)
            y.points += static_cast<std::size_t>(s->count());
        return y;
    }();
    return year;
}

struct UpperChart {
    ChartWidget chart;
    Year& year;
    explicit UpperChart(Year& data = TheYear()) : year(data)
    {
        static const Colour colours[kGraphs] = {0x0000E0, 0xC00000, 0x00A000, 0x0080FF,
                                                0x800080, 0x808000, 0x404040, 0xFF00FF};
        chart.resize(1600, 900);
        for (std::size_t i = 0; i < year.graphs.size(); ++i) {
            Series* s = year.graphs[i];
            s->setPenWidth(2);
            s->setColour(colours[i % kGraphs]);
            chart.addSeries(*s);
        }
        chart.LeftAxis().SetMinMax(-20, 110);
        chart.LeftAxis().SetTitle("[\u00B0C]");
        chart.SetTitleLines({"Jan 2024 - Dec 2024"});
        YearWindow();
    }
    void YearWindow() { Window(kFirstDay, kFirstDay + kDays, " dd. mmm ", 7); }
    void Window(double from, double to, const char* format, double increment)
    {
        chart.UndoZoom();
        chart.BottomAxis().SetMinMax(from, to);
        chart.BottomAxis().SetDateTimeFormat(format);
        chart.BottomAxis().SetIncrement(increment);
    }
    // What the window does after moving: replot, and the paint event at once.
    void Paint() { chart.replot(QCustomPlot::rpImmediateRefresh); }
};

void Counters(benchmark::State& state, const Year& year = TheYear())
{
    state.counters["graphs"] = static_cast<double>(year.graphs.size());
    state.counters["points"] = static_cast<double>(year.points);
}

void BM_YearIntoImage(benchmark::State& state)
{
    Year& year = state.range(0) == 1 ? DenseYear() : TheYear();
    UpperChart upper(year);
    QImage image(1600, 900, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QCPPainter painter(&image);
        upper.chart.Render(painter, QRectF(0, 0, 1600, 900));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(state.range(0) == 1 ? "dense" : "sample logs");
    Counters(state, year);
}

void BM_YearOnScreen(benchmark::State& state)
{
    UpperChart upper;
    upper.chart.show();
    for (auto _ : state)
        upper.Paint();
    Counters(state);
}

void BM_SpanChange(benchmark::State& state)
{
    UpperChart upper;
    upper.chart.show();
    const DayTime mid = EncodeDate(2024, 6, 10);
    struct Span {
        double from, to;
        const char* format;
        double increment;
    };
    const Span spans[] = {{mid + 0.5, mid + 0.5 + kOneHour, "hh:mm", 0},
                          {mid + 0.5, mid + 0.5 + 3 * kOneHour, "hh:mm", 0},
                          {mid, mid + 1.0 / 3, "hh:mm", 0},
                          {mid, mid + 1, "hh:mm", 0},
                          {EncodeDate(2024, 6, 1), EncodeDate(2024, 7, 1), " dd. mmm ", 0},
                          {EncodeDate(2024, 4, 1), EncodeDate(2024, 7, 1), " dd. mmm ", 7},
                          {kFirstDay, kFirstDay + kDays, " dd. mmm ", 7}};
    std::size_t i = 0;
    for (auto _ : state) {
        const Span& s = spans[i++ % std::size(spans)];
        upper.Window(s.from, s.to, s.format, s.increment);
        upper.Paint();
    }
    Counters(state);
}

void BM_SliderStep(benchmark::State& state)
{
    const bool month = state.range(0) == 1;
    UpperChart upper;
    upper.chart.show();
    int step = 0;
    for (auto _ : state) {
        if (month) {
            const DayTime from = IncMonth(kFirstDay, step % 12);
            upper.Window(from, IncMonth(from, 1), " dd. mmm ", 0);
        } else {
            const DayTime from = kFirstDay + step % kDays;
            upper.Window(from, from + 1, "hh:mm", 0);
        }
        ++step;
        upper.Paint();
    }
    state.SetLabel(month ? "1 month" : "1 day");
    Counters(state);
}

BENCHMARK(BM_YearIntoImage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_YearOnScreen)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SpanChange)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SliderStep)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0);

fs::path BenchRoot()
{
    static const fs::path root =
        fs::temp_directory_path() / ("korvex-chartbench-" + std::to_string(::getpid()));
    return root;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Field registration reads labels from the settings file: keep it away from the user's.
    const fs::path config = BenchRoot() / "config";
    fs::create_directories(config);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    AppSettings::Release();
    std::error_code ignored;
    fs::remove_all(BenchRoot(), ignored);
    return 0;
}
