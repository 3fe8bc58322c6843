#pragma once

// One cell of the table view, painted onto any canvas: the screen, a picture or a printer page.

class QPainter;
class QRect;

namespace korvex {

class TTableGrid;

// Paints cell (column, row) of grid into rect on canvas: the fill, the lines as strips as wide
// as the canvas pen, and the text in the canvas font, textOffset pixels below the cell's top.
// Header cells (fixed) are pale blue with black lines and left-aligned text; data cells are
// white with pale blue lines and right-aligned text. In row 0 the line between a device's
// columns is left out, so that its name heads all of them. The right and bottom lines lie one
// pixel beyond rect, where the grid keeps its lines.
// On the grid's own canvas a column narrower than its text is widened instead and nothing is
// painted: the result is false and the grid paints again.
bool PaintTableCell(QPainter& canvas, TTableGrid& grid, int column, int row, const QRect& rect,
                    bool fixed, int textOffset);

} // namespace korvex
