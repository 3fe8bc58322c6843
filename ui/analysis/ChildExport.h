#pragma once

// "Open in Excel": hands the log file of the day at the chart's left edge to the spreadsheet
// program: as a ready workbook in the cache folder, else as the plain file (a comma-separated
// copy for the English interface languages, made in either case).

#include "ui/analysis/ChildParts.h"

class QWidget;

namespace korvex {

class ChartWidget;
class DeviceSelection;

class ChildExport final : public ChildExportPart {
public:
    // owner: the analysis window (owns the message boxes and the file dialog); selection: its
    // device shown; chart: the upper chart, whose bottom axis holds the displayed time window.
    ChildExport(QWidget& owner, const DeviceSelection& selection, const ChartWidget& chart);

    // Reports by message box or throws KorvexError (texts 94, 83, 145, 146) for the
    // application's error handler.
    void ActionOpenExcelExecute() override;

private:
    QWidget& owner_;
    const DeviceSelection& selection_;
    const ChartWidget& chart_;
};

} // namespace korvex
