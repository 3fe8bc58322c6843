// Filling and emptying an analysis window: the operations the open-analysis dialog calls, the
// device tabs and the caption.

#include "ui/analysis/window/TChildform.h"

#include "core/logdata/Aggregation.h"
#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/FieldDisplay.h"
#include "core/logdata/ParsedLogFile.h"
#include "core/services/Errors.h"
#include "core/views/Navigation.h"
#include "core/views/StringGrid.h"
#include "ui/analysis/parts/CheckPart.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/parts/ChildNavigation.h"
#include "ui/analysis/parts/ChildPrint.h"
#include "ui/analysis/widgets/THeaderControl.h"
#include "ui/analysis/parts/TablePart.h"
#include "ui/analysis/parts/YieldSummaryPart.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/EventTurns.h"
#include "ui/platform/UiText.h"

#include <QAction>
#include <QComboBox>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>

#include <new>

namespace korvex {

void TChildform::BeginAnalysis(int fileCount, std::vector<std::string> deviceNumbers,
                               DayTime periodStart, DayTime periodEnd)
{
    // The window's intermediate looks while the files come are never seen: the charts draw
    // again with the first view (or the reset after a failed load).
    HoldChartDrawing(true);
    ClearAnalysis();
    SetCaptionPeriod(FormatDayTime("dd.mm.yyyy", periodStart),
                     FormatDayTime("dd.mm.yyyy", periodEnd), fileCount);
    state_.periodStart = periodStart;
    state_.periodEnd = periodEnd;
    state_.deviceNumbers = std::move(deviceNumbers);
    try {
        state_.dataSets.resize(state_.deviceNumbers.size());
    } catch (const std::bad_alloc&) {
        throw KorvexError(Text(TextId::DataStructureNoMemory));
    }
}

namespace {

// The data set of the file's device, created on its first file.
AnalysisDataSet& DataSetForFile(ChildState& state, const ChildWidgets& w, const std::string& path)
{
    const int index = DataSetIndexForFile(state.deviceNumbers, path);
    if (index < 0 || index >= static_cast<int>(state.dataSets.size()))
        throw KorvexError(Text(TextId::LogFileNotAssigned) + "\n(" + path + ")");
    auto& slot = state.dataSets[static_cast<std::size_t>(index)];
    if (!slot)
        slot = std::make_unique<AnalysisDataSet>(state.periodStart, state.periodEnd, w.chart,
                                                 w.chart2);
    return *slot;
}

} // namespace

void TChildform::AddLogFile(const std::string& path)
{
    DataSetForFile(state_, w_, path).load(path);
}

void TChildform::AddParsedLogFile(const ParsedLogFile& file)
{
    DataSetForFile(state_, w_, file.path).load(file);
}

void TChildform::BuildDeviceView(int deviceIndex)
{
    AnalysisDataSet* set = state_.DataSet(deviceIndex);
    if (!set || deviceIndex >= state_.DeviceCount())
        return;
    Aggregate(*set);
    set->shrinkToFit();
    set->updateAvailability();
    parts_.graphs->BuildGraphList(*set);
    set->prepareDisplay();
}

void TChildform::FinishAnalysis(std::vector<std::string> failedFiles)
{
    state_.failedFiles = std::move(failedFiles);
    // The first device is current; the days with data of every device.
    parts_.graphs->AnalysisLoaded(state_.DataSet(0));
    state_.dayList.clear();
    state_.dayNumbers.clear();
    std::vector<const AnalysisDataSet*> sets;
    for (const auto& set : state_.dataSets)
        sets.push_back(set.get());
    state_.dayList = CollectAnalysisDays(sets);
    for (const auto& entry : state_.dayList)
        state_.dayNumbers.push_back(entry.second);

    // Navigation runs from the first to the last day with data; the first day is shown.
    const NavigationRange range{static_cast<DayTime>(state_.dayList.front().second),
                                static_cast<DayTime>(state_.dayList.back().second + 1)};
    parts_.navigation->ResetRange(range);
    SetWindow(range.start + 1, range.start);

    // The span list afresh, on one day, without triggering a span change.
    {
        const QSignalBlocker block(w_.spanTime);
        w_.spanTime->clear();
        for (TextId text : kSpanItemTexts)
            w_.spanTime->addItem(UiText(text));
        w_.spanTime->setCurrentIndex(SpanOneDay);
    }

    // One slider position per day with data.
    {
        const QSignalBlocker block(w_.sliderTime);
        w_.sliderTime->setMinimum(0);
        w_.sliderTime->setValue(0);
        w_.sliderTime->setMaximum(static_cast<int>(state_.dayList.size()) - 1);
        w_.sliderTime->setEnabled(true);
    }

    // Title of the first day shown.
    w_.chart->SetTitleLines(
        {QString::fromStdString(InitialChartTitle(range.start, w_.chart->Months()))});

    // One tab per device (and Overview); selects the first.
    FillDeviceTabs();

    // A single device needs no overview column.
    THeaderControl& header = *w_.headerControl;
    if (state_.DeviceCount() <= 1 && header.SectionCount() > 2) {
        SetPanelLeftWidth(PanelLeftWidth() - header.SectionWidth(2));
        header.DeleteSection(2);
        header.SetSectionMinWidth(1, 18);
        parts_.graphs->LayoutGraphList(ListOfHeader(), true, QString());
    }

    // Daily, monthly and annual yield tables.
    parts_.table->BuildYieldTables();

    // The spreadsheet action and the main window's commands follow the loaded analysis.
    UpdateExcelAction();
    emit CommandStateChanged();

    HoldChartDrawing(false);
    // The function check once the first view is on the screen.
    AfterQueuedPaints(this, [this] {
        if (!state_.dataSets.empty())
            parts_.check->Run();
    });
}

void TChildform::FillDeviceTabs()
{
    RemoveAllTabs();
    {
        const QSignalBlocker block(w_.tabSetDevices);
        for (int i = 0; i < state_.DeviceCount(); ++i)
            w_.tabSetDevices->addTab(DeviceDisplayName(i));
        w_.tabSetDevices->addTab(UiText(TextId::Overview));
        w_.tabSetDevices->setCurrentIndex(0);
    }
    parts_.navigation->TabSetDevicesChange(0);
    if (state_.DeviceCount() <= 1)
        RemoveAllTabs();
}

QString TChildform::DeviceDisplayName(int deviceIndex) const
{
    AnalysisDataSet* set = state_.DataSet(deviceIndex);
    if (set && set->deviceSettings())
        return QString::fromStdString(set->deviceSettings()->displayName());
    // A device whose every file failed before its name was read.
    if (deviceIndex >= 0 && deviceIndex < state_.DeviceCount())
        return QString::fromStdString(state_.deviceNumbers[static_cast<std::size_t>(deviceIndex)]);
    return {};
}

void TChildform::RemoveAllTabs()
{
    const QSignalBlocker block(w_.tabSetDevices);
    while (w_.tabSetDevices->count() > 0)
        w_.tabSetDevices->removeTab(w_.tabSetDevices->count() - 1);
}

void TChildform::ClearAnalysis()
{
    parts_.graphs->ReleaseDataSets();
    try {
        ReturnHeaderToOverview();
    } catch (...) {
        // The header's place does not matter for emptying the window.
    }
    try {
        state_.FreeAnalysis();
        parts_.table->FreeYieldTables();
        parts_.check->Clear();
        parts_.graphs->AnalysisCleared();
    } catch (...) {
        // The controls below are reset whatever failed while freeing.
    }
    // The caption texts go with the analysis, so that a later relabel does not bring them back.
    state_.dateFromText.clear();
    state_.dateToText.clear();
    state_.fileCount = 0;

    w_.sliderTime->blockSignals(false);
    {
        const QSignalBlocker block(w_.spanTime);
        w_.spanTime->setCurrentIndex(SpanOneDay);
    }
    w_.chart->SetTitleLines({});
    setWindowTitle(UiText(TextId::MenuNew));
    RemoveAllTabs();
}

void TChildform::ReturnHeaderToOverview()
{
    QWidget* content = w_.overview->widget();
    if (w_.headerControl->parentWidget() != content) {
        w_.headerControl->setParent(content);
        w_.headerControl->show();
    }
}

void TChildform::HoldChartDrawing(bool hold)
{
    w_.chart->HoldDrawing(hold);
    w_.chart2->HoldDrawing(hold);
}

void TChildform::ResetAnalysis()
{
    ClearAnalysis();
    HoldChartDrawing(false);
    setWindowTitle(UiText(TextId::MenuNew));
    UpdateExcelAction();
    emit CommandStateChanged();
}

void TChildform::SetCaptionPeriod(std::string fromText, std::string toText, int fileCount)
{
    state_.dateFromText = std::move(fromText);
    state_.dateToText = std::move(toText);
    state_.fileCount = fileCount;
    UpdateCaption();
}

void TChildform::UpdateCaption()
{
    if (state_.dateFromText.empty()) {
        setWindowTitle(UiText(TextId::MenuNew));
    } else if (state_.dateToText.empty()) {
        setWindowTitle(UiText(TextId::TitleAnalysisFromDay) +
                       QString::fromStdString(state_.dateFromText) + QLatin1Char('.'));
    } else {
        setWindowTitle(UiText(TextId::TitleAnalysisFromRange) +
                       QString::fromStdString(state_.dateFromText) + UiText(TextId::TitleTo) +
                       QString::fromStdString(state_.dateToText) +
                       UiText(TextId::TitleFileCountOpen) + QString::number(state_.fileCount) +
                       UiText(TextId::TitleFilesFound));
    }
}

} // namespace korvex
