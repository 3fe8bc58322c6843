#include "ui/analysis/widgets/PanelStrip.h"

#include <QChildEvent>
#include <QEvent>

#include <algorithm>

namespace korvex {

PanelStrip::PanelStrip(QWidget* parent) : QSplitter(Qt::Horizontal, parent)
{
    setChildrenCollapsible(false);
    setHandleWidth(3);
    hide();
}

void PanelStrip::childEvent(QChildEvent* event)
{
    QSplitter::childEvent(event);
    if (event->type() == QEvent::ChildAdded && event->child()->isWidgetType()) {
        event->child()->installEventFilter(this);
        FollowPanels();
    }
}

bool PanelStrip::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) &&
        watched->parent() == this)
        FollowPanels();
    return QSplitter::eventFilter(watched, event);
}

void PanelStrip::FollowPanels()
{
    bool any = false;
    int least = 0;
    for (int i = 0; i < count(); ++i) {
        const QWidget* panel = widget(i);
        if (panel->isHidden())
            continue;
        any = true;
        least = std::max(least, panel->minimumHeight());
    }
    setMinimumHeight(least);
    if (any == isHidden())
        setVisible(any);
}

} // namespace korvex
