#include "tools/report/ReportAnalysis.h"

#include "core/logdata/Aggregation.h"
#include "core/logdata/ParsedLogFile.h"
#include "core/views/YieldTables.h"

namespace korvex::report {

void ReportAnalysis::Begin(const LogFileSelection& selection, DayTime start, DayTime end)
{
    periodStart = start;
    periodEnd = end;
    deviceNumbers = selection.devices;
    dataSets.clear();
    dataSets.resize(deviceNumbers.size());
    dayList.clear();
    days.clear();
}

AnalysisDataSet& ReportAnalysis::DataSetFor(const std::string& path)
{
    const auto index = static_cast<std::size_t>(DataSetIndexForFile(deviceNumbers, path));
    if (!dataSets[index])
        dataSets[index] =
            std::make_unique<AnalysisDataSet>(periodStart, periodEnd, nullptr, nullptr);
    return *dataSets[index];
}

void ReportAnalysis::AddLogFile(const std::string& path)
{
    DataSetFor(path).load(path);
}

void ReportAnalysis::AddParsedLogFile(const ParsedLogFile& file)
{
    DataSetFor(file.path).load(file);
}

void ReportAnalysis::BuildDeviceView(std::size_t device)
{
    if (device >= dataSets.size() || !dataSets[device])
        return;
    AnalysisDataSet& set = *dataSets[device];
    // No trimming of the point arrays: the report ends right after, and capacity never written
    // takes no memory, while trimming would copy every point once more.
    Aggregate(set);
    set.updateAvailability();
    set.prepareDisplay();
}

void ReportAnalysis::Finish(const MonthNames& months)
{
    std::vector<const AnalysisDataSet*> sets;
    for (const auto& set : dataSets)
        sets.push_back(set.get());
    dayList = CollectAnalysisDays(sets);
    days.clear();
    for (const auto& entry : dayList)
        days.push_back(entry.second);
    // The decimal separator is read now: the first log file made it the comma.
    ViewFormat format;
    format.months = &months;
    daily = BuildDailyYieldTable(dataSets, days, format);
    monthly = BuildMonthlyYieldTable(daily, format);
    annual = BuildAnnualYieldTable(monthly, periodStart, dataSets, format);
}

} // namespace korvex::report
