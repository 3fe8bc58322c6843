#include "ui/analysis/parts/ChildPrint.h"

#include "core/logdata/AnalysisDataSet.h"
#include "ui/analysis/output/PrintOutput.h"
#include "ui/analysis/output/PrintTable.h"
#include "core/views/ChildState.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/widgets/ChildWidgets.h"
#include "ui/analysis/widgets/TTableGrid.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/Platform.h"
#include "ui/platform/UiText.h"

#include <QComboBox>
#include <QPrinter>

namespace korvex {

namespace {

// The work area assumed when the desktop does not tell it: 9/10 of it is 1024 x 768.
const QRect kFallbackWorkArea(0, 0, 1138, 854);
// Charts are laid out for the printer as for a screen of this resolution, so that their fonts
// and lines keep their proportions on paper.
constexpr double kChartLayoutDpi = 120.0;

// The printer could not start or finish the job.
[[noreturn]] void ThrowPrinterError(const QPrinter& printer)
{
    const QString target =
        printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    QString message = UiText(TextId::ReportNotProduced);
    if (!target.isEmpty())
        message += QStringLiteral("\n(") + target + QLatin1Char(')');
    throw KorvexError(message.toStdString());
}

// The table's lines at the printer's width and no screen painting while the job runs; the
// screen's state comes back in every case.
class GridPrintState {
public:
    GridPrintState(TTableGrid& grid, int lineWidth) : grid_(grid)
    {
        grid_.setUpdatesEnabled(false);
        grid_.SetGridLineWidth(lineWidth);
    }
    ~GridPrintState()
    {
        grid_.SetGridLineWidth(1);
        grid_.setUpdatesEnabled(true);
        grid_.viewport()->update();
    }
    GridPrintState(const GridPrintState&) = delete;
    GridPrintState& operator=(const GridPrintState&) = delete;

private:
    TTableGrid& grid_;
};

// The folder the analysis was read from: the deepest one holding all its log files.
QString LogFolder(const ChildState& state)
{
    std::vector<std::string> files;
    for (const auto& set : state.dataSets) {
        if (set)
            files.insert(files.end(), set->fileNames().begin(), set->fileNames().end());
    }
    return CommonFolder(files);
}

} // namespace

QSize ChartPictureSize(const std::optional<QRect>& workArea)
{
    const QRect area = workArea.value_or(kFallbackWorkArea);
    return QSize(area.width() * 9 / 10, area.height() * 9 / 10);
}

ChildPrint::ChildPrint(QWidget& owner, const ChildState& state, const ChildWidgets& widgets,
                       const ChildGraphs& graphs, std::function<void()> rebuildTitle)
    : owner_(owner), state_(state), w_(widgets), graphs_(graphs),
      rebuildTitle_(std::move(rebuildTitle))
{}

OutputSource ChildPrint::Source() const
{
    OutputSource source;
    source.owner = &owner_;
    source.state = &state_;
    source.chart = w_.chart;
    source.chart2 = w_.chart2;
    source.tabs = w_.tabSetDevices;
    source.placeholdersOn = graphs_.PlaceholdersOn();
    source.overview = state_.view.overview;
    source.rebuildTitle = rebuildTitle_;
    return source;
}

ChildPrint::~ChildPrint() = default;

QPrinter& ChildPrint::Printer()
{
    // Made on first use: looking for printers can take a moment.
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void ChildPrint::SavePicture()
{
    if (state_.view.tableMode)
        SaveTablePicture();
    else
        SaveChartPicture();
}

void ChildPrint::PrintWindow()
{
    if (state_.view.tableMode)
        PrintTable();
    else
        PrintCharts();
}

QString ChildPrint::DefaultFileName() const
{
    const ChildWidgets& w = w_;
    const QString base = state_.view.tableMode ? UiText(TextId::ViewTable) : QStringLiteral("Chart");
    const ChartAxis& bottom = w.chart->BottomAxis();
    return DefaultPictureName(base, w.spanTime->currentIndex(), bottom.Minimum(), bottom.Maximum(),
                              w.chart->Months());
}

// ---- pictures ----

void ChildPrint::SaveChartPicture()
{
    if (!DetermineOutputParts(Source()).Any())
        return;
    const std::optional<PictureTarget> target =
        ChoosePictureFile(&owner_, DefaultFileName(), LogFolder(state_));
    if (!target)
        return;
    WriteChartPicture(*target);
}

void ChildPrint::SaveTablePicture()
{
    const std::optional<PictureTarget> target =
        ChoosePictureFile(&owner_, DefaultFileName(), LogFolder(state_));
    if (!target)
        return;
    WriteTablePicture(*target);
}

bool ChildPrint::WritePictureTo(const QString& chosenName, QString* writtenPath)
{
    const PictureTarget target = PictureTargetFor(chosenName);
    QString path = target.path;
    if (state_.view.tableMode) {
        path = WriteTablePicture(target);
    } else {
        if (!DetermineOutputParts(Source()).Any())
            return false;
        WriteChartPicture(target);
    }
    if (writtenPath)
        *writtenPath = path;
    return true;
}

void ChildPrint::WriteChartPicture(const PictureTarget& target)
{
    const OutputParts parts = DetermineOutputParts(Source());
    const ChildWidgets& w = w_;
    const PreparedOutput prepared(Source());
    const QSize size = ChartPictureSize(ThePlatform().desktop->WorkArea());
    const int width = size.width();
    const int height = size.height();
    const int upperHeight = parts.UpperShare(height);

    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QCPPainter painter(&image);
        if (parts.upper) {
            OutputChart upper(owner_, *w.chart, false, w.chart->TitleLines());
            upper.Draw(painter, QRectF(0, 0, width, upperHeight), QSize(width, upperHeight));
        }
        if (parts.lower) {
            OutputChart lower(owner_, *w.chart2, true,
                              parts.upper ? w.chart2->TitleLines() : w.chart->TitleLines());
            lower.Draw(painter, QRectF(0, upperHeight, width, height - upperHeight),
                       QSize(width, parts.LowerShare(height)));
        }
        painter.end();
    }
    WritePicture(image, target);
}

QString ChildPrint::WriteTablePicture(const PictureTarget& target)
{
    TTableGrid& grid = *w_.grid;
    WidenColumnsToText(grid);
    const QImage image = RenderTablePicture(grid);
    if (target.format == PictureFormat::Bitmap) {
        WriteBitmap(image, target.path);
        return target.path;
    }
    try {
        WritePicture(image, target);
        return target.path;
    } catch (const KorvexError&) {
        QString path = target.path;
        if (path.endsWith(QLatin1String(".jpg")))
            path.chop(4);
        path += QLatin1String(".bmp");
        WriteBitmap(image, path);
        return path;
    }
}

// ---- printing ----

void ChildPrint::PrintCharts()
{
    QPrinter& printer = Printer();
    // A printer that cannot turn leaves the choice to the print dialog.
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!ThePlatform().dialogs->ExecPrintDialog(&owner_, printer))
        return;

