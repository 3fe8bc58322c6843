#pragma once

// The table view on a picture or on printer pages. The picture shows every cell at screen size;
// the printout scales the cells to the printer's resolution, cuts the columns into bands of one
// page width and the rows into pages, with the print title on top and "Page n of T" below.

#include <QFont>
#include <QImage>
#include <QString>

#include <vector>

class QPaintDevice;
class QPainter;

namespace korvex {

class TTableGrid;

// Widens every column to its widest text as painting on the screen would, so that a table that
// was never painted is output as the user would see it.
void WidenColumnsToText(TTableGrid& grid);

// The whole table at screen size: every column and row with its lines.
QSize TablePictureSize(const TTableGrid& grid);
QImage RenderTablePicture(TTableGrid& grid);

// A column within its band, in printer pixels: it covers left to right, both inclusive.
struct BandColumn {
    int column = 0;
    int left = 0;
    int right = 0;
};
using ColumnBand = std::vector<BandColumn>;

// Cuts columns of the given screen widths, scaled by sx, into bands that fit pageWidth. A
// column wider than a page stands alone in its band.
std::vector<ColumnBand> TableColumnBands(const std::vector<int>& widths, double sx, int lineWidth,
                                         int pageWidth);

struct TablePrintLayout {
    int pageWidth = 0;
    int pageHeight = 0;
    double sx = 1;
    double sy = 1;
    int textMargin = 0; // text offset below a row's top
    int lineWidth = 1;  // grid lines
    int rowHeight = 0;  // one row including its line
    int gap = 0;        // 5 mm between the rows and the title or the footer
    int top = 0;        // first row's top
    int bottom = 0;     // the footer's top less the gap
    int rowsPerPage = 1;
    int rowCount = 0;
    std::vector<ColumnBand> bands;
    int pagesPerBand = 0;
    int pageCount = 0;
    QFont font; // the grid's font at 8 points
    QString printTitle;

    int BandOfPage(int page) const { return pagesPerBand > 0 ? page / pagesPerBand : 0; }
    int FirstRowOfPage(int page) const
    {
        return pagesPerBand > 0 ? page % pagesPerBand * rowsPerPage : 0;
    }
};

// The printout's layout on device (a printer, or an image with a printer's resolution) for a
// screen of screenDpi pixels per inch.
TablePrintLayout LayoutTablePrint(const TTableGrid& grid, QPaintDevice& device, int screenDpi,
                                  const QString& printTitle);

// "Page 2 of 6" in the current language.
QString PageFooterText(int page, int pageCount);

// Paints page (0-based) of the printout: title, footer and the page's rows of its band. The
// painter's pen and font are set here.
void PaintTablePage(QPainter& painter, TTableGrid& grid, const TablePrintLayout& layout, int page);

} // namespace korvex
