// The charts' axes: titles and placeholders as categories are shown and hidden, the output bands
// and their names, the dynamic Y scale and equal label columns of both charts.

#include "ChildGraphsTestSupport.h"

#include "core/logdata/FieldDisplay.h"
#include "ui/analysis/widgets/AxisTitles.h"
#include "ui/analysis/parts/ChartAxisLabels.h"

#include <cmath>

namespace korvex::test {
namespace {

class GraphAxes : public GraphWindow {
protected:
    void SetShown(const std::string& key, bool on, int device = 0)
    {
        if (on)
            G().ShowField(Set(device), Field(key, device));
        else
            G().HideField(Set(device), Field(key, device));
        G().UpdateOutputChart(false, false);
    }
    std::vector<bool> Placeholders() const
    {
        const auto& flags = window->Graphs().PlaceholdersOn();
        return std::vector<bool>(flags.begin(), flags.end());
    }
};

TEST_F(GraphAxes, TitlesAndPlaceholdersFollowTheShownCategories)
{
    Load({10}, QDate(2010, 5, 3), QDate(2010, 5, 3));
    const QString c = QStringLiteral("[°C]"), f = QStringLiteral("[l/min]"),
                  p = QStringLiteral("[%]");
    const QString blank = QStringLiteral(" ");
    struct Case {
        bool inputs, others, outputs;
        QString left, right, left2, right2;
        std::vector<bool> placeholders;
        bool othersRight;
    };
    const Case cases[] = {
        {false, false, false, "", "", "", "", {false, false, false, false}, false},
        {false, false, true, blank, "", p, "", {true, false, false, false}, false},
        {false, true, false, f, "", blank, "", {false, false, true, false}, false},
        {false, true, true, f, "", p, "", {false, false, false, false}, false},
        {true, false, false, c, "", blank, "", {false, false, true, false}, true},
        {true, false, true, c, "", p, "", {false, false, false, false}, true},
        {true, true, false, c, f, blank, blank, {false, false, true, true}, true},
        {true, true, true, c, f, p, blank, {false, false, false, true}, true},
    };
    ChartWidget& chart = *W().chart;
    ChartWidget& chart2 = *W().chart2;
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.inputs << k.others << k.outputs);
        SetShown("T1", k.inputs);
        SetShown("V", k.others);
        SetShown("R1", k.outputs);
        EXPECT_EQ(chart.LeftAxis().Title(), k.left);
        EXPECT_EQ(chart.RightAxis().Title(), k.right);
        EXPECT_EQ(chart2.LeftAxis().Title(), k.left2);
        EXPECT_EQ(chart2.RightAxis().Title(), k.right2);
        EXPECT_EQ(Placeholders(), k.placeholders);
        EXPECT_EQ(chart.hasSeries(*G().AxisPlaceholder(0)), k.placeholders[0]);
        EXPECT_EQ(chart2.hasSeries(*G().AxisPlaceholder(2)), k.placeholders[2]);
        EXPECT_EQ(chart2.hasSeries(*G().AxisPlaceholder(3)), k.placeholders[3]);
        EXPECT_EQ(Set(0).series(Field("V"))->axis() == VerticalAxis::Right, k.othersRight);
        // Right axes are drawn exactly where the upper chart has values on the right.
        EXPECT_EQ(chart.RightAxis().Visible(), !k.right.isEmpty());
        EXPECT_EQ(chart2.RightAxis().Visible(), !k.right.isEmpty());
        EXPECT_TRUE(chart.LeftAxis().Visible());
        EXPECT_TRUE(chart2.LeftAxis().Visible());
        EXPECT_EQ(Window().HasGraphs(), k.inputs || k.others || k.outputs);
    }
}

TEST_F(GraphAxes, UnitsAreSortedAndListedOnce)
{
    EXPECT_EQ(JoinUnits({"[W]", "[l/min]", "[W]", "[kW]", ""}), "[kW]   [l/min]   [W]");
    EXPECT_EQ(JoinUnits({"[w]", "[W]"}), "[w]");
    EXPECT_EQ(JoinUnits({}), "");

    // In the overview the units of every device's shown and marked fields count.
    Load({10, 21}, QDate(2010, 5, 3), QDate(2010, 5, 3));
    Set(0).select(Field("T1"), true);
    G().ShowField(Set(0), Field("T1"));
    G().ShowField(Set(1), Field("T2", 1));
    EXPECT_EQ(G().UnitsOfKind(FieldCategory::Inputs), "[°C]");
    G().SelectOverviewGraphs();
    EXPECT_TRUE(G().Selection().Overview());
    EXPECT_EQ(G().UnitsOfKind(FieldCategory::Inputs), "[°C]"); // T2 of device 2 is not marked
    EXPECT_EQ(W().chart->SeriesCount(), 1);
}

