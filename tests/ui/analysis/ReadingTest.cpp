// Reading the charts in a loaded window: the readout follows the pointer without redrawing the
// curves, clicks set markers while drags still zoom, the statistics panel follows the window and
// copies its rows, the chart keys navigate, and the graph choice is remembered per device.

#include "tests/ui/analysis/ChildGraphsTestSupport.h"

#include "core/services/AppSettings.h"
#include "core/views/Navigation.h"
#include "tools/samplegen/SampleLogs.h"
#include "ui/analysis/parts/ReadingParts.h"
#include "ui/analysis/parts/StatisticsPanel.h"
#include "ui/analysis/widgets/TTableGrid.h"
#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartReadout.h"
#include "ui/platform/UiText.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSlider>
#include <QSplitter>
#include <QTest>

#include <cmath>

namespace korvex::test {
namespace {

class Reading : public GraphWindow {
protected:
    void SetUp() override
    {
        Load({10}, QDate(2010, 5, 1), QDate(2010, 5, 3));
        // As the Open command does once the files are loaded.
        ApplyRememberedGraphs(Window());
        day = EncodeDate(2010, 5, 1);
        Window().SetWindow(day + 1, day);
        Draw();
    }

    ReadingParts& R() { return Window().Reading(); }
    ChartWidget& C() { return *W().chart; }

    QPoint PixelAt(ChartWidget& chart, DayTime t)
    {
        const QRect plot = chart.axisRect()->rect();
        return QPoint(static_cast<int>(std::lround(chart.BottomAxis().PixelOf(t))),
                      plot.center().y());
    }
    DayTime At(int h, int m) const { return day + (h * 60 + m) / 1440.0; }

    std::vector<std::string> Texts()
    {
        std::vector<std::string> texts;
        for (const ReadoutLine& l : R().Readout().Lines())
            texts.push_back(l.text);
        return texts;
    }

    DayTime day = 0;
};

TEST_F(Reading, FirstAnalysisShowsInputsAndOutputs)
{
    std::vector<std::string> shown;
    for (int i = 0; i < Set(0).slotCount(); ++i)
        if (Set(0).shown(i))
            shown.push_back(Set(0).deviceSettings()->key(i));
    EXPECT_EQ(shown, (std::vector<std::string>{"T1", "T2", "R1", "R2", "R3"}));
}

TEST_F(Reading, ReadoutFollowsThePointerWithoutDrawingTheCurvesAgain)
{
    QApplication::processEvents();
    int fullReplots = 0;
    QObject::connect(&C(), &QCustomPlot::afterReplot, [&] { ++fullReplots; });
    QTest::mouseMove(&C(), PixelAt(C(), At(10, 3)));
    QApplication::processEvents();
    ASSERT_TRUE(R().Readout().CursorTime());
    EXPECT_NEAR(*R().Readout().CursorTime(), At(10, 3), 2.0 / 1440);
    // T1 at 10:00 is 20 + 600 mod 7; the pump R1 switched on at 10:00 holds 100.
    const std::vector<std::string> lines = Texts();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].substr(0, 14), "01.05.2010 10:");
    EXPECT_EQ(lines[1], "T1: 25,00 [\u00b0C]");
    EXPECT_EQ(lines[3], "R1: 100,00 [%]");
    EXPECT_TRUE(C().rect().contains(R().Readout().BoxRect()));

    // Near the right edge the box turns to the left of the pointer and stays inside.
    QTest::mouseMove(&C(), PixelAt(C(), At(23, 50)));
    QApplication::processEvents();
    EXPECT_TRUE(C().rect().contains(R().Readout().BoxRect()));
    EXPECT_LT(R().Readout().BoxRect().right(), PixelAt(C(), At(23, 50)).x());
    // The lower chart shows the same line and its own box.
    QTest::mouseMove(W().chart2, PixelAt(*W().chart2, At(5, 5)));
    QApplication::processEvents();
    EXPECT_EQ(R().Readout().BoxChart(), W().chart2);
    EXPECT_EQ(Texts()[4], "R2: 100,00 [%]");
    EXPECT_EQ(fullReplots, 0);

