// Pictures from the command line settle the window's charts without an event loop. Settled,
// drawing both charts once more must move no label column: the picture shows what the window
// would show.
#include "tests/ui/analysis/ChildNavigationTestSupport.h"

#include "ui/analysis/output/ChartSettle.h"

#include <array>

namespace korvex::test {
namespace {

class ChartSettle : public NavigationWindow {
protected:
    // Three days of device 10: a temperature of two digits, one of three and an output.
    void LoadDays()
    {
        const std::vector<LogColumn> columns = {
            {"T1[\xB0"
             "C]",
             [](int m) { return 20.0 + (m % 97) * 0.5; }},
            {"T3[\xB0"
             "C]",
             [](int m) { return -30.0 + m * 0.6; }},
            {"R1[%]", [](int m) { return m >= 600 && m < 900 ? 100.0 : 0.0; }},
        };
        const QDate first(2024, 5, 1);
        std::vector<std::string> paths;
        for (int d = 0; d < 3; ++d)
            paths.push_back(WriteFile(logs.path(), LogName(10, first.addDays(d)),
                                      MakeDayLog(first.addDays(d), columns))
                                .toStdString());
        window->BeginAnalysis(static_cast<int>(paths.size()), {"10"}, DayOf(first),
                              DayOf(first.addDays(2)));
        for (const std::string& path : paths)
            window->AddLogFile(path);
        window->BuildDeviceView(0);
        window->FinishAnalysis();
    }

    std::array<int, 4> Columns() const
    {
        return {W().chart->LeftAxis().LabelColumnSize(), W().chart->RightAxis().LabelColumnSize(),
                W().chart2->LeftAxis().LabelColumnSize(),
                W().chart2->RightAxis().LabelColumnSize()};
    }

    void Settle() { SettleCharts(*W().chart, *W().chart2, *W().repaintTimer); }

    // Both charts drawn once more leave the columns as they are and ask for nothing.
    void ExpectSettled()
    {
        const std::array<int, 4> settled = Columns();
        EXPECT_FALSE(W().repaintTimer->isActive());
        W().chart->replot(QCustomPlot::rpImmediateRefresh);
        W().chart2->replot(QCustomPlot::rpImmediateRefresh);
        EXPECT_FALSE(W().repaintTimer->isActive());
        EXPECT_EQ(Columns(), settled);
    }

    void Show(const std::string& key)
    {
        G().ShowField(Set(0), Field(key));
        G().UpdateOutputChart(false, false);
    }
};

TEST_F(ChartSettle, ColumnsThatMoveAreDrawnAgainUntilTheyStay)
{
    LoadDays();
    Show("T1");
    Show("R1");
    Settle();
    ExpectSettled();
    const int narrow = Columns()[0];

    // Longer labels widen the left column of both charts.
    Show("T3");
    Settle();
    ExpectSettled();
    EXPECT_GT(Columns()[0], narrow);
    EXPECT_EQ(Columns()[0] + W().chart->LeftAxis().TickLength(),
              Columns()[2] + W().chart2->LeftAxis().TickLength());

    // A month on the slider's span: new labels, drawn before anything else happens.
    W().spanTime->setCurrentIndex(SpanOneMonth);
    Settle();
    ExpectSettled();
}

TEST_F(ChartSettle, ASettledWindowTakesOneDrawing)
{
    LoadDays();
    Settle();
    ExpectSettled();
    // Settled again, each chart is drawn once to know that nothing moves.
    int drawings = 0;
    QObject::connect(W().chart, &QCustomPlot::afterReplot, [&] { ++drawings; });
    Settle();
    EXPECT_EQ(drawings, 1);
}

} // namespace
} // namespace korvex::test
