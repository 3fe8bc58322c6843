// The function check in an analysis window, through the event loop: it runs once the first view
// is drawn, its panel follows the tab shown, a double-click goes to an incident, and the bands
// behind the upper chart carry the incidents' texts.

#include "tests/ui/analysis/ChildGraphsTestSupport.h"

#include "core/check/CheckUiTexts.h"
#include "core/views/Navigation.h"
#include "core/views/Readout.h"
#include "ui/analysis/parts/CheckPanel.h"
#include "ui/analysis/parts/CheckPart.h"
#include "ui/analysis/parts/ReadingParts.h"
#include "ui/chart/ChartBands.h"
#include "ui/chart/ChartReadout.h"

#include <QComboBox>
#include <QLabel>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include <functional>

namespace korvex::test {
namespace {

// Devices 10 and 20 are solar controllers (collector T1, store T2, pump R1, which runs from 10:00
// to 15:00). With stagnation the collector stands at 130 °C from 10:00 to 10:40.
std::vector<LogColumn> Columns(bool stagnation)
{
    std::vector<LogColumn> columns = StandardColumns();
    columns[0].value = [stagnation](int m) {
        if (stagnation && m >= 600 && m <= 640)
            return 130.0;
        return 20.0 + (m / 10) % 7;
    };
    columns[1].value = [](int m) { return 30.0 + (m / 10) % 5; };
    return columns;
}

class CheckWindow : public GraphWindow {
protected:
    // Devices 10 and 20 from 30 March to 1 April 2011; device 20's file of 31 March is broken.
    void LoadWithFault(bool switchedOn = true)
    {
        const QDate first(2011, 3, 30);
        const QDate last(2011, 4, 1);
        std::vector<std::string> files;
        std::vector<std::string> failed;
        for (int device : {10, 20}) {
            for (QDate d = first; d <= last; d = d.addDays(1)) {
                const bool broken = device == 20 && d == QDate(2011, 3, 31);
                const QByteArray content =
                    broken ? QByteArray("no log at all\r\n")
                           : MakeDayLog(d, Columns(device == 10 && d == QDate(2011, 3, 31)));
                files.push_back(WriteFile(dir, LogName(device, d), content).toStdString());
            }
        }
        TChildform& w = Window();
        w.BeginAnalysis(static_cast<int>(files.size()), {"10", "20"}, EncodeDate(2011, 3, 30),
                        EncodeDate(2011, 4, 1));
        for (const std::string& file : files) {
            try {
                w.AddLogFile(file);
            } catch (const KorvexError&) {
                failed.push_back(file);
            }
        }
        ASSERT_EQ(failed.size(), 1u);
        w.BuildDeviceView(0);
        w.BuildDeviceView(1);
        w.FinishAnalysis(failed);
        if (!switchedOn)
            return;
        Window().Reading().Apply({true, false, true});
        ASSERT_TRUE(WaitUntil([this] { return !Check().Incidents().empty(); }));
    }

    CheckPart& Check() { return Window().Check(); }
    CheckPanel& Panel() { return Check().Panel(); }

    // The listed row of the first incident of a rule; -1 when none is listed.
    int ListedRowOf(const std::string& rule)
    {
        for (int row = 0; row < Panel().ListedCount(); ++row)
            if (Panel().ListedIncident(row).rule == rule)
                return row;
        return -1;
    }

    void DoubleClick(int row)
    {
        QTableView& table = *Panel().Table();
        const QRect cell = table.visualRect(table.model()->index(row, 0));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, cell.center());
        QApplication::processEvents();
    }
};

// Calls back at each event of one type that reaches the watched object.
class EventSpy : public QObject {
public:
    EventSpy(QObject& watched, QEvent::Type type, std::function<void()> seen)
        : watched_(watched), type_(type), seen_(std::move(seen))
    {
        watched_.installEventFilter(this);
    }
    ~EventSpy() override { watched_.removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == type_)
            seen_();
        return false;
    }

private:
    QObject& watched_;
    QEvent::Type type_;
    std::function<void()> seen_;
};

DayTime At(int day, int hours, int minutes)
{
    return EncodeDate(2011, 3, day) + (hours * 60 + minutes) / 1440.0;
}

