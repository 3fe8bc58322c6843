// Painting the table: colours, lines, the merged device heading, text alignment, painting onto
// other canvases (pictures, printers) and scrolling with the wheel.

#include "tests/ui/analysis/TablePartTestSupport.h"

#include "ui/analysis/widgets/TTableGrid.h"

#include <QPainter>
#include <QWheelEvent>

namespace korvex::test {
namespace {

const QColor kFixed(236, 236, 255);

bool Dark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// Dark pixels in the columns [x0, x1) of the rows [y0, y1).
int DarkPixels(const QImage& image, int x0, int x1, int y0, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x)
            n += Dark(image.pixel(x, y)) ? 1 : 0;
    }
    return n;
}

class TablePaint : public TableWindowTest {
protected:
    void SetUp() override
    {
        Load();
        window->show();
        window->ShowTable(true);
        // Both devices side by side, with the longer name in the middle.
        // The Overview tab: the tab change selects the overview.
        window->Widgets().tabSetDevices->setCurrentIndex(2);
        for (auto& set : State().dataSets)
            set->select(set->deviceSettings()->find("V"), true);
        Show(SpanOneDay, Day(2010, 3, 17), Day(2010, 3, 18));
        image = Grid().viewport()->grab().toImage();
    }

    QColor At(int x, int y) const { return QColor(image.pixel(x, y)); }

    QImage image;
};

TEST_F(TablePaint, ScreenColoursLinesAndMergedHeading)
{
    TTableGrid& g = Grid();
    ASSERT_EQ(g.ColCount(), 5);
    const QRect date = g.CellRect(0, 2);
    const QRect heading = g.CellRect(1, 0); // "Solar controller", its columns 1 and 2
    const QRect field = g.CellRect(1, 1);
    const QRect data = g.CellRect(1, 2);
    const int mid0 = heading.center().y();

    // Fills: pale blue headings and date column, white data.
    EXPECT_EQ(At(field.right() - 2, field.top() + 1), kFixed);
    EXPECT_EQ(At(date.right() - 2, date.top() + 1), kFixed);
    EXPECT_EQ(At(data.left() + 2, data.top() + 1), QColor(Qt::white));

    // Header lines are black, lines between data cells pale blue.
    EXPECT_EQ(At(field.right() + 1, field.center().y()), QColor(Qt::black));
    EXPECT_EQ(At(field.center().x(), field.bottom() + 1), QColor(Qt::black));
    EXPECT_EQ(At(data.right() + 1, data.center().y()), kFixed);
    EXPECT_EQ(At(data.center().x(), data.bottom() + 1), kFixed);
    EXPECT_EQ(At(0, date.center().y()), QColor(Qt::black));    // left edge of the first column
    EXPECT_EQ(At(heading.center().x(), 0), QColor(Qt::black)); // top of the heading row

    // Row 0: no line between a device's columns, a line before the next device and at the end;
    // row 1 keeps its line between the two fields.
    EXPECT_EQ(At(heading.right() + 1, mid0), kFixed);
    EXPECT_EQ(At(g.CellRect(2, 0).right() + 1, mid0), QColor(Qt::black));
    EXPECT_EQ(At(g.CellRect(4, 0).right() + 1, mid0), QColor(Qt::black));
    EXPECT_EQ(At(g.CellRect(3, 0).right() + 1, mid0), kFixed);
    EXPECT_EQ(At(field.right() + 1, field.center().y()), QColor(Qt::black));
    // The heading text stands in the device's first column only; the second one is blank.
    EXPECT_GT(
        DarkPixels(image, heading.left(), heading.left() + 20, heading.top() + 1, heading.bottom()),
        0);
    const QRect second = g.CellRect(2, 0);
    EXPECT_EQ(DarkPixels(image, second.left(), second.right(), second.top() + 1, second.bottom()),
              0);

    // Outside the table the grid is white.
    const QRect last = g.CellRect(4, g.RowCount() - 1);
    EXPECT_EQ(At(last.right() + 5, last.bottom() + 5), QColor(Qt::white));
}

TEST_F(TablePaint, TextAlignment)
{
    TTableGrid& g = Grid();
    // "110,00" ends two pixels before the line: right-aligned, the left half empty.
    const QRect data = g.CellRect(1, 2);
    EXPECT_EQ(DarkPixels(image, data.left(), data.center().x(), data.top(), data.bottom()), 0);
    EXPECT_GT(DarkPixels(image, data.right() - 6, data.right() - 1, data.top(), data.bottom()), 0);
    EXPECT_EQ(DarkPixels(image, data.right() - 1, data.right() + 1, data.top(), data.bottom()), 0);
    // Headings start at the left: "V [l]" in an 80 pixel column.
    const QRect field = g.CellRect(1, 1);
    EXPECT_GT(DarkPixels(image, field.left() + 1, field.left() + 8, field.top(), field.bottom()),
              0);
    EXPECT_EQ(DarkPixels(image, field.center().x(), field.right(), field.top() + 1, field.bottom()),
              0);
    // The text begins three pixels below the cell's top.
    EXPECT_EQ(DarkPixels(image, field.left() + 1, field.right(), field.top() + 1, field.top() + 3),
              0);
}

// The table as a picture, each cell painted like the print-out does: line width lw from the
// pen, cells next to each other without the grid's own gaps.
TEST_F(TablePaint, PaintsOntoAnyCanvas)
{
    TTableGrid& g = Grid();
    const int lw = 3;
    const int rowStep = g.DefaultRowHeight() + lw;
    std::vector<int> starts{0};
    for (int c = 0; c < g.ColCount(); ++c)
        starts.push_back(starts.back() + g.ColWidth(c) + lw);
    std::vector<int> widths;
    for (int c = 0; c < g.ColCount(); ++c)
        widths.push_back(g.ColWidth(c));

    QImage picture(starts.back(), g.RowCount() * rowStep, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    {
        QPainter p(&picture);
        p.setPen(QPen(Qt::black, lw));
        p.setFont(g.font());
        for (int r = 0; r < g.RowCount(); ++r) {
            for (int c = 0; c < g.ColCount(); ++c) {
                const QRect rect(starts[c], r * rowStep, g.ColWidth(c) + lw - 1, rowStep - 1);
                EXPECT_TRUE(PaintTableCell(p, g, c, r, rect, g.IsFixedCell(c, r), 3));
            }
        }
    }
    // Only the grid's own canvas widens columns.
    for (int c = 0; c < g.ColCount(); ++c)
        EXPECT_EQ(g.ColWidth(c), widths[static_cast<std::size_t>(c)]);
    // Every pixel is painted, and the lines are lw wide.
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            ASSERT_NE(QColor(picture.pixel(x, y)), QColor(Qt::magenta)) << x << "," << y;
    }
    const int y1 = rowStep + rowStep / 2; // middle of row 1
    const int edge = starts[2];           // between "V [l]" and "Q [kWh]"
    EXPECT_EQ(QColor(picture.pixel(edge - lw - 1, y1)), kFixed);
    for (int x = edge - lw; x < edge; ++x)
        EXPECT_EQ(QColor(picture.pixel(x, y1)), QColor(Qt::black)) << x;
    EXPECT_EQ(QColor(picture.pixel(edge, y1)), kFixed);
    // The merged heading holds on this canvas as well.
    EXPECT_EQ(QColor(picture.pixel(edge - 1, rowStep / 2)), kFixed);
    for (int x = 0; x < lw; ++x)
        EXPECT_EQ(QColor(picture.pixel(x, y1)), QColor(Qt::black));

    // A scaled painter (a printer page at twice the screen's resolution): the number stays
    // right-aligned and the lines scale with it.
    QImage scaled(400, 80, QImage::Format_RGB32);
    scaled.fill(Qt::magenta);
    {
        QPainter p(&scaled);
        p.scale(2, 2);
        p.setPen(QPen(Qt::black, 1));
        p.setFont(g.font());
        EXPECT_TRUE(PaintTableCell(p, g, 1, 2, QRect(10, 10, 80, 17), false, 3));
    }
    EXPECT_EQ(DarkPixels(scaled, 20, 100, 20, 54), 0);
    EXPECT_GT(DarkPixels(scaled, 150, 176, 20, 54), 0);
    EXPECT_EQ(QColor(scaled.pixel(181, 40)), kFixed); // right strip at x = 90 .. 91 (scaled)
    EXPECT_EQ(QColor(scaled.pixel(184, 40)), QColor(Qt::magenta));
}

TEST(TableGrid, WheelScrollsRowsAndKeepsTheHeadings)
{
    StringGrid cells(2, 12);
    for (int r = 0; r < 12; ++r)
        cells.SetText(0, r, std::to_string(r));
    cells.SetFixedCols(1);
    cells.SetFixedRows(2);
    TTableGrid grid;
    grid.resize(300, 2 * 18 + 3 * 18 + 5); // the headings and three rows
    grid.SetContent(cells);
    grid.show();
    ASSERT_EQ(grid.VisibleRowCount(), 3);
    ASSERT_EQ(grid.TopRow(), 2);

    auto wheel = [&grid](int delta) {
        QWheelEvent event(QPointF(10, 40), QPointF(10, 40), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(grid.viewport(), &event);
    };
    wheel(120); // already at the top
    EXPECT_EQ(grid.TopRow(), 2);
    for (int i = 0; i < 3; ++i)
        wheel(-120);
    EXPECT_EQ(grid.TopRow(), 5);
    for (int i = 0; i < 10; ++i)
        wheel(-120);
    EXPECT_EQ(grid.TopRow(), 9); // rows 9, 10 and 11 fill the view
    wheel(120);
    EXPECT_EQ(grid.TopRow(), 8);

    // The heading rows stay on top, the scrolled-out rows are gone.
    EXPECT_EQ(grid.CellRect(0, 0).top(), 0);
    EXPECT_EQ(grid.CellRect(0, 8).top(), 2 * 18);
    EXPECT_TRUE(grid.CellRect(0, 3).isEmpty());
    const QImage shown = grid.viewport()->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(40, 5)), kFixed);

    // A refill starts at the top again.
    grid.SetContent(cells);
    EXPECT_EQ(grid.TopRow(), 2);
}

} // namespace
} // namespace korvex::test
