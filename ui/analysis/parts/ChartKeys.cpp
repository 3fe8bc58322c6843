#include "ui/analysis/parts/ChartKeys.h"

#include "ui/chart/ChartWidget.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QSlider>

namespace korvex {

ChartKeys::ChartKeys(const NavigationControls& controls, std::initializer_list<ChartWidget*> charts,
                     QObject* parent)
    : QObject(parent), c_(controls)
{
    for (ChartWidget* chart : charts) {
        chart->setFocusPolicy(Qt::StrongFocus);
        chart->installEventFilter(this);
    }
}

void ChartKeys::Scroll(QAbstractButton* button)
{
    // Pressed and released with the space key as a keyboard user would: a short span steps
    // once, a long span moves the slider on the release (the button's click).
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(button, &press);
    QCoreApplication::sendEvent(button, &release);
}

bool ChartKeys::HandleKey(int key)
{
    auto enabled = [](QWidget* w) { return w && w->isEnabled(); };
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Right: {
            QAbstractButton* b = key == Qt::Key_Left ? c_.scrollLeft : c_.scrollRight;
            if (enabled(b))
                Scroll(b);
            return true;
        }
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            QAbstractButton* b = key == Qt::Key_PageUp ? c_.jumpLeft : c_.jumpRight;
            if (enabled(b))
                b->click();
            return true;
        }
        case Qt::Key_Home:
        case Qt::Key_End:
            if (enabled(c_.slider))
                c_.slider->setValue(key == Qt::Key_Home ? c_.slider->minimum()
                                                        : c_.slider->maximum());
            return true;
        case Qt::Key_Plus:
        case Qt::Key_Minus: {
            if (!enabled(c_.spans) || c_.spans->count() == 0)
                return true;
            const int step = key == Qt::Key_Plus ? -1 : +1;
            const int next = c_.spans->currentIndex() + step;
            if (next >= 0 && next < c_.spans->count())
                c_.spans->setCurrentIndex(next);
            return true;
        }
        default:
            return false;
    }
}

bool ChartKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* e = static_cast<QKeyEvent*>(event);
        // Ctrl, Alt and the like leave the key to others; Shift is how many keyboards type "+".
        if ((e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier &&
            HandleKey(e->key()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvex
