#include "ui/platform/Images.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

// The resources live in a static library: the program must pull them in by name.
static void InitKorvexResources()
{
    Q_INIT_RESOURCE(korvex);
}

namespace korvex {

namespace {

void EnsureResources()
{
    static const bool initialised = [] {
        InitKorvexResources();
        return true;
    }();
    (void)initialised;
}

} // namespace

QPixmap SvgPixmap(const QString& resource, QSize size)
{
    EnsureResources();
    // Drawn at the screens' pixel density, so that it stays sharp where one logical pixel is
    // several device pixels; its logical size is still `size`.
    const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap((QSizeF(size) * ratio).toSize());
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return pixmap;
}

QIcon SvgIcon(const QString& resource)
{
    QIcon icon;
    for (int side : {16, 20, 24, 32, 48})
        icon.addPixmap(SvgPixmap(resource, QSize(side, side)));
    return icon;
}

} // namespace korvex