    // Switched off: no box, no lines.
    R().Apply({false, false});
    QTest::mouseMove(&C(), PixelAt(C(), At(11, 0)));
    QApplication::processEvents();
    EXPECT_TRUE(R().Readout().Lines().empty());
    EXPECT_TRUE(R().Readout().BoxRect().isEmpty());
}

TEST_F(Reading, TheBoxIsDrawnOnScreenButNotInPictures)
{
    const QImage before = C().grab().toImage();
    QTest::mouseClick(&C(), Qt::LeftButton, Qt::NoModifier, PixelAt(C(), At(9, 0)));
    QTest::mouseClick(&C(), Qt::LeftButton, Qt::NoModifier, PixelAt(C(), At(15, 0)));
    QTest::mouseMove(&C(), PixelAt(C(), At(12, 10)));
    QApplication::processEvents();
    const QImage after = C().grab().toImage();
    const QRect box = R().Readout().BoxRect();
    ASSERT_FALSE(box.isEmpty());
    int changed = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            changed += before.pixel(x, y) != after.pixel(x, y);
    EXPECT_GT(changed, box.width() * box.height() / 4);
    // A saved picture shows the curves alone.
    const QImage picture = C().RenderToImage(C().size());
    const QImage plain = [&] {
        R().Readout().ClearMarkers();
        R().Readout().PointerLeft();
        return C().RenderToImage(C().size());
    }();
    EXPECT_EQ(picture, plain);
}

// A day of realistic logs (a sunny and a clouded part, the pump switching): with markers before
// and after the midday peak the readout gives both values, the difference and the rate of every
// shown graph, and the statistics panel agrees with the readout at the peak.
class ReadingSampleDay : public Reading {
protected:
    void SetUp() override
    {
        const DayTime sampleDay = EncodeDate(2024, 6, 14);
        SampleOptions options;
        options.faults = false;
        options.intervalMinutes = 2;
        WriteFile(dir, QString::fromStdString(SampleFileName(10, sampleDay)),
                  QByteArray::fromStdString(SampleLogBytes(10, sampleDay, options)));
        TChildform& w = Window();
        w.BeginAnalysis(1, {"10"}, sampleDay, sampleDay);
        w.AddLogFile((dir + QLatin1Char('/')).toStdString() + SampleFileName(10, sampleDay));
        w.BuildDeviceView(0);
        w.FinishAnalysis();
        SelectDevice(0);
        ApplyRememberedGraphs(Window());
        day = sampleDay;
        Window().SetWindow(day + 1, day);
        Draw();
    }
};

TEST_F(ReadingSampleDay, MarkersAroundMiddayGiveDifferencesAndRates)
{
    QTest::mouseClick(&C(), Qt::LeftButton, Qt::NoModifier, PixelAt(C(), At(9, 30)));
    QTest::mouseClick(&C(), Qt::LeftButton, Qt::NoModifier, PixelAt(C(), At(15, 0)));
    QTest::mouseMove(&C(), PixelAt(C(), At(12, 20)));
    QApplication::processEvents();
    const std::vector<std::string> lines = Texts();
    int shown = 0;
    for (int i = 0; i < Set(0).slotCount(); ++i)
        shown += Set(0).shown(i);
    ASSERT_GE(shown, 3);
    // Marker times, the time between them, then one line per shown graph.
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(shown) + 2);
    EXPECT_EQ(lines[1].substr(0, 7), "\u0394t 05:"); // about five and a half hours
    for (std::size_t i = 2; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        EXPECT_NE(lines[i].find(": A "), std::string::npos);
        EXPECT_NE(lines[i].find("  B "), std::string::npos);
        EXPECT_EQ(lines[i].find("\u2013"), std::string::npos); // no gap in a day without faults
        EXPECT_NE(lines[i].find("\u0394 "), std::string::npos);
    }
    EXPECT_TRUE(C().rect().contains(R().Readout().BoxRect()));

    // The README's picture of the readout, when asked for.
    if (const QByteArray path = qgetenv("KORVEX_README_READOUT"); !path.isEmpty()) {
        R().Apply({true, true});
        Draw();
        QTest::mouseMove(&C(), PixelAt(C(), At(12, 40)));
        QApplication::processEvents();
        Window().grab().save(QString::fromLocal8Bit(path));
    }
}