TEST_F(GraphAxes, ThreeOutputsAreStackedWithTheirNamesAsLabels)
{
    Load({10}, QDate(2010, 5, 3), QDate(2010, 5, 3));
    DeviceSettings& settings = *Set(0).deviceSettings();
    settings.setLabel(Field("R1"), "Pump");
    settings.setLabel(Field("R2"), "Valve");
    settings.setLabel(Field("R3"), "Heater");
    for (const char* key : {"R1", "R2", "R3"})
        Click(Row(key)->ShowBox());

    ChartAxis& left2 = W().chart2->LeftAxis();
    EXPECT_EQ(left2.Minimum(), -310);
    EXPECT_EQ(left2.Maximum(), 110);
    EXPECT_EQ(G().OutputNames(), (std::vector<std::string>{"Pump", "Valve", "Heater"}));
    EXPECT_EQ(Set(0).series(Field("R1"))->offset(), 0);
    EXPECT_EQ(Set(0).series(Field("R2"))->offset(), -150);
    EXPECT_EQ(Set(0).series(Field("R3"))->offset(), -300);

    Draw();
    std::vector<std::pair<double, QString>> named;
    for (int i = 0; i < left2.LabelValues().size(); ++i) {
        if (!left2.LabelTexts()[i].isEmpty())
            named.emplace_back(left2.LabelValues()[i], left2.LabelTexts()[i]);
    }
    EXPECT_EQ(named, (std::vector<std::pair<double, QString>>{
                         {-250, "Heater"}, {-100, "Valve"}, {50, "Pump"}}));

    // Hiding the middle one closes the gap.
    Click(Row("R2")->ShowBox());
    EXPECT_EQ(left2.Minimum(), -160);
    EXPECT_EQ(G().OutputNames(), (std::vector<std::string>{"Pump", "Heater"}));
    EXPECT_EQ(Set(0).series(Field("R3"))->offset(), -150);
    EXPECT_EQ(G().OutputNameAt(1), QStringLiteral("Heater"));
    EXPECT_EQ(G().OutputNameAt(2), QString());
    EXPECT_EQ(G().OutputNameAt(-1), QString());
}

TEST_F(GraphAxes, BandLabelsNameOnlyTheBandMiddles)
{
    const auto names = [](int k) { return k < 3 ? QStringLiteral("N%1").arg(k) : QString(); };
    EXPECT_EQ(OutputBandLabel("50", names), QStringLiteral("N0"));
    EXPECT_EQ(OutputBandLabel("-100", names), QStringLiteral("N1"));
    EXPECT_EQ(OutputBandLabel("-250", names), QStringLiteral("N2"));
    EXPECT_EQ(OutputBandLabel("-400", names), QString());
    EXPECT_EQ(OutputBandLabel("0", names), QString());
    EXPECT_EQ(OutputBandLabel("100", names), QString());
    EXPECT_EQ(OutputBandLabel("-", names), QString());
    EXPECT_EQ(OutputBandLabel("12,5", names), QString());
}

TEST_F(GraphAxes, RestackingOffsetsOutputsInChartOrderAndSkipsPlaceholders)
{
    Load({10}, QDate(2010, 5, 3), QDate(2010, 5, 3));
    for (const char* key : {"T1", "V", "R3", "R1"})
        G().ShowField(Set(0), Field(key));
    ASSERT_TRUE(G().PlaceholdersOn()[3]);
    for (const char* key : {"R3", "R1"})
        ApplyOutputDisplay(Set(0), Field(key), 0);
    G().RestackOutputs();
    EXPECT_EQ(Set(0).series(Field("R3"))->offset(), 0);
    EXPECT_EQ(Set(0).series(Field("R1"))->offset(), -150);
    EXPECT_EQ(G().AxisPlaceholder(3)->offset(), 0);

    // Removing everything takes the placeholders off as well.
    G().RemoveAllSeries();
    EXPECT_EQ(W().chart->SeriesCount() + W().chart2->SeriesCount(), 0);
    EXPECT_FALSE(G().PlaceholdersOn()[3]);
    EXPECT_FALSE(Window().HasGraphs());
    G().AddShownSeries();
    EXPECT_EQ(W().chart2->SeriesCount(), 2);
}

