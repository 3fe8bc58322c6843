#pragma once

// The splitter between the upper chart (measured values) and the lower one (outputs), with the
// statistics panel as an optional third part below them. When the window gets lower, the panel
// gives way first, down to its minimum, then the lower chart down to its minimum, before the
// upper one shrinks; when it gets higher, the upper chart grows. The sizes the user drags to are
// the preferred ones from then on.

#include <QSplitter>

#include <functional>

namespace korvex {

struct ChartHeights {
    int upper = 0;
    int lower = 0;

    bool operator==(const ChartHeights&) const = default;
};

// The heights of both charts in total pixels (handle excluded), given the preferred heights and
// the minimum heights. The sum is total whenever total reaches both minimums.
ChartHeights SplitChartHeights(int total, ChartHeights preferred, ChartHeights minimum);

// The panel's height below the charts out of total pixels (handles excluded): its preferred
// height as long as the charts keep their minimums, less when they would not, never below
// its own minimum.
int PanelHeight(int total, int preferred, int minimum, ChartHeights chartMinimum);

class ChartSplitter final : public QSplitter {
public:
    // Two widgets are added later; preferred are their heights at the design size.
    ChartSplitter(QWidget* parent, ChartHeights preferred);

    ChartHeights Preferred() const { return preferred_; }
    int PanelPreferred() const { return panelPreferred_; }
    void SetPanelPreferred(int height);
    // Called with the panel's height after the user dragged a handle and it changed.
    void OnPanelDragged(std::function<void(int)> handler) { panelDragged_ = std::move(handler); }
    // Called after the panel was shown or hidden (and its part of the splitter laid out).
    void OnPanelShownOrHidden(std::function<void()> handler) { panelToggled_ = std::move(handler); }

    static constexpr int kDefaultPanelHeight = 130;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Apply();
    bool PanelShown() const;

    ChartHeights preferred_;
    int panelPreferred_ = kDefaultPanelHeight;
    std::function<void(int)> panelDragged_;
    std::function<void()> panelToggled_;
};

} // namespace korvex
