#pragma once

#include "core/services/DayTime.h"

#include <optional>
#include <string>
#include <vector>

namespace korvex::report {

enum class TableKind { Daily, Monthly, Annual };

struct ReportOptions {
    std::string dir;
    std::optional<DayTime> from, to;
    int textBlock = 1; // catalogue block of --language
    bool languageGiven = false;
    TableKind table = TableKind::Daily;
    std::optional<int> spanItem; // index into the span list: 0 1h ... 6 year
    std::optional<DayTime> at;
    bool atHasTime = false; // --at "YYYY-MM-DD hh:mm": a window starting at exactly that minute
    std::optional<std::string> device;  // two-digit device text, "10"
    std::optional<std::string> picture; // --picture: the analysis window's picture file
    bool tableView = false;             // --view table: the picture of the table view
    std::vector<std::string> graphs;    // --graphs: field keys to tick (default: all measured)
    // --workbook: the three yield tables as a workbook file
    std::optional<std::string> workbook;
    bool json = false;
    bool stats = false; // --stats: statistics of the --span/--at window
    bool check = false; // --check: the function check's incidents
    std::optional<std::string> roles; // --roles: roles per device, over the stored ones
    bool progress = false;
    bool help = false;
    bool version = false;
};

// Parses the arguments after the program name. Throws UsageError with a short reason.
// The language of a run without --language is the caller's to choose.
ReportOptions ParseReportOptions(const std::vector<std::string>& args);

// reason: an English message text with %1, %2 for the values (see ReportMessages.h).
struct UsageError {
    std::string reason;
    std::vector<std::string> values;
};

extern const char* const kReportUsage;

} // namespace korvex::report
