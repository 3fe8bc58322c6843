#pragma once

// The displayed day's log as a ready workbook for the spreadsheet program, in Korvex's cache
// folder: never beside the logs, and written anew at every export.

#include <string>
#include <string_view>

namespace korvex {

// $XDG_CACHE_HOME/Halvo/Korvex when that variable holds an absolute path, else
// $HOME/.cache/Halvo/Korvex; empty when neither is known.
std::string KorvexCacheFolder();

// "…/1010080515.csv" -> "10080515.xlsx": the eight characters before the extension, as the
// comma copy is named.
std::string DayWorkbookName(std::string_view logFilePath);

// Reads the log file and writes its workbook (see LogDaySheet) into folder, creating the folder
// when missing; returns the workbook's path. Throws SheetError when the log cannot be read or
// taken, or the workbook cannot be written.
std::string WriteDayWorkbook(const std::string& logFilePath, const std::string& folder);

// The same into KorvexCacheFolder(); empty instead of an error, for callers that then hand
// over the plain log file.
std::string TryDayWorkbook(const std::string& logFilePath);

} // namespace korvex
