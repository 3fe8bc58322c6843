#pragma once

// Equal label columns of the two charts, so that their plot areas line up, and the output names
// as the labels of the lower chart's left axis.

#include <QObject>
#include <QString>

#include <functional>

namespace korvex {

class ChartAxis;
class ChartWidget;
struct ChildWidgets;

// The lower chart's left-axis label for a label text: the name of output k at 50 - 150 k, an
// empty text for every other value and for a text that is no integer.
QString OutputBandLabel(const QString& text, const std::function<QString(int)>& outputNameAt);

class ChartAxisLabels : public QObject {
    Q_OBJECT
public:
    // outputNameAt(k): name of output band k, "" beyond the list.
    ChartAxisLabels(const ChildWidgets& widgets, std::function<QString(int)> outputNameAt);
    ~ChartAxisLabels() override;

    void ChartGetNextAxisLabel(ChartAxis& axis);
    void ChartGetAxisLabel(ChartAxis& axis, QString& text);
    void Chart2GetNextAxisLabel(ChartAxis& axis);
    void Chart2GetAxisLabel(ChartAxis& axis, QString& text);
    // Both charts, after their labels were made: a changed widest label sets the label column of
    // both charts and asks for one more repaint.
    void ChartBeforeDrawSeries();
    void RepaintTimerTimer();

private:
    int LabelWidth(const QString& text) const;
    // Sets the label columns of an axis pair for labels up to width wide; true when changed.
    static bool EqualColumns(ChartAxis& upper, ChartAxis& lower, int width);

    const ChildWidgets& w_;
    std::function<QString(int)> outputNameAt_;
    // Widest axis labels of the current drawing pass.
    int labelWidthLeft_ = 0;
    int labelWidthLeft2_ = 0;
    int labelWidthRight_ = 0;
};

} // namespace korvex