TEST_F(Reading, ClicksSetMarkersAndDragsStillZoom)
{
    ChartReadout& readout = R().Readout();
    QTest::mouseClick(&C(), Qt::LeftButton, Qt::NoModifier, PixelAt(C(), At(10, 0)));
    ASSERT_TRUE(readout.CurrentMarkers().a);
    EXPECT_FALSE(readout.CurrentMarkers().b);
    EXPECT_NEAR(*readout.CurrentMarkers().a, At(10, 0), 2.0 / 1440);
    EXPECT_FALSE(C().IsZoomed()); // a click is never a zoom
    QTest::mouseClick(&C(), Qt::LeftButton, Qt::NoModifier, PixelAt(C(), At(14, 0)));
    ASSERT_TRUE(readout.CurrentMarkers().b);
    QTest::mouseMove(&C(), PixelAt(C(), At(12, 0)));
    QApplication::processEvents();
    const std::vector<std::string> lines = Texts();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(0, 2), "A ");
    EXPECT_EQ(lines[1].substr(0, 6), "\u0394t 04"); // about four hours
    EXPECT_NE(lines[2].find(" B "), std::string::npos);

    // A third click moves A; Esc on the focused chart clears both.
    QTest::mouseClick(&C(), Qt::LeftButton, Qt::NoModifier, PixelAt(C(), At(8, 0)));
    EXPECT_NEAR(*readout.CurrentMarkers().a, At(8, 0), 2.0 / 1440);
    EXPECT_NEAR(*readout.CurrentMarkers().b, At(14, 0), 2.0 / 1440);
    C().setFocus();
    QTest::keyClick(&C(), Qt::Key_Escape);
    EXPECT_FALSE(readout.CurrentMarkers().a);
    EXPECT_FALSE(readout.CurrentMarkers().b);

    // A drag to the lower right zooms and sets no marker.
    const QPoint from = PixelAt(C(), At(6, 0)) - QPoint(0, 40);
    const QPoint to = PixelAt(C(), At(9, 0)) + QPoint(0, 40);
    QTest::mousePress(&C(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(&C(), (from + to) / 2);
    QTest::mouseMove(&C(), to);
    QTest::mouseRelease(&C(), Qt::LeftButton, Qt::NoModifier, to);
    QApplication::processEvents();
    EXPECT_TRUE(C().IsZoomed());
    EXPECT_FALSE(readout.CurrentMarkers().a);
}

TEST_F(Reading, StatisticsOfTheShownWindowAndCopy)
{
    R().Apply({true, true});
    QApplication::processEvents();
    StatisticsPanel& panel = R().Statistics();
    ASSERT_TRUE(panel.isVisible());
    Draw();
    ASSERT_EQ(panel.rowCount(), 5);
    EXPECT_EQ(panel.item(0, 0)->text(), QStringLiteral("T1"));
    // T1 peaks at noon with 60.
    EXPECT_EQ(panel.item(0, 4)->text(), QStringLiteral("60,00"));
    EXPECT_EQ(panel.item(0, 5)->text(), QStringLiteral("01.05.2010 12:00:00"));

    // A narrower window changes the figures: from 13:00 on T1 stays below 27.
    Window().SetWindow(At(18, 0), At(13, 0));
    Draw();
    EXPECT_EQ(panel.item(0, 4)->text(), QStringLiteral("26,00"));

    panel.setFocus();
    QTest::keyClick(&panel, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(QStringLiteral("Graph\tUnit\tMinimum\t")))
        << copied.toStdString();
    EXPECT_EQ(copied.count(QLatin1Char('\n')), 6);
    EXPECT_TRUE(copied.contains(QStringLiteral("T1\t[\u00b0C]\t20,00\t")));
}

TEST_F(Reading, KeysOfAFocusedChartNavigate)
{
    C().setFocus();
    const int item = W().spanTime->currentIndex();
    QTest::keyClick(&C(), Qt::Key_PageDown);
    EXPECT_NEAR(C().BottomAxis().Minimum(), day + 1, 1e-9);
    QTest::keyClick(&C(), Qt::Key_Home);
    EXPECT_EQ(W().sliderTime->value(), W().sliderTime->minimum());
    EXPECT_NEAR(C().BottomAxis().Minimum(), day, 1e-9);
    QTest::keyClick(&C(), Qt::Key_End);
    EXPECT_NEAR(C().BottomAxis().Minimum(), day + 2, 1e-9);
    QTest::keyClick(&C(), Qt::Key_PageUp);
    EXPECT_NEAR(C().BottomAxis().Minimum(), day + 1, 1e-9);
    // One day span: Right moves the window as the scroll button does.
    const DayTime before = C().BottomAxis().Minimum();
    QTest::keyClick(&C(), Qt::Key_Right);
    EXPECT_GT(C().BottomAxis().Minimum(), before);
    QTest::keyClick(&C(), Qt::Key_Left);
    EXPECT_NEAR(C().BottomAxis().Minimum(), before, 1e-9);
    QTest::keyClick(&C(), Qt::Key_Plus);
    EXPECT_EQ(W().spanTime->currentIndex(), item - 1);
    QTest::keyClick(&C(), Qt::Key_Minus);
    QTest::keyClick(&C(), Qt::Key_Minus);
    EXPECT_EQ(W().spanTime->currentIndex(), item + 1);
}

TEST_F(Reading, TheGraphChoiceIsRememberedPerDevice)
{
    Click(Row("T1")->ShowBox());
    Click(Row("P")->ShowBox());
    const QByteArray ini = home.ReadIni();
    EXPECT_TRUE(ini.contains("[Graphs:10]")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("T1[\xB0"
                             "C]=0"));
    EXPECT_TRUE(ini.contains("P[kW]=1"));
    // Another analysis of the device starts with that choice.
    delete window;
    window = nullptr;
    AppSettings::Release();
    Load({10}, QDate(2010, 5, 1), QDate(2010, 5, 1));
    ApplyRememberedGraphs(Window());
    EXPECT_FALSE(Set(0).shown(Field("T1")));
    EXPECT_TRUE(Set(0).shown(Field("T2")));
    EXPECT_TRUE(Set(0).shown(Field("P")));
    EXPECT_TRUE(Row("P")->ShowBox()->isChecked());
}

// Keys, buttons and zooms move the window under a pointer that rests on the chart: the box shows
// the time now under it and that time's values, not those of the last mouse move.
TEST_F(Reading, TheReadoutFollowsTheWindowUnderARestingPointer)
{
    // The first move only brings the pointer onto the chart.
    QTest::mouseMove(&C(), PixelAt(C(), At(11, 0)));
    QTest::mouseMove(&C(), PixelAt(C(), At(12, 0)));
    QApplication::processEvents();
    ASSERT_FALSE(Texts().empty());
    EXPECT_EQ(Texts()[0].substr(0, 10), "01.05.2010");
    C().setFocus();
    QTest::keyClick(&C(), Qt::Key_PageDown);
    Draw();
    ASSERT_FALSE(Texts().empty());
    EXPECT_EQ(Texts()[0].substr(0, 10), "02.05.2010");
    ASSERT_TRUE(R().Readout().CursorTime());
    EXPECT_NEAR(*R().Readout().CursorTime(), At(12, 0) + 1, 2.0 / 1440);
    // A zoom to the afternoon puts another time under the same pixel.
    Window().SetWindow(At(18, 0) + 1, At(14, 0) + 1);
    Draw();
    EXPECT_GT(*R().Readout().CursorTime(), At(14, 0) + 1);
    EXPECT_LT(*R().Readout().CursorTime(), At(18, 0) + 1);
    EXPECT_EQ(Texts()[0].substr(0, 10), "02.05.2010");
}

// Three yields of one period may differ (year counter, logged days, integrated samples): the
// title, the table's total row and the panel's energy column each say where theirs comes from.
TEST_F(Reading, TooltipsNameTheSourceOfEachYield)
{
    R().Apply({true, true});
    Draw();
    StatisticsPanel& panel = R().Statistics();
    EXPECT_EQ(panel.horizontalHeaderItem(kStatisticsColumns - 1)->toolTip(),
              UiText(TextId::YieldSourceIntegral));
    // A month on a device tab has a yield in its title.
    W().spanTime->setCurrentIndex(SpanOneMonth);
    Draw();
    EXPECT_EQ(C().TitleToolTip(), UiText(TextId::YieldSourceTitle));
    // The table of the month ends in its total row.
    Window().ShowTable(true);
    QApplication::processEvents();
    const TTableGrid& grid = *W().grid;
    const int last = grid.RowCount() - 1;
    ASSERT_GT(last, grid.FixedRows());
    EXPECT_EQ(grid.CellText(0, last), UiText(TextId::Total));
    EXPECT_EQ(grid.RowToolTip(last), UiText(TextId::YieldSourceTotal));
    EXPECT_TRUE(grid.RowToolTip(last - 1).isEmpty());
    // A day shows no yield in its title, and says nothing about one.
    Window().ShowTable(false);
    W().spanTime->setCurrentIndex(SpanOneDay);
    Draw();
    EXPECT_TRUE(C().TitleToolTip().isEmpty());
}

using OverviewReadout = GraphWindow;

// On the Overview tab every graph of the readout carries its device's name.
TEST_F(OverviewReadout, LinesCarryTheDeviceName)
{
    Load({10, 21}, QDate(2010, 5, 1), QDate(2010, 5, 1));
    ApplyRememberedGraphs(Window());
    Click(Row("T2")->OverviewBox());
    G().SelectOverviewGraphs();
    const DayTime day = EncodeDate(2010, 5, 1);
    Window().SetWindow(day + 1, day);
    Draw();
    ChartWidget& chart = *W().chart;
    const QRect plot = chart.axisRect()->rect();
    for (DayTime t : {day + 0.4, day + 0.5})
        QTest::mouseMove(&chart, QPoint(static_cast<int>(chart.BottomAxis().PixelOf(t)),
                                        plot.center().y()));
    QApplication::processEvents();
    const std::vector<ReadoutLine>& lines = Window().Reading().Readout().Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].text.rfind(Set(0).deviceSettings()->displayName() + ": T2: ", 0), 0u)
        << lines[1].text;
}

