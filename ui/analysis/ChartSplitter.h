#pragma once

// The splitter between the upper chart (measured values) and the lower one (outputs). When the
// window gets lower, the lower chart gives way first, down to its minimum, before the upper one
// shrinks; when it gets higher, the upper chart grows. The sizes the user drags to are the
// preferred ones from then on.

#include <QSplitter>

namespace korvex {

struct ChartHeights {
    int upper = 0;
    int lower = 0;

    bool operator==(const ChartHeights&) const = default;
};

// The heights of both charts in total pixels (handle excluded), given the preferred heights and
// the minimum heights. The sum is total whenever total reaches both minimums.
ChartHeights SplitChartHeights(int total, ChartHeights preferred, ChartHeights minimum);

class ChartSplitter final : public QSplitter {
public:
    // Two widgets are added later; preferred are their heights at the design size.
    ChartSplitter(QWidget* parent, ChartHeights preferred);

    ChartHeights Preferred() const { return preferred_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Apply();

    ChartHeights preferred_;
};

} // namespace korvex
