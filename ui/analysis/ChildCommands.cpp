// The analysis window's commands and relabelling: language, chart settings, the settings
// command, the spreadsheet action's state, activation and closing.

#include "ui/analysis/Child.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/FieldDisplay.h"
#include "core/services/TextCatalogue.h"
#include "ui/analysis/ChildControls.h"
#include "ui/analysis/ReadingParts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/shell/SettingsDialog.h"

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
QString T(int row)
{
    return QString::fromStdString(Text(row));
}
} // namespace

void TChildform::ApplyLanguage()
{
    if (ReadingParts* reading = ReadingPartsOf(*this))
        reading->ApplyLanguage();
    // 1, 2
    w_.actionOpenExcel->setText(T(23));
    w_.actionOpenSettings->setText(T(6));
    w_.labelDisplayedTimeSpan->setText(T(21) + QLatin1Char(':'));
    w_.labelDisplayedTimeSpan->adjustSize();
    w_.labelSelectTimeSpan->setText(T(22) + QLatin1Char(':'));
    w_.labelSelectTimeSpan->adjustSize();
    w_.labelHeadline->setText(T(45) + QLatin1Char(':'));
    w_.labelHeadline->adjustSize();

    // 3
    panelLeftMinWidth_ = w_.labelHeadline->width() + 5;

    // 4
    QTabBar& tabs = *w_.tabSetDevices;
    if (tabs.count() > 0) {
        const QSignalBlocker block(tabs);
        tabs.setTabText(tabs.count() - 1, T(131));
    }

    // 5: a device that cannot be renamed keeps its old texts.
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

    // 6: the graph lists carry translated names and headings.
    if (state_.DeviceCount() > 0 && parts_.graphs) {
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
            if (parts_.navigation)
                parts_.navigation->TabSetDevicesChange(index);
        } else if (AnalysisDataSet* first = state_.DataSet(0)) {
            if (QScrollArea* list = parts_.graphs->GraphListOf(*first)) {
                parts_.graphs->LayoutGraphList(list, false, QString());
                list->raise();
                list->show();
            }
        }
    }

    // 7: fitting the column to the header is no change by the user.
    if (parts_.graphs) {
        const bool changed = state_.headerWidthsChanged;
        parts_.graphs->HeaderControlSectionResize(0);
        state_.headerWidthsChanged = changed;
    } else {
        FitPanelLeftToHeader();
    }
    PanelLeftResize();

    // 8
    if (parts_.table)
        parts_.table->UpdateTableTexts();
    UpdateCaption();
    UpdateSpanTexts();
    if (parts_.overview)
        parts_.overview->BuildYieldSummary();
    if (parts_.navigation)
        parts_.navigation->UpdateChartTitle();
}

void TChildform::UpdateSpanTexts()
{
    const QSignalBlocker block(w_.spanTime);
    const int selected = w_.spanTime->currentIndex();
    for (int i = 0; i < 7; ++i) {
        if (i < w_.spanTime->count())
            w_.spanTime->setItemText(i, T(kSpanTextRows[i]));
        else
            w_.spanTime->addItem(T(kSpanTextRows[i]));
    }
    w_.spanTime->setCurrentIndex(selected);
}

void TChildform::ApplyChartSettings(const ChildDefaults& values)
{
    // 1
    ChildDefaults d = values;
    if (d.axisMax < d.axisMin)
        std::swap(d.axisMin, d.axisMax);
    state_.defaults = d;

    // 2
    w_.chart->LeftAxis().SetMinMax(d.axisMin, d.axisMax);

    // 3: the header takes the widths within its limits, and PanelLeft follows the header.
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
    const bool shortSpan = w_.spanTime->currentIndex() <= kSpanOneDay;
    const bool deviceTab = tabs.count() == 0 || tabs.currentIndex() != tabs.count() - 1;
    w_.actionOpenExcel->setEnabled(shortSpan && state_.currentDataSet != nullptr && deviceTab);
}

bool TChildform::HasGraphs() const
{
    const int placeholders = static_cast<int>(
        std::count(state_.placeholderActive.begin(), state_.placeholderActive.end(), true));
    return w_.chart->SeriesCount() + w_.chart2->SeriesCount() - placeholders > 0;
}

void TChildform::ActionOpenSettingsExecute()
{
    if (!settingsEditor_)
        return;

    // 1: every device in window order; the selected tab's device is the current one.
    std::vector<DeviceSettings*> devices;
    for (auto& set : state_.dataSets) {
        if (set && set->deviceSettings())
            devices.push_back(set->deviceSettings());
    }
    DeviceSettings* current = nullptr;
    if (state_.currentDataSet)
        current = state_.currentDataSet->deviceSettings();
    if (!current && !devices.empty())
        current = devices.front();

    // 2
    const THeaderControl& header = *w_.headerControl;
    int* widths[3] = {&state_.defaults.headerWidth0, &state_.defaults.headerWidth1,
                      &state_.defaults.headerWidth2};
    for (int i = 0; i < std::min(3, header.SectionCount()); ++i)
        *widths[i] = header.SectionWidth(i);

    // 3
    ChildDefaults values = state_.defaults;
    if (!settingsEditor_->EditSettings(values, current, devices))
        return;

    // 4-6
    ApplyChartSettings(values);
    for (auto& set : state_.dataSets) {
        if (set)
            ApplyDisplayOfAll(*set);
    }
    if (parts_.graphs)
        parts_.graphs->UpdateOutputChart(false, false);
    if (w_.tabSetDevices->count() > 0 && parts_.navigation)
        parts_.navigation->TabSetDevicesChange(std::max(w_.tabSetDevices->currentIndex(), 0));

    // 7
    std::vector<const DeviceSettings*> keep(devices.begin(), devices.end());
    OfferToKeepSettings(this, values, keep);

    // 8
    UpdateExcelAction();
    if (parts_.graphs)
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

void TChildform::ShowTable(bool on)
{
    if (parts_.table)
        parts_.table->ShowTable(on);
    emit CommandStateChanged();
}

void TChildform::SaveAnalysis()
{
    if (parts_.printer)
        parts_.printer->SaveAnalysis();
}

void TChildform::PrintAnalysis()
{
    if (parts_.printer)
        parts_.printer->PrintAnalysis();
}

void TChildform::StoreHeaderWidths()
{
    AppSettings* settings = AppSettings::Instance();
    if (!state_.headerWidthsChanged || !settings)
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

} // namespace korvex
