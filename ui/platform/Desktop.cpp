#include "ui/platform/Desktop.h"

#include "ui/platform/Platform.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace korvex {

std::optional<QRect> QtDesktop::WorkArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return std::nullopt;
    const QRect area = screen->availableGeometry();
    if (area.isEmpty())
        return std::nullopt;
    return area;
}

int QtDesktop::PixelsPerInchY()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? qRound(screen->logicalDotsPerInchY()) : 96;
}

void CentreOnWorkArea(QWidget& window)
{
    const std::optional<QRect> area = ThePlatform().desktop->WorkArea();
    if (!area)
        return;
    // move() places the frame; centre the frame.
    const QSize size = window.frameGeometry().size();
    window.move(area->x() + (area->width() - size.width()) / 2,
                area->y() + (area->height() - size.height()) / 2);
}

namespace {

class CentreOnShow final : public QObject {
public:
    explicit CentreOnShow(QWidget& window) : QObject(&window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window_ && event->type() == QEvent::Show) {
            CentreOnWorkArea(window_);
            window_.removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QWidget& window_;
};

} // namespace

void CentreOnWorkAreaWhenShown(QWidget& window)
{
    window.installEventFilter(new CentreOnShow(window));
}

} // namespace korvex