TEST_F(CheckWindow, RunsAfterLoadingAndListsTheShownDevicesIncidents)
{
    LoadWithFault();
    EXPECT_TRUE(Panel().isVisible());
    // Device 10's tab is up: its stagnation is listed, device 20's failed day is not.
    const int row = ListedRowOf("stagnation");
    ASSERT_GE(row, 0);
    const Incident& stagnation = Panel().ListedIncident(row);
    EXPECT_EQ(stagnation.device, "10");
    EXPECT_NEAR(stagnation.start, At(31, 10, 0), 1e-9);
    EXPECT_NEAR(stagnation.end, At(31, 10, 40), 1e-9);
    ASSERT_TRUE(stagnation.peak.has_value());
    EXPECT_DOUBLE_EQ(*stagnation.peak, 130.0);
    EXPECT_EQ(ListedRowOf("missing-days"), -1);
    for (int r = 0; r < Panel().ListedCount(); ++r)
        EXPECT_EQ(Panel().ListedIncident(r).device, "10");
    EXPECT_EQ(Panel().Heading()->text().toStdString(),
              IncidentCountText(static_cast<std::size_t>(Panel().ListedCount())));

    // The Overview lists every device's, among them the failed day as missing.
    W().tabSetDevices->setCurrentIndex(W().tabSetDevices->count() - 1);
    QApplication::processEvents();
    const int missing = ListedRowOf("missing-days");
    ASSERT_GE(missing, 0);
    EXPECT_EQ(Panel().ListedIncident(missing).device, "20");
    EXPECT_EQ(Panel().ListedCount(), static_cast<int>(Check().Incidents().size()));

    // Device 20 alone: none of device 10's.
    W().tabSetDevices->setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_EQ(ListedRowOf("stagnation"), -1);
    EXPECT_GE(ListedRowOf("missing-days"), 0);
}

// Switched on before the load, the check waits for the first view to be painted: the view does
// not wait for the check.
TEST_F(CheckWindow, TheFirstViewIsPaintedBeforeTheCheckRuns)
{
    Window().Reading().Apply({true, false, true});
    QApplication::processEvents();
    bool painted = false;
    bool checkedBeforePaint = false;
    EventSpy spy(*W().chart, QEvent::Paint, [&] {
        if (!painted) {
            painted = true;
            checkedBeforePaint = !Check().Incidents().empty();
        }
    });
    LoadWithFault(false);
    ASSERT_TRUE(WaitUntil([this] { return !Check().Incidents().empty(); }));
    EXPECT_TRUE(painted);
    EXPECT_FALSE(checkedBeforePaint);
}

TEST_F(CheckWindow, ADoubleClickShowsTheIncidentWithMarkersAndItsFields)
{
    LoadWithFault();
    // Another day, a month span, T1 hidden: the double-click must change all of it.
    W().spanTime->setCurrentIndex(SpanOneMonth);
    AnalysisDataSet& set = Set(0);
    const int t1 = set.deviceSettings()->find("T1");
    G().HideField(set, t1);
    ASSERT_FALSE(set.shown(t1));

    const int row = ListedRowOf("stagnation");
    ASSERT_GE(row, 0);
    DoubleClick(row);

    // 40 minutes fit the hour span; the window holds the whole incident.
    EXPECT_EQ(W().spanTime->currentIndex(), SpanOneHour);
    const ChartAxis& axis = W().chart->BottomAxis();
    EXPECT_LE(axis.Minimum(), At(31, 10, 0) + 1e-9);
    EXPECT_GE(axis.Maximum(), At(31, 10, 40) - 1e-9);
    EXPECT_LE(axis.Maximum() - axis.Minimum(), 1.0 / 24 + 1e-9);
    const Markers& markers = Window().Reading().Readout().CurrentMarkers();
    ASSERT_TRUE(markers.a && markers.b);
    EXPECT_NEAR(*markers.a, At(31, 10, 0), 1e-9);
    EXPECT_NEAR(*markers.b, At(31, 10, 40), 1e-9);
    EXPECT_TRUE(set.shown(t1));
    EXPECT_TRUE(Row("T1")->ShowBox()->isChecked());
}

