// The analysis window's commands and relabelling: language, chart settings, the settings
// command, the spreadsheet action's state, activation and closing.

#include "ui/analysis/window/TChildform.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/DeviceSettings.h"
#include "core/logdata/FieldDisplay.h"
#include "core/services/AppSettings.h"
#include "core/services/TextCatalogue.h"
#include "core/views/Navigation.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/parts/ChildNavigation.h"
#include "ui/analysis/parts/CheckPart.h"
#include "ui/analysis/parts/ChildPrint.h"
#include "ui/analysis/parts/ReadingParts.h"
#include "ui/analysis/widgets/THeaderControl.h"
#include "ui/analysis/widgets/TXPButton.h"
#include "ui/analysis/parts/TablePart.h"
#include "ui/analysis/parts/YieldSummaryPart.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/Platform.h"
#include "ui/platform/Prompts.h"
#include "ui/platform/UiText.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>

#include <algorithm>

namespace korvex {

namespace {

// The question after the settings were adopted: asks whether to save them too and, on Yes, writes the values as
// the Child section and then every device, in the given order, into the settings file. Nothing
// is asked while the settings file is not open. Throws SettingsFileError when no
// settings object can be had or a write fails.
void OfferToKeepSettings(QWidget* owner, const ChildDefaults& values,
                         const std::vector<const DeviceSettings*>& devices)
{
    AppSettings& settings = AppSettings::Get();
    if (!settings.isOpen())
        return;
    const PromptAnswer answer = ThePlatform().prompts->Show(
        owner, UiText(TextId::CaptionQuestion) + QLatin1Char(':'),
        UiText(TextId::SettingsAdoptedSaveToo), PromptIcon::Question, PromptButtons::YesNo);
    if (answer != PromptAnswer::Yes)
        return;
    settings.setChildDefaults(values);
    for (const DeviceSettings* device : devices) {
        if (device != nullptr)
            SaveDeviceSettings(settings, *device);
    }
}

} // namespace

void TChildform::ApplyLanguage()
{
    reading_->ApplyLanguage();
    parts_.check->ApplyLanguage();
    // Actions and labels; the labels take the size of their new text.
    w_.actionOpenExcel->setText(UiText(TextId::OpenInExcel));
    w_.actionOpenSettings->setText(UiText(TextId::MenuSettings));
    w_.labelDisplayedTimeSpan->setText(UiText(TextId::DisplayedTimeWindow) + QLatin1Char(':'));
    w_.labelDisplayedTimeSpan->adjustSize();
    w_.labelSelectTimeSpan->setText(UiText(TextId::ImageScrollBar) + QLatin1Char(':'));
    w_.labelSelectTimeSpan->adjustSize();
    w_.labelHeadline->setText(UiText(TextId::SelectableMeasuredValue) + QLatin1Char(':'));
    w_.labelHeadline->adjustSize();

    // The graph-list column never gets narrower than its headline.
    panelLeftMinWidth_ = w_.labelHeadline->width() + 5;

    // The Overview tab is always the last one.
    QTabBar& tabs = *w_.tabSetDevices;
    if (tabs.count() > 0) {
        const QSignalBlocker block(tabs);
        tabs.setTabText(tabs.count() - 1, UiText(TextId::Overview));
    }

    // Device tabs and sum labels; a device that cannot be renamed keeps its old texts.
    for (int i = 0; i < state_.DeviceCount(); ++i) {
        try {
            AnalysisDataSet* set = state_.DataSet(i);
            if (!set || !set->deviceSettings())
                continue;
            const QString name = QString::fromStdString(set->deviceSettings()->displayName());
            if (i < tabs.count()) {
                const QSignalBlocker block(tabs);
                tabs.setTabText(i, name);
            }
            set->deviceSettings()->translateSumLabels();
        } catch (...) {
        }
    }

    // The graph lists carry translated names and headings.
    if (state_.DeviceCount() > 0) {
        ReturnHeaderToOverview();
        for (auto& set : state_.dataSets) {
            if (set)
                parts_.graphs->BuildGraphList(*set);
        }
        if (tabs.count() > 0) {
            const int index = std::max(tabs.currentIndex(), 0);
            {
                const QSignalBlocker block(tabs);
                tabs.setCurrentIndex(index);
            }
            parts_.navigation->TabSetDevicesChange(index);
        } else if (AnalysisDataSet* first = state_.DataSet(0)) {
            if (QScrollArea* list = parts_.graphs->GraphListOf(*first)) {
                parts_.graphs->LayoutGraphList(list, false, QString());
                list->raise();
                list->show();
            }
        }
    }

    // Fitting the column to the header is no change by the user.
    parts_.graphs->FitToHeader();
    PanelLeftResize();

    // Texts shown elsewhere: table, caption, span list, yield summary and chart title.
    parts_.table->UpdateTableTexts();
    UpdateCaption();
    UpdateSpanTexts();
    parts_.overview->BuildYieldSummary();
    parts_.navigation->UpdateChartTitle();
}

void TChildform::UpdateSpanTexts()
{
    const QSignalBlocker block(w_.spanTime);
    const int selected = w_.spanTime->currentIndex();
    for (int i = 0; i < 7; ++i) {
        if (i < w_.spanTime->count())
            w_.spanTime->setItemText(i, UiText(kSpanItemTexts[i]));
        else
            w_.spanTime->addItem(UiText(kSpanItemTexts[i]));
    }
    w_.spanTime->setCurrentIndex(selected);
}

void TChildform::ApplyChartSettings(const ChildDefaults& values)
{
    // A reversed axis range is taken the right way round.
    ChildDefaults d = values;
    if (d.axisMax < d.axisMin)
        std::swap(d.axisMin, d.axisMax);
    state_.defaults = d;

    // The upper chart's Y scale.
    w_.chart->LeftAxis().SetMinMax(d.axisMin, d.axisMax);

    // The header takes the widths within its limits, and PanelLeft follows the header.
    THeaderControl& header = *w_.headerControl;
    const int widths[3] = {d.headerWidth0, d.headerWidth1, d.headerWidth2};
    for (int i = 0; i < std::min(3, header.SectionCount()); ++i)
        header.SetSectionWidth(i, widths[i]);
    FitPanelLeftToHeader();
}

void TChildform::FitPanelLeftToHeader()
{
    const int total = 2 + w_.headerControl->SectionsTotal();
    const int difference = total - HeaderControlWidth();
    if (difference != 0)
        SetPanelLeftWidth(PanelLeftWidth() + difference);
}

void TChildform::UpdateExcelAction(bool forced, bool value)
{
    if (forced) {
        w_.actionOpenExcel->setEnabled(value);
        return;
    }
    const QTabBar& tabs = *w_.tabSetDevices;
    const bool shortSpan = w_.spanTime->currentIndex() <= SpanOneDay;
    const bool deviceTab = tabs.count() == 0 || tabs.currentIndex() != tabs.count() - 1;
    w_.actionOpenExcel->setEnabled(shortSpan && parts_.graphs->Selection().Current() != nullptr &&
                                   deviceTab);
}

bool TChildform::HasGraphs() const
{
    const std::array<bool, 4>& on = parts_.graphs->PlaceholdersOn();
    const int placeholders = static_cast<int>(std::count(on.begin(), on.end(), true));
    return w_.chart->SeriesCount() + w_.chart2->SeriesCount() - placeholders > 0;
}

void TChildform::ActionOpenSettingsExecute()
{
    if (!settingsEditor_)
        return;

    // Every device in window order; the selected tab's device is the current one.
    std::vector<DeviceSettings*> devices;
    for (auto& set : state_.dataSets) {
        if (set && set->deviceSettings())
            devices.push_back(set->deviceSettings());
    }
    DeviceSettings* current = nullptr;
    if (AnalysisDataSet* set = parts_.graphs->Selection().Current())
        current = set->deviceSettings();
    if (!current && !devices.empty())
        current = devices.front();

    // The header widths as the user left them go into the settings shown.
    const THeaderControl& header = *w_.headerControl;
    int* widths[3] = {&state_.defaults.headerWidth0, &state_.defaults.headerWidth1,
                      &state_.defaults.headerWidth2};
    for (int i = 0; i < std::min(3, header.SectionCount()); ++i)
        *widths[i] = header.SectionWidth(i);

    // The dialog edits a copy; Cancel leaves everything as it was.
    ChildDefaults values = state_.defaults;
    const bool accepted = settingsEditor_->EditSettings(values, current, devices);
    // The check's roles and thresholds are written by the dialog itself, Cancel or not.
    if (!state_.dataSets.empty())
        parts_.check->Run();
    if (!accepted)
        return;

    // Apply the edited settings to the charts, every data set's display and the shown tab.
    ApplyChartSettings(values);
    for (auto& set : state_.dataSets) {
        if (set)
            ApplyDisplayOfAll(*set);
    }
    parts_.graphs->UpdateOutputChart(false, false);
    if (w_.tabSetDevices->count() > 0)
        parts_.navigation->TabSetDevicesChange(std::max(w_.tabSetDevices->currentIndex(), 0));

    // Offer to keep them for future analyses.
    std::vector<const DeviceSettings*> keep(devices.begin(), devices.end());
    OfferToKeepSettings(this, values, keep);

    // Commands and axis titles follow the new display.
    UpdateExcelAction();
    parts_.graphs->UpdateAxisTitles();
    emit CommandStateChanged();
}

void TChildform::OnActivate()
{
    UpdateExcelAction();
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions()) {
            if (action->shortcut() == QKeySequence(QKeySequence::Close))
                action->setEnabled(true);
        }
    }
}

