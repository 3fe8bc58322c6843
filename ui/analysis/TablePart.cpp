#include "ui/analysis/TablePart.h"

#include "core/views/TableView.h"
#include "core/views/YieldTables.h"
#include "ui/analysis/ChildState.h"
#include "ui/analysis/DeviceSelection.h"
#include "ui/analysis/TTableGrid.h"
#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartWidget.h"

#include <QComboBox>

#include <memory>

namespace korvex {

TablePart::TablePart(ChildState& state, const DeviceSelection& selection, TTableGrid& grid,
                     QWidget& panelCharts, const QComboBox& spanTime, const ChartWidget& chart)
    : state_(state), selection_(selection), grid_(grid), panelCharts_(panelCharts),
      spanTime_(spanTime), chart_(chart)
{}

ViewFormat TablePart::Format() const
{
    // The separator is read now: the first log file switches it to the comma.
    return ViewFormat{&chart_.Months(), DecimalSeparator()};
}

void TablePart::BuildYieldTables()
{
    const ViewFormat format = Format();
    state_.dailyYieldTable = std::make_unique<StringGrid>(
        BuildDailyYieldTable(state_.dataSets, state_.dayNumbers, format));
    state_.monthlyYieldTable =
        std::make_unique<StringGrid>(BuildMonthlyYieldTable(*state_.dailyYieldTable, format));
    state_.annualYieldTable = std::make_unique<StringGrid>(BuildAnnualYieldTable(
        *state_.monthlyYieldTable, state_.periodStart, state_.dataSets, format));
}

void TablePart::UpdateTableTexts()
{
    korvex::UpdateTableTexts(state_.dailyYieldTable.get(), state_.monthlyYieldTable.get(),
                             state_.annualYieldTable.get());
    if (state_.tableMode) {
        ShowTable(false);
        ShowTable(true);
    }
}

void TablePart::FillTable()
{
    if (!state_.tableMode)
        return;
    TableRequest request;
    request.spanItem = spanTime_.currentIndex();
    const ChartAxis& bottom = chart_.BottomAxis();
    request.window = TimeWindow{bottom.Minimum(), bottom.Maximum()};
    request.daily = state_.dailyYieldTable.get();
    request.monthly = state_.monthlyYieldTable.get();
    request.sets = state_.dataSets;
    request.current = selection_.Current();
    request.overviewMode = selection_.Overview();
    request.format = Format();
    grid_.SetContent(korvex::FillTable(request));
}

void TablePart::ShowTable(bool on)
{
    panelCharts_.setVisible(!on);
    grid_.setVisible(on);
    state_.tableMode = on;
    FillTable();
}

} // namespace korvex
