// Switching device tabs in an analysis window of two devices with a year of generated one-minute
// logs each (2023), every measured value and output shown: about 9.5 million points in all.
//   BM_TabSwitch/<item>  the other device's tab selected, from the click to both charts painted,
//                        with the span list at <item> (3 "1 day", 6 "1 year": all points visible)
//   BM_GraphSideOfTabSwitch/<item>  the same through the graph part alone (list to the front,
//                        series exchanged, titles, scale, output bands), without the painting
// Run with QT_QPA_PLATFORM=offscreen (set here when missing).
#include "core/logdata/AnalysisDataSet.h"
#include "core/services/AppSettings.h"
#include "core/services/DayTime.h"
#include "tools/samplegen/SampleLogs.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/parts/ChildNavigation.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/analysis/widgets/TTableGrid.h"
#include "ui/analysis/parts/TablePart.h"
#include "ui/analysis/parts/YieldSummaryPart.h"
#include "ui/chart/ChartWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLayout>
#include <QTabBar>

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
const DayTime kLastDay = EncodeDate(2023, 12, 31);
const std::vector<int> kDevices = {10, 30};

fs::path BenchRoot()
{
    static const fs::path root =
        fs::temp_directory_path() / ("korvex-tabswitch-bench-" + std::to_string(::getpid()));
    return root;
}

TChildform* LoadWindow()
{
    const fs::path dir = BenchRoot() / "logs";
    fs::create_directories(dir);
    WriteSampleLogs(dir.string(), kFirstDay, kLastDay, kDevices);
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(dir))
        files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());

    auto* window = new TChildform;
    window->resize(1600, 1000);
    window->show();
    std::vector<std::string> numbers;
    for (int device : kDevices)
        numbers.push_back(std::to_string(device));
    window->BeginAnalysis(static_cast<int>(files.size()), numbers, kFirstDay, kLastDay);
    for (const std::string& file : files) {
        try {
            window->AddLogFile(file);
        } catch (const std::exception&) {
            // A generated fault file: the rest still counts.
        }
    }
    for (std::size_t i = 0; i < kDevices.size(); ++i)
        window->BuildDeviceView(static_cast<int>(i));
    window->FinishAnalysis();

    ChildGraphs& graphs = window->Graphs();
    for (std::size_t d = 0; d < kDevices.size(); ++d) {
        AnalysisDataSet& set = *window->State().DataSet(static_cast<int>(d));
        graphs.SelectDeviceGraphs(set, QString());
        for (int i = 0; i < set.slotCount(); ++i) {
            if (set.available(i))
                graphs.ShowField(set, i);
        }
    }
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
}

void PrepareSpan(int item)
{
    TChildform& window = Window();
    UntilPainted([&] {
        window.Widgets().tabSetDevices->setCurrentIndex(0);
        window.Widgets().spanTime->setCurrentIndex(SpanOneDay);
        window.Navigation().SetWindow(EncodeDate(2023, 6, 16), EncodeDate(2023, 6, 15));
        window.Widgets().spanTime->setCurrentIndex(item);
    });
}

void BM_TabSwitch(benchmark::State& state)
{
    PrepareSpan(static_cast<int>(state.range(0)));
    QTabBar& tabs = *Window().Widgets().tabSetDevices;
    int tab = 0;
    for (auto _ : state) {
        tab = 1 - tab;
        UntilPainted([&] { tabs.setCurrentIndex(tab); });
    }
    std::size_t points = 0;
    for (const auto& set : Window().State().dataSets)
        points += set ? set->pointCount() : 0;
    state.counters["points"] = static_cast<double>(points);
    state.counters["series"] =
        Window().Widgets().chart->SeriesCount() + Window().Widgets().chart2->SeriesCount();
}

void BM_GraphSideOfTabSwitch(benchmark::State& state)
{
    PrepareSpan(static_cast<int>(state.range(0)));
    TChildform& window = Window();
    ChildGraphs& graphs = window.Graphs();
    int device = 0;
    for (auto _ : state) {
        device = 1 - device;
        graphs.SelectDeviceGraphs(*window.State().DataSet(device), QString());
    }
    UntilPainted([] {});
}

BENCHMARK(BM_TabSwitch)
    ->Arg(SpanOneDay)
    ->Arg(SpanOneYear)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK(BM_GraphSideOfTabSwitch)
    ->Arg(SpanOneDay)
    ->Arg(SpanOneYear)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

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
