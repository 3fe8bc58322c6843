// The reused paint buffer must draw exactly what the plot library's own buffer draws, at every
// size it is given, also after it shrank into memory laid out for a wider picture.

#include "ui/chart/ChartPaintBuffer.h"
#include "ui/chart/ChartWidget.h"

#include <QApplication>
#include <QPainterPath>

#include <gtest/gtest.h>

namespace korvex::test {
namespace {

// A scene with antialiased diagonals and a half-transparent fill, so that rows laid out at a
// wrong width or a lost alpha channel show.
void PaintScene(QCPAbstractPaintBuffer& buffer, int shift)
{
    buffer.clear(Qt::transparent);
    QCPPainter* painter = buffer.startPainting();
    ASSERT_TRUE(painter && painter->isActive());
    painter->setPen(QPen(QColor(200, 30, 40), 2.5));
    painter->drawLine(QPointF(3, 2), QPointF(buffer.size().width() - 4, buffer.size().height() - 3));
    painter->fillRect(QRectF(10 + shift, 5, 37, 19), QColor(20, 90, 200, 128));
    QPainterPath arc;
    arc.moveTo(0, buffer.size().height());
    arc.cubicTo(40, 0, 80, 60, buffer.size().width(), 7 + shift);
    painter->strokePath(arc, QPen(Qt::darkGreen, 1.3));
    delete painter;
    buffer.donePainting();
}

// The buffer drawn onto an opaque background, as the chart draws its buffers onto the widget.
QImage Shown(const QCPAbstractPaintBuffer& buffer, QSize size)
{
    QImage target(size, QImage::Format_ARGB32_Premultiplied);
    target.fill(QColor(250, 250, 240));
    QCPPainter painter(&target);
    buffer.draw(&painter);
    painter.end();
    return target;
}

TEST(ChartPaintBuffer, DrawsWhatThePixmapBufferDrawsAtEverySize)
{
    for (const double ratio : {1.0, 2.0}) {
        ReusedPaintBuffer reused(QSize(230, 97), ratio);
        QCPPaintBufferPixmap pixmap(QSize(230, 97), ratio);
        // Wider, narrower and lower than before, then back; a size with an odd width.
        const QSize sizes[] = {{230, 97}, {151, 97}, {151, 40}, {229, 61}, {300, 120}, {77, 30}};
        int shift = 0;
        for (const QSize size : sizes) {
            SCOPED_TRACE(QStringLiteral("%1x%2 at %3").arg(size.width()).arg(size.height()).arg(ratio).toStdString());
            reused.setSize(size);
            pixmap.setSize(size);
            PaintScene(reused, shift);
            PaintScene(pixmap, shift);
            ++shift;
            const QSize target = size * ratio;
            EXPECT_EQ(Shown(reused, target), Shown(pixmap, target));
            EXPECT_EQ(reused.image().size(), target);
            EXPECT_EQ(reused.image().devicePixelRatio(), ratio);
        }
    }
}

TEST(ChartPaintBuffer, KeepsItsMemoryWhileThePictureFitsAndGivesBackMostOfIt)
{
    ReusedPaintBuffer buffer(QSize(400, 200), 1.0);
    const unsigned char* memory = buffer.memory();
    const std::size_t held = buffer.capacityBytes();
    EXPECT_EQ(held, 400u * 200u * 4u);
    buffer.setSize(QSize(350, 180));
    EXPECT_EQ(buffer.memory(), memory);
    EXPECT_EQ(buffer.capacityBytes(), held);
    EXPECT_EQ(buffer.image().constBits(), memory);
    EXPECT_EQ(buffer.image().bytesPerLine(), 350 * 4);
    // Under a quarter of what it holds, the block goes.
    buffer.setSize(QSize(100, 40));
    EXPECT_EQ(buffer.capacityBytes(), 100u * 40u * 4u);
    buffer.setSize(QSize(0, 40));
    EXPECT_TRUE(buffer.image().isNull());
    // Nothing to draw into draws nothing and fails nothing.
    buffer.clear(Qt::red);
    QImage target(10, 10, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    QCPPainter painter(&target);
    buffer.draw(&painter);
    painter.end();
    EXPECT_EQ(target.pixelColor(5, 5), QColor(Qt::white));
}

bool AllReused(const ChartWidget& chart)
{
    for (const auto& buffer : chart.PaintBuffers()) {
        if (!dynamic_cast<const ReusedPaintBuffer*>(buffer.data()))
            return false;
    }
    return !chart.PaintBuffers().isEmpty();
}

// The chart draws into its own buffers whatever layers it has, and a narrower chart (the left
// panel widening after a load) draws into the memory the wider one held.
TEST(ChartPaintBuffer, TheChartDrawsIntoReusedBuffersThroughEveryChangeOfLayers)
{
    ChartWidget chart;
    chart.resize(640, 300);
    chart.show();
    chart.replot(QCustomPlot::rpImmediateRefresh);
    ASSERT_TRUE(AllReused(chart));
    std::vector<const unsigned char*> memory;
    for (const auto& buffer : chart.PaintBuffers())
        memory.push_back(static_cast<const ReusedPaintBuffer*>(buffer.data())->memory());

    chart.resize(530, 260);
    QApplication::processEvents();
    chart.replot(QCustomPlot::rpImmediateRefresh);
    ASSERT_EQ(chart.PaintBuffers().size(), static_cast<qsizetype>(memory.size()));
    for (qsizetype i = 0; i < chart.PaintBuffers().size(); ++i) {
        const auto* buffer = static_cast<const ReusedPaintBuffer*>(chart.PaintBuffers()[i].data());
        EXPECT_EQ(buffer->memory(), memory[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(buffer->image().size(), QSize(530, 260) * chart.bufferDevicePixelRatio());
    }

    // Buffered layers between logical ones, and one at the top: the library asks for more
    // buffers, and none of its own comes in.
    chart.addLayer(QStringLiteral("low"), chart.layer(QStringLiteral("grid")),
                   QCustomPlot::limAbove);
    chart.layer(QStringLiteral("low"))->setMode(QCPLayer::lmBuffered);
    chart.addLayer(QStringLiteral("top"), chart.layer(QStringLiteral("overlay")),
                   QCustomPlot::limAbove);
    chart.layer(QStringLiteral("top"))->setMode(QCPLayer::lmBuffered);
    chart.replot(QCustomPlot::rpImmediateRefresh);
    EXPECT_EQ(chart.PaintBuffers().size(), PaintBuffersNeeded(chart));
    EXPECT_EQ(chart.PaintBuffers().size(), 5);
    EXPECT_TRUE(AllReused(chart));
    // Back to fewer: the spare buffers go.
    chart.layer(QStringLiteral("low"))->setMode(QCPLayer::lmLogical);
    chart.replot(QCustomPlot::rpImmediateRefresh);
    EXPECT_EQ(chart.PaintBuffers().size(), 3);
    EXPECT_TRUE(AllReused(chart));

    // Only the chart's own buffers count as the screen.
    const auto* first = static_cast<const ReusedPaintBuffer*>(chart.PaintBuffers()[0].data());
    EXPECT_TRUE(chart.IsScreenBuffer(&first->image()));
    QImage picture(10, 10, QImage::Format_ARGB32_Premultiplied);
    EXPECT_FALSE(chart.IsScreenBuffer(&picture));
    EXPECT_FALSE(chart.IsScreenBuffer(nullptr));
}

} // namespace
} // namespace korvex::test
