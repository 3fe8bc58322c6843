// Painting one cell of the table view, on the screen, a picture or a printer page.

#include "ui/analysis/widgets/TTableGrid.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace korvex {

namespace {

// The line width: the canvas pen's width, a cosmetic pen counting as one pixel.
int LineWidth(const QPainter& canvas)
{
    return std::max(1, static_cast<int>(std::lround(canvas.pen().widthF())));
}

} // namespace

bool PaintTableCell(QPainter& canvas, TTableGrid& grid, int column, int row, const QRect& rect,
                    bool fixed, int textOffset)
{
    const int p = LineWidth(canvas);
    const QString text = grid.CellText(column, row);
    const QFontMetrics metrics(canvas.font(), canvas.device());
    const int textWidth = metrics.horizontalAdvance(text);

    // Painting never narrows a column: the widest text seen so far decides.
    if (canvas.device() == grid.viewport() && grid.ColWidth(column) < 3 * p + textWidth) {
        grid.SetColWidth(column, 3 * p + textWidth);
        return false;
    }

    const QColor fill = fixed ? grid.FixedColor() : grid.Color();
    const QColor line = fixed ? QColor(Qt::black) : grid.FixedColor();
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();  // first pixel right of the cell
    const int bottom = rect.top() + rect.height(); // first pixel below the cell

    canvas.fillRect(QRect(left, top, right - left, bottom - top), fill);
    const bool firstColumn = left < p;
    if (firstColumn)
        canvas.fillRect(QRect(left, top, p, bottom + 1 - top), line);
    // A device name heads all of its columns: no line before a column without a name.
    const bool mergedHeading =
        row == 0 && column + 1 < grid.ColCount() && grid.CellText(column + 1, 0).isEmpty();
    canvas.fillRect(QRect(right + 1 - p, top, p, bottom + 1 - top), mergedHeading ? fill : line);
    if (row == 0 || top < p)
        canvas.fillRect(QRect(left, top, right + 1 - left, p), line);
    canvas.fillRect(QRect(left, bottom + 1 - p, right + 1 - left, p), line);

    const int textLeft = left + 1 + (firstColumn ? p : 0);
    const int x = fixed ? textLeft : std::max(textLeft, right - (p + 1) - textWidth);
    QPen pen = canvas.pen();
    pen.setColor(Qt::black);
    canvas.setPen(pen);
    canvas.drawText(QPoint(x, top + textOffset + metrics.ascent()), text);
    return true;
}

} // namespace korvex
