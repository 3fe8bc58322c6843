// The function check's panel on its own: counting, filtering, sorting by value, copying and
// reporting the incident of a row.
#include "core/services/NumberFormat.h"
#include "core/services/TextCatalogue.h"
#include "ui/analysis/parts/CheckPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace korvex::test {
namespace {

DayTime At(int m, int d, int h, int min)
{
    return EncodeDateTime(2010, m, d, h, min);
}

// Two devices; starts, durations and peaks whose texts sort otherwise than their values.
std::vector<Incident> Sample()
{
    return {
        {"stagnation", "10", {"T1"}, At(6, 10, 12, 0), At(6, 10, 17, 0), 131.5, "hot"},
        {"no-flow", "20", {"R1", "V"}, At(6, 28, 9, 5), At(6, 29, 9, 15), std::nullopt, "dry"},
        {"sensor-fault", "10", {"T3"}, At(7, 9, 3, 40), At(7, 9, 4, 10), -45.0, "cold"},
        {"pump-cycling", "10", {"R1"}, At(7, 9, 8, 0), At(7, 9, 9, 10), 9.5, "busy"},
        {"delta-t-high", "20", {"T1", "T2", "R1"}, At(8, 1, 23, 10), At(8, 2, 0, 35), 58.25,
         "wide"},
    };
}

class CheckPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SelectTextBlock(BlockEnglish);
        separator_ = DecimalSeparator();
        SetDecimalSeparator(',');
        panel.ApplyLanguage();
        panel.resize(900, 300);
        panel.SetIncidents(Sample());
        panel.show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        SetDecimalSeparator(separator_);
        SelectTextBlock(BlockGerman);
    }

    std::vector<std::string> Column(int column) const
    {
        std::vector<std::string> out;
        for (int r = 0; r < panel.ListedCount(); ++r)
            out.push_back(panel.ListedRow(r)[static_cast<std::size_t>(column)]);
        return out;
    }
    std::vector<std::string> Texts() const { return Column(ColumnText); }

    QPoint CellCentre(int row, int column) const
    {
        QTableView* table = panel.Table();
        return table->visualRect(table->model()->index(row, column)).center();
    }

    CheckPanel panel;
    char separator_ = '.';
};

TEST_F(CheckPanelTest, HeadingCountsWhatTheFilterLists)
{
    EXPECT_EQ(panel.Heading()->text(), QStringLiteral("5 incidents"));
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("Function check"));
    panel.ShowDevice("20");
    EXPECT_EQ(panel.ListedCount(), 2);
    EXPECT_EQ(panel.Heading()->text(), QStringLiteral("2 incidents"));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"dry", "wide"}));
    panel.ShowDevice("11");
    EXPECT_EQ(panel.Heading()->text(), QStringLiteral("No incidents"));
    // The filter stays when the list is replaced.
    std::vector<Incident> one = Sample();
    one[3].device = "11";
    panel.SetIncidents(one);
    EXPECT_EQ(panel.Heading()->text(), QStringLiteral("1 incident"));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"busy"}));
    panel.ShowAll();
    EXPECT_EQ(panel.ListedCount(), 5);
}

TEST_F(CheckPanelTest, ColumnsSortByTheirValues)
{
    QTableView* table = panel.Table();
    // The check's order by start, also across months where the day's text would sort first.
    EXPECT_EQ(Texts(), (std::vector<std::string>{"hot", "dry", "cold", "busy", "wide"}));
    table->sortByColumn(ColumnStart, Qt::DescendingOrder);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"wide", "busy", "cold", "dry", "hot"}));
    table->sortByColumn(ColumnEnd, Qt::AscendingOrder);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"hot", "dry", "cold", "busy", "wide"}));
    // 30 min, 1 h 10, 1 h 25, 5 h, 1 d 00:10.
    table->sortByColumn(ColumnDuration, Qt::AscendingOrder);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"cold", "busy", "wide", "hot", "dry"}));
    // None first, then -45, 9.5, 58.25, 131.5.
    table->sortByColumn(ColumnPeak, Qt::AscendingOrder);
    EXPECT_EQ(Column(ColumnPeak),
              (std::vector<std::string>{"", "-45,00", "9,50", "58,25", "131,50"}));
    table->sortByColumn(ColumnRule, Qt::AscendingOrder);
    EXPECT_EQ(Column(ColumnRule),
              (std::vector<std::string>{"No flow", "Pump cycling", "Sensor fault", "Stagnation",
                                        "ΔT too high"}));
    // A click on a heading sorts by it as well.
    table->sortByColumn(ColumnText, Qt::AscendingOrder);
    const int x = table->horizontalHeader()->sectionViewportPosition(ColumnPeak) + 5;
    QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(x, 5));
    EXPECT_EQ(table->horizontalHeader()->sortIndicatorSection(), ColumnPeak);
    const bool ascending = table->horizontalHeader()->sortIndicatorOrder() == Qt::AscendingOrder;
    EXPECT_EQ(Column(ColumnPeak).back(), ascending ? "131,50" : "");
}

