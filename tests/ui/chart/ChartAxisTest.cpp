// Axis labels: the program's date formats, increments, exact dates, value patterns, the label
// events and their timing, thinning, fixed label columns, copying, scrolling, automatic ranges.
#include "ChartTestSupport.h"

#include "core/services/NumberFormat.h"
#include "ui/chart/AxisTicker.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <clocale>
#include <map>
#include <string>

namespace korvex::test {
namespace {

TEST(ChartAxisLabels, TimeAxisUsesTheProgramsFormatAndIncrement)
{
    ChartWidget chart;
    PrepareChart(chart, 1600, 400);
    chart.SetMonthNames(MonthNames::English());
    chart.BottomAxis().SetIncrement(kOneHour);
    chart.RenderToImage(chart.size());
    const QVector<QString> texts = chart.BottomAxis().LabelTexts();
    ASSERT_EQ(texts.size(), 25);
    EXPECT_EQ(texts.front(), "00:00");
    EXPECT_EQ(texts[13], "13:00");
    EXPECT_EQ(texts.back(), "00:00");
    EXPECT_NEAR(chart.BottomAxis().LabelValues()[13], kDay + 13 * kOneHour, 1e-9);

    chart.BottomAxis().SetMinMax(kDay, kDay + 10);
    chart.BottomAxis().SetDateTimeFormat(" dd. mmm ");
    chart.BottomAxis().SetIncrement(1);
    chart.RenderToImage(chart.size());
    ASSERT_EQ(chart.BottomAxis().LabelTexts().size(), 11);
    EXPECT_EQ(chart.BottomAxis().LabelTexts()[1], " 16. May ");
}

TEST(ChartAxisLabels, StepsFallOnCalendarMonthsWeeksAndMultiples)
{
    const DayTime first = EncodeDate(2008, 1, 1), last = EncodeDate(2009, 1, 1);
    const QVector<double> months = TimeTicks(first, last, PlanTimeSteps(30, true));
    ASSERT_EQ(months.size(), 13);
    for (int i = 0; i < months.size(); ++i) {
        int y = 0, m = 0, d = 0;
        DecodeDate(months[i], y, m, d);
        EXPECT_EQ(d, 1);
        EXPECT_EQ(m, i % 12 + 1);
    }
    EXPECT_EQ(TimeTicks(first, last, PlanTimeSteps(91, true)).size(), 5); // quarters
    // Without the exact-date flag a month increment is a plain multiple of days.
    for (double t : TimeTicks(first, last, PlanTimeSteps(30, false)))
        EXPECT_EQ(std::fmod(t, 30.0), 0.0);
    const QVector<double> weeks = TimeTicks(first, last, PlanTimeSteps(7, true));
    ASSERT_FALSE(weeks.isEmpty());
    for (double t : weeks)
        EXPECT_EQ(DayOfWeek(t), 2); // Monday
    const QVector<double> hours = TimeTicks(kDay + 0.01, kDay + 0.3, PlanTimeSteps(kOneHour, true));
    EXPECT_EQ(hours.size(), 7);
    EXPECT_NEAR(hours.front(), kDay + kOneHour, 1e-9);
}

TEST(ChartAxisLabels, AutomaticStepIsTheSmallestThatFits)
{
    EXPECT_DOUBLE_EQ(AutoTimeStep(1.0, 1600, 40), kOneHour); // 24 labels of 40 px
    EXPECT_DOUBLE_EQ(AutoTimeStep(1.0, 400, 40), 3 * kOneHour);
    EXPECT_DOUBLE_EQ(AutoTimeStep(1.0 / 24, 1500, 40), 2 * kOneMinute);
    EXPECT_NEAR(AutoTimeStep(366, 1500, 60), 30.4375, 1e-9); // monthly
}

TEST(ChartAxisLabels, LabelEventsComeOncePerAxisAndPassAndMayChangeTheText)
{
    ChartWidget chart;
    PrepareChart(chart);
    std::map<AxisSide, int> starts, labels;
    std::vector<std::string> order;
    chart.SetOnGetNextAxisLabel([&](ChartWidget&, ChartAxis& axis) {
        ++starts[axis.Side()];
        order.push_back("next");
    });
    chart.SetOnGetAxisLabel([&](ChartWidget& c, ChartAxis& axis, double value, QString& text) {
        ++labels[axis.Side()];
        if (&axis == &c.LeftAxis() && value == 60)
            text = "<" + text + ">";
        if (&axis == &c.LeftAxis() && value == 40)
            text.clear();
    });
    chart.SetOnBeforeDrawSeries([&](ChartWidget&) { order.push_back("before"); });

    chart.RenderToImage(chart.size());
    chart.RenderToImage(QSize(500, 300)); // a new size needs a layout pass without events
    for (AxisSide side : {AxisSide::Bottom, AxisSide::Left, AxisSide::Right})
        EXPECT_EQ(starts[side], 2);
    EXPECT_GE(labels[AxisSide::Left], 2 * 6);
    // The before-draw event follows the labels of its pass.
    ASSERT_EQ(order.size(), 8u);
    EXPECT_EQ(order[3], "before");
    EXPECT_EQ(order[7], "before");

    // A hidden axis raises nothing.
    chart.RightAxis().SetVisible(false);
    chart.RenderToImage(QSize(500, 300));
    EXPECT_EQ(starts[AxisSide::Right], 2);
    EXPECT_EQ(starts[AxisSide::Left], 3);

    const QVector<QString> texts = chart.LeftAxis().LabelTexts();
    const QVector<double> values = chart.LeftAxis().LabelValues();
    ASSERT_TRUE(values.contains(60));
    EXPECT_EQ(texts[values.indexOf(60)], "<60>");
    // An emptied label keeps its tick: nothing is drawn, nothing overlaps.
    ASSERT_TRUE(values.contains(40));
    EXPECT_EQ(texts[values.indexOf(40)], "");
}

TEST(ChartAxisLabels, OverlappingLabelsAreThinnedToARegularStride)
{
    ChartWidget chart;
    PrepareChart(chart, 360, 300);
    chart.BottomAxis().SetIncrement(kOneHour);
    chart.RenderToImage(chart.size());
    const QVector<double> values = chart.BottomAxis().LabelValues();
    ASSERT_GE(values.size(), 3);
    ASSERT_LT(values.size(), 25);
    const long long stride = std::llround((values[1] - values[0]) / kOneHour);
    EXPECT_GT(stride, 1);
    for (int i = 0; i < values.size(); ++i) {
        EXPECT_EQ(std::llround((values[i] - kDay) / kOneHour) % stride, 0) << i;
        if (i > 0) {
            const double gap =
                chart.BottomAxis().PixelOf(values[i]) - chart.BottomAxis().PixelOf(values[i - 1]);
            EXPECT_GT(gap, chart.TextWidth("00:00"));
        }
    }
}

// The labels' measures are kept between drawings; a new label font measures afresh.
TEST(ChartAxisLabels, ALargerLabelFontThinsTheLabelsAfterASmallerOne)
{
    ChartWidget chart;
    PrepareChart(chart, 520, 300);
    chart.BottomAxis().SetIncrement(kOneHour);
    // The first drawing lays the labels out before the plot area has its final width.
    chart.RenderToImage(chart.size());
    chart.RenderToImage(chart.size());
    const QVector<double> small = chart.BottomAxis().LabelValues();
    QFont font = chart.BottomAxis().Raw()->tickLabelFont();
    const QFont smallFont = font;
    font.setPixelSize(font.pixelSize() * 3);
    chart.BottomAxis().Raw()->setTickLabelFont(font);
    chart.RenderToImage(chart.size());
    const QVector<double> large = chart.BottomAxis().LabelValues();
    EXPECT_LT(large.size(), small.size());
    ASSERT_GE(large.size(), 2);
    const QFontMetrics metrics(font);
    EXPECT_GT(chart.BottomAxis().PixelOf(large[1]) - chart.BottomAxis().PixelOf(large[0]),
              metrics.horizontalAdvance(QStringLiteral("00:00")));
    chart.BottomAxis().Raw()->setTickLabelFont(smallFont);
    chart.RenderToImage(chart.size());
    chart.RenderToImage(chart.size());
    EXPECT_EQ(chart.BottomAxis().LabelValues(), small);
}

TEST(ChartAxisLabels, ValuesFollowTheirPatternAndTheDecimalSeparator)
{
    EXPECT_EQ(FormatAxisValue(49.6, "###0", u'.'), "50");
    EXPECT_EQ(FormatAxisValue(-12.4, "###0", u'.'), "-12");
    EXPECT_EQ(FormatAxisValue(-0.3, "0", u','), "0");
    EXPECT_EQ(FormatAxisValue(1234.5, "#,##0.###", u','), "1.234,5");
    EXPECT_EQ(FormatAxisValue(1234.5, "#,##0.###", u'.'), "1,234.5");
    EXPECT_EQ(FormatAxisValue(0.125, "#,##0.###", u'.'), "0.125");
    EXPECT_EQ(FormatAxisValue(2.0, "#,##0.###", u'.'), "2");
    EXPECT_EQ(FormatAxisValue(2.26, "0.0", u','), "2,3");
    EXPECT_EQ(FormatAxisValue(-1234567, "#,##0", u'.'), "-1,234,567");

    ChartWidget chart;
    PrepareChart(chart, 600, 300);
    chart.LeftAxis().SetMinMax(-310, 110);
    chart.LeftAxis().SetIncrement(50);
    chart.LeftAxis().SetValueFormat("###0");
    chart.SetOnGetAxisLabel([](ChartWidget&, ChartAxis& axis, double, QString& text) {
        if (axis.Side() == AxisSide::Left && text != "50" && text != "-100")
            text.clear(); // labels of bands only: nothing left to overlap
    });
    chart.RenderToImage(chart.size());
    EXPECT_EQ(chart.LeftAxis().LabelValues(),
              (QVector<double>{-300, -250, -200, -150, -100, -50, 0, 50, 100}));
}

// The desktop's C locale (here German, comma decimal) must not reach the labels: the program's
// own separator decides.
TEST(ChartAxisLabels, AGermanDesktopLocaleDoesNotChangeValueLabels)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "locale de_DE.UTF-8 missing (the test command generates it)";
    const char savedSeparator = DecimalSeparator();
    SetDecimalSeparator(',');

