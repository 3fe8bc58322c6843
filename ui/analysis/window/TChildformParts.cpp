// Where an analysis window builds its parts and wires them: each part gets what it reads (the
// const ChildState, the widgets it serves, the parts it calls) and the window's PartHost; a
// view a part derives from a gesture comes back through ApplyView and is the window's state.

#include "core/services/AppSettings.h"
#include "core/services/Errors.h"
#include "ui/analysis/parts/CheckPart.h"
#include "ui/analysis/parts/ChildExport.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/parts/ChildNavigation.h"
#include "ui/analysis/parts/ChildPrint.h"
#include "ui/analysis/parts/PartHost.h"
#include "ui/analysis/parts/ReadingParts.h"
#include "ui/analysis/parts/TablePart.h"
#include "ui/analysis/parts/YieldSummaryPart.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/chart/ChartWidget.h"

namespace korvex {

ChildParts::ChildParts() = default;
ChildParts::~ChildParts() = default;

// The window as its parts see it.
class TChildform::Host final : public PartHost {
public:
    explicit Host(TChildform& window) : window_(window) {}

    void ApplyView(const AnalysisView& next) override
    {
        const bool shownChanged = next.current != window_.state_.view.current ||
                                  next.overview != window_.state_.view.overview;
        window_.state_.view = next;
        if (shownChanged && window_.parts_.check)
            window_.parts_.check->FollowView();
    }
    void SetWindow(DayTime maximum, DayTime minimum) override
    {
        window_.SetWindow(maximum, minimum);
    }
    void UpdateExcelAction(bool forced, bool value) override
    {
        window_.UpdateExcelAction(forced, value);
    }
    void CommandStateChanged() override { emit window_.CommandStateChanged(); }
    void FitPanelLeftToHeader() override { window_.FitPanelLeftToHeader(); }
    QScrollArea* ListOfHeader() const override { return window_.ListOfHeader(); }
    QString DeviceDisplayName(int deviceIndex) const override
    {
        return window_.DeviceDisplayName(deviceIndex);
    }

private:
    TChildform& window_;
};

void TChildform::InstallParts()
{
    host_ = std::make_unique<Host>(*this);
    // The time window is the charts' bottom axis, whoever moves it (navigation, zoom, panning).
    connect(w_.chart->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            [this](const QCPRange& range) {
                state_.view = WithWindow(state_.view, TimeWindow{range.lower, range.upper});
            });

    // The table shows the overview marks; it is refilled through this call when a mark changes.
    auto graphs = std::make_unique<ChildGraphs>(*this, state_, w_, *host_,
                                                [this] { parts_.table->FillTable(); });
    auto table = std::make_unique<TablePart>(state_, *host_, *w_.grid, *w_.panelCharts,
                                             *w_.spanTime, *w_.chart);
    auto overview = std::make_unique<YieldSummaryPart>(state_, state_.view, *table,
                                                       *w_.tabSetDevices, *w_.spanTime, *w_.chart);
    parts_.navigation =
        std::make_unique<ChildNavigation>(*this, state_, w_, *host_, *graphs, *table, *overview);
    parts_.printer = std::make_unique<ChildPrint>(*this, state_, w_, *graphs,
                                                  [this] { parts_.navigation->UpdateChartTitle(); });
    parts_.graphs = std::move(graphs);
    parts_.table = std::move(table);
    parts_.overview = std::move(overview);
    parts_.exporter = std::make_unique<ChildExport>(*this, state_.view, *w_.chart);
    parts_.check = std::make_unique<CheckPart>(*this, state_, w_);
    reading_ = &InstallReadingParts(*this, state_, w_);
    // The function check's panel is a reading option like the statistics panel.
    connect(reading_, &ReadingParts::Applied, parts_.check.get(),
            [this](const ReadingOptions& options) { parts_.check->SetShown(options.functionCheck); });
    try {
        parts_.check->SetShown(AppSettings::Get().readingOptions().functionCheck);
    } catch (const SettingsFileError&) {
        // Reported where the window reads its other settings; the panel stays hidden.
    }
    connect(parts_.check.get(), &CheckPart::IncidentChosen, this,
            [this](const Incident& incident) { ShowIncident(incident); });
}

} // namespace korvex