TEST_F(CheckPanelTest, CtrlCCopiesTheSelectedRowsOrAllListed)
{
    QTableView* table = panel.Table();
    table->setFocus();
    panel.ShowDevice("10");
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    const std::string heading = "Rule\tDevice\tFields\tStart\tEnd\tDuration\tPeak\tText\n";
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              heading +
                  "Stagnation\t10\tT1\t10.06.2010 12:00\t10.06.2010 17:00\t05:00\t131,50\thot\n"
                  "Sensor fault\t10\tT3\t09.07.2010 03:40\t09.07.2010 04:10\t00:30\t-45,00\tcold\n"
                  "Pump cycling\t10\tR1\t09.07.2010 08:00\t09.07.2010 09:10\t01:10\t9,50\tbusy\n");

    // Two rows of all, in the order shown.
    panel.ShowAll();
    table->sortByColumn(ColumnDuration, Qt::DescendingOrder);
    table->selectionModel()->select(table->model()->index(0, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table->selectionModel()->select(table->model()->index(2, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              heading +
                  "No flow\t20\tR1, V\t28.06.2010 09:05\t29.06.2010 09:15\t1 d 00:10\t\tdry\n"
                  "ΔT too high\t20\tT1, T2, R1\t01.08.2010 23:10\t02.08.2010 00:35\t01:25\t58,25\twide\n");
}

TEST_F(CheckPanelTest, DoubleClickAndEnterReportTheRowsIncident)
{
    std::vector<Incident> spy;
    QObject::connect(&panel, &CheckPanel::IncidentActivated,
                     [&spy](const Incident& incident) { spy.push_back(incident); });
    QTableView* table = panel.Table();
    table->sortByColumn(ColumnPeak, Qt::DescendingOrder); // hot, wide, busy, cold, dry
    // As the window system delivers it: press, release, double-click, release.
    const QPoint cell = CellCentre(1, 2);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    ASSERT_EQ(spy.size(), 1u);
    const Incident wide = spy.at(0);
    EXPECT_EQ(wide.rule, "delta-t-high");
    EXPECT_EQ(wide.fields, (std::vector<std::string>{"T1", "T2", "R1"}));
    EXPECT_EQ(wide.start, At(8, 1, 23, 10));

    panel.ShowDevice("10");
    table->setFocus();
    table->setCurrentIndex(table->model()->index(2, 0));
    QTest::keyClick(table, Qt::Key_Return);
    ASSERT_EQ(spy.size(), 2u);
    EXPECT_EQ(spy.at(1).text, "cold");
    // Enter on the keypad too; nothing without a current row.
    QTest::keyClick(table, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(spy.size(), 3u);
    panel.ShowDevice("11");
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(spy.size(), 3u);
}

TEST_F(CheckPanelTest, LanguageAndSeparatorFollow)
{
    SelectTextBlock(BlockGerman);
    SetDecimalSeparator('.');
    panel.ApplyLanguage();
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("Funktionskontrolle"));
    EXPECT_EQ(panel.Heading()->text(), QStringLiteral("5 Auffälligkeiten"));
    EXPECT_EQ(panel.Table()->model()->headerData(ColumnDuration, Qt::Horizontal).toString(),
              QStringLiteral("Dauer"));
    EXPECT_EQ(panel.ListedRow(0)[ColumnRule], "Stagnation");
    EXPECT_EQ(panel.ListedRow(2)[ColumnRule], "Fühlerfehler");
    EXPECT_EQ(panel.ListedRow(0)[ColumnPeak], "131.50");
}

} // namespace
} // namespace korvex::test
