#pragma once

// Small generated day logs for the analysis window's tests: per device two temperatures, a flow
// and a power value and three outputs, one line every ten minutes, or the columns a test gives.

#include <QByteArray>
#include <QDate>

#include <functional>
#include <vector>

namespace korvex::test {

// Value of a column at a minute of the day.
using ColumnValue = std::function<double(int minute)>;

struct LogColumn {
    QByteArray header; // "T1[\xB0C]"
    ColumnValue value;
};

// The columns every test device has unless a test gives its own.
inline std::vector<LogColumn> StandardColumns()
{
    return {
        {"T1[\xB0"
         "C]",
         [](int m) { return m == 720 ? 60.0 : 20.0 + (m % 7); }},
        {"T2[\xB0"
         "C]",
         [](int m) { return 30.0 + (m % 5); }},
        {"V'[l/min]", [](int m) { return m >= 600 && m < 900 ? 6.5 : 0.0; }},
        {"P[kW]", [](int m) { return m >= 600 && m < 900 ? 2.5 : 0.0; }},
        {"R1[%]", [](int m) { return m >= 600 && m < 900 ? 100.0 : 0.0; }},
        {"R2[%]", [](int m) { return m >= 300 && m < 400 ? 100.0 : 0.0; }},
        {"R3[%]", [](int m) { return (m / 60) % 2 ? 100.0 : 0.0; }},
    };
}

inline QByteArray MakeDayLog(const QDate& day, const std::vector<LogColumn>& columns)
{
    QByteArray log = "DATE & TIME";
    for (const LogColumn& c : columns)
        log += ";" + c.header;
    log += "\r\n";
    const QByteArray date = day.toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
    for (int minute = 0; minute < 1440; minute += 10) {
        log += date + " " + QByteArray::number(minute / 60).rightJustified(2, '0') + ":" +
               QByteArray::number(minute % 60).rightJustified(2, '0');
        for (const LogColumn& c : columns)
            log += ";" + QByteArray::number(c.value(minute), 'f', 1).replace('.', ',');
        log += "\r\n";
    }
    return log;
}

} // namespace korvex::test
