#include "ui/analysis/output/PrintTable.h"

#include "ui/analysis/widgets/TTableGrid.h"
#include "ui/platform/UiText.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace korvex {

namespace {

constexpr int kScreenTextOffset = 3;
constexpr int kPrinterFontPoints = 8;

// Cell rectangles hand PaintTableCell the cell without its right and bottom line, which it
// paints one pixel beyond.
QRect CellRect(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

void WidenColumnsToText(TTableGrid& grid)
{
    const QFontMetrics metrics(grid.font(), grid.viewport());
    const int p = std::max(1, grid.GridLineWidth());
    for (int c = 0; c < grid.ColCount(); ++c) {
        int widest = 0;
        for (int r = 0; r < grid.RowCount(); ++r)
            widest = std::max(widest, metrics.horizontalAdvance(grid.CellText(c, r)));
        if (grid.ColWidth(c) < 3 * p + widest)
            grid.SetColWidth(c, 3 * p + widest);
    }
}

QSize TablePictureSize(const TTableGrid& grid)
{
    const int lw = grid.GridLineWidth();
    int width = lw;
    for (int c = 0; c < grid.ColCount(); ++c)
        width += grid.ColWidth(c) + lw;
    const int height = grid.RowCount() * (grid.DefaultRowHeight() + lw) + lw;
    return QSize(width - 1, height - 1);
}

QImage RenderTablePicture(TTableGrid& grid)
{
    const QSize size = TablePictureSize(grid);
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const int lw = grid.GridLineWidth();
    painter.setPen(QPen(Qt::black, lw));
    painter.setFont(grid.font());
    int top = 0;
    for (int r = 0; r < grid.RowCount(); ++r) {
        const int bottom = top + grid.DefaultRowHeight() + lw - 1;
        int left = 0;
        for (int c = 0; c < grid.ColCount(); ++c) {
            const int right = left + grid.ColWidth(c) + lw - 1;
            PaintTableCell(painter, grid, c, r, CellRect(left, top, right, bottom),
                           grid.IsFixedCell(c, r), kScreenTextOffset);
            left = right + 1;
        }
        top = bottom + 1;
    }
    painter.end();
    return image;
}

std::vector<ColumnBand> TableColumnBands(const std::vector<int>& widths, double sx, int lineWidth,
                                         int pageWidth)
{
    std::vector<ColumnBand> bands;
    ColumnBand band;
    int left = 0;
    for (int c = 0; c < static_cast<int>(widths.size()); ++c) {
        int right = static_cast<int>(widths[static_cast<std::size_t>(c)] * sx + left + lineWidth);
        if (right >= pageWidth && !band.empty()) {
            bands.push_back(std::move(band));
            band.clear();
            left = 0;
            right = static_cast<int>(widths[static_cast<std::size_t>(c)] * sx + lineWidth);
        }
        band.push_back({c, left, right});
        left = right + 1;
    }
    if (!band.empty())
        bands.push_back(std::move(band));
    return bands;
}

TablePrintLayout LayoutTablePrint(const TTableGrid& grid, QPaintDevice& device, int screenDpi,
                                  const QString& printTitle)
{
    TablePrintLayout layout;
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    screenDpi = std::max(1, screenDpi);
    layout.pageWidth = device.width();
    layout.pageHeight = device.height();
    layout.sx = static_cast<double>(dpiX) / screenDpi;
    layout.sy = static_cast<double>(dpiY) / screenDpi;
    layout.textMargin = static_cast<int>(3 * layout.sy);
    layout.lineWidth = std::max(1, static_cast<int>(grid.GridLineWidth() * layout.sy));
    layout.rowHeight =
        std::max(1, static_cast<int>((grid.GridLineWidth() + grid.DefaultRowHeight()) * layout.sy));
    layout.gap = dpiY * 50 / 254;
    layout.font = grid.font();
    layout.font.setPointSize(kPrinterFontPoints);
    layout.printTitle = printTitle;

    const QFontMetrics metrics(layout.font, &device);
    if (!printTitle.isEmpty())
        layout.top = metrics.height() + layout.gap;
    layout.bottom = layout.pageHeight - (metrics.height() + layout.gap);

    std::vector<int> widths;
    for (int c = 0; c < grid.ColCount(); ++c)
        widths.push_back(grid.ColWidth(c));
    layout.bands = TableColumnBands(widths, layout.sx, layout.lineWidth, layout.pageWidth);
    // A page too small for a single row still prints one row per page.
    layout.rowsPerPage =
        std::max(1, (layout.bottom - layout.top - layout.lineWidth) / layout.rowHeight);
    layout.rowCount = grid.RowCount();
    layout.pagesPerBand = layout.rowCount > 0 ? (layout.rowCount - 1) / layout.rowsPerPage + 1 : 0;
    layout.pageCount = layout.pagesPerBand * static_cast<int>(layout.bands.size());
    return layout;
}

QString PageFooterText(int page, int pageCount)
{
    return UiText(TextId::Page) + QString::number(page) + UiText(TextId::PageOf) +
           QString::number(pageCount);
}

void PaintTablePage(QPainter& painter, TTableGrid& grid, const TablePrintLayout& layout, int page)
{
    if (page < 0 || page >= layout.pageCount)
        return;
    painter.setFont(layout.font);
    painter.setPen(QPen(Qt::black, layout.lineWidth));
    const QFontMetrics metrics(layout.font, painter.device());

    if (!layout.printTitle.isEmpty()) {
        const int x = (layout.pageWidth - metrics.horizontalAdvance(layout.printTitle)) / 2;
        painter.drawText(QPoint(x, metrics.ascent()), layout.printTitle);
    }
    const QString footer = PageFooterText(page + 1, layout.pageCount);
    painter.drawText(QPoint(layout.pageWidth - metrics.horizontalAdvance(footer),
                            layout.bottom + layout.gap + metrics.ascent()),
                     footer);

    const ColumnBand& band = layout.bands[static_cast<std::size_t>(layout.BandOfPage(page))];
    const int firstRow = layout.FirstRowOfPage(page);
    const int lastRow = std::min(layout.rowCount, firstRow + layout.rowsPerPage);
    int top = layout.top;
    for (int r = firstRow; r < lastRow; ++r) {
        const int bottom = top + layout.rowHeight - 1;
        for (const BandColumn& col : band) {
            const bool fixed = grid.IsFixedCell(col.column, r);
            PaintTableCell(painter, grid, col.column, r, CellRect(col.left, top, col.right, bottom),
                           fixed, layout.textMargin);
            // A page that continues the table below a title still closes it at the top.
            if (r == firstRow && r > 0 && top >= layout.lineWidth)
                painter.fillRect(QRect(col.left, top, col.right + 1 - col.left, layout.lineWidth),
                                 fixed ? QColor(Qt::black) : grid.FixedColor());
        }
        top = bottom + 1;
    }
}

} // namespace korvex
