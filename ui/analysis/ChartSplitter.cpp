#include "ui/analysis/ChartSplitter.h"

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

ChartSplitter::ChartSplitter(QWidget* parent, ChartHeights preferred)
    : QSplitter(Qt::Vertical, parent), preferred_(preferred)
{
    connect(this, &QSplitter::splitterMoved, this, [this] {
        const QList<int> s = sizes();
        if (s.size() == 2)
            preferred_ = {s[0], s[1]};
    });
}

void ChartSplitter::resizeEvent(QResizeEvent* event)
{
    QSplitter::resizeEvent(event);
    Apply();
}

void ChartSplitter::Apply()
{
    if (count() != 2)
        return;
    const int total = height() - handleWidth();
    const ChartHeights minimum{widget(0)->minimumHeight(), widget(1)->minimumHeight()};
    const ChartHeights h = SplitChartHeights(total, preferred_, minimum);
    setSizes({h.upper, h.lower});
}

} // namespace korvex
