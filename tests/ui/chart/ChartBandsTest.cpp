// Bands behind the curves: where they are drawn in short and long windows, that the curves stay
// above them and are not redrawn when they change, and their tooltips.
#include "ChartTestSupport.h"

#include "ui/chart/ChartBands.h"
#include "ui/chart/SeriesPlottable.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>

#include <gtest/gtest.h>

#include <functional>

namespace korvex::test {
namespace {

constexpr Colour kBandGreen = 0x30C060; // opaque, so that pixels compare exactly

QColor Opaque(Colour c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

DayTime Hm(int h, int m)
{
    return kDay + EncodeTime(h, m);
}

int MiddleRow(const ChartWidget& chart)
{
    return chart.axisRect()->rect().center().y();
}

TEST(ChartBands, DrawnOverTheirStretchBelowTheCurves)
{
    ChartWidget chart;
    PrepareChart(chart);
    auto line = MakeSeries(&chart, {{kDay, 50}, {kDay + 1, 50}}, kRed, 3);
    chart.addSeries(*line);
    ChartBands bands(chart);
    bands.SetBands({{Hm(6, 15), Hm(11, 40), QStringLiteral("a"), Opaque(kBandGreen)}});
    const QImage image = chart.RenderToImage(chart.size());

    const auto [first, last] = RowExtent(image, Py(chart.LeftAxis(), 80), kBandGreen);
    EXPECT_NEAR(first, Px(chart, Hm(6, 15)), 1);
    EXPECT_NEAR(last, Px(chart, Hm(11, 40)), 1);
    // Top to bottom of the plot area (the axis lines drawn over its edges), nothing outside.
    const QRect plot = chart.axisRect()->rect();
    const auto [top, bottom] = ColumnExtent(image, Px(chart, Hm(9, 0)), kBandGreen);
    EXPECT_NEAR(top, plot.top(), 1);
    EXPECT_NEAR(bottom, plot.bottom(), 1);
    // The curve crosses the band on top of it.
    const int y = Py(chart.LeftAxis(), 50);
    EXPECT_TRUE(Matches(image.pixel(Px(chart, Hm(9, 0)), y), kRed));
    EXPECT_TRUE(Matches(image.pixel(Px(chart, Hm(9, 0)), y - 5), kBandGreen));

    // Its layer lies below the curves' layer and above the grid's.
    const int bandsLayer = chart.layer(ChartBands::kLayerName)->index();
    EXPECT_LT(bandsLayer, chart.PlottableOf(*line)->layer()->index());
    EXPECT_GT(bandsLayer, chart.layer(QStringLiteral("grid"))->index());
}

TEST(ChartBands, ShortStretchesStayVisibleInAYearAndLongOnesAreCut)
{
    ChartWidget chart;
    PrepareChart(chart, 900, 300);
    const DayTime year = EncodeDate(2008, 1, 1);
    chart.BottomAxis().SetMinMax(year, EncodeDate(2009, 1, 1));
    ChartBands bands(chart);
    const DayTime tenMinutes = EncodeDateTime(2008, 7, 3, 14, 20);
    bands.SetBands({
        {tenMinutes, tenMinutes + EncodeTime(0, 10), QStringLiteral("short"), Opaque(kBandGreen)},
        // From the year before into February: only its part on screen.
        {EncodeDate(2007, 11, 5), EncodeDate(2008, 2, 10), QStringLiteral("long"), Opaque(kBlue)},
        // Entirely after the window.
        {EncodeDate(2009, 3, 1), EncodeDate(2009, 3, 2), QStringLiteral("later"), Opaque(kRed)},
    });
    const QImage image = chart.RenderToImage(chart.size());
    const int row = MiddleRow(chart);

    const auto [first, last] = RowExtent(image, row, kBandGreen);
    ASSERT_NE(first, -1) << "a ten-minute band vanished in a year";
    EXPECT_GE(last - first + 1, 2);
    EXPECT_LE(last - first + 1, 4);
    EXPECT_NEAR((first + last) / 2.0, chart.BottomAxis().PixelOf(tenMinutes), 2);

    const auto [longFirst, longLast] = RowExtent(image, row, kBlue);
    EXPECT_NEAR(longFirst, chart.axisRect()->rect().left(), 1);
    EXPECT_NEAR(longLast, Px(chart, EncodeDate(2008, 2, 10)), 1);
    EXPECT_EQ(CountColour(image, kRed), 0);
    EXPECT_TRUE(bands.RectOf(bands.Bands()[2]).isEmpty());

    // In a one-day window the same ten minutes are their true width.
    chart.BottomAxis().SetMinMax(EncodeDate(2008, 7, 3), EncodeDate(2008, 7, 4));
    const QRectF rect = bands.RectOf(bands.Bands()[0]);
    EXPECT_NEAR(rect.width(), chart.axisRect()->rect().width() * 10.0 / 1440, 1.0);
}

// A chart on screen with one drawn curve, and its bands.
struct ShownChart {
    ChartWidget chart;
    std::unique_ptr<Series> line;
    std::unique_ptr<ChartBands> bands;
    ShownChart()
    {
        PrepareChart(chart);
        line = MakeSeries(&chart, {{kDay, 20}, {kDay + 0.5, 70}, {kDay + 1, 30}}, kRed, 2);
        chart.addSeries(*line);
        bands = std::make_unique<ChartBands>(chart);
        chart.show();
        chart.replot();
        QApplication::processEvents();
    }
};

TEST(ChartBands, ChangingThemReplotsTheirLayerOnly)
{
    ShownChart onScreen;
    ChartWidget& chart = onScreen.chart;
    ChartBands& bands = *onScreen.bands;
    int fullReplots = 0;
    QObject::connect(&chart, &QCustomPlot::afterReplot, [&] { ++fullReplots; });

    // Without bands the layer shares the curves' buffer; the first bands give it one of its
    // own, which takes one whole drawing.
    EXPECT_EQ(chart.layer(ChartBands::kLayerName)->mode(), QCPLayer::lmLogical);
    bands.SetBands({{Hm(3, 0), Hm(5, 30), QStringLiteral("x"), Opaque(kBandGreen)},
                    {Hm(17, 5), Hm(17, 50), QStringLiteral("y"), Opaque(kBandGreen)}});
    QApplication::processEvents();
    EXPECT_EQ(chart.layer(ChartBands::kLayerName)->mode(), QCPLayer::lmBuffered);
    EXPECT_EQ(fullReplots, 1);
    QImage shown = chart.grab().toImage();
    EXPECT_NE(RowExtent(shown, MiddleRow(chart), kBandGreen).first, -1);
    EXPECT_TRUE(Matches(shown.pixel(Px(chart, Hm(4, 0)), MiddleRow(chart)), kBandGreen));

    bands.SetVisible(false);
    QApplication::processEvents();
    shown = chart.grab().toImage();
    EXPECT_EQ(RowExtent(shown, MiddleRow(chart), kBandGreen).first, -1);
    bands.SetVisible(true);
    bands.Clear();
    QApplication::processEvents();
    EXPECT_EQ(CountColour(chart.grab().toImage(), kBandGreen), 0);
    // The curve was not drawn again since.
    EXPECT_EQ(fullReplots, 1);
    EXPECT_NE(CountColour(chart.grab().toImage(), kRed), 0);
}

// Counts the paints of a widget: a drawing of the chart or of a layer ends in one.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// A view change hands the bands over again, mostly the same ones or none while the check is off:
// with years of points on the chart, redrawing for them would cost a whole drawing.
TEST(ChartBands, SameOrHiddenBandsDrawNothing)
{
    ShownChart onScreen;
    ChartWidget& chart = onScreen.chart;
    ChartBands& bands = *onScreen.bands;
    PaintCount count(chart);
    const auto step = [&](const std::function<void()>& change) {
        const int before = count.paints;
        change();
        QApplication::processEvents();
        return count.paints - before;
    };

    // Before any band was shown, hiding, showing and clearing change nothing on screen.
    EXPECT_EQ(step([&] {
                  bands.SetVisible(false);
                  bands.SetVisible(true);
                  bands.Clear();
              }),
              0);
    const std::vector<ChartBand> two = {
        {Hm(3, 0), Hm(5, 30), QStringLiteral("x"), Opaque(kBandGreen)},
        {Hm(17, 5), Hm(17, 50), QStringLiteral("y"), Opaque(kBandGreen)}};
    EXPECT_GE(step([&] { bands.SetBands(two); }), 1);
    EXPECT_EQ(step([&] { bands.SetBands(two); }), 0);
    // Another order is another list, and another colour another look: both drawn.
    EXPECT_GE(step([&] { bands.SetBands({two[1], two[0]}); }), 1);
    EXPECT_GE(step([&] {
                  bands.SetBands({{two[1].start, two[1].end, QStringLiteral("y"), Opaque(kRed)}});
              }),
              1);

    EXPECT_GE(step([&] { bands.SetVisible(false); }), 1);
    EXPECT_EQ(step([&] {
                  bands.SetBands({two[0]});
                  bands.Clear();
                  bands.SetBands({two[1]});
              }),
              0);
    // Shown again, the last ones given are drawn.
    EXPECT_GE(step([&] { bands.SetVisible(true); }), 1);
    const QImage shown = chart.grab().toImage();
    EXPECT_TRUE(Matches(shown.pixel(Px(chart, Hm(17, 30)), MiddleRow(chart)), kBandGreen));
    EXPECT_FALSE(Matches(shown.pixel(Px(chart, Hm(4, 0)), MiddleRow(chart)), kBandGreen));
}

TEST(ChartBands, TooltipListsEveryBandUnderThePointer)
{
    ChartWidget chart;
    PrepareChart(chart);
    ChartBands bands(chart);
    bands.SetBands({
        {Hm(8, 0), Hm(12, 0), QStringLiteral("Stagnation 10 T1"), Opaque(kBandGreen)},
        {Hm(10, 30), Hm(10, 45), QStringLiteral("No flow 10 V"), Opaque(kBlue)},
        {Hm(11, 0), Hm(11, 0), QStringLiteral("Sensor fault 10 T3"), Opaque(kRed)},
        {Hm(11, 50), Hm(13, 10), QString(), Opaque(kRed)},
    });
    const int y = MiddleRow(chart);
    EXPECT_EQ(bands.ToolTipAt(QPoint(Px(chart, Hm(9, 0)), y)), QStringLiteral("Stagnation 10 T1"));
    EXPECT_EQ(bands.ToolTipAt(QPoint(Px(chart, Hm(10, 40)), y)),
              QStringLiteral("Stagnation 10 T1\nNo flow 10 V"));
    // A band of no length is hit on its own pixels, like it is drawn.
    EXPECT_EQ(bands.ToolTipAt(QPoint(Px(chart, Hm(11, 0)), y)),
              QStringLiteral("Stagnation 10 T1\nSensor fault 10 T3"));
    // A band without text says nothing; outside every band and outside the plot, nothing.
    EXPECT_EQ(bands.ToolTipAt(QPoint(Px(chart, Hm(12, 30)), y)), QString());
    EXPECT_EQ(bands.ToolTipAt(QPoint(Px(chart, Hm(15, 0)), y)), QString());
    EXPECT_EQ(bands.ToolTipAt(QPoint(Px(chart, Hm(9, 0)), chart.axisRect()->rect().top() - 3)),
              QString());

    // Through the event the chart receives.
    chart.show();
    QApplication::processEvents();
    const QPoint at(Px(chart, Hm(10, 40)), y);
    QHelpEvent help(QEvent::ToolTip, at, chart.mapToGlobal(at));
    QApplication::sendEvent(&chart, &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Stagnation 10 T1\nNo flow 10 V"));
    QToolTip::hideText();
}

} // namespace
} // namespace korvex::test
