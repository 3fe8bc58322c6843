#include "ui/analysis/parts/ReadingParts.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/services/Errors.h"
#include "core/views/ChildState.h"
#include "core/views/GraphChoice.h"
#include "ui/analysis/parts/ChartKeys.h"
#include "ui/analysis/parts/ShownGraphs.h"
#include "ui/analysis/parts/StatisticsPanel.h"
#include "ui/analysis/widgets/ChildWidgets.h"
#include "ui/analysis/widgets/TXPButton.h"
#include "ui/chart/ChartReadout.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/Prompts.h"

#include <QComboBox>
#include <QSlider>
#include <QSplitter>
#include <QTabBar>

#include <algorithm>

namespace korvex {

ReadingParts::ReadingParts(QWidget& owner, const ChildState& state, const ChildWidgets& w)
    : QObject(&owner)
{
    graphs_ = std::make_unique<ShownGraphs>(
        *w.chart, *w.chart2,
        [&state] {
            std::vector<AnalysisDataSet*> sets;
            for (const auto& set : state.dataSets)
                sets.push_back(set.get());
            return sets;
        },
        [&state] { return state.view.overview; });
    readout_ = new ChartReadout(
        *w.chart, *w.chart2, [this] { return graphs_->Graphs(); },
        [combo = w.spanTime] { return combo->currentIndex(); }, this);
    statistics_ = new StatisticsPanel(*graphs_, *w.chart, w.panelStrip);
    statistics_->hide();
    w.panelStrip->insertWidget(0, statistics_);
    NavigationControls controls;
    controls.scrollLeft = w.buttonScrollLeft;
    controls.scrollRight = w.buttonScrollRight;
    controls.jumpLeft = w.buttonJumpLeft;
    controls.jumpRight = w.buttonJumpRight;
    controls.slider = w.sliderTime;
    controls.spans = w.spanTime;
    keys_ = new ChartKeys(controls, {w.chart, w.chart2}, this);
}

ReadingParts::~ReadingParts() = default;

void ReadingParts::Apply(const ReadingOptions& options)
{
    readout_->SetEnabled(options.readout);
    statistics_->setVisible(options.statistics);
    emit Applied(options);
}

void ReadingParts::ApplyLanguage()
{
    statistics_->ApplyLanguage();
}

ReadingParts& InstallReadingParts(QWidget& owner, const ChildState& state,
                                  const ChildWidgets& widgets)
{
    auto* parts = new ReadingParts(owner, state, widgets);
    ReadingOptions options;
    try {
        options = AppSettings::Get().readingOptions();
    } catch (const SettingsFileError&) {
        // Reported where the window reads its other settings; the defaults serve here.
    }
    parts->Apply(options);
    return *parts;
}

void ShowRememberedGraphs(AnalysisDataSet& set)
{
    const DeviceSettings* device = set.deviceSettings();
    if (!device)
        return;
    const int number = device->number();
    AppSettings* settings = nullptr;
    try {
        settings = &AppSettings::Get();
    } catch (const SettingsFileError&) {
        // Shown already where the window read its other settings; the defaults serve here.
    }
    const bool stored = settings && settings->hasGraphChoice(number);
    const std::vector<int> fields = InitialShownFields(
        set, stored, [&](const std::string& key) { return settings->readGraphShown(number, key); });
    for (int field : fields)
        set.show(field);
    // The Overview marks exist once the display is prepared; the list's boxes follow them.
    if (settings && set.hasSelection() && settings->hasGraphChoice(number, GraphList::Overview)) {
        for (int field : InitialOverviewFields(set, [&](const std::string& key) {
                 return settings->readGraphShown(number, key, GraphList::Overview);
             }))
            set.select(field, true);
        set.notifyDisplayChanged(-1);
    }
}

void RememberGraphChoice(QWidget* window, const AnalysisDataSet& set, GraphList list)
{
    const DeviceSettings* device = set.deviceSettings();
    if (!device)
        return;
    try {
        AppSettings::Get().writeGraphChoice(device->number(),
                                            list == GraphList::Overview
                                                ? CurrentOverviewChoice(set)
                                                : CurrentGraphChoice(set),
                                            list);
    } catch (const SettingsFileError& e) {
        ShowErrorBox(window, QString::fromUtf8(e.what()));
    }
}

} // namespace korvex
