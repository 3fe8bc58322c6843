#pragma once

// "Open in Excel": hands the log file of the day at the chart's left edge to the spreadsheet
// program: as a ready workbook in the cache folder, else as the plain file (a comma-separated
// copy for the English interface languages, made in either case).


class QWidget;

namespace korvex {

class ChartWidget;
struct AnalysisView;

class ChildExport final {
public:
    // owner: the analysis window (owns the message boxes and the file dialog); view: the window's view, its
    // device shown; chart: the upper chart, whose bottom axis holds the displayed time window.
    ChildExport(QWidget& owner, const AnalysisView& view, const ChartWidget& chart);

    // Reports by message box or throws KorvexError (texts 94, 83, 145, 146) for the
    // application's error handler.
    void ActionOpenExcelExecute();

private:
    QWidget& owner_;
    const AnalysisView& view_;
    const ChartWidget& chart_;
};

} // namespace korvex
