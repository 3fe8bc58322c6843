// The program's side of years of logs: two devices (10 and 30) of one-minute logs, a year (2023)
// and six years (2019 to 2024), read from folders that scripts/bench-program.sh makes once with
// korvex-samplegen (KORVEX_PROGRAM_CORPUS, default /tmp/korvex-bench-corpus, with the folders
// "year" and "six-years"; a missing folder is generated here, which takes minutes).
//   BM_OpenAgainstReport/<0 year, 1 six years>
//       per iteration, korvex-report's run with --json on the folder and the open dialog's
//       Analyse on the same folder, from the call to both charts of the first view painted;
//       the time shown is the program's, the counters give the report's, their ratio and the
//       longest time events waited during the program's load (Esc must answer within 100 ms)
//   BM_SixYearsPageDown, BM_SixYearsSpanChange, BM_SixYearsSliderStep
//       six years loaded, every field of device 10 shown, the "1 year" span: Page Down and Page
//       Up in turn on the chart (to the last and the first year), the span changed from
//       "1 quarter" to "1 year", a slider step; each until both charts are painted
//   BM_SixYearsMemory
//       run alone in its own process: the resident memory held with six years open (and its
//       peak), against 12 bytes per stored point plus 64 MiB
// Run with QT_QPA_PLATFORM=offscreen (set here when missing).
#include "core/logdata/AnalysisDataSet.h"
#include "core/services/AppSettings.h"
#include "core/services/DayTime.h"
#include "tools/report/ReportRun.h"
#include "tools/samplegen/SampleLogs.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/parts/ChildNavigation.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/chart/ChartWidget.h"
#include "ui/shell/TDialogFileError.h"
#include "ui/shell/TDialogOpenAnalysis.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QSlider>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace korvex;

namespace {

using Clock = std::chrono::steady_clock;

fs::path CorpusRoot()
{
    const char* env = std::getenv("KORVEX_PROGRAM_CORPUS");
    return env && *env ? fs::path(env) : fs::temp_directory_path() / "korvex-bench-corpus";
}

// The folder of a corpus, generated when it is not complete.
std::string Corpus(bool sixYears)
{
    const fs::path dir = CorpusRoot() / (sixYears ? "six-years" : "year");
    if (!fs::exists(dir / ".complete")) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        const DayTime from = sixYears ? EncodeDate(2019, 1, 1) : EncodeDate(2023, 1, 1);
        const DayTime to = sixYears ? EncodeDate(2024, 12, 31) : EncodeDate(2023, 12, 31);
        WriteSampleLogs(dir.string(), from, to, {10, 30});
        std::ofstream(dir / ".complete").put('\n');
    }
    return dir.string();
}

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Lets the event loop work until both charts drew what the last change asked for: events are
// processed for as long as drawing passes keep coming, and at least until each chart drew once
// after the start. Returns the moment of the last pass.
Clock::time_point UntilSettled(TChildform& window, const std::function<void()>& input)
{
    ChartWidget* charts[2] = {window.Widgets().chart, window.Widgets().chart2};
    int passes[2] = {0, 0};
    Clock::time_point last = Clock::now();
    QMetaObject::Connection done[2];
    for (int i = 0; i < 2; ++i)
        done[i] = QObject::connect(charts[i], &QCustomPlot::afterReplot, [&passes, &last, i] {
            ++passes[i];
            last = Clock::now();
        });
    input();
    last = Clock::now();
    QElapsedTimer timeout;
    timeout.start();
    while ((passes[0] == 0 || passes[1] == 0) && timeout.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents);
    for (int quiet = 0; quiet < 2;) {
        const int before = passes[0] + passes[1];
        QApplication::processEvents(QEventLoop::AllEvents);
        quiet = passes[0] + passes[1] == before ? quiet + 1 : 0;
    }
    for (const auto& c : done)
        QObject::disconnect(c);
    return last;
}

std::unique_ptr<TChildform> NewWindow()
{
    auto window = std::make_unique<TChildform>();
    window->resize(1600, 1000);
    window->show();
    QApplication::processEvents();
    return window;
}

