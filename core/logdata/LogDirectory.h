#pragma once

#include "core/services/DayTime.h"

#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// One log file found below a log directory. Names are NNyymmdd.csv: device number, then the day.
struct LogFileEntry {
    std::string path;       // absolute path as the file system gives it (UTF-8 on Linux)
    int sortKey = 0;        // name without extension, from its third character on, as an integer
    std::string deviceText; // NN of ...NNyymmdd.csv, as DeviceNumberText reads it ("10")
    int nameKey = -1;       // the six characters before ".csv" as an integer (yymmdd), else -1
    DayTime day = 0;        // the date those six characters name; 0 when they name none
};

enum class ScanStatus {
    Ok,          // the directory was listed (it may hold no log file)
    NoDirectory, // the text names nothing, or something that is not a directory
    Unreadable,  // the directory exists but cannot be listed
};

struct LogDirectoryScan {
    ScanStatus status = ScanStatus::NoDirectory;
    // Ascending by sort key, ties by path; the first and the last file name a valid date.
    std::vector<LogFileEntry> files;
    DayTime firstDay = 0; // date of the first file's name; valid when Found()
    DayTime lastDay = 0;  // date of the last file's name
    bool Found() const { return !files.empty(); }
};

// Lists the log files of dir and of its subdirectories down to two levels below it. Never
// throws: a missing or unreadable directory, and unreadable subdirectories, give what was found.
LogDirectoryScan ScanLogDirectory(const std::string& dir);

// The files of one analysis, in the order they are loaded.
struct LogFileSelection {
    // Ascending by sort key (so each device's files come in ascending date order).
    std::vector<LogFileEntry> files;
    // Sorted device texts without duplicates; a file's data set is its position here.
    std::vector<std::string> devices;
};

// The scanned files whose six name digits lie in [from, to] (days compared as yymmdd).
LogFileSelection SelectLogFiles(const LogDirectoryScan& scan, DayTime from, DayTime to);

// ---- Name rules, exposed for the dialog and the tests ----

// Sort key of a file name (without directory): ends in ".csv" in any letter case and the part
// before the extension, from its third character on, is a decimal integer. False otherwise.
bool LogFileSortKey(std::string_view fileName, int& key);

// The date of a file name's characters 3 to 8 (yymmdd, years 2000 to 2099). False when invalid.
bool LogFileNameDate(std::string_view fileName, DayTime& day);

// A day as the integer yymmdd (2-digit year).
int DayKey(DayTime day);

} // namespace korvex