TEST_F(CheckWindow, ADoubleClickOnTheOverviewGoesToTheIncidentsDevice)
{
    LoadWithFault();
    W().tabSetDevices->setCurrentIndex(W().tabSetDevices->count() - 1);
    QApplication::processEvents();
    const int row = ListedRowOf("missing-days");
    ASSERT_GE(row, 0);
    DoubleClick(row);
    EXPECT_EQ(W().tabSetDevices->currentIndex(), 1);
    EXPECT_EQ(S().view.Current(), S().DataSet(1));
    // A missing day is a whole day: the day span shows it.
    EXPECT_EQ(W().spanTime->currentIndex(), SpanOneDay);
    EXPECT_DOUBLE_EQ(W().chart->BottomAxis().Minimum(), EncodeDate(2011, 3, 31));
}

TEST_F(CheckWindow, BandsFollowTheTabAndSayWhatWasSeen)
{
    LoadWithFault();
    const std::vector<ChartBand>& bands = Check().Bands().Bands();
    ASSERT_FALSE(bands.empty());
    for (const ChartBand& band : bands)
        EXPECT_FALSE(band.text.isEmpty());
    const auto stagnation = std::find_if(bands.begin(), bands.end(), [](const ChartBand& b) {
        return std::abs(b.start - At(31, 10, 0)) < 1e-9;
    });
    ASSERT_NE(stagnation, bands.end());

    // On its day the band lies in the plot and its tooltip is its text.
    W().spanTime->setCurrentIndex(SpanOneDay);
    Window().SetWindow(EncodeDate(2011, 4, 1), EncodeDate(2011, 3, 31));
    W().chart->replot(QCustomPlot::rpImmediateRefresh);
    const QRectF rect = Check().Bands().RectOf(*stagnation);
    ASSERT_FALSE(rect.isEmpty());
    EXPECT_TRUE(Check().Bands().ToolTipAt(rect.center().toPoint()).contains(stagnation->text));

    // The README's picture of the panel and a band, when asked for.
    if (const QByteArray path = qgetenv("KORVEX_README_CHECK"); !path.isEmpty()) {
        Window().resize(1100, 800);
        AnalysisDataSet& set = Set(0);
        for (const char* key : {"T2", "R1"})
            G().ShowField(set, set.deviceSettings()->find(key));
        G().UpdateOutputChart(false, false);
        DoubleClick(ListedRowOf("stagnation"));
        W().spanTime->setCurrentIndex(SpanEightHours);
        QApplication::processEvents();
        Draw();
        Window().grab().save(QString::fromLocal8Bit(path));
    }

    // Device 20's tab draws none of device 10's bands.
    W().tabSetDevices->setCurrentIndex(1);
    QApplication::processEvents();
    for (const ChartBand& band : Check().Bands().Bands())
        EXPECT_GT(std::abs(band.start - At(31, 10, 0)), 1e-9);
}

TEST_F(CheckWindow, SwitchedOffTheChartsStayAsTheyWereAndTheCheckWaits)
{
    LoadWithFault(false);
    QTest::qWait(50);
    EXPECT_FALSE(Check().Shown());
    EXPECT_TRUE(Check().Incidents().empty()) << "no check while it is off";
    EXPECT_FALSE(Check().Bands().Visible());
    EXPECT_FALSE(Panel().isVisible());
    // Switched on from the View menu's option: it runs then, and the bands show.
    Window().Reading().Apply({true, false, true});
    EXPECT_FALSE(Check().Incidents().empty());
    EXPECT_TRUE(Check().Bands().Visible());
    EXPECT_FALSE(Check().Bands().Bands().empty());
    // Off again: the bands go with the panel.
    Window().Reading().Apply({true, false, false});
    EXPECT_FALSE(Check().Bands().Visible());
}

TEST_F(CheckWindow, ANewLanguageRewritesTheIncidentsTexts)
{
    LoadWithFault();
    const std::string english = Check().Incidents().front().text;
    SelectTextBlock(BlockGerman);
    Window().ApplyLanguage();
    const std::string german = Check().Incidents().front().text;
    EXPECT_NE(german, english);
    EXPECT_EQ(Panel().windowTitle(), QString::fromUtf8(CheckUiText("panel-caption")));
}

} // namespace
} // namespace korvex::test
