#pragma once

// A spreadsheet as plain data: typed cells, number formats, column widths, frozen panes and
// merged headings. The day's log and the yield tables are turned into this form without any
// file library; core/workbook writes it as a workbook file.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

struct SheetCell {
    enum class Kind : std::uint8_t { Empty, Text, Number, DateTime };
    Kind kind = Kind::Empty;
    std::uint16_t style = 0; // index into Sheet::styles; 0 is the plain style
    double number = 0;       // Number; DateTime as DayTime (the spreadsheet's own day count)
    std::string text;        // Text, UTF-8
};

struct SheetStyle {
    std::string numberFormat; // spreadsheet format code, empty for "General"
    bool bold = false;
    bool operator==(const SheetStyle&) const = default;
};

// Cells of one row joined into one heading, firstColumn..lastColumn inclusive.
struct SheetMerge {
    int row = 0;
    int firstColumn = 0;
    int lastColumn = 0;
};

struct Sheet {
    std::string name; // UTF-8; see SheetName
    std::vector<std::vector<SheetCell>> rows;
    std::vector<SheetStyle> styles{SheetStyle{}};
    std::vector<double> columnWidths; // in characters, by column; 0 keeps the default
    int frozenRows = 0;
    int frozenColumns = 0;
    std::vector<SheetMerge> merges;

    // The index of a style, added when new.
    std::uint16_t Style(const SheetStyle& style);
    void SetColumnWidth(int column, double characters);
};

// The number format that shows a value with exactly this many decimals ("0", "0.0", ...);
// the spreadsheet shows its own decimal separator.
std::string DecimalsFormat(int decimals);

// A name a spreadsheet accepts for a sheet: the characters []:*?/\ become '_', leading and
// trailing apostrophes are dropped, at most 31 characters; "Sheet" when nothing is left.
std::string SheetName(std::string_view wanted);

// A sheet or workbook that cannot be made; the message says why (for logs, not for users).
class SheetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Limits of the workbook format.
inline constexpr std::size_t kSheetMaxRows = 1048576;
inline constexpr std::size_t kSheetMaxColumns = 16384;
inline constexpr std::size_t kSheetMaxTextBytes = 32767;

} // namespace korvex
