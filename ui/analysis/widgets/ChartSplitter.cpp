#include "ui/analysis/widgets/ChartSplitter.h"

#include <QChildEvent>
#include <QTimer>

#include <algorithm>

namespace korvex {

ChartHeights SplitChartHeights(int total, ChartHeights preferred, ChartHeights minimum)
{
    ChartHeights h;
    if (total >= preferred.upper + preferred.lower) {
        h.lower = std::max(preferred.lower, minimum.lower);
    } else {
        // Short of room: the lower chart gives what it has above its minimum first.
        h.lower = std::max(minimum.lower, total - std::max(preferred.upper, minimum.upper));
    }
    h.upper = std::max(minimum.upper, total - h.lower);
    h.lower = std::max(minimum.lower, total - h.upper);
    return h;
}

int PanelHeight(int total, int preferred, int minimum, ChartHeights chartMinimum)
{
    const int room = total - chartMinimum.upper - chartMinimum.lower;
    return std::clamp(room, minimum, std::max(minimum, preferred));
}

ChartSplitter::ChartSplitter(QWidget* parent, ChartHeights preferred)
    : QSplitter(Qt::Vertical, parent), preferred_(preferred)
{
    connect(this, &QSplitter::splitterMoved, this, [this] {
        const QList<int> s = sizes();
        if (s.size() < 2)
            return;
        preferred_ = {s[0], s[1]};
        if (PanelShown() && s.size() > 2 && s[2] != panelPreferred_) {
            panelPreferred_ = s[2];
            if (panelDragged_)
                panelDragged_(panelPreferred_);
        }
    });
}

void ChartSplitter::SetPanelPreferred(int height)
{
    panelPreferred_ = height > 0 ? height : kDefaultPanelHeight;
    Apply();
}

bool ChartSplitter::PanelShown() const
{
    return count() > 2 && !widget(2)->isHidden();
}

void ChartSplitter::resizeEvent(QResizeEvent* event)
{
    QSplitter::resizeEvent(event);
    Apply();
}

void ChartSplitter::childEvent(QChildEvent* event)
{
    QSplitter::childEvent(event);
    if (event->type() == QEvent::ChildAdded && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
}

bool ChartSplitter::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) &&
        count() > 2 && watched == widget(2)) {
        // After the splitter's own reaction to the change.
        QTimer::singleShot(0, this, [this] {
            Apply();
            if (panelToggled_)
                panelToggled_();
        });
    }
    return QSplitter::eventFilter(watched, event);
}

void ChartSplitter::Apply()
{
    if (count() < 2)
        return;
    const ChartHeights minimum{widget(0)->minimumHeight(), widget(1)->minimumHeight()};
    if (!PanelShown()) {
        const int total = height() - handleWidth();
        const ChartHeights h = SplitChartHeights(total, preferred_, minimum);
        QList<int> sizes{h.upper, h.lower};
        if (count() > 2)
            sizes << 0;
        setSizes(sizes);
        return;
    }
    const int total = height() - 2 * handleWidth();
    const int panel = PanelHeight(total, panelPreferred_, widget(2)->minimumHeight(), minimum);
    const ChartHeights h = SplitChartHeights(total - panel, preferred_, minimum);
    setSizes({h.upper, h.lower, panel});
}

} // namespace korvex
