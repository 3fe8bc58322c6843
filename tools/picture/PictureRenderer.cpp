#include "tools/picture/PictureRenderer.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/DeviceSettings.h"
#include "core/services/Errors.h"
#include "core/services/MonthNameTables.h"
#include "core/services/TextCatalogue.h"
#include "core/views/Navigation.h"
#include "tools/report/ReportMessages.h"
#include "ui/analysis/output/ChartSettle.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/parts/ChildNavigation.h"
#include "ui/analysis/parts/ChildPrint.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/Platform.h"

#include <QApplication>
#include <QComboBox>
#include <QSlider>
#include <QTabBar>
#include <QTimer>

#include <memory>

namespace korvex::report {

namespace {

// Nobody can answer a box here: messages are collected, questions get their safe answer.
class CollectingPrompts final : public Prompts {
public:
    PromptAnswer Show(QWidget*, const QString&, const QString& text, PromptIcon,
                      PromptButtons buttons) override
    {
        messages.push_back(text.toStdString());
        switch (buttons) {
            case PromptButtons::Ok:
                return PromptAnswer::Ok;
            case PromptButtons::OkCancel:
                return PromptAnswer::Cancel;
            default:
                return PromptAnswer::No;
        }
    }
    std::vector<std::string> messages;
};

// No desktop: pictures get the size of an unknown work area, 1024 x 768.
class NoDesktop final : public Desktop {
public:
    std::optional<QRect> WorkArea() override { return std::nullopt; }
    int PixelsPerInchY() override { return 96; }
};

class PlatformSwap {
public:
    PlatformSwap(Prompts& prompts, Desktop& desktop) : saved_(ThePlatform())
    {
        ThePlatform().prompts = &prompts;
        ThePlatform().desktop = &desktop;
    }
    ~PlatformSwap() { ThePlatform() = saved_; }
    PlatformSwap(const PlatformSwap&) = delete;
    PlatformSwap& operator=(const PlatformSwap&) = delete;

private:
    Platform saved_;
};

class WindowTarget final : public LogLoadTarget {
public:
    explicit WindowTarget(TChildform& window) : window_(window) {}
    void AddLogFile(const std::string& path) override { window_.AddLogFile(path); }
    void AddParsedLogFile(const ParsedLogFile& file) override { window_.AddParsedLogFile(file); }
    void BuildDeviceView(std::size_t device) override
    {
        window_.BuildDeviceView(static_cast<int>(device));
    }

private:
    TChildform& window_;
};

// The window as large as the picture's assumed desktop, so that its charts share the height as
// they would on such a screen.
constexpr int kWindowWidth = 1138;
constexpr int kWindowHeight = 854;

// The graphs the job names on the shown device, or every measured value and output it has.
void ShowGraphs(TChildform& window, const PictureJob& job)
{
    ChildGraphs* graphs = &window.Graphs();
    AnalysisDataSet* set = graphs->Selection().Current();
    if (!set || !set->deviceSettings())
        return;
    const DeviceSettings& settings = *set->deviceSettings();
    // Stacks the shown outputs into their bands, as a click on a row's box does.
    struct Restack {
        ChildGraphs& graphs;
        ~Restack() { graphs.UpdateOutputChart(false, false); }
    } restack{*graphs};
    if (job.graphs.empty()) {
        for (int i = 0; i < settings.fieldCount(); ++i) {
            if (!settings.derived(i) && set->available(i))
                graphs->ShowField(*set, i);
        }
        return;
    }
    for (const std::string& key : job.graphs) {
        const int field = settings.find(key);
        if (field < 0 || !set->available(field)) {
            std::string offered;
            for (int i = 0; i < settings.fieldCount(); ++i) {
                if (set->available(i))
                    offered += (offered.empty() ? "" : ",") + settings.key(i);
            }
            throw KorvexError(
                Message("--graphs: %1 is no field with data of the device (%2)", {key, offered}));
        }
        graphs->ShowField(*set, field);
    }
}

void Show(TChildform& window, const PictureJob& job)
{
    const ChildWidgets& w = window.Widgets();
    const ChildState& state = window.State();
    if (job.device && *job.device > 0 && static_cast<int>(*job.device) < w.tabSetDevices->count())
        w.tabSetDevices->setCurrentIndex(static_cast<int>(*job.device));
    // As a user would: the day on the slider while the span is one day, then the span.
    const DayTime at = job.at.value_or(window.Navigation().Range().start);
    const int day = NearestDayIndex(state.dayNumbers, at);
    if (day >= 0)
        w.sliderTime->setValue(day);
    w.spanTime->setCurrentIndex(job.spanItem);
    if (job.tableView)
        window.ShowTable(true);
    else
        ShowGraphs(window, job);
}

// Qt's own diagnostics (platform plugin notes and the like) are no messages for the user of a
// command-line tool.
void QuietQt(QtMsgType, const QMessageLogContext&, const QString&) {}

class QuietQtMessages {
public:
    QuietQtMessages() : previous_(qInstallMessageHandler(QuietQt)) {}
    ~QuietQtMessages() { qInstallMessageHandler(previous_); }
    QuietQtMessages(const QuietQtMessages&) = delete;
    QuietQtMessages& operator=(const QuietQtMessages&) = delete;

private:
    QtMessageHandler previous_;
};

} // namespace

PictureResult RenderAnalysisPicture(const PictureJob& job)
{
    const QuietQtMessages quiet;
    std::unique_ptr<QApplication> app;
    if (!QCoreApplication::instance()) {
        // No display is needed, whatever the environment says.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "korvex-report";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }
    CollectingPrompts prompts;
    NoDesktop desktop;
    PictureResult result;
    {
        // The files are read while the window is built.
        LogLoadHeadStart headStart(job.selection, job.observer);
        const PlatformSwap swap(prompts, desktop);
        auto window = std::make_unique<TChildform>();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        const MonthNames& months = MonthNamesForBlock(CurrentTextBlock());
        window->Widgets().chart->SetMonthNames(months);
        window->Widgets().chart2->SetMonthNames(months);
        window->resize(kWindowWidth, kWindowHeight);
        window->show();
        QCoreApplication::processEvents();

        try {
            window->BeginAnalysis(static_cast<int>(job.selection.files.size()),
                                  job.selection.devices, job.from, job.to);
            WindowTarget target(*window);
            result.load = RunLogLoad(job.selection, target, job.observer, headStart);
            window->FinishAnalysis();
            Show(*window, job);
            const ChildWidgets& w = window->Widgets();
            SettleCharts(*w.chart, *w.chart2, *w.repaintTimer);
            QString written;
            if (window->Printer().WritePictureTo(QString::fromStdString(job.path), &written))
                result.writtenPath = written.toStdString();
            else
                prompts.messages.push_back("the window shows no graph for this span and device");
        } catch (const std::exception& e) {
            prompts.messages.push_back(e.what());
        }
        window.reset();
    }
    result.errors = std::move(prompts.messages);
    return result;
}

} // namespace korvex::report
