// The charts as a picture and on the printer: the window's charts dressed for output and
// restored afterwards (also after cancels and errors), the parts that are output, the picture's
// size and content, and the landscape printout.
#include "tests/ui/analysis/PictureTestSupport.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/Series.h"
#include "ui/analysis/output/PrintOutput.h"
#include "ui/chart/SeriesPlottable.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QPrinter>

namespace korvex::test {
namespace {

const QDate kMay15(2008, 5, 15), kMay16(2008, 5, 16);

// Devices 10 and 20 on 15 and 16 May 2008: two device tabs and the Overview tab.
class PrintCharts : public PrintWindow {
protected:
    void SetUp() override
    {
        Load({{10, kMay15}, {10, kMay16}, {20, kMay15}}, kMay15, kMay16);
        ASSERT_EQ(W().tabSetDevices->count(), 3);
    }

    // Shows a field; the tests tell the parts apart by colour, so each gets its own.
    void Show(const std::string& key, int device = 0)
    {
        ASSERT_TRUE(G().ShowField(Set(device), Field(key, device))) << key;
        G().UpdateOutputChart(false, false); // as a click on the row's box does
        static const Colour kColours[] = {0x00C01010, 0x001010C0, 0x0010A010, 0x00A000A0};
        static int next = 0;
        Set(device).series(Field(key, device))->setColour(kColours[next++ % 4]);
        QApplication::processEvents();
    }
    QColor ColourOf(const std::string& key, int device = 0)
    {
        return ToQColor(Set(device).series(Field(key, device))->colour());
    }
    void Mark(const std::string& key, int device)
    {
        W().tabSetDevices->setCurrentIndex(device);
        Show(key, device);
        for (TGraphPanel* row : GraphRowsOf(G().GraphListOf(Set(device))->widget()))
            if (row->Tag() == Field(key, device))
                row->OverviewBox()->click();
        ASSERT_TRUE(Set(device).selected(Field(key, device)));
    }

    // What output must leave as it was.
    struct Look {
        std::vector<Series*> series;
        QStringList title, title2;
        bool legend = false, legend2 = false, title2Visible = false;
        QMargins margins, margins2;
        bool operator==(const Look&) const = default;
    };
    Look Now() const
    {
        const ChartWidget& c = *W().chart;
        const ChartWidget& c2 = *W().chart2;
        return {AllSeries(),        c.TitleLines(),    c2.TitleLines(),    c.LegendVisible(),
                c2.LegendVisible(), c2.TitleVisible(), c.MarginsPercent(), c2.MarginsPercent()};
    }

    // Where the lower part starts in a picture of the given height.
    int LowerTop(int height) const
    {
        const int upper = W().chart->height(), lower = W().chart2->height();
        return upper * height / (upper + lower);
    }
};

TEST_F(PrintCharts, PictureShowsTitleLegendAndBothPartsAndRestoresTheWindow)
{
    Show("T1");
    Show("R1");
    ASSERT_NE(ColourOf("T1"), ColourOf("R1"));
    const Look before = Now();
    EXPECT_EQ(before.margins, QMargins(1, 1, 1, 1));

    doubles.dialogs.fileAnswers.push_back(Path("day"));
    P().SavePicture();

    ASSERT_EQ(doubles.dialogs.fileCalls.size(), 1u);
    const FileDialogRequest& request = doubles.dialogs.fileCalls[0];
    EXPECT_EQ(request.initialFile, "Chart2008_05_15");
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.defaultExtension, "jpg");
    // The first picture of a run is offered in the analysis' log folder.
    EXPECT_TRUE(QFileInfo(request.initialDirectory).isDir())
        << request.initialDirectory.toStdString();
    EXPECT_EQ(request.nameFilters.size(), 3);
    EXPECT_EQ(request.owner, window);

    // No extension: a JPEG with ".jpg" added, 9/10 of the 1600 x 1000 work area.
    const QImage picture = ReadJpeg(Path("day.jpg"));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(1440, 900));
    const int split = LowerTop(900);
    EXPECT_GT(ColourIn(picture, QRect(0, 0, 1440, split), ColourOf("T1"), 40), 300);
    EXPECT_GT(ColourIn(picture, QRect(0, split, 1440, 900 - split), ColourOf("R1"), 40), 300);
    // The temperature stays in its part: only the upper legend shows its colour.
    EXPECT_LT(ColourIn(picture, QRect(0, split, 1440, 900 - split), ColourOf("T1"), 40), 40);
    // Title lines above the plot: ink in the top rows around the middle.
    EXPECT_GT(InkIn(picture, QRect(520, 0, 400, 45)), 100);