TEST_F(GraphAxes, DynamicRangePadsTheValues)
{
    auto padded = [](std::vector<double> ys) {
        ValueRange r;
        for (double y : ys)
            r.Add(y);
        return r.Padded();
    };
    EXPECT_NEAR(padded({20, 40, 60}).low, 19.0, 1e-12);
    EXPECT_NEAR(padded({20, 40, 60}).high, 61.0, 1e-12);
    EXPECT_NEAR(padded({50, 52}).low, 49.76, 1e-12);
    EXPECT_NEAR(padded({50, 52}).high, 53.04, 1e-12);
    EXPECT_NEAR(padded({10}).low, 9.8, 1e-12);
    EXPECT_NEAR(padded({10}).high, 11.0, 1e-12);
    EXPECT_EQ(padded({}).low, 0.0);
    EXPECT_EQ(padded({}).high, 1.0);

    // Only points inside the window count, null points never.
    LineSeries s(nullptr);
    s.addPoint(1.0, 500);
    s.addPoint(2.0, 20);
    s.addNullPoint(2.5);
    s.addPoint(3.0, 60);
    s.addPoint(4.0, -500);
    ValueRange r;
    AddPointsInWindow(s, 2.0, 3.0, r);
    EXPECT_EQ(r.low, 20);
    EXPECT_EQ(r.high, 60);
}

TEST_F(GraphAxes, DynamicScaleFitsBothAxesToTheWindow)
{
    Load({10}, QDate(2010, 5, 3), QDate(2010, 5, 3));
    const DayTime day = EncodeDate(2010, 5, 3);
    ChartWidget& chart = *W().chart;
    ChildDefaults scaling = S().defaults;
    scaling.dynamicScaling = true;
    Window().ApplyChartSettings(scaling);

    G().UpdateAxisTitles(); // no series at all
    EXPECT_EQ(chart.LeftAxis().Minimum(), 0);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 1);

    G().ShowField(Set(0), Field("T1"));
    G().ShowField(Set(0), Field("V"));
    // T1 is 20..26 with one 60 at noon; V' 0 or 6.5.
    EXPECT_NEAR(chart.LeftAxis().Minimum(), 19.0, 1e-9);
    EXPECT_NEAR(chart.LeftAxis().Maximum(), 61.0, 1e-9);
    EXPECT_NEAR(chart.RightAxis().Minimum(), -0.33, 1e-9);
    EXPECT_NEAR(chart.RightAxis().Maximum(), 6.83, 1e-9);

    Window().SetWindow(day + 0.25, day); // the night: no noon peak, no flow
    G().UpdateAxisTitles();
    EXPECT_NEAR(chart.LeftAxis().Minimum(), 20 - 0.12 - 0.2, 1e-9);
    EXPECT_NEAR(chart.LeftAxis().Maximum(), 26 + 0.12 + 0.2, 1e-9);
    EXPECT_NEAR(chart.RightAxis().Minimum(), -0.2, 1e-9);
    EXPECT_NEAR(chart.RightAxis().Maximum(), 1.0, 1e-9);

    // Without dynamic scaling the left axis keeps the range it has.
    scaling.dynamicScaling = false;
    Window().ApplyChartSettings(scaling);
    chart.LeftAxis().SetMinMax(-10, 120);
    G().UpdateAxisTitles();
    EXPECT_EQ(chart.LeftAxis().Minimum(), -10);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 120);
}

TEST_F(GraphAxes, BothChartsGetEqualLabelColumns)
{
    Load({10}, QDate(2010, 5, 3), QDate(2010, 5, 3));
    Set(0).deviceSettings()->setLabel(Field("R1"), "A rather long output name");
    for (const char* key : {"T1", "V", "R1"})
        Click(Row(key)->ShowBox());
    Draw();
    ChartWidget& chart = *W().chart;
    ChartWidget& chart2 = *W().chart2;
    const int widest = chart.TextWidth(QStringLiteral("A rather long output name")) + 3;
    EXPECT_EQ(chart.LeftAxis().LabelColumnSize(), widest);
    // The lower chart's shorter ticks leave their difference to its label column.
    EXPECT_EQ(chart2.LeftAxis().LabelColumnSize(),
              widest + chart.LeftAxis().TickLength() - chart2.LeftAxis().TickLength());
    EXPECT_GT(chart.RightAxis().LabelColumnSize(), 0);
    EXPECT_EQ(chart.axisRect()->left(), chart2.axisRect()->left());
    EXPECT_EQ(chart.axisRect()->right(), chart2.axisRect()->right());

    // A label change asks for one more repaint of both charts.
    Set(0).deviceSettings()->setLabel(Field("R1"), "R");
    G().UpdateOutputChart(false, false);
    W().chart2->replot(QCustomPlot::rpImmediateRefresh);
    EXPECT_TRUE(W().repaintTimer->isActive());
    EXPECT_TRUE(WaitUntil([&] { return !W().repaintTimer->isActive(); }, 2000));
    Draw();
    EXPECT_EQ(chart.axisRect()->left(), chart2.axisRect()->left());
}

} // namespace
} // namespace korvex::test
