// The table as a picture and on portrait pages: picture size and cells, the JPEG-to-bitmap
// fallback, column bands and pages, title and footer placement, the PDF page count, and the
// grid's screen state after printing.
#include "tests/ui/analysis/PictureTestSupport.h"

#include "ui/analysis/output/PrintTable.h"
#include "ui/analysis/widgets/TTableGrid.h"

#include <QPainter>
#include <QPrinter>

namespace korvex::test {
namespace {

const QDate kMay14(2008, 5, 14), kMay15(2008, 5, 15);

// A table of cols columns and rows rows ("c/r" texts), two header rows and the date column.
StringGrid Table(int cols, int rows)
{
    StringGrid grid(cols, rows);
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r)
            grid.SetText(c, r, std::to_string(c) + "/" + std::to_string(r));
    grid.SetFixedCols(1);
    grid.SetFixedRows(2);
    return grid;
}

// A page of a 300 dpi printer as an image.
QImage PrinterPage()
{
    QImage page(2480, 3508, QImage::Format_RGB32); // A4
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    page.fill(Qt::white);
    return page;
}

TEST(TablePrintLayout, ColumnsAreCutIntoBandsOfOnePageWidth)
{
    const auto bands = TableColumnBands({100, 100, 100}, 2.0, 2, 450);
    ASSERT_EQ(bands.size(), 2u);
    ASSERT_EQ(bands[0].size(), 2u);
    EXPECT_EQ(bands[0][0].left, 0);
    EXPECT_EQ(bands[0][0].right, 202);
    EXPECT_EQ(bands[0][1].left, 203);
    EXPECT_EQ(bands[0][1].right, 405);
    ASSERT_EQ(bands[1].size(), 1u);
    EXPECT_EQ(bands[1][0].column, 2);
    EXPECT_EQ(bands[1][0].left, 0);
    EXPECT_EQ(bands[1][0].right, 202);

    // A column wider than the page gets a band of its own instead of an endless search.
    const auto wide = TableColumnBands({50, 400, 50}, 1.0, 1, 300);
    ASSERT_EQ(wide.size(), 3u);
    EXPECT_EQ(wide[1][0].column, 1);
    EXPECT_EQ(wide[1][0].right, 401);
    EXPECT_TRUE(TableColumnBands({}, 1.0, 1, 300).empty());
}

TEST(TablePrintLayout, ScalesFromTheScreenAndCountsPagesPerBand)
{
    TTableGrid grid;
    grid.SetContent(Table(12, 10));
    QImage page = PrinterPage();
    const TablePrintLayout plain = LayoutTablePrint(grid, page, 96, QString());
    EXPECT_DOUBLE_EQ(plain.sy, 300.0 / 96);
    EXPECT_EQ(plain.textMargin, 9);
    EXPECT_EQ(plain.lineWidth, 3);
    EXPECT_EQ(plain.rowHeight, 56);
    EXPECT_EQ(plain.gap, 59);
    EXPECT_EQ(plain.top, 0);
    const int footer = QFontMetrics(plain.font, &page).height();
    EXPECT_EQ(plain.bottom, 3508 - footer - 59);
    EXPECT_EQ(plain.rowsPerPage, (plain.bottom - 3) / 56);
    // Twelve columns of 250 printer pixels need two bands on 2480 pixels.
    ASSERT_EQ(plain.bands.size(), 2u);
    EXPECT_EQ(plain.pagesPerBand, 1);
    EXPECT_EQ(plain.pageCount, 2);

    const TablePrintLayout titled = LayoutTablePrint(grid, page, 96, "Plant");
    EXPECT_EQ(titled.top, footer + 59);
    EXPECT_LT(titled.rowsPerPage, plain.rowsPerPage);

    // Rows that fill exactly three pages, in two bands: six pages, band by band.
    grid.SetContent(Table(12, 3 * titled.rowsPerPage));
    const TablePrintLayout six = LayoutTablePrint(grid, page, 96, "Plant");
    EXPECT_EQ(six.pageCount, 6);
    EXPECT_EQ(six.BandOfPage(2), 0);
    EXPECT_EQ(six.BandOfPage(3), 1);
    EXPECT_EQ(six.FirstRowOfPage(3), 0);
    EXPECT_EQ(six.FirstRowOfPage(5), 2 * titled.rowsPerPage);
    grid.SetContent(Table(12, 3 * titled.rowsPerPage + 1));
    EXPECT_EQ(LayoutTablePrint(grid, page, 96, "Plant").pageCount, 8);
}

TEST(TablePrintLayout, PageCarriesTitleFooterAndItsRows)
{
    SelectTextBlock(BlockEnglish);
    TTableGrid grid;
    grid.SetContent(Table(12, 200));
    QImage page = PrinterPage();
    const TablePrintLayout layout = LayoutTablePrint(grid, page, 96, "Halvo plant");
    const int h = QFontMetrics(layout.font, &page).height();
    {
        QPainter painter(&page);
        PaintTablePage(painter, grid, layout, 1);
    }
    // The title centred at the top, nothing of it at the sides.
    EXPECT_GT(InkIn(page, QRect(1040, 0, 400, h)), 50);
    EXPECT_EQ(InkIn(page, QRect(0, 0, 800, h)), 0);
    // The footer right-aligned below the rows.
    EXPECT_GT(InkIn(page, QRect(1900, layout.bottom + layout.gap, 580, h)), 50);
    EXPECT_EQ(InkIn(page, QRect(0, layout.bottom + layout.gap, 1500, h)), 0);
    // The rows start at the band's top, a continued page closed by a line at the top.
    EXPECT_EQ(InkIn(page, QRect(0, h, 2480, layout.top - h)), 0);
    EXPECT_EQ(QColor(page.pixel(1, layout.top + 1)), QColor(Qt::black)); // fixed column
    EXPECT_EQ(QColor(page.pixel(layout.bands[0][1].left + 20, layout.top + 1)),
              TTableGrid::DefaultFixedColor()); // data cell line
    EXPECT_EQ(QColor(page.pixel(layout.bands[0][1].left + 20, layout.top + layout.lineWidth + 2)),
              QColor(Qt::white));

    EXPECT_EQ(PageFooterText(2, 6), "Page 2 of 6");
    SelectTextBlock(BlockGerman);
    EXPECT_EQ(PageFooterText(2, 6), "Seite 2 von 6");
    SelectTextBlock(BlockEnglish);
}

TEST(TablePicture, WidensColumnsToTheirTextAndHasTheGridSize)
{
    TTableGrid grid;
    StringGrid content = Table(3, 4);
    content.SetText(2, 0, "A much longer heading than eighty pixels allow");
    grid.SetContent(content);
    WidenColumnsToText(grid);
    const int text = QFontMetrics(grid.font(), grid.viewport())
                         .horizontalAdvance(QString::fromStdString(content.Text(2, 0)));
    EXPECT_EQ(grid.ColWidth(2), text + 3);
    EXPECT_EQ(grid.ColWidth(1), 80); // never narrowed
    const QSize size = TablePictureSize(grid);
    EXPECT_EQ(size, QSize(grid.ColWidth(0) + 1 + 80 + 1 + text + 3 + 1, 4 * 18));

    const QImage picture = RenderTablePicture(grid);
    EXPECT_EQ(picture.size(), size);
    EXPECT_EQ(QColor(picture.pixel(0, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(picture.pixel(1, 1)), TTableGrid::DefaultFixedColor());
    // The last data cell's lines in the pale blue, up to the picture's edge.
    EXPECT_EQ(QColor(picture.pixel(size.width() - 1, size.height() - 1)),
              TTableGrid::DefaultFixedColor());
    EXPECT_EQ(QColor(picture.pixel(size.width() - grid.ColWidth(2) + 3, size.height() - 5)),
              QColor(Qt::white));
}

// The window in table mode for devices 10 on 14 and 15 May 2008.
class PrintTables : public PrintWindow {
protected:
    void SetUp() override
    {
        Load({{10, kMay14}, {10, kMay15}}, kMay14, kMay15);
        window->ShowTable(true);
        ASSERT_TRUE(window->TableMode());
    }
    TTableGrid& Grid() { return *W().grid; }
};

TEST_F(PrintTables, PictureOfTheTableAsJpegAndBitmap)
{
    Span(SpanOneMonth);
    doubles.dialogs.fileAnswers.push_back(Path("table"));
    P().SavePicture();
    EXPECT_EQ(doubles.dialogs.fileCalls.at(0).initialFile, "Table_May_2008");
    const QImage jpeg = ReadJpeg(Path("table.jpg"));
    ASSERT_FALSE(jpeg.isNull());
    EXPECT_EQ(jpeg.size(), TablePictureSize(Grid()));
    EXPECT_EQ(jpeg.height(), Grid().RowCount() * 18);

    doubles.dialogs.fileAnswers.push_back(Path("table.bmp"));
    P().SavePicture();
    const QImage bitmap(Path("table.bmp"));
    ASSERT_EQ(bitmap.size(), jpeg.size());
    EXPECT_EQ(QColor(bitmap.pixel(1, 1)), TTableGrid::DefaultFixedColor());
    EXPECT_GT(InkIn(bitmap, QRect(0, 0, bitmap.width(), 18)), 30); // the heading's text
}

TEST_F(PrintTables, PictureDialogOpensInTheLogFolderThenWhereTheLastPictureWent)
{
    ForgetPictureFolder();
    doubles.dialogs.fileAnswers.push_back(Path("first"));
    P().SavePicture();
    doubles.dialogs.fileAnswers.push_back(std::nullopt);
    P().SavePicture();
    ASSERT_EQ(doubles.dialogs.fileCalls.size(), 2u);
    EXPECT_EQ(QDir(doubles.dialogs.fileCalls[0].initialDirectory).canonicalPath(),
              QDir(logs.path()).canonicalPath());
    EXPECT_EQ(QDir(doubles.dialogs.fileCalls[1].initialDirectory).canonicalPath(),
              QDir(out.path()).canonicalPath());
    ForgetPictureFolder();
}

TEST(PictureFolder, DeepestFolderHoldingAllFiles)
{
    EXPECT_EQ(CommonFolder({"/logs/2024-05/10240501.csv", "/logs/2024-06/10240601.csv"}), "/logs");
    EXPECT_EQ(CommonFolder({"/logs/a/x.csv", "/logs/a/y.csv"}), "/logs/a");
    // "/logs/ab" is no subfolder of "/logs/a".
    EXPECT_EQ(CommonFolder({"/logs/a/x.csv", "/logs/ab/y.csv"}), "/logs");
    EXPECT_EQ(CommonFolder({"/a/x.csv", "/b/y.csv"}), "/");
    EXPECT_EQ(CommonFolder({}), "");
}

TEST_F(PrintTables, JpegThatCannotBeWrittenBecomesABitmap)
{
    ASSERT_TRUE(QDir(out.path()).mkdir("busy.jpg"));
    doubles.dialogs.fileAnswers.push_back(Path("busy.jpg"));
    P().SavePicture();
    const auto header = ReadBitmapHeader(Path("busy.bmp"));
    ASSERT_TRUE(header);
    EXPECT_EQ(QSize(header->width, header->height), TablePictureSize(Grid()));
    // A bitmap that fails as well is an error.
    ASSERT_TRUE(QDir(out.path()).mkdir("full.jpg"));
    ASSERT_TRUE(QDir(out.path()).mkdir("full.bmp"));
    doubles.dialogs.fileAnswers.push_back(Path("full.jpg"));
    EXPECT_THROW(P().SavePicture(), KorvexError);
}

TEST_F(PrintTables, TwoBandsOfThreePagesPrintSixPortraitPages)
{
    ChildDefaults titled = S().defaults;
    titled.printTitle = "Halvo plant";
    window->ApplyChartSettings(titled);
    QPrinter& printer = P().Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    Grid().SetContent(Table(14, 20));
    WidenColumnsToText(Grid());
    const int rowsPerPage = LayoutTablePrint(Grid(), printer, 96, "Halvo plant").rowsPerPage;
    Grid().SetContent(Table(14, 3 * rowsPerPage));
    WidenColumnsToText(Grid());
    const TablePrintLayout expected = LayoutTablePrint(Grid(), printer, 96, "Halvo plant");
    ASSERT_EQ(expected.bands.size(), 2u);
    ASSERT_EQ(expected.pageCount, 6);

    doubles.dialogs.printAnswers.push_back(true);
    doubles.dialogs.printToPdf = Path("table.pdf");
    P().PrintWindow();
    EXPECT_EQ(PdfPageCount(Path("table.pdf")), 6);
    const QSizeF page = PdfFirstMediaBox(Path("table.pdf"));
    EXPECT_LT(page.width(), page.height());
    // The screen's grid is back.
    EXPECT_EQ(Grid().GridLineWidth(), 1);
    EXPECT_TRUE(Grid().updatesEnabled());
}

TEST_F(PrintTables, CancelledOrFailedPrintLeavesTheGrid)
{
    doubles.dialogs.printAnswers.push_back(false);
    P().PrintWindow();
    EXPECT_EQ(doubles.dialogs.printCalls, 1);
    EXPECT_EQ(P().Printer().pageLayout().orientation(), QPageLayout::Portrait);

    doubles.dialogs.printAnswers.push_back(true);
    doubles.dialogs.printToPdf = Path("missing/folder/t.pdf");
    EXPECT_THROW(P().PrintWindow(), KorvexError);
    EXPECT_EQ(Grid().GridLineWidth(), 1);
    EXPECT_TRUE(Grid().updatesEnabled());
    EXPECT_TRUE(QDir(out.path()).isEmpty());
}

} // namespace
} // namespace korvex::test