    EXPECT_TRUE(Now() == before);
    EXPECT_EQ(W().chart->TitleLines(), QStringList{"15. May 2008"});
}

TEST_F(PrintCharts, MonthAsBitmapOfTheDefaultSizeWithoutWorkArea)
{
    Show("T1");
    Show("R1");
    Span(SpanOneMonth);
    doubles.desktop.workArea = std::nullopt;
    doubles.dialogs.fileAnswers.push_back(Path("month.bmp"));
    P().SavePicture();

    EXPECT_EQ(doubles.dialogs.fileCalls.at(0).initialFile, "Chart_May_2008");
    const auto header = ReadBitmapHeader(Path("month.bmp"));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 1024);
    EXPECT_EQ(header->height, 768);
    EXPECT_EQ(header->bitsPerPixel, 24);
    const QImage picture(Path("month.bmp"));
    EXPECT_GT(
        ColourIn(picture, QRect(0, LowerTop(768), 1024, 768 - LowerTop(768)), ColourOf("R1"), 0),
        100);

    // Capitals are no bitmap extension: a JPEG with ".jpg" appended.
    doubles.dialogs.fileAnswers.push_back(Path("month.BMP"));
    P().SavePicture();
    EXPECT_TRUE(HasJpegHeader(FileBytes(Path("month.BMP.jpg"))));
}

TEST_F(PrintCharts, OnlyTheOutputsFillTheWholePictureUnderTheTitle)
{
    Show("R1");
    Show("R2");
    ASSERT_FALSE(DetermineOutputParts(window->Printer().Source()).upper);
    ASSERT_TRUE(DetermineOutputParts(window->Printer().Source()).lower);
    const Look before = Now();

    doubles.dialogs.fileAnswers.push_back(Path("outputs.bmp"));
    P().SavePicture();
    const QImage picture(Path("outputs.bmp"));
    ASSERT_EQ(picture.size(), QSize(1440, 900));
    // The bands reach up to where the upper chart would have been, below the title.
    EXPECT_GT(ColourIn(picture, QRect(0, 60, 1440, LowerTop(900) - 60), ColourOf("R1"), 0), 1000);
    EXPECT_GT(InkIn(picture, QRect(520, 0, 400, 45)), 100);
    EXPECT_TRUE(Now() == before);
    EXPECT_FALSE(W().chart2->TitleVisible());
}

TEST_F(PrintCharts, NothingShownAsksForNoFileAndPrintsNoPage)
{
    ASSERT_FALSE(DetermineOutputParts(window->Printer().Source()).Any());
    P().SavePicture();
    EXPECT_TRUE(doubles.dialogs.fileCalls.empty());

    doubles.dialogs.printAnswers.push_back(true);
    doubles.dialogs.printToPdf = Path("none.pdf");
    P().PrintWindow();
    EXPECT_EQ(doubles.dialogs.printCalls, 1);
    EXPECT_FALSE(QFileInfo::exists(Path("none.pdf")));
}

TEST_F(PrintCharts, CancelsAndErrorsLeaveTheWindowAsItWas)
{
    Show("T1");
    Show("R1");
    const Look before = Now();

    P().SavePicture(); // the dialog is cancelled
    EXPECT_EQ(doubles.dialogs.fileCalls.size(), 1u);
    EXPECT_TRUE(QDir(out.path()).isEmpty());
    EXPECT_TRUE(Now() == before);

    doubles.dialogs.fileAnswers.push_back(Path("no/such/folder/x.jpg"));
    EXPECT_THROW(P().SavePicture(), KorvexError);
    EXPECT_TRUE(Now() == before);

    doubles.dialogs.printAnswers.push_back(false);
    P().PrintWindow();
    EXPECT_EQ(doubles.dialogs.printCalls, 1);
    EXPECT_TRUE(Now() == before);
    EXPECT_EQ(P().Printer().pageLayout().orientation(), QPageLayout::Landscape);

    // A printer that cannot write its file is an error, and the window is restored.
    doubles.dialogs.printAnswers.push_back(true);
    doubles.dialogs.printToPdf = Path("no/such/folder/x.pdf");
    EXPECT_THROW(P().PrintWindow(), KorvexError);
    EXPECT_TRUE(Now() == before);
}

