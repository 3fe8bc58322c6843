#include "ui/analysis/output/PictureFile.h"

#include "core/views/Navigation.h"
#include "ui/platform/CommonDialogs.h"
#include "ui/platform/UiText.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>

namespace korvex {

namespace {

QString Format(const char* format, DayTime t, const MonthNames& months)
{
    return QString::fromStdString(FormatDayTime(format, t, months));
}

// The folder of the last picture the user chose in this run.
QString& LastPictureFolder()
{
    static QString folder;
    return folder;
}

} // namespace

PictureTarget PictureTargetFor(const QString& chosenName)
{
    PictureTarget target{chosenName, PictureFormat::Jpeg};
    // The extension is the file name's: a dot in a folder name is no extension.
    const qsizetype slash = chosenName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = chosenName.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot > slash ? chosenName.mid(dot) : QString();
    if (extension.contains(QLatin1String(".bmp"), Qt::CaseSensitive)) {
        target.format = PictureFormat::Bitmap;
    } else if (!extension.contains(QLatin1String(".jpg"), Qt::CaseSensitive)) {
        target.path += QLatin1String(".jpg");
    }
    return target;
}

QString DefaultPictureName(const QString& base, int spanItem, DayTime windowStart,
                           DayTime windowEnd, const MonthNames& months)
{
    switch (spanItem) {
        case SpanOneYear:
            return base + Format("_yyyy", windowStart, months);
        case SpanOneQuarter:
            // The end is the first instant after the quarter, so its month follows the quarter.
            return base + Format("_mmm", windowStart, months) +
                   Format("-mmm_yyyy", windowEnd, months);
        case SpanOneMonth:
            return base + Format("_mmm_yyyy", windowStart, months);
        default:
            return base + Format("yyyy_mm_dd", windowStart, months);
    }
}

QString PictureFilterText()
{
    return UiText(TextId::FilterImageFiles) + QStringLiteral(" (*.jpg)|*.jpg|") +
           UiText(TextId::FilterImageFiles) + QStringLiteral(" (*.bmp)|*.bmp|") +
           UiText(TextId::FilterAllFiles) + QStringLiteral(" (*.*)|*");
}

std::optional<PictureTarget> ChoosePictureFile(QWidget* owner, const QString& initialName,
                                               const QString& logFolder)
{
    QString path = initialName;
    const QString start = LastPictureFolder().isEmpty() ? logFolder : LastPictureFolder();
    if (!ChooseFile(path, owner, PictureFilterText(), false, QStringLiteral("*.jpg"), start))
        return std::nullopt;
    LastPictureFolder() = QFileInfo(path).absolutePath();
    return PictureTargetFor(path);
}

void ForgetPictureFolder()
{
    LastPictureFolder().clear();
}

QString CommonFolder(const std::vector<std::string>& files)
{
    QString common;
    bool first = true;
    for (const std::string& file : files) {
        const QString folder = QFileInfo(QString::fromStdString(file)).absolutePath();
        if (first) {
            common = folder;
            first = false;
        }
        // Shorten to the longest common prefix that ends at a folder boundary.
        while (!common.isEmpty() && folder != common) {
            const QString prefix =
                common.endsWith(QLatin1Char('/')) ? common : QString(common + QLatin1Char('/'));
            if (folder.startsWith(prefix))
                break;
            const QString parent = QFileInfo(common).path();
            common = parent == common ? QString() : parent;
        }
    }
    return common;
}

void WriteBitmap(const QImage& image, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw PictureFileError(file.errorString(), path);
    QImageWriter writer(&file, "bmp");
    // Without an alpha channel the bitmap has 24 bits per pixel, as picture viewers expect.
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) {
        const QString reason =
            file.error() != QFile::NoError ? file.errorString() : writer.errorString();
        file.close();
        file.remove();
        throw PictureFileError(reason, path);
    }
    file.close();
    if (file.error() != QFile::NoError) {
        const QString reason = file.errorString();
        file.remove();
        throw PictureFileError(reason, path);
    }
}

void WritePicture(const QImage& image, const PictureTarget& target)
{
    if (target.format == PictureFormat::Bitmap)
        WriteBitmap(image, target.path);
    else
        WriteJpeg(image, target.path);
}

} // namespace korvex