struct OpenTimes {
    double seconds = 0;
    double longestGap = 0; // the longest stretch without events handled, in seconds
};

// The open dialog's Analyse on the whole folder, until the first view is drawn. A timer that
// asks to run every few milliseconds shows how long events (Esc among them) wait at most.
OpenTimes OpenInProgram(TChildform& window, const std::string& dir)
{
    TDialogFileError errors;
    TDialogOpenAnalysis dialog(errors);
    dialog.Prepare(&window, QString::fromStdString(dir));
    // On screen as the user sees it: its progress bar and labels paint during the load.
    dialog.show();
    dialog.ScanDirectory();
    QApplication::processEvents();
    OpenTimes times;
    QTimer ticks;
    ticks.setInterval(2);
    Clock::time_point lastTick = Clock::now();
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        times.longestGap = std::max(times.longestGap, Seconds(now - lastTick));
        lastTick = now;
    });
    const Clock::time_point start = Clock::now();
    bool loaded = false;
    const Clock::time_point end = UntilSettled(window, [&] {
        lastTick = Clock::now();
        ticks.start();
        loaded = dialog.Execute();
    });
    ticks.stop();
    if (!loaded)
        std::abort();
    times.seconds = Seconds(end - start);
    return times;
}

double RunReportJson(const std::string& dir)
{
    std::FILE* sink = std::fopen("/dev/null", "w");
    AppSettings::Release();
    const Clock::time_point start = Clock::now();
    const int code = report::RunReport({dir, "--json"}, sink, sink);
    const double seconds = Seconds(Clock::now() - start);
    std::fclose(sink);
    AppSettings::Release();
    if (code != 0)
        std::abort();
    return seconds;
}

