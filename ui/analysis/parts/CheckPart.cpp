#include "ui/analysis/parts/CheckPart.h"

#include "core/check/CheckDevices.h"
#include "core/logdata/AnalysisDataSet.h"
#include "core/services/AppSettings.h"
#include "core/services/Errors.h"
#include "core/views/ChildState.h"
#include "ui/analysis/parts/CheckPanel.h"
#include "ui/analysis/widgets/ChildWidgets.h"
#include "ui/chart/ChartBands.h"
#include "ui/chart/ChartWidget.h"

#include <QSplitter>

namespace korvex {

namespace {

// Faults of the installation stand out; gaps in the logs only say where nothing was logged.
const QColor kFaultBand(255, 120, 0, 60);
const QColor kLogBand(120, 120, 120, 45);

// The two-digit text of the device the view shows; empty for none.
std::string ShownDevice(const ChildState& state)
{
    for (int i = 0; i < state.DeviceCount(); ++i) {
        if (state.view.Current() && state.DataSet(i) == state.view.Current())
            return state.deviceNumbers[static_cast<std::size_t>(i)];
    }
    return {};
}

} // namespace

CheckPart::CheckPart(QWidget& owner, const ChildState& state, const ChildWidgets& widgets)
    : QObject(&owner), state_(state)
{
    panel_ = new CheckPanel(widgets.panelStrip);
    panel_->hide();
    widgets.panelStrip->addWidget(panel_);
    bands_ = new ChartBands(*widgets.chart, this);
    connect(panel_, &CheckPanel::IncidentActivated, this, &CheckPart::IncidentChosen);
}

CheckPart::~CheckPart() = default;

void CheckPart::Run()
{
    current_ = false;
    if (!shown_ || state_.dataSets.empty())
        return;
    const AppSettings* settings = nullptr;
    try {
        settings = &AppSettings::Get();
    } catch (const SettingsFileError&) {
        // Reported where the window reads its other settings; the defaults serve here.
    }
    incidents_ = RunFunctionCheck(
        CheckDevicesOf(state_.dataSets, state_.deviceNumbers, state_.failedFiles, settings));
    panel_->SetIncidents(incidents_);
    current_ = true;
    FollowView();
}

void CheckPart::Clear()
{
    incidents_.clear();
    current_ = false;
    panel_->SetIncidents({});
    bands_->Clear();
}

void CheckPart::FollowView()
{
    const bool all = state_.view.Overview();
    const std::string device = ShownDevice(state_);
    if (all)
        panel_->ShowAll();
    else
        panel_->ShowDevice(device);
    std::vector<ChartBand> bands;
    for (const Incident& incident : incidents_) {
        if (!all && incident.device != device)
            continue;
        ChartBand band;
        band.start = incident.start;
        band.end = incident.end;
        band.text = QString::fromStdString(incident.text);
        band.colour = IsAboutTheInstallation(incident) ? kFaultBand : kLogBand;
        bands.push_back(std::move(band));
    }
    bands_->SetBands(std::move(bands));
}

void CheckPart::SetShown(bool shown)
{
    shown_ = shown;
    panel_->setVisible(shown);
    bands_->SetVisible(shown);
    if (shown && !current_)
        Run();
}

bool CheckPart::Shown() const
{
    return shown_;
}

void CheckPart::ApplyLanguage()
{
    panel_->ApplyLanguage();
    Run();
}

} // namespace korvex
