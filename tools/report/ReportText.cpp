#include "tools/report/ReportText.h"

#include "core/logdata/Aggregation.h"
#include "core/services/Cp1252.h"
#include "core/views/Navigation.h"
#include "core/views/TableView.h"
#include "core/views/YieldSummary.h"
#include "core/views/YieldTables.h"

#include <stdexcept>

namespace korvex::report {

namespace {

const StringGrid& TableOf(ReportAnalysis& analysis, TableKind kind)
{
    switch (kind) {
        case TableKind::Monthly:
            return analysis.monthly;
        case TableKind::Annual:
            return analysis.annual;
        case TableKind::Daily:
            break;
    }
    return analysis.daily;
}

// Device and field of a data column, from its row-0 and row-1 integers; false when they name none.
bool ColumnField(ReportAnalysis& analysis, const StringGrid& table, int col, AnalysisDataSet*& set,
                 int& field)
{
    const int device = table.Value(col, 0);
    field = table.Value(col, 1);
    if (device < 0 || device >= static_cast<int>(analysis.dataSets.size()))
        return false;
    set = analysis.dataSets[static_cast<std::size_t>(device)].get();
    return set && set->deviceSettings() && field >= 0 &&
           field < set->deviceSettings()->fieldCount();
}

} // namespace

StringGrid PresentYieldTable(ReportAnalysis& analysis, TableKind kind,
                             std::optional<std::size_t> device, const MonthNames& months)
{
    const StringGrid& table = TableOf(analysis, kind);
    std::vector<int> columns{0};
    for (int col = 1; col < table.ColCount(); ++col)
        if (!device || table.Value(col, 0) == static_cast<int>(*device))
            columns.push_back(col);

    StringGrid out(static_cast<int>(columns.size()), table.RowCount());
    for (std::size_t c = 0; c < columns.size(); ++c)
        for (int row = 0; row < table.RowCount(); ++row)
            out.Cell(static_cast<int>(c), row) = table.Cell(columns[c], row);

    // Day rows carry the day number; show it as the table view does.
    if (kind == TableKind::Daily)
        for (int row = 2; row + 1 < out.RowCount(); ++row)
            out.SetText(0, row, FormatDayTime("dd. mmm. yyyy", out.Value(0, row), months));

    for (int c = 1; c < out.ColCount(); ++c) {
        AnalysisDataSet* set = nullptr;
        int field = 0;
        if (!ColumnField(analysis, out, c, set, field))
            continue;
        DeviceSettings& settings = *set->deviceSettings();
        if (!out.Text(c, 0).empty())
            out.SetText(c, 0, settings.displayName());
        if (!out.Text(c, 1).empty())
            out.SetText(c, 1, YieldHeadingName(settings, field) + " " + SumUnit(set->unit(field)));
    }
    out.SetFixedRows(std::min(2, out.RowCount() - 1));
    out.SetFixedCols(std::min(1, out.ColCount() - 1));
    return out;
}

WindowReport ReportWindow(ReportAnalysis& analysis, int spanItem, DayTime at,
                          std::optional<std::size_t> device, const MonthNames& months)
{
    // The window placed as a span change places it, from a window that started on that day.
    NavigationState nav =
        InitialNavigation(analysis.periodStart, analysis.periodEnd, analysis.days);
    nav.window = {at, at + 1};
    nav.spanItem = spanItem;
    const SpanPlacement placement = ApplySpan(nav);

    const AnalysisDataSet* current = nullptr;
    if (device) {
        current = analysis.dataSets[*device].get();
    } else {
        // The overview shows every device that has a field marked for it: mark one of each.
        for (auto& set : analysis.dataSets)
            if (set && set->slotCount() > 0)
                set->select(0, true);
    }

    ViewFormat format;
    format.months = &months;

    TableRequest table;
    table.spanItem = spanItem;
    table.window = placement.window;
    table.daily = &analysis.daily;
    table.monthly = &analysis.monthly;
    table.sets = analysis.dataSets;
    table.current = current;
    table.overviewMode = !device;
    table.format = format;

    SummaryRequest summary;
    summary.sets = analysis.dataSets;
    summary.current = current;
    summary.overviewShown = !device;
    summary.spanItem = spanItem;
    summary.windowStart = placement.window.start;
    summary.monthly = &analysis.monthly;
    summary.annual = &analysis.annual;
    summary.format = format;

    WindowReport report;
    report.table = FillTable(table);
    report.title = ChartTitleText(spanItem, placement.window, BuildYieldSummary(summary), months);
    return report;
}

std::string GridText(const StringGrid& grid)
{
    std::string text;
    for (int row = 0; row < grid.RowCount(); ++row) {
        for (int col = 0; col < grid.ColCount(); ++col) {
            if (col > 0)
                text.push_back(';');
            text += grid.Text(col, row);
        }
        text += "\r\n";
    }
    return Utf8ToCp1252(text);
}

} // namespace korvex::report
