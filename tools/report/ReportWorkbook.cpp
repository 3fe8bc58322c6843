#include "tools/report/ReportWorkbook.h"

#include "core/services/NumberFormat.h"
#include "core/workbook/XlsxWorkbook.h"
#include "tools/report/ReportMessages.h"
#include "tools/report/ReportRun.h"
#include "tools/report/ReportText.h"

#include <algorithm>

namespace korvex::report {

namespace {

constexpr double kMinimumWidth = 10;

std::size_t Characters(const std::string& utf8)
{
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

SheetCell TextCell(const std::string& text, std::uint16_t style)
{
    SheetCell cell;
    cell.style = style;
    if (!text.empty()) {
        cell.kind = SheetCell::Kind::Text;
        cell.text = text;
    }
    return cell;
}

SheetCell NumberCell(double value, std::uint16_t style)
{
    SheetCell cell;
    cell.kind = SheetCell::Kind::Number;
    cell.number = value;
    cell.style = style;
    return cell;
}

// The period of a row: its day (daily), the month's first day (monthly) or the year (annual).
SheetCell PeriodCell(const GridCell& key, TableKind kind, Sheet& sheet)
{
    if (key.text.empty())
        return SheetCell{};
    SheetCell cell;
    cell.number = key.value;
    switch (kind) {
        case TableKind::Daily:
            cell.kind = SheetCell::Kind::DateTime;
            cell.style = sheet.Style({"dd\". \"mmm\". \"yyyy", false});
            break;
        case TableKind::Monthly:
            cell.kind = SheetCell::Kind::DateTime;
            cell.style = sheet.Style({"mmm\". \"yyyy", false});
            break;
        case TableKind::Annual:
            cell.kind = SheetCell::Kind::Number;
            cell.style = sheet.Style({"0", false});
            break;
    }
    return cell;
}

// Device names head all their columns, as the table view paints them.
void MergeDeviceHeadings(const StringGrid& table, Sheet& sheet)
{
    for (int col = 1; col < table.ColCount(); ++col) {
        if (table.Text(col, 0).empty())
            continue;
        int last = col;
        while (last + 1 < table.ColCount() && table.Text(last + 1, 0).empty() &&
               table.Value(last + 1, 0) == table.Value(col, 0))
            ++last;
        if (last > col)
            sheet.merges.push_back({0, col, last});
        col = last;
    }
}

} // namespace

Sheet YieldTableSheet(const StringGrid& table, TableKind kind)
{
    Sheet sheet;
    sheet.name = SheetName(table.Text(0, 0));
    const std::uint16_t plain = 0;
    const std::uint16_t yield = sheet.Style({"0.00", false});
    const std::uint16_t bold = sheet.Style({"", true});
    const std::uint16_t boldYield = sheet.Style({"0.00", true});
    const int last = table.RowCount() - 1;

    for (int row = 0; row < table.RowCount(); ++row) {
        std::vector<SheetCell>& cells = sheet.rows.emplace_back();
        const bool total = row == last && row >= 2;
        for (int col = 0; col < table.ColCount(); ++col) {
            const std::string& text = table.Text(col, row);
            if (row < 2 || (col == 0 && total)) {
                cells.push_back(TextCell(text, total ? bold : plain));
            } else if (col == 0) {
                cells.push_back(PeriodCell(table.Cell(col, row), kind, sheet));
            } else {
                double value = 0;
                // A cell that is not a yield stays as it is, as the table shows it.
                if (!text.empty() && ParseNumber(text, value))
                    cells.push_back(NumberCell(value, total ? boldYield : yield));
                else
                    cells.push_back(TextCell(text, total ? bold : plain));
            }
        }
    }

    // Columns fit their texts; a device name is spread over the device's merged columns.
    std::vector<double> widths;
    for (int col = 0; col < table.ColCount(); ++col) {
        std::size_t widest = 0;
        for (int row = col == 0 ? 0 : 1; row < table.RowCount(); ++row)
            widest = std::max(widest, Characters(table.Text(col, row)));
        widths.push_back(std::max(kMinimumWidth, static_cast<double>(widest) + 2));
    }
    MergeDeviceHeadings(table, sheet);
    for (int col = 1; col < table.ColCount(); ++col) {
        int lastOfDevice = col;
        for (const SheetMerge& merge : sheet.merges)
            if (merge.firstColumn == col)
                lastOfDevice = merge.lastColumn;
        double spread = 0;
        for (int c = col; c <= lastOfDevice; ++c)
            spread += widths[static_cast<std::size_t>(c)];
        const double wanted = static_cast<double>(Characters(table.Text(col, 0))) + 2;
        if (spread < wanted)
            widths[static_cast<std::size_t>(lastOfDevice)] += wanted - spread;
        col = lastOfDevice;
    }
    for (std::size_t col = 0; col < widths.size(); ++col)
        sheet.SetColumnWidth(static_cast<int>(col), widths[col]);
    sheet.frozenRows = std::min(2, table.RowCount());
    return sheet;
}

std::vector<Sheet> YieldTableSheets(ReportAnalysis& analysis, std::optional<std::size_t> device,
                                    const MonthNames& months)
{
    std::vector<Sheet> sheets;
    for (TableKind kind : {TableKind::Daily, TableKind::Monthly, TableKind::Annual})
        sheets.push_back(YieldTableSheet(PresentYieldTable(analysis, kind, device, months), kind));
    return sheets;
}

int WriteYieldWorkbook(ReportAnalysis& analysis, std::optional<std::size_t> device,
                       const MonthNames& months, const std::string& path, std::FILE* out,
                       std::FILE* err)
{
    try {
        WriteXlsxWorkbook(YieldTableSheets(analysis, device, months), path);
    } catch (const SheetError& e) {
        std::fprintf(err, "korvex-report: %s\n",
                     Message("the workbook %1 cannot be written: %2", {path, e.what()}).c_str());
        return ExitNothingLoaded;
    }
    if (std::fprintf(out, "%s\n", path.c_str()) < 0 || std::fflush(out) != 0) {
        std::fprintf(err, "korvex-report: %s\n", Message("the output cannot be written").c_str());
        return ExitNothingLoaded;
    }
    return ExitSuccess;
}

} // namespace korvex::report
