#pragma once

// An analysis window with the graph part, filled from small generated logs: per device two
// temperatures, a flow and a power value and three outputs, one line every ten minutes.

#include "tests/ui/analysis/GeneratedLogs.h"
#include "tests/ui/doubles/PlatformDoubles.h"
#include "tests/ui/doubles/UiTestSupport.h"
#include "tests/ui/shell/OpenTestSupport.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/services/DayTime.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/analysis/widgets/TGraphPanel.h"
#include "ui/analysis/widgets/THeaderControl.h"
#include "ui/chart/ChartWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QScrollArea>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace korvex::test {

class GraphWindow : public ::testing::Test {
protected:
    GraphWindow()
    {
        dir = logs.path() + QStringLiteral("/logs");
    }
    ~GraphWindow() override { delete window; }

    TChildform& Window()
    {
        if (!window) {
            window = new TChildform;
            window->resize(1000, 700);
            window->show();
            QApplication::processEvents();
        }
        return *window;
    }
    ChildGraphs& G() { return Window().Graphs(); }
    const ChildWidgets& W() { return Window().Widgets(); }
    const ChildState& S() { return Window().State(); }
    AnalysisDataSet& Set(int i) { return *S().DataSet(i); }

    // Loads the days of every device, as the open dialog does, and shows device 0.
    void Load(const std::vector<int>& devices, const QDate& first, const QDate& last,
              const std::vector<LogColumn>& columns = StandardColumns())
    {
        std::vector<std::string> numbers;
        std::vector<std::string> files;
        for (int device : devices) {
            numbers.push_back(
                QStringLiteral("%1").arg(device, 2, 10, QLatin1Char('0')).toStdString());
            for (QDate d = first; d <= last; d = d.addDays(1))
                files.push_back(
                    WriteFile(dir, LogName(device, d), MakeDayLog(d, columns)).toStdString());
        }
        TChildform& w = Window();
        w.BeginAnalysis(static_cast<int>(files.size()), numbers,
                        EncodeDate(first.year(), first.month(), first.day()),
                        EncodeDate(last.year(), last.month(), last.day()));
        for (const std::string& file : files)
            w.AddLogFile(file);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            w.BuildDeviceView(static_cast<int>(i));
        w.FinishAnalysis();
        SelectDevice(0);
    }

    void SelectDevice(int i)
    {
        G().SelectDeviceGraphs(
            Set(i), W().tabSetDevices->count() > i ? W().tabSetDevices->tabText(i) : QString());
        QApplication::processEvents();
    }

    // Field index of a key in device i (-1 when absent).
    int Field(const std::string& key, int device = 0)
    {
        return Set(device).deviceSettings()->find(key);
    }

    QScrollArea* List(int device = 0) { return G().GraphListOf(Set(device)); }

    TGraphPanel* Row(QWidget* content, int field, const AnalysisDataSet* set = nullptr)
    {
        for (TGraphPanel* row : GraphRowsOf(content)) {
            if (row->Tag() == field && (!set || &row->DataSet() == set))
                return row;
        }
        return nullptr;
    }
    TGraphPanel* Row(const std::string& key, int device = 0)
    {
        return Row(List(device)->widget(), Field(key, device));
    }

    // Ticks or unticks a row's show box as a click does.
    void Click(QCheckBox* box)
    {
        box->click();
        QApplication::processEvents();
    }

    // Both charts drawn once at their size (labels, label columns).
    void Draw()
    {
        for (int pass = 0; pass < 3; ++pass) {
            W().chart->replot(QCustomPlot::rpImmediateRefresh);
            W().chart2->replot(QCustomPlot::rpImmediateRefresh);
            W().repaintTimer->stop();
        }
    }

    PrivateHome home;
    PlatformDoubles doubles;
    QTemporaryDir logs;
    QString dir;
    TChildform* window = nullptr;
};

} // namespace korvex::test