TEST_F(PrintCharts, OutputDressesTheChartsWithTabPrintTitleAndLegends)
{
    Show("T1");
    Show("R1");
    ChildDefaults titled = S().defaults;
    titled.printTitle = "Halvo plant";
    window->ApplyChartSettings(titled);
    const Look before = Now();
    const QString tab = W().tabSetDevices->tabText(0);
    {
        const PreparedOutput prepared(window->Printer().Source());
        EXPECT_EQ(W().chart->TitleLines(), (QStringList{"Halvo plant", tab + ": 15. May 2008"}));
        EXPECT_TRUE(W().chart->LegendVisible());
        EXPECT_TRUE(W().chart2->LegendVisible());
        EXPECT_EQ(W().chart->MarginsPercent(), QMargins(3, 1, 3, 1));
        EXPECT_EQ(W().chart2->MarginsPercent(), QMargins(3, 1, 3, 1));
        // The upper chart shows something: the lower one keeps no title.
        EXPECT_FALSE(W().chart2->TitleVisible());
        // On a device tab the legend names only the field.
        EXPECT_EQ(Set(0).series(Field("T1"))->title(), Set(0).deviceSettings()->label(Field("T1")));
    }
    EXPECT_TRUE(Now() == before);

    // Without a print title no line is added; with only outputs the lower chart takes the title.
    titled.printTitle.clear();
    window->ApplyChartSettings(titled);
    G().HideField(Set(0), Field("T1"));
    {
        const PreparedOutput prepared(window->Printer().Source());
        EXPECT_EQ(W().chart->TitleLines(), QStringList{tab + ": 15. May 2008"});
        EXPECT_EQ(W().chart2->TitleLines(), QStringList{tab + ": 15. May 2008"});
        EXPECT_TRUE(W().chart2->TitleVisible());
    }
    EXPECT_TRUE(W().chart2->TitleLines().isEmpty());
    EXPECT_FALSE(W().chart2->TitleVisible());
}

TEST_F(PrintCharts, OverviewLegendNamesTheDevices)
{
    Mark("T1", 0);
    Mark("T1", 1);
    W().tabSetDevices->setCurrentIndex(2);
    ASSERT_TRUE(G().Selection().Overview());
    Series& first = *Set(0).series(Field("T1", 0));
    Series& second = *Set(1).series(Field("T1", 1));
    const std::string label = Set(0).deviceSettings()->label(Field("T1", 0));
    {
        const PreparedOutput prepared(window->Printer().Source());
        EXPECT_EQ(first.title(), Set(0).deviceSettings()->displayName() + ": " + label);
        EXPECT_EQ(second.title(), Set(1).deviceSettings()->displayName() + ": " + label);
        EXPECT_EQ(W().chart->TitleLines().value(0).left(W().tabSetDevices->tabText(2).size() + 2),
                  W().tabSetDevices->tabText(2) + ": ");
    }
    EXPECT_EQ(first.title(), label);
    EXPECT_EQ(second.title(), label);
}

TEST_F(PrintCharts, PrintsBothPartsOnOneLandscapePage)
{
    Show("T1");
    Show("R1");
    const Look before = Now();
    doubles.dialogs.printAnswers.push_back(true);
    doubles.dialogs.printToPdf = Path("charts.pdf");
    P().PrintWindow();

    EXPECT_EQ(PdfPageCount(Path("charts.pdf")), 1);
    const QSizeF page = PdfFirstMediaBox(Path("charts.pdf"));
    EXPECT_GT(page.width(), page.height());
    EXPECT_GT(FileBytes(Path("charts.pdf")).size(), 5000);
    EXPECT_TRUE(Now() == before);
    EXPECT_TRUE(W().chart->hasSeries(*Set(0).series(Field("T1"))));
}

} // namespace
} // namespace korvex::test