// The Overview column's marks are kept per device like the device list's ticks, and a mark that
// cannot be stored is reported as every failed settings write is (text 94) and stays set.
using RememberedOverview = GraphWindow;

TEST_F(RememberedOverview, MarksAreStoredAndComeBackWithTheNextAnalysis)
{
    Load({10, 21}, QDate(2010, 5, 1), QDate(2010, 5, 2));
    ApplyRememberedGraphs(Window());
    ASSERT_NE(Row("T2")->OverviewBox(), nullptr);
    Click(Row("T2")->OverviewBox());
    Click(Row("P")->OverviewBox());
    Click(Row("P")->OverviewBox()); // marked and unmarked again
    EXPECT_TRUE(Set(0).selected(Field("T2")));
    const QByteArray ini = home.ReadIni();
    EXPECT_TRUE(ini.contains("[Overview:10]")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("T2[\xB0"
                             "C]=1"));
    EXPECT_TRUE(ini.contains("P[kW]=0"));
    EXPECT_FALSE(ini.contains("[Overview:21]"));

    delete window;
    window = nullptr;
    AppSettings::Release();
    Load({10, 21}, QDate(2010, 5, 1), QDate(2010, 5, 1));
    ApplyRememberedGraphs(Window());
    EXPECT_TRUE(Set(0).selected(Field("T2")));
    EXPECT_FALSE(Set(0).selected(Field("P")));
    EXPECT_FALSE(Set(0).selected(Field("T1")));
    EXPECT_TRUE(Row("T2")->OverviewBox()->isChecked());
    EXPECT_FALSE(Set(1).selected(Field("T2", 1)));
}

TEST_F(RememberedOverview, AMarkThatCannotBeStoredShowsText94)
{
    Load({10, 21}, QDate(2010, 5, 1), QDate(2010, 5, 1));
    ApplyRememberedGraphs(Window());
    QFile::remove(home.IniPath());
    ASSERT_TRUE(QDir().mkpath(home.IniPath())); // a folder where the file should be
    doubles.prompts.calls.clear();
    Click(Row("T2")->OverviewBox());
    ASSERT_EQ(doubles.prompts.calls.size(), 1u);
    EXPECT_EQ(doubles.prompts.calls[0].text, UiText(TextId::SettingsFileAccessFailed));
    EXPECT_TRUE(Set(0).selected(Field("T2")));
}

} // namespace
} // namespace korvex::test
