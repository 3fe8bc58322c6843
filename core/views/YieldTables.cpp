#include "core/views/YieldTables.h"

#include "core/logdata/Aggregation.h"
#include "core/logdata/FieldKeys.h"
#include "core/services/TextCatalogue.h"

#include <string>
#include <vector>

namespace korvex {

namespace {

int YearOf(DayTime day)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(day, y, m, d);
    return y;
}

int MonthKeyOf(DayTime day)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(day, y, m, d);
    return y * 100 + m;
}

void CopyRow(const StringGrid& from, int fromRow, StringGrid& to, int toRow)
{
    const int cols = std::min(from.ColCount(), to.ColCount());
    for (int c = 0; c < cols; ++c)
        to.Cell(c, toRow) = from.Cell(c, fromRow);
}

// Writes the sums of rows [first, last) of the source into row `row` of every data column.
void WriteSums(const StringGrid& source, int first, int last, StringGrid& target, int row,
               char separator)
{
    for (int c = 1; c < target.ColCount(); ++c) {
        double sum = 0;
        SumColumnCells(source, c, first, last, separator, sum);
        target.SetText(c, row, FormatYield(sum, separator));
    }
}

} // namespace

bool IsYieldField(const DeviceSettings& settings, int field)
{
    if (field < 0 || field >= settings.fieldCount())
        return false;
    if (settings.category(field) != FieldCategory::Others || settings.derived(field))
        return false;
    const std::string& key = settings.key(field);
    if (!IsPowerKey(key) && !IsFlowKey(key))
        return false;
    return settings.find(DaySumKey(key)) >= 0;
}

bool SumColumnCells(const StringGrid& grid, int col, int firstRow, int lastRow, char separator,
                    double& sum)
{
    sum = 0;
    const std::vector<GridCell>& cells = grid.Column(col);
    lastRow = std::min(lastRow, grid.RowCount());
    for (int r = std::max(firstRow, 0); r < lastRow; ++r) {
        const std::string& text = cells[static_cast<std::size_t>(r)].text;
        if (text.empty())
            continue;
        double value = 0;
        if (!ParseNumber(text, value, separator))
            return false;
        sum += value;
    }
    return true;
}

StringGrid BuildDailyYieldTable(DataSetList sets, std::span<const int> days,
                                const ViewFormat& format)
{
    const int rows = static_cast<int>(days.size()) + 3;
    StringGrid grid(1, rows);
    grid.SetFixedCols(0);
    grid.SetText(0, 0, Text(TextId::DailyOverview));
    grid.SetText(0, 1, Text(TextId::Date));
    grid.SetText(0, rows - 1, Text(TextId::Total));
    for (std::size_t k = 0; k < days.size(); ++k)
        grid.Set(0, static_cast<int>(k) + 2, std::to_string(days[k]), days[k]);

    std::vector<std::string> cells;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const AnalysisDataSet* set = sets[i].get();
        const DeviceSettings* settings = set ? set->deviceSettings() : nullptr;
        if (!settings)
            continue;
        const int device = static_cast<int>(i);
        bool firstOfDevice = true;
        for (int f = settings->inputsCount(); f < settings->count(FieldCategory::Others); ++f) {
            if (!IsYieldField(*settings, f))
                continue;
            const int c = grid.AppendColumn();
            grid.Set(c, 0, firstOfDevice ? std::to_string(device) : std::string(), device);
            grid.Set(c, 1, std::to_string(f), f);
            firstOfDevice = false;
            FillDayColumn(*set, settings->find(DaySumKey(settings->key(f))), days, cells,
                          format.separator);
            std::vector<GridCell>& column = grid.Column(c);
            for (std::size_t k = 0; k < cells.size(); ++k)
                column[k + 2].text = std::move(cells[k]);
        }
    }
    return grid;
}