    const int pageWidth = printer.width();
    const int pageHeight = printer.height();
    const double resolutionX = printer.logicalDpiX();
    const double resolutionY = printer.logicalDpiY();
    const OutputParts parts = DetermineOutputParts(Source());
    if (!parts.Any())
        return;
    const int upperHeight = parts.UpperShare(pageHeight);
    const int lowerHeight = parts.LowerShare(pageHeight);

    const ChildWidgets& w = w_;
    const PreparedOutput prepared(Source());
    auto layoutSize = [&](int partHeight) {
        return QSize(static_cast<int>(pageWidth / (resolutionX / kChartLayoutDpi)),
                     static_cast<int>(partHeight / (resolutionY / kChartLayoutDpi)));
    };

    std::unique_ptr<OutputChart> upper;
    std::unique_ptr<OutputChart> lower;
    if (parts.upper)
        upper = std::make_unique<OutputChart>(owner_, *w.chart, false, w.chart->TitleLines());
    if (parts.lower)
        lower = std::make_unique<OutputChart>(
            owner_, *w.chart2, true, parts.upper ? w.chart2->TitleLines() : w.chart->TitleLines());

    QCPPainter painter;
    if (!painter.begin(&printer))
        ThrowPrinterError(printer);
    if (upper)
        upper->Draw(painter, QRectF(0, 0, pageWidth, upperHeight), layoutSize(upperHeight));
    if (lower)
        lower->Draw(painter, QRectF(0, upperHeight, pageWidth, pageHeight - upperHeight),
                    layoutSize(lowerHeight));
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        ThrowPrinterError(printer);
}

void ChildPrint::PrintTable()
{
    TTableGrid& grid = *w_.grid;
    if (grid.ColCount() < 1 || grid.RowCount() < 1)
        return;
    QPrinter& printer = Printer();
    printer.setPageOrientation(QPageLayout::Portrait);
    if (!ThePlatform().dialogs->ExecPrintDialog(&owner_, printer))
        return;

    WidenColumnsToText(grid);
    const TablePrintLayout layout =
        LayoutTablePrint(grid, printer, ThePlatform().desktop->PixelsPerInchY(),
                         QString::fromStdString(state_.defaults.printTitle));
    QPainter painter;
    if (!painter.begin(&printer))
        ThrowPrinterError(printer);
    {
        const GridPrintState printing(grid, layout.lineWidth);
        for (int page = 0; page < layout.pageCount; ++page) {
            if (page > 0 && !printer.newPage())
                ThrowPrinterError(printer);
            PaintTablePage(painter, grid, layout, page);
        }
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        ThrowPrinterError(printer);
}

} // namespace korvex
