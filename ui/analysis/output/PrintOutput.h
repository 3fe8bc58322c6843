#pragma once

// The analysis window's charts on a picture or a printer page: which of the two charts have
// something to show and how they share the height, the window's charts dressed for output
// (margins, title lines, legends, legend names) and undressed again, and the temporary charts
// that draw the window's series.

#include <QRectF>
#include <QSize>
#include <QStringList>

#include <array>
#include <functional>

class QCPPainter;
class QTabBar;
class QWidget;

namespace korvex {

class ChartWidget;
struct ChildState;

// What the output reads of an analysis window: its analysis, its two charts and device tabs,
// which axis placeholder series are on (numbered as the graph part numbers them), whether the
// Overview is shown, and how the chart title is rebuilt once the output is done.
struct OutputSource {
    QWidget* owner = nullptr; // parent of the temporary charts
    const ChildState* state = nullptr;
    ChartWidget* chart = nullptr;  // upper
    ChartWidget* chart2 = nullptr; // lower
    const QTabBar* tabs = nullptr;
    std::array<bool, 4> placeholdersOn{};
    bool overview = false;
    std::function<void()> rebuildTitle;
};

// The parts of the output: the upper chart when it holds series besides its active axis
// placeholders, the lower one likewise. Heights are the charts' heights on the screen.
struct OutputParts {
    bool upper = false;
    bool lower = false;
    int upperHeight = 0;
    int lowerHeight = 0;

    bool Any() const { return upper || lower; }
    // The sum of the heights of the parts that exist.
    int HeightSum() const { return (upper ? upperHeight : 0) + (lower ? lowerHeight : 0); }
    // The upper part's share of total (integer arithmetic): all of it without a lower part,
    // nothing without an upper part.
    int UpperShare(int total) const;
    // The lower part's height when laid out on its own for total.
    int LowerShare(int total) const;
};

OutputParts DetermineOutputParts(const OutputSource& source);

// Dresses the window's charts for output while it lives: margins of 3 % left and right, the
// device tab's name and the print title in the upper chart's title, the upper title on the
// lower chart when the upper chart has nothing to show, legends, and in the overview the device
// names in the legend entries. Undoes all of it when it ends, also after an error, and lets the
// navigation rebuild the chart title.
class PreparedOutput {
public:
    explicit PreparedOutput(OutputSource source);
    ~PreparedOutput();
    PreparedOutput(const PreparedOutput&) = delete;
    PreparedOutput& operator=(const PreparedOutput&) = delete;

private:
    void Restore();

    OutputSource source_;
    QStringList savedTitle_;
    bool savedTitleVisible_ = true;
};

// An invisible chart that takes over one window chart's look and, for as long as it lives, all
// of that chart's series in their order; they go back in the same order when it ends.
class OutputChart {
public:
    // lower: the output chart of the lower chart, which names the output bands on its axis.
    // title: its title lines (shown when not empty).
    // parent: the window the invisible chart belongs to.
    OutputChart(QWidget& parent, ChartWidget& source, bool lower, const QStringList& title);
    ~OutputChart();
    OutputChart(const OutputChart&) = delete;
    OutputChart& operator=(const OutputChart&) = delete;

    // Laid out at layoutSize, drawn scaled into target.
    void Draw(QCPPainter& painter, const QRectF& target, QSize layoutSize);

private:
    ChartWidget& source_;
    ChartWidget* chart_ = nullptr;
};

} // namespace korvex
