#include "ui/platform/EscapeKey.h"

#include <QApplication>
#include <QKeyEvent>

namespace korvex {

QtEscapeKey::QtEscapeKey() = default;

QtEscapeKey::~QtEscapeKey()
{
    if (installed_ && qApp != nullptr)
        qApp->removeEventFilter(this);
}

void QtEscapeKey::Install()
{
    if (installed_ || qApp == nullptr)
        return;
    qApp->installEventFilter(this);
    installed_ = true;
}

void QtEscapeKey::Watch(QWidget* window)
{
    window_ = window;
    latched_ = false;
    if (window != nullptr)
        Install();
}

bool QtEscapeKey::PressedOrLatched()
{
    const bool result = held_ || latched_;
    latched_ = false;
    return result;
}

bool QtEscapeKey::IsHeld()
{
    return held_;
}

bool QtEscapeKey::WatchedWindowIsActive()
{
    return window_ != nullptr && QApplication::activeWindow() == window_.data();
}

bool QtEscapeKey::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape) {
                held_ = true;
                if (WatchedWindowIsActive())
                    latched_ = true;
            }
            break;
        }
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && !key->isAutoRepeat())
                held_ = false;
            break;
        }
        case QEvent::ApplicationDeactivate:
            // The release would go to another program; do not report a key held for ever.
            held_ = false;
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvex
