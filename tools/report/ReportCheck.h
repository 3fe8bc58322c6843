#pragma once

// korvex-report --check: the function check over the loaded analysis, as text in the log files'
// conventions or as JSON, with the exit code that tells whether the installation needs a visit.

#include "core/logdata/LogDirectoryLoad.h"
#include "tools/report/ReportAnalysis.h"
#include "tools/report/ReportOptions.h"

#include <optional>
#include <string>

namespace korvex::report {

struct CheckOutcome {
    int exitCode = 0;   // 0 nothing about the installation, 3 found something, 2 usage error
    std::string output; // the text or document to print
    std::string usage;  // the usage error's reason (exit code 2)
};

CheckOutcome RunCheck(const ReportOptions& options, const ReportAnalysis& analysis,
                      const LogLoadResult& load, std::optional<std::size_t> device);

} // namespace korvex::report
