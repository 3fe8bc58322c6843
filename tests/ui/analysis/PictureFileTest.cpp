// Picture files: proposed names, the name rules that choose the format, the picture size, and
// the JPEG and bitmap writers.
#include "tests/ui/analysis/PictureTestSupport.h"

#include "ui/analysis/output/JpegWriter.h"
#include "ui/analysis/output/PictureFile.h"

#include <QDir>

namespace korvex::test {
namespace {

TEST(PictureName, DatePartFollowsTheSpan)
{
    const MonthNames& en = MonthNames::English();
    const DayTime may15 = EncodeDateTime(2008, 5, 15, 0, 0);
    EXPECT_EQ(DefaultPictureName("Chart", SpanOneDay, may15, may15 + 1, en), "Chart2008_05_15");
    EXPECT_EQ(DefaultPictureName("Chart", SpanOneHour, may15 + 0.5, may15 + 0.5 + 1.0 / 24, en),
              "Chart2008_05_15");
    EXPECT_EQ(DefaultPictureName("Chart", SpanOneMonth, EncodeDate(2008, 5, 1),
                                 EncodeDate(2008, 6, 1), en),
              "Chart_May_2008");
    // The end of a quarter is the first day after it: the month after the quarter is named.
    EXPECT_EQ(DefaultPictureName("Chart", SpanOneQuarter, EncodeDate(2008, 4, 1),
                                 EncodeDate(2008, 7, 1), en),
              "Chart_Apr-Jul_2008");
    EXPECT_EQ(DefaultPictureName("Chart", SpanOneQuarter, EncodeDate(2008, 10, 1),
                                 EncodeDate(2009, 1, 1), en),
              "Chart_Oct-Jan_2009");
    EXPECT_EQ(DefaultPictureName("Table", SpanOneYear, EncodeDate(2008, 1, 1),
                                 EncodeDate(2009, 1, 1), en),
              "Table_2008");
    // No selected span is treated as a short one.
    EXPECT_EQ(DefaultPictureName("Chart", SpanNone, may15, may15 + 1, en), "Chart2008_05_15");
}

TEST(PictureName, ExtensionChoosesTheFormatCaseSensitively)
{
    auto check = [](const QString& chosen, const QString& path, PictureFormat format) {
        const PictureTarget t = PictureTargetFor(chosen);
        EXPECT_EQ(t.path, path) << chosen.toStdString();
        EXPECT_EQ(t.format, format) << chosen.toStdString();
    };
    check("/p/a.bmp", "/p/a.bmp", PictureFormat::Bitmap);
    check("/p/a.BMP", "/p/a.BMP.jpg", PictureFormat::Jpeg);
    check("/p/a", "/p/a.jpg", PictureFormat::Jpeg);
    check("/p/a.jpg", "/p/a.jpg", PictureFormat::Jpeg);
    check("/p/a.JPG", "/p/a.JPG.jpg", PictureFormat::Jpeg);
    check("/p/a.jpeg", "/p/a.jpeg.jpg", PictureFormat::Jpeg);
    check("/p/a.png", "/p/a.png.jpg", PictureFormat::Jpeg);
    check("/p/a.bmpx", "/p/a.bmpx", PictureFormat::Bitmap); // the extension holds ".bmp"
    // Only the file name has an extension.
    check("/p/x.bmp/a", "/p/x.bmp/a.jpg", PictureFormat::Jpeg);
    check("/p/x.jpg/a.bmp", "/p/x.jpg/a.bmp", PictureFormat::Bitmap);
}

TEST(PictureName, FilterTextListsJpegBitmapAndAllFiles)
{
    SelectTextBlock(BlockEnglish);
    EXPECT_EQ(PictureFilterText(),
              "Image files (*.jpg)|*.jpg|Image files (*.bmp)|*.bmp|All files (*.*)|*");
}

TEST(PictureSize, NineTenthsOfTheWorkAreaOr1024x768)
{
    EXPECT_EQ(ChartPictureSize(std::nullopt), QSize(1024, 768));
    EXPECT_EQ(ChartPictureSize(QRect(0, 0, 1600, 1000)), QSize(1440, 900));
    EXPECT_EQ(ChartPictureSize(QRect(50, 30, 1366, 738)), QSize(1229, 664));
}

QImage TestPattern()
{
    QImage image(301, 157, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < 157; ++y)
        for (int x = 0; x < 100; ++x)
            image.setPixel(x, y, qRgb(220, 30, 30));
    for (int y = 100; y < 157; ++y)
        for (int x = 200; x < 301; ++x)
            image.setPixel(x, y, qRgb(20, 40, 200));
    return image;
}

TEST(PictureWriters, JpegDecodesToTheSamePicture)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.jpg");
    WriteJpeg(TestPattern(), path);
    const QByteArray bytes = FileBytes(path);
    ASSERT_TRUE(HasJpegHeader(bytes));
    EXPECT_EQ(static_cast<unsigned char>(bytes[bytes.size() - 2]), 0xFF); // end of image
    EXPECT_EQ(static_cast<unsigned char>(bytes[bytes.size() - 1]), 0xD9);
    const QImage decoded = ReadJpeg(path);
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.size(), QSize(301, 157));
    // Quality 100 keeps flat colours almost exact.
    EXPECT_EQ(ColourIn(decoded, QRect(10, 10, 80, 130), QColor(220, 30, 30), 12), 80 * 130);
    EXPECT_EQ(ColourIn(decoded, QRect(210, 110, 80, 40), QColor(20, 40, 200), 12), 80 * 40);
    EXPECT_EQ(ColourIn(decoded, QRect(110, 10, 80, 80), QColor(Qt::white), 6), 80 * 80);
}

TEST(PictureWriters, BitmapHas24BitsAndTheSize)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.bmp");
    WriteBitmap(TestPattern(), path);
    const auto header = ReadBitmapHeader(path);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 301);
    EXPECT_EQ(header->height, 157);
    EXPECT_EQ(header->bitsPerPixel, 24);
    const QImage back(path);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.pixel(5, 5), qRgb(220, 30, 30));
    EXPECT_EQ(back.pixel(250, 120), qRgb(20, 40, 200));
}

TEST(PictureWriters, FilesThatCannotBeWrittenRaiseTheReasonAndThePath)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("no/such/folder/p.jpg");
    try {
        WriteJpeg(TestPattern(), missing);
        FAIL() << "no error";
    } catch (const KorvexError& e) {
        const QString message = QString::fromUtf8(e.what());
        EXPECT_TRUE(message.endsWith("\n(" + missing + ")")) << e.what();
        EXPECT_GT(message.indexOf('\n'), 0); // a reason comes first
    }
    EXPECT_THROW(WriteBitmap(TestPattern(), dir.filePath("no/p.bmp")), PictureFileError);

    // A target that is a folder: nothing is left behind and the folder stays.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.jpg"));
    EXPECT_THROW(WriteJpeg(TestPattern(), dir.filePath("taken.jpg")), PictureFileError);
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.jpg")).isDir());
}

} // namespace
} // namespace korvex::test
