#pragma once

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/LogDirectoryLoad.h"
#include "core/services/DayTime.h"
#include "core/views/StringGrid.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace korvex::report {

// The analysis window's data without the window: one data set per device, the days with data
// and the three yield tables, built in the order the window builds them.
class ReportAnalysis : public LogLoadTarget {
public:
    // As BeginAnalysis: the period and the devices of the selection.
    void Begin(const LogFileSelection& selection, DayTime periodStart, DayTime periodEnd);
    // As the window's AddLogFile: the file goes to its device's data set, created on demand.
    void AddLogFile(const std::string& path) override;
    void AddParsedLogFile(const ParsedLogFile& file) override;
    // The data's part of BuildDeviceView: sums, availability, display (no charts here).
    void BuildDeviceView(std::size_t device) override;
    // As FinishAnalysis: the day list (KorvexError(Text(TextId::NoFileToOpen)) without any) and the yield tables,
    // whose month rows are named in the given language.
    void Finish(const MonthNames& months = MonthNames::English());

    DayTime periodStart = 0, periodEnd = 0;
    std::vector<std::string> deviceNumbers;
    std::vector<std::unique_ptr<AnalysisDataSet>> dataSets; // slots stay empty without a file
    std::vector<std::pair<std::string, int>> dayList;       // ("yyyymmdd", day), ascending
    std::vector<int> days;                                  // the day numbers of dayList
    StringGrid daily, monthly, annual;

private:
    // The file's device's data set, created on its first file.
    AnalysisDataSet& DataSetFor(const std::string& path);
};

} // namespace korvex::report
