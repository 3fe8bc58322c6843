#include "ui/analysis/parts/TablePart.h"

#include "core/views/StringGrid.h"
#include "core/views/TableView.h"
#include "core/views/YieldTables.h"
#include "core/views/ChildState.h"
#include "core/views/AnalysisView.h"
#include "ui/analysis/widgets/TTableGrid.h"
#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/UiText.h"

#include <QComboBox>

#include <memory>

namespace korvex {

TablePart::TablePart(const ChildState& state, PartHost& host, TTableGrid& grid,
                     QWidget& panelCharts, const QComboBox& spanTime, const ChartWidget& chart)
    : state_(state), host_(host), grid_(grid), panelCharts_(panelCharts),
      spanTime_(spanTime), chart_(chart)
{}

TablePart::~TablePart() = default;

ViewFormat TablePart::Format() const
{
    // The separator is read now: the first log file switches it to the comma.
    return ViewFormat{&chart_.Months(), DecimalSeparator()};
}

void TablePart::BuildYieldTables()
{
    const ViewFormat format = Format();
    daily_ = std::make_unique<StringGrid>(
        BuildDailyYieldTable(state_.dataSets, state_.dayNumbers, format));
    monthly_ = std::make_unique<StringGrid>(BuildMonthlyYieldTable(*daily_, format));
    annual_ = std::make_unique<StringGrid>(
        BuildAnnualYieldTable(*monthly_, state_.periodStart, state_.dataSets, format));
}

void TablePart::FreeYieldTables()
{
    daily_.reset();
    monthly_.reset();
    annual_.reset();
}

void TablePart::UpdateTableTexts()
{
    korvex::UpdateTableTexts(daily_.get(), monthly_.get(), annual_.get());
    if (TableMode()) {
        ShowTable(false);
        ShowTable(true);
    }
}

void TablePart::FillTable()
{
    if (!TableMode())
        return;
    TableRequest request;
    request.spanItem = spanTime_.currentIndex();
    const ChartAxis& bottom = chart_.BottomAxis();
    request.window = TimeWindow{bottom.Minimum(), bottom.Maximum()};
    request.daily = daily_.get();
    request.monthly = monthly_.get();
    request.sets = state_.dataSets;
    request.current = state_.view.Current();
    request.overviewMode = state_.view.Overview();
    request.format = Format();
    grid_.SetContent(korvex::FillTable(request));
    // The total row sums the logged day yields; the panel and the title take theirs elsewhere.
    const int last = grid_.RowCount() - 1;
    if (last >= grid_.FixedRows() && grid_.CellText(0, last) == UiText(TextId::Total))
        grid_.SetRowToolTip(last, UiText(TextId::YieldSourceTotal));
}

void TablePart::ShowTable(bool on)
{
    panelCharts_.setVisible(!on);
    grid_.setVisible(on);
    host_.ApplyView(korvex::ShowTable(state_.view, on));
    FillTable();
}

} // namespace korvex
