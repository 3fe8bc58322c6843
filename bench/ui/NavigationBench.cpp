// Navigation of a whole analysis window, from the input to both charts painted: one device with
// thirteen months of generated one-minute logs (January 2023 to January 2024), every measured
// value and output shown (ten graphs of about 525,600 points over the year).
//   BM_SpanChange/<item>  the span list set from "1 day" (for item 3 from "1 hour") to the item
//                         (0 "1 hour" ... 6 "1 year"); the year window holds all of 2023
//   BM_SliderStep/<item>  one slider step in that span, back and forth between two positions;
//                         in "1 year" the steps alternate between 2023 (a full year of data) and
//                         January 2024
// "Painted" means: the handler ran and both charts' next drawing pass (the one the handler
// queued) has finished, as the event loop would do it. Run with QT_QPA_PLATFORM=offscreen (set
// here when missing).
#include "core/logdata/AnalysisDataSet.h"
#include "core/services/AppSettings.h"
#include "core/services/DayTime.h"
#include "core/views/Navigation.h"
#include "tools/samplegen/SampleLogs.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/parts/ChildNavigation.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/chart/ChartWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QSlider>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace korvex;

namespace {

const DayTime kFirstDay = EncodeDate(2023, 1, 1);
const DayTime kLastDay = EncodeDate(2024, 1, 31);

fs::path BenchRoot()
{
    static const fs::path root =
        fs::temp_directory_path() / ("korvex-navigation-bench-" + std::to_string(::getpid()));
    return root;
}

TChildform* LoadWindow()
{
    const fs::path dir = BenchRoot() / "logs";
    fs::create_directories(dir);
    WriteSampleLogs(dir.string(), kFirstDay, kLastDay, {10});
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(dir))
        files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());

    auto* window = new TChildform;
    window->resize(1600, 1000);
    window->show();
    window->BeginAnalysis(static_cast<int>(files.size()), {"10"}, kFirstDay, kLastDay);
    for (const std::string& file : files) {
        try {
            window->AddLogFile(file);
        } catch (const std::exception&) {
            // A generated fault file: the rest still counts.
        }
    }
    window->BuildDeviceView(0);
    window->FinishAnalysis();

    AnalysisDataSet& set = *window->State().DataSet(0);
    ChildGraphs& graphs = window->Graphs();
    for (int i = 0; i < set.slotCount(); ++i) {
        if (set.available(i))
            graphs.ShowField(set, i);
    }
    graphs.UpdateOutputChart(false, false);
    QApplication::processEvents();
    return window;
}

TChildform* theWindow = nullptr;

TChildform& Window()
{
    if (!theWindow)
        theWindow = LoadWindow();
    return *theWindow;
}

// Runs input, then lets the event loop work until both charts finished a drawing pass.
void UntilPainted(const std::function<void()>& input)
{
    TChildform& window = Window();
    int passes[2] = {0, 0};
    ChartWidget* charts[2] = {window.Widgets().chart, window.Widgets().chart2};
    QMetaObject::Connection done[2];
    for (int i = 0; i < 2; ++i)
        done[i] =
            QObject::connect(charts[i], &QCustomPlot::afterReplot, [&passes, i] { ++passes[i]; });
    input();
    QElapsedTimer timeout;
    timeout.start();
    while ((passes[0] == 0 || passes[1] == 0) && timeout.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents);
    for (const auto& c : done)
        QObject::disconnect(c);
    // The drawn buffers reach the screen with the update requests the passes posted.
    QApplication::processEvents(QEventLoop::AllEvents);
}

void SetSpan(int item)
{
    Window().Widgets().spanTime->setCurrentIndex(item);
}

void BM_SpanChange(benchmark::State& state)
{
    const int item = static_cast<int>(state.range(0));
    // In "1 year" from mid-2023 the window is the full year of data.
    Window().Widgets().spanTime->setCurrentIndex(SpanOneDay);
    Window().Navigation().SetWindow(EncodeDate(2023, 6, 16), EncodeDate(2023, 6, 15));
    const int other = item == SpanOneDay ? SpanOneHour : SpanOneDay;
    for (auto _ : state) {
        state.PauseTiming();
        UntilPainted([other] { SetSpan(other); });
        state.ResumeTiming();
        UntilPainted([item] { SetSpan(item); });
    }
    const ChildWidgets& w = Window().Widgets();
    state.counters["points"] = static_cast<double>(Window().State().DataSet(0)->pointCount());
    state.counters["graphs"] = w.chart->SeriesCount() + w.chart2->SeriesCount();
}

void BM_SliderStep(benchmark::State& state)
{
    const int item = static_cast<int>(state.range(0));
    TChildform& window = Window();
    SetSpan(SpanOneDay);
    window.Navigation().SetWindow(EncodeDate(2023, 6, 16), EncodeDate(2023, 6, 15));
    UntilPainted([item] { SetSpan(item); });
    QSlider& slider = *window.Widgets().sliderTime;
    const int a = std::min(slider.value(), std::max(slider.maximum() - 1, 0));
    const int b = std::min(a + 1, slider.maximum());
    bool forward = true;
    for (auto _ : state) {
        UntilPainted([&] { slider.setValue(forward ? b : a); });
        forward = !forward;
    }
}

BENCHMARK(BM_SpanChange)->DenseRange(0, 6)->Unit(benchmark::kMillisecond)->Iterations(6);
BENCHMARK(BM_SliderStep)->DenseRange(0, 6)->Unit(benchmark::kMillisecond)->Iterations(8);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window reads and writes the settings file: keep it away from the user's.
    const fs::path config = BenchRoot() / "config";
    fs::create_directories(config);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete theWindow;
    AppSettings::Release();
    std::error_code ignored;
    fs::remove_all(BenchRoot(), ignored);
    return 0;
}
