#include "ui/analysis/widgets/TXPButton.h"

#include "ui/platform/Images.h"

#include <QIcon>
#include <QPixmap>

namespace korvex {

TXPButton::TXPButton(const QString& fallbackText, QWidget* parent) : QPushButton(parent)
{
    QFont f = font();
    f.setBold(true);
    setFont(f);
    setAccessibleName(fallbackText);
    setToolTip(QString());
}

void TXPButton::SetImage(const QImage& bitmap)
{
    const QImage opaque = bitmap.convertToFormat(QImage::Format_ARGB32);
    QIcon icon;
    const QPixmap normal = QPixmap::fromImage(TransparentByCorner(opaque));
    icon.addPixmap(normal, QIcon::Normal);
    icon.addPixmap(normal, QIcon::Active);
    icon.addPixmap(normal, QIcon::Selected);
    icon.addPixmap(QPixmap::fromImage(TransparentByCorner(GreyButtonImage(opaque))),
                   QIcon::Disabled);
    setIcon(icon);
    setIconSize(bitmap.deviceIndependentSize().toSize());
    setText(QString());
}

QImage GreyButtonImage(const QImage& image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            const int g = (qRed(p) + qGreen(p) + qBlue(p)) / 3 / 2 + 96;
            line[x] = qRgba(g, g, g, qAlpha(p));
        }
    }
    return out;
}

QImage TransparentByCorner(const QImage& image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    if (out.isNull())
        return out;
    const QRgb key = out.pixel(out.width() - 1, out.height() - 1) & 0x00FFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0x00FFFFFF) == key)
                line[x] = 0;
        }
    }
    return out;
}

QImage NavigationButtonImage(int index)
{
    static const char* const kPictures[] = {":/arrows/jump_left.svg", ":/arrows/jump_right.svg",
                                            ":/arrows/scroll_left.svg",
                                            ":/arrows/scroll_right.svg"};
    if (index < 0 || index > 3)
        return {};
    return SvgPixmap(QString::fromLatin1(kPictures[index]), QSize(16, 16))
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace korvex