StringGrid BuildMonthlyYieldTable(const StringGrid& daily, const ViewFormat& format)
{
    const int dailyLast = daily.RowCount() - 1;
    StringGrid grid(daily.ColCount(), 2);
    grid.SetFixedCols(0);
    CopyRow(daily, 0, grid, 0);
    CopyRow(daily, 1, grid, 1);
    grid.SetText(0, 0, Text(TextId::MonthlyOverview));

    int row = 2;
    for (int first = 2; first < dailyLast;) {
        const DayTime day = daily.Value(0, first);
        const int key = MonthKeyOf(day);
        int end = first + 1;
        while (end < dailyLast && MonthKeyOf(daily.Value(0, end)) == key)
            ++end;
        grid.SetRowCount(row + 1);
        const DayTime monthStart = StartOfMonth(day);
        grid.Set(0, row, FormatDayTime("mmm. yyyy", monthStart, *format.months),
                 static_cast<int>(monthStart));
        WriteSums(daily, first, end, grid, row, format.separator);
        ++row;
        first = end;
    }
    grid.SetRowCount(row + 1);
    if (dailyLast >= 2)
        CopyRow(daily, dailyLast, grid, row);
    else
        grid.SetText(0, row, Text(TextId::Total));
    return grid;
}

StringGrid BuildAnnualYieldTable(const StringGrid& monthly, DayTime periodStart, DataSetList sets,
                                 const ViewFormat& format)
{
    const int lastData = monthly.RowCount() - 2; // the row before "Total"
    StringGrid grid(monthly.ColCount(), monthly.RowCount());
    grid.SetFixedCols(0);
    CopyRow(monthly, 0, grid, 0);
    CopyRow(monthly, 1, grid, 1);
    grid.SetText(0, 0, Text(TextId::AnnualOverview));

    int year = YearOf(periodStart);
    int summed = 1; // last monthly row already summed
    int row = 2;
    auto writeYear = [&](int lastRow) {
        if (row >= grid.RowCount())
            grid.SetRowCount(row + 1);
        grid.Set(0, row, std::to_string(year), year);
        WriteSums(monthly, summed + 1, lastRow + 1, grid, row, format.separator);
        ++row;
    };
    for (int i = 2; i <= lastData; ++i) {
        const int rowYear = YearOf(monthly.Value(0, i));
        if (rowYear > year) {
            writeYear(i - 1);
            summed = i - 1;
            year = rowYear;
        }
    }
    if (summed < lastData)
        writeYear(lastData);

    // The last row holds no totals: the years are not added up.
    grid.SetRowCount(row + 1);
    for (int c = 0; c < grid.ColCount(); ++c)
        grid.Cell(c, row) = GridCell{};
    grid.SetText(0, row, Text(TextId::Total));

    std::vector<int> years;
    for (int r = 2; r < row; ++r)
        years.push_back(grid.Value(0, r));
    std::vector<std::string> cells(years.size());
    for (int c = 1; c < grid.ColCount(); ++c) {
        const int device = grid.Value(c, 0);
        if (device < 0 || device >= static_cast<int>(sets.size()) || !sets[device])
            continue;
        for (std::size_t k = 0; k < years.size(); ++k)
            cells[k] = grid.Text(c, static_cast<int>(k) + 2);
        RaiseYearColumn(*sets[device], grid.Value(c, 1), years, cells, format.separator);
        for (std::size_t k = 0; k < years.size(); ++k)
            grid.SetText(c, static_cast<int>(k) + 2, std::move(cells[k]));
    }
    return grid;
}

void UpdateTableTexts(StringGrid* daily, StringGrid* monthly, StringGrid* annual)
{
    const struct {
        StringGrid* grid;
        TextId caption;
    } tables[] = {{daily, TextId::DailyOverview},
                  {monthly, TextId::MonthlyOverview},
                  {annual, TextId::AnnualOverview}};
    for (const auto& t : tables) {
        if (!t.grid || t.grid->ColCount() < 1 || t.grid->RowCount() < 2)
            continue;
        t.grid->SetText(0, 0, Text(t.caption));
        t.grid->SetText(0, 1, Text(TextId::Date));
        t.grid->SetText(0, t.grid->RowCount() - 1, Text(TextId::Total));
    }
}

} // namespace korvex
