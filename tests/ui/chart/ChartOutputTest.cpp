// Output: drawing at any size into any target, title lines and legend above the plot, vector
// output for printers, and how requests for a drawing on screen make drawings.
#include "ChartTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace korvex::test {
namespace {

// Requests make one drawing at the next turn of the event loop; a drawing that begins before
// that turn (a resize draws at once) answers the requests made before it, not those after it.
TEST(ChartOutput, ADrawingAnswersTheRequestsMadeBeforeIt)
{
    ChartWidget chart;
    PrepareChart(chart, 300, 200);
    chart.show();
    QApplication::processEvents();
    int drawings = 0;
    QObject::connect(&chart, &QCustomPlot::afterReplot, [&] { ++drawings; });
    const auto drawn = [&](const std::function<void()>& change) {
        const int before = drawings;
        change();
        QApplication::processEvents();
        return drawings - before;
    };

    EXPECT_EQ(drawn([&] {
                  chart.Repaint();
                  chart.Repaint();
                  EXPECT_TRUE(chart.ReplotQueued());
              }),
              1);
    EXPECT_EQ(drawn([&] {
                  chart.Repaint();
                  chart.resize(320, 210);
                  EXPECT_FALSE(chart.ReplotQueued());
              }),
              1);
    EXPECT_EQ(drawn([&] {
                  chart.Repaint();
                  chart.replot();
                  chart.Repaint(); // after the drawing: still to come
                  EXPECT_TRUE(chart.ReplotQueued());
              }),
              2);
    EXPECT_FALSE(chart.ReplotQueued());
}

TEST(ChartOutput, DrawsAtTheRequestedSizeIntoItsTargetOnly)
{
    ChartWidget chart;
    PrepareChart(chart, 300, 200);
    auto series = MakeSeries(&chart, {{kDay, 20}, {kDay + 1, 80}}, kRed, 3);
    chart.addSeries(*series);
    EXPECT_EQ(chart.RenderToImage(QSize(321, 123)).size(), QSize(321, 123));

    QImage page(1000, 600, QImage::Format_ARGB32_Premultiplied);
    page.fill(Qt::magenta);
    QCPPainter painter(&page);
    const QRect target(100, 50, 400, 200);
    chart.Render(painter, target, QSize(800, 400)); // laid out at 800 x 400, drawn at half size
    painter.end();
    int inside = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const bool magenta = page.pixel(x, y) == QColor(Qt::magenta).rgb();
            if (!target.contains(x, y))
                ASSERT_TRUE(magenta) << x << "," << y;
            else
                inside += Matches(page.pixel(x, y), kRed) ? 1 : 0;
        }
    }
    EXPECT_GT(inside, 300);
    // The line rises from lower left to upper right of the target.
    const int left = target.left() + target.width() / 5,
              right = target.right() - target.width() / 5;
    EXPECT_GT(ColumnExtent(page, left, kRed).first, ColumnExtent(page, right, kRed).first);
}

TEST(ChartOutput, TitleLinesAndLegendStandAboveThePlot)
{
    ChartWidget chart;
    PrepareChart(chart, 800, 400);
    auto first = MakeSeries(&chart, {{kDay, 20}, {kDay + 1, 30}}, kRed, 2);
    auto second = MakeSeries<TOffsetLine>(&chart, {{kDay, 40}, {kDay + 1, 50}}, kBlue, 2);
    auto placeholder = MakeSeries(&chart, {{kDay, 0}}, kGreen);
    first->setTitle("Collector");
    second->setTitle("Tank");
    placeholder->setShowInLegend(false);
    chart.addSeries(*first);
    chart.addSeries(*placeholder);
    chart.addSeries(*second);

    chart.RenderToImage(chart.size());
    const int plain = chart.axisRect()->top();
    chart.SetTitleLines({"Print title", "15. May 2008"});
    const QImage titled = chart.RenderToImage(chart.size());
    const int withTitle = chart.axisRect()->top();
    EXPECT_GT(withTitle, plain + 2 * QFontMetrics(chart.LabelFont()).height());
    int ink = 0; // the title lines are written above the plot
    for (int y = 0; y < withTitle; ++y)
        for (int x = 300; x < 500; ++x)
            ink += qGray(titled.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(ink, 50);

    chart.SetLegendVisible(true);
    chart.RenderToImage(chart.size());
    EXPECT_GT(chart.axisRect()->top(), withTitle + 10);
    ASSERT_EQ(chart.legend->itemCount(), 2); // the placeholder is not listed
    auto name = [&](int i) {
        return static_cast<QCPPlottableLegendItem*>(chart.legend->item(i))->plottable()->name();
    };
    EXPECT_EQ(name(0), "Collector");
    EXPECT_EQ(name(1), "Tank");
    second->setTitle("Device 2: Tank"); // titles follow the series
    chart.RenderToImage(chart.size());
    EXPECT_EQ(name(1), "Device 2: Tank");

    chart.SetLegendVisible(false);
    chart.SetTitleVisible(false);
    chart.RenderToImage(chart.size());
    EXPECT_EQ(chart.axisRect()->top(), plain);
}

TEST(ChartOutput, ATemporaryChartTakesTheLookButNotTheSeries)
{
    ChartWidget window;
    PrepareChart(window, 800, 400);
    auto series = MakeSeries(&window, {{kDay, 20}}, kRed);
    window.addSeries(*series);
    window.SetTitleLines({"Print title", "May 2008"});
    window.SetLegendVisible(true);
    window.SetMarginsPercent(3, 1, 3, 1);
    window.BottomAxis().SetDateTimeFormat(" dd. mmm ");
    window.LeftAxis().SetTitle("[\u00B0C]");
    window.RightAxis().SetTextColor(Qt::white);
    ChartWidget output;
    output.CopyLookFrom(window);
    EXPECT_EQ(output.TitleLines(), window.TitleLines());
    EXPECT_TRUE(output.LegendVisible());
    EXPECT_EQ(output.MarginsPercent(), QMargins(3, 1, 3, 1));
    EXPECT_EQ(output.BottomAxis().Minimum(), kDay);
    EXPECT_EQ(output.BottomAxis().DateTimeFormat(), " dd. mmm ");
    EXPECT_EQ(output.LeftAxis().Title(), window.LeftAxis().Title());
    EXPECT_EQ(output.RightAxis().TextColor(), QColor(Qt::white));
    EXPECT_EQ(output.SeriesCount(), 0);
}

TEST(ChartOutput, PrintsAsVectorsOntoAPrinter)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.pdf");
    ChartWidget chart;
    PrepareChart(chart, 800, 400);
    auto series =
        MakeSeries<TOffsetLine>(&chart, {{kDay, 0}, {kDay + 0.5, 100}, {kDay + 1, 0}}, kRed, 2);
    series->setStairs(true);
    chart.addSeries(*series);
    chart.SetTitleLines({"Printed"});
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageOrientation(QPageLayout::Landscape);
        QCPPainter painter(&printer);
        ASSERT_TRUE(painter.isActive());
        const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
        const int dpi = printer.resolution();
        chart.Render(painter, QRect(0, 0, page.width(), page.height() / 2),
                     QSize(page.width() * 120 / dpi, page.height() / 2 * 120 / dpi));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(4) == "%PDF");
    EXPECT_GT(file.size(), 2000);
}

} // namespace
} // namespace korvex::test
