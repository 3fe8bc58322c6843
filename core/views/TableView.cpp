#include "core/views/TableView.h"

#include "core/logdata/Aggregation.h"
#include "core/services/TextCatalogue.h"

#include <exception>
#include <vector>

namespace korvex {

namespace {

int IndexOf(DataSetList sets, const AnalysisDataSet* set)
{
    if (!set)
        return -1;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        if (sets[i].get() == set)
            return static_cast<int>(i);
    }
    return -1;
}

bool HasOverviewMark(DataSetList sets, int device)
{
    if (device < 0 || device >= static_cast<int>(sets.size()) || !sets[device])
        return false;
    const AnalysisDataSet& set = *sets[device];
    for (int i = 0; i < set.slotCount(); ++i) {
        if (set.selected(i))
            return true;
    }
    return false;
}

void CompleteColumn(StringGrid& grid, int c, DataSetList sets, char separator)
{
    const int last = grid.RowCount() - 1;
    const int device = grid.Value(c, 0);
    const int field = grid.Value(c, 1);
    if (device < 0 || device >= static_cast<int>(sets.size()))
        return;
    AnalysisDataSet* set = sets[static_cast<std::size_t>(device)].get();
    DeviceSettings* settings = set ? set->deviceSettings() : nullptr;
    if (!settings)
        return;
    if (!grid.Text(c, 0).empty())
        grid.SetText(c, 0, settings->displayName());
    if (!grid.Text(c, 1).empty())
        grid.SetText(c, 1, YieldHeadingName(*settings, field) + " " + SumUnit(set->unit(field)));
    double sum = 0;
    if (SumColumnCells(grid, c, 2, last, separator, sum))
        grid.SetText(c, last, FormatYield(sum, separator));
}

} // namespace

std::string YieldHeadingName(const DeviceSettings& settings, int field)
{
    const std::string& label = settings.label(field);
    const std::string& key = settings.key(field);
    return label == key ? YieldName(key) : label;
}

StringGrid FillTable(const TableRequest& request)
{
    StringGrid grid(1, 1);
    const bool yearly = request.spanItem == SpanOneYear;
    const StringGrid* table = yearly ? request.monthly : request.daily;
    if (!table || table->ColCount() < 1 || table->RowCount() < 3)
        return grid;
    const int tableLast = table->RowCount() - 1;

    std::vector<int> columns;
    const int current = IndexOf(request.sets, request.current);
    for (int c = 1; c < table->ColCount(); ++c) {
        const int device = table->Value(c, 0);
        if (request.overviewMode ? HasOverviewMark(request.sets, device) : device == current)
            columns.push_back(c);
    }

    DayTime from = 0;
    DayTime to = 0;
    if (yearly) {
        from = WholeDay(request.window.start);
        to = WholeDay(request.window.end);
    } else {
        from = StartOfMonth(WholeDay(request.window.start));
        to = IncMonth(from, request.spanItem == SpanOneQuarter ? 3 : 1);
    }
    std::vector<int> rows;
    for (int r = 2; r < tableLast; ++r) {
        const int key = table->Value(0, r);
        if (from <= key && key < to)
            rows.push_back(r);
    }

    const int rowCount = static_cast<int>(rows.size()) + 3;
    const int last = rowCount - 1;
    grid.SetRowCount(rowCount);
    grid.SetColCount(1 + static_cast<int>(columns.size()));
    for (int c = 0; c < grid.ColCount(); ++c) {
        const int source = c == 0 ? 0 : columns[static_cast<std::size_t>(c - 1)];
        grid.Cell(c, 0) = table->Cell(source, 0);
        grid.Cell(c, 1) = table->Cell(source, 1);
        for (std::size_t k = 0; k < rows.size(); ++k)
            grid.Cell(c, static_cast<int>(k) + 2) = table->Cell(source, rows[k]);
    }
    grid.SetText(0, last, Text(TextId::Total));
    if (!yearly) {
        grid.SetText(0, 0, Text(TextId::DailyOverview));
        for (int r = 2; r < last; ++r)
            grid.SetText(0, r,
                         FormatDayTime("dd. mmm. yyyy", grid.Value(0, r), *request.format.months));
    }

    // A column that cannot be completed stays as it is; the others still are.
    for (int c = 1; c < grid.ColCount(); ++c) {
        try {
            CompleteColumn(grid, c, request.sets, request.format.separator);
        } catch (const std::exception&) {
        }
    }

    grid.SetFixedCols(std::min(1, grid.ColCount() - 1));
    grid.SetFixedRows(std::min(2, grid.RowCount() - 1));
    return grid;
}

} // namespace korvex
