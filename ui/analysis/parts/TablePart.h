#pragma once

// The analysis window's table view: builds the hidden daily, monthly and annual yield tables
// when the window receives its data, and fills the visible grid from them for the displayed
// period whenever the window moves while the table is shown.

#include "core/views/ChildState.h"
#include "ui/analysis/parts/ChildParts.h"
#include "ui/analysis/parts/PartHost.h"

#include <memory>

class QComboBox;
class QWidget;

namespace korvex {

class ChartWidget;
class StringGrid;
class TTableGrid;
struct ChildState;
struct ViewFormat;

class TablePart final : public ChildTablePart {
public:
    // host: takes the table mode into the window's view; grid: the table; panelCharts: what the table
    // replaces; spanTime: the displayed span; chart: its bottom axis holds the displayed window,
    // its month names label the rows.
    TablePart(const ChildState& state, PartHost& host, TTableGrid& grid,
              QWidget& panelCharts, const QComboBox& spanTime, const ChartWidget& chart);
    ~TablePart() override;

    // Daily, then monthly (only with a daily table), then annual (only with a monthly one).
    void BuildYieldTables() override;
    // Captions of the yield tables in the current language; a shown table is filled again.
    void UpdateTableTexts() override;
    // The grid for the displayed window, span and device (or overview); only in table mode.
    void FillTable() override;
    // The table instead of the charts (on) or the charts again (off).
    void ShowTable(bool on) override;
    // The analysis goes: its tables with it.
    void FreeYieldTables();

    // The table is shown instead of the charts.
    bool TableMode() const { return state_.view.tableMode; }
    // The yield tables of the analysis; null before it was loaded.
    const StringGrid* DailyTable() const { return daily_.get(); }
    const StringGrid* MonthlyTable() const { return monthly_.get(); }
    const StringGrid* AnnualTable() const { return annual_.get(); }

private:
    ViewFormat Format() const;

    const ChildState& state_;
    PartHost& host_;
    TTableGrid& grid_;
    QWidget& panelCharts_;
    const QComboBox& spanTime_;
    const ChartWidget& chart_;
    std::unique_ptr<StringGrid> daily_;
    std::unique_ptr<StringGrid> monthly_;
    std::unique_ptr<StringGrid> annual_;
};

} // namespace korvex
