#pragma once

// The comma-separated copy of a log file that the English interface languages hand to the
// spreadsheet program, whose English settings expect "," between cells.

#include <string>
#include <string_view>

namespace korvex {

// "…/xx10080515.csv" -> "10080515c.csv": the eight characters before the four-character
// extension, then "c.csv"; never a folder.
std::string CommaCopyName(std::string_view logFilePath);

// The log text with "," between cells, line by line (CR LF, lone CR or lone LF end a line;
// every line is written with CR LF). The log format knows no quoting, so a cell holding a
// decimal comma or a '"' is quoted (inner quotes doubled): the spreadsheet then keeps it as one
// cell under its own header instead of splitting "21,5" into two columns. Every other byte is
// kept, so Windows-1252 text passes unchanged. A final line break yields one more empty line.
std::string CommaSeparatedText(std::string_view logText);

// Writes the comma copy of a log file to copyPath, replacing an existing file.
// Throws KorvexError: text 83 + CR LF CR LF + file name when the log file cannot be read,
// text 145 when the copy cannot be created or written (a partial copy is removed).
void WriteCommaCopy(const std::string& logFilePath, const std::string& copyPath);

// Writes the copy under CommaCopyName in the current working directory and returns its
// absolute path.
std::string MakeCommaCopy(const std::string& logFilePath);

} // namespace korvex
