#pragma once

// The panels below the charts (the window statistics, the function check), side by side. The
// strip is shown while any of its panels is and takes the largest least height of those shown,
// so that the chart splitter gives and takes room for all of them as for one panel.

#include <QSplitter>

namespace korvex {

class PanelStrip final : public QSplitter {
public:
    explicit PanelStrip(QWidget* parent = nullptr);

protected:
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowPanels();
};

} // namespace korvex
