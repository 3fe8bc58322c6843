#include "ui/analysis/parts/ChartAxisLabels.h"

#include "ui/analysis/widgets/ChildWidgets.h"
#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartWidget.h"

#include <QTimer>

#include <algorithm>
#include <cstdlib>

namespace korvex {

namespace {
// Room between a label and the plot beyond the text itself.
constexpr int kLabelGap = 3;
constexpr int kBandHeight = 150;
constexpr int kBandLabelValue = 50;
} // namespace

QString OutputBandLabel(const QString& text, const std::function<QString(int)>& outputNameAt)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || (v - kBandLabelValue) % kBandHeight != 0)
        return QString();
    return outputNameAt ? outputNameAt(std::abs((v - kBandLabelValue) / kBandHeight)) : QString();
}

ChartAxisLabels::ChartAxisLabels(const ChildWidgets& widgets,
                                 std::function<QString(int)> outputNameAt)
    : w_(widgets), outputNameAt_(std::move(outputNameAt))
{
    ChartWidget& chart = *w_.chart;
    ChartWidget& chart2 = *w_.chart2;
    chart.SetOnGetNextAxisLabel(
        [this](ChartWidget&, ChartAxis& axis) { ChartGetNextAxisLabel(axis); });
    chart.SetOnGetAxisLabel([this](ChartWidget&, ChartAxis& axis, double, QString& text) {
        ChartGetAxisLabel(axis, text);
    });
    chart2.SetOnGetNextAxisLabel(
        [this](ChartWidget&, ChartAxis& axis) { Chart2GetNextAxisLabel(axis); });
    chart2.SetOnGetAxisLabel([this](ChartWidget&, ChartAxis& axis, double, QString& text) {
        Chart2GetAxisLabel(axis, text);
    });
    chart.SetOnBeforeDrawSeries([this](ChartWidget&) { ChartBeforeDrawSeries(); });
    chart2.SetOnBeforeDrawSeries([this](ChartWidget&) { ChartBeforeDrawSeries(); });
    connect(w_.repaintTimer, &QTimer::timeout, this, &ChartAxisLabels::RepaintTimerTimer);
}

ChartAxisLabels::~ChartAxisLabels()
{
    for (ChartWidget* c : {w_.chart, w_.chart2}) {
        c->SetOnGetNextAxisLabel(nullptr);
        c->SetOnGetAxisLabel(nullptr);
        c->SetOnBeforeDrawSeries(nullptr);
    }
    w_.repaintTimer->stop();
}

int ChartAxisLabels::LabelWidth(const QString& text) const
{
    return w_.chart->TextWidth(text) + kLabelGap;
}

// The upper chart's right column is measured on its right axis alone: the time labels below are
// no part of any vertical column (a long date format there would widen the right margin).
void ChartAxisLabels::ChartGetNextAxisLabel(ChartAxis& axis)
{
    if (axis.Side() == AxisSide::Left)
        labelWidthLeft_ = 0;
    else if (axis.Side() == AxisSide::Right)
        labelWidthRight_ = 0;
}

void ChartAxisLabels::ChartGetAxisLabel(ChartAxis& axis, QString& text)
{
    if (axis.Side() == AxisSide::Left)
        labelWidthLeft_ = std::max(labelWidthLeft_, LabelWidth(text));
    else if (axis.Side() == AxisSide::Right)
        labelWidthRight_ = std::max(labelWidthRight_, LabelWidth(text));
}

void ChartAxisLabels::Chart2GetNextAxisLabel(ChartAxis& axis)
{
    if (axis.Side() == AxisSide::Left)
        labelWidthLeft2_ = 0;
}

void ChartAxisLabels::Chart2GetAxisLabel(ChartAxis& axis, QString& text)
{
    if (axis.Side() != AxisSide::Left)
        return;
    text = OutputBandLabel(text, outputNameAt_);
    labelWidthLeft2_ = std::max(labelWidthLeft2_, LabelWidth(text));
}

void ChartAxisLabels::ChartBeforeDrawSeries()
{
    ChartWidget& chart = *w_.chart;
    ChartWidget& chart2 = *w_.chart2;
    const int left = std::max(labelWidthLeft_, labelWidthLeft2_);
    if (EqualColumns(chart.LeftAxis(), chart2.LeftAxis(), left))
        w_.repaintTimer->start();
    if (EqualColumns(chart.RightAxis(), chart2.RightAxis(), labelWidthRight_))
        w_.repaintTimer->start();
}

bool ChartAxisLabels::EqualColumns(ChartAxis& upper, ChartAxis& lower, int width)
{
    // The lower chart's ticks are shorter: its column takes the difference, so that both plot
    // areas begin at the same pixel.
    const int ticks = std::max(upper.TickLength(), lower.TickLength());
    const int upperSize = width + ticks - upper.TickLength();
    const int lowerSize = width + ticks - lower.TickLength();
    if (upper.LabelColumnSize() == upperSize && lower.LabelColumnSize() == lowerSize)
        return false;
    upper.SetLabelColumnSize(upperSize);
    lower.SetLabelColumnSize(lowerSize);
    return true;
}

void ChartAxisLabels::RepaintTimerTimer()
{
    w_.repaintTimer->stop();
    w_.chart2->Repaint();
    w_.chart->Repaint();
}

} // namespace korvex
