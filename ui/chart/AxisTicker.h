#pragma once

// Label placement of a ChartAxis: chooses the label values, formats them with the program's own
// formats, raises the chart's label events and drops labels that would overlap.

#include <qcustomplot.h>

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QRect>
#include <QString>
#include <QVector>

namespace korvex {

class ChartAxis;

// How the time axis steps: a plain step from an origin, or whole calendar months.
struct TimeStepPlan {
    double step = 1.0;   // days
    double origin = 0.0; // multiples of step counted from here
    int months = 0;      // > 0: steps of this many months from the first of a month
};

//  increment > 0: multiples of the increment; whole weeks start on Mondays; with exactDate,
//  increments of about a month or more step by calendar months (twelve for a year).
TimeStepPlan PlanTimeSteps(double increment, bool exactDate);
// Tick values of the time axis for the range [first, last] (DayTime).
QVector<double> TimeTicks(double first, double last, const TimeStepPlan& plan);
// The number of a tick counted in steps; a thinned axis keeps the ticks whose number is a
// multiple of the thinning stride, so that labels do not jump while the window moves.
long long TimeTickNumber(double tick, const TimeStepPlan& plan);

// The smallest readable step (minutes, hours, days, weeks, months, years, in days; months are
// returned as 30.4375 × n and years as 365.25 × n) whose labels of the given pixel width fit
// into axisPixels.
double AutoTimeStep(double span, double axisPixels, double labelPixels);

// Tick values of a value axis: multiples of the increment, or of a readable step chosen so that
// labels stand at least minSpacingPixels apart.
QVector<double> ValueTicks(double first, double last, double increment, double axisPixels,
                           double minSpacingPixels);

// Formats v with a pattern of '0', '#', ',' and '.' ("###0", "0.0", "#,##0.###").
QString FormatAxisValue(double v, const QString& pattern, QChar decimalSeparator);

class AxisTicker : public QCPAxisTicker {
public:
    explicit AxisTicker(ChartAxis& axis) : axis_(axis) {}

    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks,
                  QVector<QString>* tickLabels) override;

private:
    double AxisPixels() const;
    QString Format(double value) const;
    void DropOverlapping(QVector<double>& ticks, QVector<QString>& labels) const;
    void ThinTimeLabels(const TimeStepPlan& plan, QVector<double>& ticks,
                        QVector<QString>& labels) const;
    // The painted bounds of a label in the axis' label font. Laying out text is most of a
    // layout's time, and an axis shows the same few labels at every drawing.
    QRect Bounds(const QFontMetrics& metrics, const QString& text) const;

    ChartAxis& axis_;
    mutable QFont boundsFont_;
    mutable int boundsHeight_ = -1;
    mutable QHash<QString, QRect> bounds_;
};

} // namespace korvex
