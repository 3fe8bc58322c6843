#pragma once

// Statistics of the time window on screen, one row per shown graph: minimum and maximum with
// their times, the time-weighted mean and, for power and flow, the energy or volume. Follows
// every change of the window (navigation, zoom) and of the shown graphs; Ctrl+C copies the rows
// as tab-separated text with the decimal separator in force.

#include "core/services/DayTime.h"

#include <QTableWidget>

#include <cstdint>
#include <string>
#include <vector>

namespace korvex {

class ChartWidget;
class ShownGraphs;

class StatisticsPanel : public QTableWidget {
    Q_OBJECT
public:
    StatisticsPanel(ShownGraphs& graphs, ChartWidget& chart, QWidget* parent = nullptr);

    // Recomputes when the window or the graphs changed since the last time (and it is shown).
    void Refresh();
    void ApplyLanguage();
    // The header and the selected rows (all rows when none is selected), tab-separated.
    std::string CopyText() const;
    void CopyToClipboard() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    ShownGraphs& graphs_;
    ChartWidget& chart_;
    DayTime shownFrom_ = -1;
    DayTime shownTo_ = -1;
    std::uint64_t shownGeneration_ = 0;
    std::vector<std::vector<std::string>> rows_;
    char separator_ = 0;
    bool stale_ = true;
};

} // namespace korvex
