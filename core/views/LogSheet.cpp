#include "core/views/LogSheet.h"

#include "core/logdata/LogFileReader.h"
#include "core/logdata/LogLines.h"
#include "core/services/Cp1252.h"
#include "core/services/DayTime.h"

#include <array>
#include <cmath>
#include <optional>

namespace korvex {

namespace {

constexpr std::string_view kYearMonthDayHeader = "DATE & TIME";
constexpr std::string_view kDayMonthYearHeader = "dd.mm.yy hh:mm";
constexpr double kTimestampColumnWidth = 20;
constexpr int kMaxShownDecimals = 15;

std::string_view FirstCell(std::string_view line)
{
    return line.substr(0, line.find(';'));
}

// Calls take(cell) for every ';'-separated cell; there is no quoting in the log format.
template <typename Take>
void ForEachCell(std::string_view line, Take&& take)
{
    std::size_t start = 0;
    for (;;) {
        const std::size_t semicolon = line.find(';', start);
        take(line.substr(start, semicolon - start));
        if (semicolon == std::string_view::npos)
            return;
        start = semicolon + 1;
    }
}

// The digits after the decimal comma, as the cell wrote them.
int DecimalsOf(std::string_view cell)
{
    const std::size_t comma = cell.find(',');
    if (comma == std::string_view::npos)
        return 0;
    int decimals = 0;
    for (std::size_t i = comma + 1; i < cell.size() && cell[i] >= '0' && cell[i] <= '9'; ++i)
        ++decimals;
    return decimals;
}

SheetCell TextCell(std::string_view bytes)
{
    SheetCell cell;
    if (bytes.empty())
        return cell;
    if (bytes.size() > kSheetMaxTextBytes)
        throw SheetError("a cell holds more text than a sheet cell can");
    cell.kind = SheetCell::Kind::Text;
    cell.text = Cp1252ToUtf8(bytes);
    return cell;
}

class LogSheetBuilder {
public:
    explicit LogSheetBuilder(Sheet& sheet) : sheet_(sheet)
    {
        dateTimeStyle_ = sheet_.Style(SheetStyle{"dd.mm.yyyy hh:mm", false});
        decimalStyles_.fill(-1);
    }

    // The header decides where the timestamps are and how their dates are written.
    void Header(std::string_view header)
    {
        std::string_view first = FirstCell(header);
        if (first != kYearMonthDayHeader && first != kDayMonthYearHeader) {
            if (first.size() == header.size())
                throw SheetError("the header has no date-time cell");
            deviceColumn_ = 0;
            dateColumn_ = 1;
            first = FirstCell(header.substr(first.size() + 1));
        }
        if (first == kYearMonthDayHeader)
            order_ = DateOrder::YearMonthDay;
        else if (first == kDayMonthYearHeader)
            order_ = DateOrder::DayMonthYear;
        else
            throw SheetError("the header has no date-time cell");
        std::vector<SheetCell>& row = NewRow();
        ForEachCell(header, [&](std::string_view cell) { Append(row, TextCell(cell)); });
    }

    int DateColumn() const { return dateColumn_; }

    // Returns the line's timestamp when it reads in either date order.
    std::optional<DayTime> DataLine(std::string_view line)
    {
        std::vector<SheetCell>& row = NewRow();
        std::optional<DayTime> stamp;
        if (line.empty())
            return stamp;
        row.reserve(width_);
        int column = 0;
        ForEachCell(line, [&](std::string_view cell) {
            if (column == dateColumn_)
                stamp = Timestamp(cell);
            if (stamp && column == dateColumn_) {
                SheetCell& c = Append(row, SheetCell{});
                c.kind = SheetCell::Kind::DateTime;
                c.style = dateTimeStyle_;
                c.number = *stamp;
            } else if (column == deviceColumn_) {
                Append(row, TextCell(cell));
            } else {
                Append(row, ValueCell(cell));
            }
            ++column;
        });
        return stamp;
    }

private:
    std::vector<SheetCell>& NewRow()
    {
        if (sheet_.rows.size() >= kSheetMaxRows)
            throw SheetError("the log has more lines than a sheet has rows");
        return sheet_.rows.emplace_back();
    }

    SheetCell& Append(std::vector<SheetCell>& row, SheetCell cell)
    {
        if (row.size() >= kSheetMaxColumns)
            throw SheetError("a log line has more cells than a sheet has columns");
        row.push_back(std::move(cell));
        width_ = std::max(width_, row.size());
        return row.back();
    }

    std::optional<DayTime> Timestamp(std::string_view cell) const
    {
        // A line may be written in the other order; the reader retries it the same way.
        const DateOrder other =
            order_ == DateOrder::YearMonthDay ? DateOrder::DayMonthYear : DateOrder::YearMonthDay;
        double t = 0;
        if (ParseLogTimestamp(cell, order_, t) || ParseLogTimestamp(cell, other, t))
            return t;
        return std::nullopt;
    }

    SheetCell ValueCell(std::string_view text)
    {
        double value = 0;
        if (!ParseLogNumber(text, value))
            return TextCell(text);
        SheetCell cell;
        cell.kind = SheetCell::Kind::Number;
        cell.number = value;
        cell.style = DecimalStyle(std::min(DecimalsOf(text), kMaxShownDecimals));
        return cell;
    }

    std::uint16_t DecimalStyle(int decimals)
    {
        int& style = decimalStyles_[static_cast<std::size_t>(decimals)];
        if (style < 0)
            style = sheet_.Style(SheetStyle{DecimalsFormat(decimals), false});
        return static_cast<std::uint16_t>(style);
    }

    Sheet& sheet_;
    DateOrder order_ = DateOrder::YearMonthDay;
    int deviceColumn_ = -1;
    int dateColumn_ = 0;
    std::size_t width_ = 0;
    std::uint16_t dateTimeStyle_ = 0;
    std::array<int, kMaxShownDecimals + 1> decimalStyles_{};
};

std::string DayName(DayTime t)
{
    return FormatDayTime("dd.mm.yyyy", t);
}

} // namespace

Sheet LogDaySheet(std::string_view logBytes, std::string_view fallbackName)
{
    Sheet sheet;
    LogLines lines(logBytes);
    std::string_view header;
    if (!lines.findHeader(header))
        throw SheetError("the log has no header");
    LogSheetBuilder builder(sheet);
    builder.Header(header);

    const std::size_t middle = lines.dataLineCount() / 2;
    std::optional<DayTime> middleStamp, firstStamp;
    LogLines::Cursor cursor = lines.dataLines();
    std::string_view line;
    for (std::size_t index = 0; cursor.next(line); ++index) {
        const std::optional<DayTime> stamp = builder.DataLine(line);
        if (stamp && !firstStamp)
            firstStamp = stamp;
        if (index == middle)
            middleStamp = stamp;
    }

    if (middleStamp)
        sheet.name = DayName(*middleStamp);
    else if (firstStamp)
        sheet.name = DayName(*firstStamp);
    else
        sheet.name = SheetName(fallbackName);
    sheet.SetColumnWidth(0, kTimestampColumnWidth);
    sheet.SetColumnWidth(builder.DateColumn(), kTimestampColumnWidth);
    sheet.frozenRows = 1;
    return sheet;
}

} // namespace korvex
