#pragma once

// The analysis window's Save and Print commands: the two charts, or the table in table mode, as
// a JPEG or bitmap picture, or on the printer (the charts on one landscape page, the table on
// portrait pages).

#include "ui/analysis/output/PictureFile.h"
#include "ui/analysis/output/PrintOutput.h"

#include <QRect>

#include <functional>
#include <memory>

class QPrinter;

namespace korvex {

class ChildGraphs;
struct ChildState;
struct ChildWidgets;

// The picture's size for a desktop work area: nine tenths of it, 1024 x 768 when the work area
// is not known.
QSize ChartPictureSize(const std::optional<QRect>& workArea);

class ChildPrint final {
public:
    // owner: the window (parent of the dialogs); graphs: which axis placeholders are on;
    // rebuildTitle: the chart title as the navigation builds it, after an output.
    ChildPrint(QWidget& owner, const ChildState& state, const ChildWidgets& widgets,
               const ChildGraphs& graphs, std::function<void()> rebuildTitle);
    ~ChildPrint();
    ChildPrint(const ChildPrint&) = delete;
    ChildPrint& operator=(const ChildPrint&) = delete;

    void SaveAnalysis() { SavePicture(); }
    void PrintAnalysis() { PrintWindow(); }

    // Save: the table picture in table mode, the chart picture otherwise.
    void SavePicture();
    // Print: the table in table mode, the charts otherwise.
    void PrintWindow();

    void SaveChartPicture();
    void SaveTablePicture();
    void PrintCharts();
    void PrintTable();

    // The name the save dialog proposes for what the window shows.
    QString DefaultFileName() const;

    // What Save writes once a name was chosen, without the dialog: the name is completed and
    // its extension chooses the format as in the dialog. Returns the path written (a table
    // picture that cannot be a JPEG becomes a bitmap of another name). False when the window
    // shows no chart to output. Throws the file's error.
    bool WritePictureTo(const QString& chosenName, QString* writtenPath = nullptr);

    // What the outputs read of the window now.
    OutputSource Source() const;

    // The window's print dialog works on this printer; it keeps its choices between prints.
    QPrinter& Printer();

private:
    void WriteChartPicture(const PictureTarget& target);
    QString WriteTablePicture(const PictureTarget& target);

    QWidget& owner_;
    const ChildState& state_;
    const ChildWidgets& w_;
    const ChildGraphs& graphs_;
    std::function<void()> rebuildTitle_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace korvex