bool TChildform::TableMode() const
{
    return parts_.table->TableMode();
}

void TChildform::ShowTable(bool on)
{
    parts_.table->ShowTable(on);
    emit CommandStateChanged();
}

void TChildform::SaveAnalysis()
{
    parts_.printer->SaveAnalysis();
}

void TChildform::PrintAnalysis()
{
    parts_.printer->PrintAnalysis();
}

void TChildform::StoreHeaderWidths()
{
    AppSettings* settings = AppSettings::Instance();
    if (!parts_.graphs->HeaderWidthsChanged() || !settings)
        return;
    // Only the widths: the window's own axis range, scaling and print title are not stored here.
    ChildDefaults stored = settings->childDefaults();
    const THeaderControl& header = *w_.headerControl;
    stored.headerWidth0 = header.SectionWidth(0);
    stored.headerWidth1 = header.SectionWidth(1);
    if (header.SectionCount() > 2)
        stored.headerWidth2 = header.SectionWidth(2);
    settings->setChildDefaults(stored);
}

void TChildform::closeEvent(QCloseEvent* event)
{
    w_.sliderTime->blockSignals(true);
    try {
        StoreHeaderWidths();
    } catch (...) {
        // The window closes even when the settings file cannot be written.
    }
    ClearAnalysis();
    QMdiSubWindow::closeEvent(event);
}

void ApplyRememberedGraphs(TChildform& window)
{
    const ChildState& state = window.State();
    for (const auto& set : state.dataSets)
        if (set)
            ShowRememberedGraphs(*set);
    const ChildWidgets& w = window.Widgets();
    window.Graphs().UpdateAxisTitles();
    window.Graphs().UpdateOutputChart(false, false);
    // Showing put every device's series on the charts; the tab change keeps the selected one's.
    if (w.tabSetDevices->count() > 0)
        window.Navigation().TabSetDevicesChange(std::max(w.tabSetDevices->currentIndex(), 0));
    emit window.CommandStateChanged();
}


} // namespace korvex
