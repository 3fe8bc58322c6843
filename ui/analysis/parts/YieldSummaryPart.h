#pragma once

// The yield summary of the chart title: the energy and volume of the displayed month, quarter or
// year for the selected device, read from the yield tables.

#include "ui/analysis/parts/ChildParts.h"

#include <string>

class QComboBox;
class QTabBar;

namespace korvex {

class ChartWidget;
struct AnalysisView;
class TablePart;
struct ChildState;

class YieldSummaryPart final : public ChildOverviewPart {
public:
    // view: the window's view (the device shown); tables: the yield tables read; tabs: the device tabs (the
    // last one is the Overview tab when there are tabs); spanTime: the displayed span; chart:
    // its bottom axis holds the displayed window.
    YieldSummaryPart(const ChildState& state, const AnalysisView& view,
                     const TablePart& tables, const QTabBar& tabs, const QComboBox& spanTime,
                     const ChartWidget& chart);

    // The summary for the current window, span and tab; empty for the short spans and on the
    // Overview tab. The chart title is the navigation's to update afterwards.
    void BuildYieldSummary() override;
    const std::string& YieldSummary() const override { return summary_; }

private:
    const ChildState& state_;
    const AnalysisView& view_;
    const TablePart& tables_;
    const QTabBar& tabs_;
    const QComboBox& spanTime_;
    const ChartWidget& chart_;
    std::string summary_;
};

} // namespace korvex
