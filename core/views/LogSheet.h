#pragma once

// The day's log as a sheet: the spreadsheet program then opens it with numbers as numbers and
// timestamps as date-time cells, whatever its own language expects of a text file.

#include "core/views/SheetModel.h"

#include <string_view>

namespace korvex {

// One row per log line in file order (leading empty lines dropped, as the reader drops them):
// the header as text; in data lines the timestamp cell as a date-time cell shown
// "dd.mm.yyyy hh:mm", every cell that reads as a number with the decimal comma as a number shown
// with the decimals it had, the device cell and every other cell as text, empty cells empty.
// The first column and the date-time column are 20 characters wide; the header row is frozen.
// The sheet is named after the log's day ("15.05.2008"), taken from the middle data line as
// the reader takes it, else from the first timestamp that reads, else fallbackName.
// logBytes is Windows-1252 text. Throws SheetError when the header has no date-time cell
// where the reader expects one, or the log exceeds what a sheet can hold.
Sheet LogDaySheet(std::string_view logBytes, std::string_view fallbackName);

} // namespace korvex
