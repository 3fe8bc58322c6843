// The table part and the reading parts built alone: the table mode lives in the window's view
// state (asked for through the host), and the reading parts follow that state's Overview flag.

#include "tests/ui/analysis/parts/PartTestSupport.h"

#include "ui/analysis/parts/ReadingParts.h"
#include "ui/analysis/parts/StatisticsPanel.h"
#include "ui/analysis/parts/TablePart.h"
#include "ui/analysis/widgets/TTableGrid.h"
#include "ui/chart/ChartReadout.h"

#include <QComboBox>

namespace korvex::test {
namespace {

DayTime Day(int y, int m, int d)
{
    return EncodeDate(y, m, d);
}

// Every cell of the grid, row by row.
QString GridText(const TTableGrid& grid)
{
    QString text;
    for (int row = 0; row < grid.RowCount(); ++row) {
        for (int col = 0; col < grid.ColCount(); ++col)
            text += grid.CellText(col, row) + QLatin1Char('\t');
        text += QLatin1Char('\n');
    }
    return text;
}

class TablePartAlone : public ::testing::Test {
protected:
    TablePartAlone()
    {
        // Month names as in an English locale, whatever the machine's.
        bench.w.chart->SetMonthNames(MonthNames::English());
        set = &bench.Load(10, QDate(2011, 3, 30), QDate(2011, 4, 2));
        set->prepareDisplay();
        bench.CollectDays();
        bench.host.ApplyView(ShowDevice(bench.state.view, set));
        bench.w.spanTime->setCurrentIndex(SpanOneMonth);
        bench.host.SetWindow(Day(2011, 4, 1), Day(2011, 3, 1));
        bench.form.show();
        table.BuildYieldTables();
    }

    PartBench bench;
    AnalysisDataSet* set = nullptr;
    TablePart table{bench.state, bench.host, *bench.w.grid, *bench.w.panelCharts,
                    *bench.w.spanTime, *bench.w.chart};
};

TEST_F(TablePartAlone, TheTableModeIsAskedOfTheHostAndReadBackFromTheState)
{
    ASSERT_FALSE(table.TableMode());
    table.ShowTable(true);
    EXPECT_TRUE(bench.state.view.tableMode);
    EXPECT_TRUE(table.TableMode());
    EXPECT_TRUE(bench.w.grid->isVisible());
    EXPECT_FALSE(bench.w.panelCharts->isVisible());

    // The window (say, undoing a refused command) sets the state: the part reads it.
    bench.host.ApplyView(ShowTable(bench.state.view, false));
    EXPECT_FALSE(table.TableMode());
    table.ShowTable(false);
    EXPECT_TRUE(bench.w.panelCharts->isVisible());
    EXPECT_FALSE(bench.w.grid->isVisible());
}

TEST_F(TablePartAlone, TheMonthWindowListsTheDaysOfMarchWithData)
{
    ASSERT_NE(table.DailyTable(), nullptr);
    // Two heading rows, one row per day of the logs, the total.
    EXPECT_EQ(table.DailyTable()->RowCount(), 2 + 4 + 1);
    table.ShowTable(true);
    const QString grid = GridText(*bench.w.grid);
    // Five hours of 6,5 l/min and 2,5 kW a day.
    EXPECT_TRUE(grid.contains(QStringLiteral("30. Mar. 2011\t1950,00\t12,50"))) << grid.toStdString();
    EXPECT_TRUE(grid.contains(QStringLiteral("31. Mar. 2011\t1950,00\t12,50")));
    EXPECT_TRUE(grid.contains(QStringLiteral("Total\t3900,00\t25,00")));
    EXPECT_FALSE(grid.contains(QStringLiteral("Apr."))) << "April is outside the window";

    // Out of table mode, moving the window leaves the grid as it was.
    table.ShowTable(false);
    bench.host.SetWindow(Day(2011, 5, 1), Day(2011, 4, 1));
    table.FillTable();
    EXPECT_EQ(GridText(*bench.w.grid), grid);
}

class ReadingPartsAlone : public ::testing::Test {
protected:
    ReadingPartsAlone()
    {
        set = &bench.Load(21, QDate(2011, 3, 31), QDate(2011, 3, 31));
        set->prepareDisplay();
        bench.CollectDays();
        bench.host.ApplyView(ShowDevice(bench.state.view, set));
        bench.host.SetWindow(Day(2011, 4, 1), Day(2011, 3, 31));
        set->show(set->deviceSettings()->find("T2"));
        bench.form.show();
    }

    PartBench bench;
    AnalysisDataSet* set = nullptr;
    ReadingParts& reading = InstallReadingParts(bench.form, bench.state, bench.w);
};

TEST_F(ReadingPartsAlone, OptionsSwitchTheReadoutAndThePanel)
{
    reading.Apply({false, true});
    EXPECT_FALSE(reading.Readout().Enabled());
    EXPECT_TRUE(reading.Statistics().isVisible());
    reading.Apply({true, false});
    EXPECT_TRUE(reading.Readout().Enabled());
    EXPECT_FALSE(reading.Statistics().isVisible());
}

TEST_F(ReadingPartsAlone, NamesCarryTheDeviceOnlyWhileTheStateSaysOverview)
{
    reading.Apply({true, true});
    reading.Statistics().Refresh();
    const std::string device = reading.Statistics().CopyText();
    ASSERT_NE(device.find("T2"), std::string::npos) << device;

    bench.host.ApplyView(ShowOverview(bench.state.view));
    reading.Statistics().Refresh();
    const std::string overview = reading.Statistics().CopyText();
    const std::string name = set->deviceSettings()->displayName();
    EXPECT_EQ(device.find(name + ": "), std::string::npos) << device;
    EXPECT_NE(overview.find(name + ": "), std::string::npos) << overview;
}

} // namespace
} // namespace korvex::test
