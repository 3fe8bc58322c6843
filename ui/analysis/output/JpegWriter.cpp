#include "ui/analysis/output/JpegWriter.h"


#include <QFile>
#include <QImage>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace korvex {

PictureFileError::PictureFileError(const QString& reason, const QString& path)
    : KorvexError((reason + QStringLiteral("\n(") + path + QLatin1Char(')')).toStdString())
{}

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back into
// Encode with the library's message. Nothing between setjmp and longjmp owns C++ resources.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr info)
{
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Encodes rows of packed RGB into file. False with the library's message on failure.
bool Encode(std::FILE* file, const QImage& rgb, int quality, char* message)
{
    jpeg_compress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JpegErrorExit;
    errors.message[0] = '\0';
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::memcpy(message, errors.message, sizeof errors.message);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Full colour resolution: thin coloured lines of a chart would bleed with halved chroma.
    info.comp_info[0].h_samp_factor = 1;
    info.comp_info[0].v_samp_factor = 1;
    info.density_unit = 1; // dots per inch: the picture has the screen's scale
    info.X_density = 96;
    info.Y_density = 96;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // libjpeg takes non-const rows but only reads them.
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

void WriteJpeg(const QImage& image, const QString& path, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull() || rgb.width() <= 0 || rgb.height() <= 0)
        throw PictureFileError(QString::fromUtf8(std::strerror(EINVAL)), path);

    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        throw PictureFileError(QString::fromLocal8Bit(std::strerror(errno)), path);
    char message[JMSG_LENGTH_MAX] = {};
    bool ok = Encode(file, rgb, quality, message);
    QString reason = QString::fromLocal8Bit(message);
    if (ok && std::ferror(file)) {
        ok = false;
        reason = QString::fromLocal8Bit(std::strerror(errno));
    }
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        reason = QString::fromLocal8Bit(std::strerror(errno));
    }
    if (!ok) {
        QFile::remove(path);
        throw PictureFileError(reason, path);
    }
}

} // namespace korvex
