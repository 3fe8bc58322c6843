#pragma once

// Small log files written in the test, for the aggregation, display and yield-table tests.

#include "core/services/Cp1252.h"
#include "core/services/DayTime.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace korvex::test {

// "10080515.csv": device number and yymmdd of the day.
inline std::string LogName(int device, DayTime day)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(day, y, m, d);
    char name[32];
    std::snprintf(name, sizeof name, "%02d%02d%02d%02d.csv", device % 100, y % 100, m, d);
    return name;
}

// A day file with a "DATE & TIME" header: columns are the value headers ("P[kW]", ...), each
// line is (time "hh:mm", value cells "2,0;10,0"). Written in Windows-1252 as log files are.
inline std::string DayLog(const std::string& columns, DayTime day,
                          const std::vector<std::pair<std::string, std::string>>& lines)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(day, y, m, d);
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", y, m, d);
    std::string bytes = "DATE & TIME;" + columns + "\r\n";
    for (const auto& [time, cells] : lines)
        bytes += std::string(date) + " " + time + ";" + cells + "\r\n";
    return Utf8ToCp1252(bytes);
}

} // namespace korvex::test
