#pragma once

// Reading back what the picture and print commands wrote: JPEG files decoded with libjpeg (not
// through Qt's optional image plugins), bitmaps, PDF page counts; and an analysis window with
// every part, its print part included.

#include "tests/ui/analysis/ChildNavigationTestSupport.h"

#include "ui/analysis/parts/ChildPrint.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace korvex::test {

struct JpegDecodeErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

inline void JpegDecodeErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegDecodeErrors*>(info->err)->jump, 1);
}

// Decodes the rows into buffer (width * height * 3 bytes). False when libjpeg fails.
inline bool DecodeJpegInto(std::FILE* file, std::vector<unsigned char>& buffer, int& width,
                           int& height)
{
    jpeg_decompress_struct info;
    JpegDecodeErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JpegDecodeErrorExit;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    width = static_cast<int>(info.output_width);
    height = static_cast<int>(info.output_height);
    buffer.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = buffer.data() + static_cast<std::size_t>(info.output_scanline) * width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

// The decoded picture, or a null image when the file is no complete JPEG.
inline QImage ReadJpeg(const QString& path)
{
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        return {};
    std::vector<unsigned char> buffer;
    int width = 0, height = 0;
    const bool ok = DecodeJpegInto(file, buffer, width, height);
    std::fclose(file);
    if (!ok)
        return {};
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), buffer.data() + static_cast<std::size_t>(y) * width * 3,
                    static_cast<std::size_t>(width) * 3);
    return image;
}

inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The first bytes of a JPEG: start of image, then a JFIF marker.
inline bool HasJpegHeader(const QByteArray& bytes)
{
    return bytes.size() > 4 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8 &&
           static_cast<unsigned char>(bytes[2]) == 0xFF;
}

// The bitmap's size and bits per pixel from its header ("BM", little-endian fields).
struct BitmapHeader {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};
inline std::optional<BitmapHeader> ReadBitmapHeader(const QString& path)
{
    const QByteArray b = FileBytes(path);
    if (b.size() < 30 || b[0] != 'B' || b[1] != 'M')
        return std::nullopt;
    auto u32 = [&](int at) {
        return static_cast<int>(static_cast<unsigned char>(b[at]) |
                                static_cast<unsigned char>(b[at + 1]) << 8 |
                                static_cast<unsigned char>(b[at + 2]) << 16 |
                                static_cast<unsigned char>(b[at + 3]) << 24);
    };
    BitmapHeader h;
    h.width = u32(18);
    h.height = std::abs(u32(22));
    h.bitsPerPixel = static_cast<unsigned char>(b[28]) | static_cast<unsigned char>(b[29]) << 8;
    return h;
}

// Pages of a PDF written by Qt: its page objects.
inline int PdfPageCount(const QString& path)
{
    const QByteArray bytes = FileBytes(path);
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return static_cast<int>(QString::fromLatin1(bytes).count(page));
}

// The first page's size in points from its media box ([0 0 width height]).
inline QSizeF PdfFirstMediaBox(const QString& path)
{
    const QString text = QString::fromLatin1(FileBytes(path));
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]"));
    const QRegularExpressionMatch m = box.match(text);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

// Pixels darker than a light grey inside rect.
inline int InkIn(const QImage& image, const QRect& rect)
{
    int ink = 0;
    const QRect r = rect & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ink += qGray(image.pixel(x, y)) < 160 ? 1 : 0;
    return ink;
}

// Pixels close to colour inside rect (JPEG blurs colours a little).
inline int ColourIn(const QImage& image, const QRect& rect, const QColor& colour,
                    int tolerance = 60)
{
    int count = 0;
    const QRect r = rect & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = QColor::fromRgb(image.pixel(x, y));
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) <=
                tolerance)
                ++count;
        }
    }
    return count;
}

// The analysis window of the navigation tests with the print part.
class PrintWindow : public NavigationWindow {
protected:
    PrintWindow() { doubles.desktop.workArea = QRect(0, 0, 1600, 1000); }

    ChildPrint& P() { return window->Printer(); }
    QString Path(const QString& name) const { return out.filePath(name); }

    // The series of both charts in order, to compare before and after an output.
    std::vector<Series*> AllSeries() const
    {
        std::vector<Series*> all = W().chart->SeriesList();
        for (Series* s : W().chart2->SeriesList())
            all.push_back(s);
        return all;
    }

    QTemporaryDir out;
};

} // namespace korvex::test