    EXPECT_EQ(FormatAxisValue(120, "#,##0.###", u','), "120");
    EXPECT_EQ(FormatAxisValue(1234.5, "#,##0.###", u','), "1.234,5");
    EXPECT_EQ(FormatAxisValue(-0.25, "0.0#", u'.'), "-0.25");

    ChartWidget chart;
    PrepareChart(chart, 600, 400);
    chart.LeftAxis().SetMinMax(35, 37.5);
    chart.LeftAxis().SetIncrement(0.5);
    chart.RenderToImage(chart.size());
    const QVector<QString> texts = chart.LeftAxis().LabelTexts();
    const QVector<double> values = chart.LeftAxis().LabelValues();

    SetDecimalSeparator(savedSeparator);
    std::setlocale(LC_ALL, saved.c_str());

    ASSERT_EQ(texts.size(), values.size());
    std::map<double, QString> byValue;
    for (int i = 0; i < texts.size(); ++i)
        byValue[values[i]] = texts[i];
    EXPECT_EQ(byValue[36.0], "36");
    EXPECT_EQ(byValue[36.5], "36,5");
    EXPECT_EQ(byValue[37.5], "37,5");
}

TEST(ChartAxisLabels, EqualLabelColumnsAlignThePlotAreasOfTwoCharts)
{
    ChartWidget wide, narrow;
    PrepareChart(wide, 600, 300);
    PrepareChart(narrow, 600, 200);
    wide.LeftAxis().SetMinMax(0, 250000);
    narrow.LeftAxis().SetMinMax(0, 1);
    wide.LeftAxis().SetTitle("[W]");
    narrow.LeftAxis().SetTitle("[%]");
    wide.RenderToImage(wide.size());
    narrow.RenderToImage(narrow.size());
    EXPECT_NE(wide.axisRect()->left(), narrow.axisRect()->left());

    const int column = wide.TextWidth("250,000") + 3;
    wide.LeftAxis().SetLabelColumnSize(column);
    narrow.LeftAxis().SetLabelColumnSize(column);
    wide.RenderToImage(wide.size());
    narrow.RenderToImage(narrow.size());
    EXPECT_EQ(wide.axisRect()->left(), narrow.axisRect()->left());
    // Without titles as well.
    wide.LeftAxis().SetTitle("");
    narrow.LeftAxis().SetTitle("");
    wide.RenderToImage(wide.size());
    narrow.RenderToImage(narrow.size());
    EXPECT_EQ(wide.axisRect()->left(), narrow.axisRect()->left());
}

TEST(ChartAxisLabels, CopyFromTakesTheRangeAndEveryLabelSetting)
{
    ChartWidget from, to;
    from.BottomAxis().SetMinMax(kDay, kDay + 3);
    from.BottomAxis().SetDateTimeFormat(" dd. mmm hh:mm ");
    from.BottomAxis().SetIncrement(kOneHour);
    from.BottomAxis().SetExactDate(false);
    from.BottomAxis().SetLabelColumnSize(17);
    from.BottomAxis().SetTitle("time");
    to.BottomAxis().CopyFrom(from.BottomAxis());
    EXPECT_EQ(to.BottomAxis().Minimum(), kDay);
    EXPECT_EQ(to.BottomAxis().Maximum(), kDay + 3);
    EXPECT_EQ(to.BottomAxis().DateTimeFormat(), " dd. mmm hh:mm ");
    EXPECT_EQ(to.BottomAxis().Increment(), kOneHour);
    EXPECT_FALSE(to.BottomAxis().ExactDate());
    EXPECT_EQ(to.BottomAxis().LabelColumnSize(), 17);
    EXPECT_EQ(to.BottomAxis().Title(), "time");
}

TEST(ChartAxisLabels, ScrollingMovesTheRangeWithoutLimitsAndRaisesTheScrollEvent)
{
    ChartWidget chart;
    chart.LeftAxis().SetMinMax(0, 100);
    int scrolls = 0;
    chart.SetOnScroll([&](ChartWidget&) { ++scrolls; });
    chart.LeftAxis().ScrollBy(-1000);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), -1000);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), -900);
    EXPECT_EQ(scrolls, 1);
    // Detached, as a drag does for its duration.
    const ChartWidget::ChartEvent saved = chart.OnScroll();
    chart.SetOnScroll(nullptr);
    chart.RightAxis().ScrollBy(5);
    chart.SetOnScroll(saved);
    EXPECT_EQ(scrolls, 1);
}

TEST(ChartAxisLabels, AutomaticRangeFollowsTheSeriesOnTheAxis)
{
    ChartWidget chart;
    PrepareChart(chart);
    chart.LeftAxis().SetAutomatic(true);
    auto temperature =
        MakeSeries(&chart, {{kDay, 5}, {kDay + 0.5, std::nan("")}, {kDay + 0.7, 42}}, kRed);
    chart.addSeries(*temperature);
    chart.RenderToImage(chart.size());
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), 5);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), 42);
    auto output = MakeSeries<TOffsetLine>(&chart, {{kDay, 0}, {kDay + 1, 100}}, kBlue);
    output->setOffset(-150);
    chart.addSeries(*output);
    chart.RenderToImage(chart.size());
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), -150);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), 42);
}

} // namespace
} // namespace korvex::test
