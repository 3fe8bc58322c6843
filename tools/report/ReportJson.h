#pragma once

#include "core/logdata/LogDirectoryLoad.h"
#include "tools/report/ReportAnalysis.h"

#include <string>

namespace korvex::report {

// The whole analysis as one UTF-8 JSON document: files, days, devices with their fields, tables.
std::string ReportJson(ReportAnalysis& analysis, const LogLoadResult& load);

} // namespace korvex::report
