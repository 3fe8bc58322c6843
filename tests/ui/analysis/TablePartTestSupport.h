#pragma once

// An analysis window with the table view and the yield summary, loaded from small log files
// written for the test: device 10 ("Solar controller") on 27 and 28 February, 1 to 5 and 17
// March 2010; device 20 (named "Roof array of the east wing") on 3 and 17 March and 2 April
// 2010. Every day both devices run their pump from 08:00 to 08:10 at 10 l/min, device 10 at
// 2 kW and device 20 at 4 kW.

#include "tests/ui/doubles/PlatformDoubles.h"
#include "tests/ui/doubles/UiTestSupport.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/services/Cp1252.h"
#include "core/services/DayTime.h"
#include "core/services/TextCatalogue.h"
#include "core/views/Navigation.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/analysis/widgets/TTableGrid.h"
#include "ui/analysis/parts/TablePart.h"
#include "ui/analysis/parts/YieldSummaryPart.h"
#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartWidget.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QSignalBlocker>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvex::test {

inline DayTime Day(int y, int m, int d)
{
    return EncodeDate(y, m, d);
}

class TableWindowTest : public ::testing::Test {
protected:
    TableWindowTest()
    {
        window = new TChildform;
        // Month names as in an English locale, whatever the machine's.
        window->Widgets().chart->SetMonthNames(MonthNames::English());
        window->resize(1100, 760);
    }
    ~TableWindowTest() override
    {
        delete window;
    }

    static QByteArray DayLog(const QDate& day, const char* deviceName, const char* power)
    {
        const std::string date = day.toString(QStringLiteral("yyyy-MM-dd")).toStdString();
        std::string log = std::string(deviceName) + ";DATE & TIME;T1[°C];V'[l/min];P[kW];R1[%]\r\n";
        const char* times[] = {"00:00", "07:59", "08:00", "08:05", "08:10", "08:11", "23:59"};
        for (const char* time : times) {
            const bool running = std::string(time) >= "08:00" && std::string(time) <= "08:10";
            log += std::string(deviceName) + ";" + date + " " + time + ";21,5;" +
                   (running ? "10,0;" : "0,0;") + (running ? power : "0,0") + ";" +
                   (running ? "100" : "0") + "\r\n";
        }
        const std::string bytes = Utf8ToCp1252(log);
        return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }

    // Writes the logs and loads them as the open-analysis dialog does.
    void Load(bool secondDevice = true)
    {
        struct File {
            int device;
            QDate day;
        };
        std::vector<File> files;
        for (QDate d :
             {QDate(2010, 2, 27), QDate(2010, 2, 28), QDate(2010, 3, 1), QDate(2010, 3, 2),
              QDate(2010, 3, 3), QDate(2010, 3, 4), QDate(2010, 3, 5), QDate(2010, 3, 17)})
            files.push_back({10, d});
        if (secondDevice) {
            for (QDate d : {QDate(2010, 3, 3), QDate(2010, 3, 17), QDate(2010, 4, 2)})
                files.push_back({20, d});
        }
        std::vector<std::string> numbers{"10"};
        if (secondDevice)
            numbers.push_back("20");
        QDir().mkpath(logs.path());
        std::vector<std::string> paths;
        for (const File& f : files) {
            const QString path = logs.path() + QStringLiteral("/%1%2.csv")
                                                   .arg(f.device)
                                                   .arg(f.day.toString(QStringLiteral("yyMMdd")));
            QFile out(path);
            EXPECT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(DayLog(f.day,
                             f.device == 10 ? "Solar controller" : "Roof array of the east wing",
                             f.device == 10 ? "2,0" : "4,0"));
            paths.push_back(path.toStdString());
        }
        window->BeginAnalysis(static_cast<int>(paths.size()), numbers, Day(2010, 1, 1),
                              Day(2010, 12, 31));
        for (const std::string& path : paths)
            window->AddLogFile(path);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            window->BuildDeviceView(static_cast<int>(i));
        window->FinishAnalysis();
    }

    // What the navigation does: a span, a window, then the table and the summary follow.
    void Show(int spanItem, DayTime start, DayTime end)
    {
        {
            const QSignalBlocker block(window->Widgets().spanTime);
            window->Widgets().spanTime->setCurrentIndex(spanItem);
        }
        window->SetWindow(end, start);
        window->Table().FillTable();
        window->Summary().BuildYieldSummary();
    }

    TTableGrid& Grid() { return *window->Widgets().grid; }
    const ChildState& State() { return window->State(); }

    std::vector<std::string> Column(int c)
    {
        std::vector<std::string> out;
        for (int r = 0; r < Grid().RowCount(); ++r)
            out.push_back(Grid().Content().Text(c, r));
        return out;
    }
    std::vector<std::string> Row(int r)
    {
        std::vector<std::string> out;
        for (int c = 0; c < Grid().ColCount(); ++c)
            out.push_back(Grid().Content().Text(c, r));
        return out;
    }

    PrivateHome home;
    PlatformDoubles doubles;
    QTemporaryDir logs;
    TChildform* window = nullptr;
};

} // namespace korvex::test