void BM_OpenAgainstReport(benchmark::State& state)
{
    const std::string dir = Corpus(state.range(0) != 0);
    double program = 0, reportTime = 0, longestGap = 0;
    std::size_t points = 0;
    for (auto _ : state) {
        const double r = RunReportJson(dir);
        std::unique_ptr<TChildform> window = NewWindow();
        const OpenTimes open = OpenInProgram(*window, dir);
        const double p = open.seconds;
        longestGap = std::max(longestGap, open.longestGap);
        state.SetIterationTime(p);
        program += p;
        reportTime += r;
        points = 0;
        for (const auto& set : window->State().dataSets)
            points += set ? set->pointCount() : 0;
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["report_ms"] = reportTime / n * 1000;
    state.counters["ratio"] = reportTime > 0 ? program / reportTime : 0;
    state.counters["points"] = static_cast<double>(points);
    state.counters["event_gap_ms"] = longestGap * 1000;
}
BENCHMARK(BM_OpenAgainstReport)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// ---- six years on screen ----------------------------------------------------------------------

std::unique_ptr<TChildform> theWindow;

TChildform& SixYears()
{
    if (!theWindow) {
        theWindow = NewWindow();
        OpenInProgram(*theWindow, Corpus(true));
        AnalysisDataSet& set = *theWindow->State().DataSet(0);
        ChildGraphs& graphs = theWindow->Graphs();
        for (int i = 0; i < set.slotCount(); ++i) {
            if (set.available(i) && !set.shown(i))
                graphs.ShowField(set, i);
        }
        graphs.UpdateOutputChart(false, false);
        UntilSettled(*theWindow, [] {});
    }
    return *theWindow;
}

// The "1 year" span with its window in mid-2021.
void YearSpan()
{
    TChildform& window = SixYears();
    UntilSettled(window, [&] {
        window.Widgets().spanTime->setCurrentIndex(SpanOneDay);
        window.Navigation().SetWindow(EncodeDate(2021, 6, 16), EncodeDate(2021, 6, 15));
        window.Widgets().spanTime->setCurrentIndex(SpanOneYear);
    });
}

void Timed(benchmark::State& state, const std::function<void()>& input)
{
    const Clock::time_point start = Clock::now();
    const Clock::time_point end = UntilSettled(SixYears(), input);
    state.SetIterationTime(Seconds(end - start));
}

void SendKey(QWidget* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

void BM_SixYearsPageDown(benchmark::State& state)
{
    YearSpan();
    ChartWidget* chart = SixYears().Widgets().chart;
    int step = 0, moved = 0;
    for (auto _ : state) {
        // Page Down jumps to the last year of data, Page Up back to the first.
        const int key = step++ % 2 == 0 ? Qt::Key_PageDown : Qt::Key_PageUp;
        const double before = chart->xAxis->range().lower;
        Timed(state, [&] { SendKey(chart, key); });
        moved += chart->xAxis->range().lower != before ? 1 : 0;
    }
    // A step that did not move the window would time nothing.
    state.counters["moved"] = moved;
    const ChildWidgets& w = SixYears().Widgets();
    state.counters["graphs"] = w.chart->SeriesCount() + w.chart2->SeriesCount();
    state.counters["points"] = static_cast<double>(SixYears().State().DataSet(0)->pointCount());
}
BENCHMARK(BM_SixYearsPageDown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(6);

void BM_SixYearsSpanChange(benchmark::State& state)
{
    YearSpan();
    QComboBox* spans = SixYears().Widgets().spanTime;
    for (auto _ : state) {
        state.PauseTiming();
        UntilSettled(SixYears(), [&] { spans->setCurrentIndex(SpanOneQuarter); });
        state.ResumeTiming();
        Timed(state, [&] { spans->setCurrentIndex(SpanOneYear); });
    }
}
BENCHMARK(BM_SixYearsSpanChange)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(6);

void BM_SixYearsSliderStep(benchmark::State& state)
{
    YearSpan();
    QSlider& slider = *SixYears().Widgets().sliderTime;
    const int a = std::min(slider.value(), std::max(slider.maximum() - 1, 0));
    const int b = std::min(a + 1, slider.maximum());
    bool forward = true;
    for (auto _ : state) {
        Timed(state, [&] { slider.setValue(forward ? b : a); });
        forward = !forward;
    }
}
BENCHMARK(BM_SixYearsSliderStep)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

// Resident kilobytes of this process: now (VmRSS) or at the peak (VmHWM).
double ResidentKilobytes(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::atof(line.c_str() + std::strlen(key));
    }
    return 0;
}

void BM_SixYearsMemory(benchmark::State& state)
{
    // What a window holds before any log (the libraries, fonts and widgets).
    NewWindow().reset();
    QApplication::processEvents();
    const double before = ResidentKilobytes("VmRSS:") * 1024;
    for (auto _ : state)
        SixYears();
    std::size_t points = 0, dataBytes = 0;
    for (const auto& set : SixYears().State().dataSets) {
        points += set ? set->pointCount() : 0;
        dataBytes += set ? set->memoryBytes() : 0;
    }
    const double held = ResidentKilobytes("VmRSS:") * 1024;
    const double peak = ResidentKilobytes("VmHWM:") * 1024;
    const double allowance = 64.0 * 1024 * 1024;
    state.counters["points"] = static_cast<double>(points);
    state.counters["held_mib"] = held / (1 << 20);
    state.counters["empty_mib"] = before / (1 << 20);
    state.counters["data_sets_mib"] = static_cast<double>(dataBytes) / (1 << 20);
    state.counters["peak_mib"] = peak / (1 << 20);
    state.counters["limit_mib"] = (12.0 * static_cast<double>(points) + allowance) / (1 << 20);
    state.counters["bytes_per_point"] =
        points ? (held - allowance) / static_cast<double>(points) : 0;
}
BENCHMARK(BM_SixYearsMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window reads and writes the settings file: keep it away from the user's.
    const fs::path config =
        fs::temp_directory_path() / ("korvex-program-bench-config-" + std::to_string(::getpid()));
    fs::create_directories(config);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theWindow.reset();
    AppSettings::Release();
    std::error_code ignored;
    fs::remove_all(config, ignored);
    return 0;
}
