#pragma once

// TTableGrid: the analysis window's string grid `Grid`, the table view. It shows a StringGrid
// with fixed header rows and a fixed first column that stay in place while the rest scrolls row
// by row and column by column. Every cell is painted by PaintTableCell (below), which
// widens a column to its widest text; a refill puts the data columns back to the default width.

#include "core/views/StringGrid.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QPen>

#include <map>
#include <vector>

class QPainter;

namespace korvex {

class TTableGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kDefaultColWidth = 80;
    static constexpr int kDefaultRowHeight = 17;
    // RGB(236, 236, 255): header cells, and the lines between data cells.
    static QColor DefaultFixedColor() { return QColor(236, 236, 255); }

    explicit TTableGrid(QWidget* parent = nullptr);

    // Replaces the content (cells, fixed rows and columns). The first column keeps its width,
    // every other column starts again at the default width; the view returns to the top left.
    void SetContent(StringGrid content);
    const StringGrid& Content() const { return cells_; }

    int ColCount() const { return cells_.ColCount(); }
    int RowCount() const { return cells_.RowCount(); }
    int FixedCols() const { return cells_.FixedCols(); }
    int FixedRows() const { return cells_.FixedRows(); }
    bool IsFixedCell(int col, int row) const { return col < FixedCols() || row < FixedRows(); }
    // Shown while the pointer rests on that row; SetContent drops them.
    void SetRowToolTip(int row, const QString& text);
    QString RowToolTip(int row) const;
    // Row under pos (viewport coordinates); -1 for none.
    int RowAt(const QPoint& pos) const;
    // The cell's text; empty outside the grid.
    QString CellText(int col, int row) const;

    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int DefaultColWidth() const { return kDefaultColWidth; }
    int DefaultRowHeight() const { return kDefaultRowHeight; }
    // Width of the lines between cells (printing raises it to the printer's scale).
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int width);
    // The pen the cells are painted with; its width is always the grid-line width.
    QPen GridPen() const;
    void SetGridPen(const QPen& pen);

    QColor Color() const { return color_; }
    QColor FixedColor() const { return fixedColor_; }

    // First scrollable row and column shown below and right of the fixed ones.
    int TopRow() const { return topRow_; }
    int LeftCol() const { return leftCol_; }
    void SetTopRow(int row);
    void SetLeftCol(int col);
    // Scrollable rows that are completely visible.
    int VisibleRowCount() const;

    // The wheel: one row per notch, never past the first or the last row.
    void MouseWheelUp();
    void MouseWheelDown();

    // The cell's rectangle in viewport coordinates (the grid line right and below excluded);
    // empty when the cell is scrolled out of view.
    QRect CellRect(int col, int row) const;

protected:
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Paints every visible cell once. False when a column had to widen, which moves the cells
    // right of it: the caller then paints again.
    bool PaintCells(QPainter& painter);
    int MaxTopRow() const;
    int MaxLeftCol() const;
    void UpdateScrollBars();
    // X of a column's left edge, or -1 when it is out of view; likewise for rows.
    int ColumnX(int col) const;
    int RowY(int row) const;

    StringGrid cells_;
    std::map<int, QString> rowToolTips_;
    std::vector<int> colWidths_;
    int gridLineWidth_ = 1;
    QPen gridPen_;
    QColor color_ = Qt::white;
    QColor fixedColor_ = DefaultFixedColor();
    int topRow_ = 0;
    int leftCol_ = 0;
    int wheelRemainder_ = 0;
    bool syncingScrollBars_ = false;
};

// One cell of the table view, painted onto any canvas: the screen, a picture or a printer page
// (TTableGridPaint.cpp).
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
