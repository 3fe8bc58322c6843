#pragma once

// One axis of a ChartWidget: the bottom time axis (DayTime values, labelled with the program's
// date-format letters) or a left/right value axis. Wraps the QCustomPlot axis and keeps the
// settings QCustomPlot has no notion of: label increment, date-time format, exact-date flag,
// value format, fixed label column, automatic range.

#include <QColor>
#include <QString>
#include <QVector>

#include <memory>

class QCPAxis;

namespace korvex {

class ChartWidget;
class AxisTicker;

enum class AxisSide { Bottom, Left, Right };

class ChartAxis {
public:
    ChartAxis(ChartWidget& chart, QCPAxis* axis, AxisSide side);
    ~ChartAxis();
    ChartAxis(const ChartAxis&) = delete;
    ChartAxis& operator=(const ChartAxis&) = delete;

    AxisSide Side() const { return side_; }
    bool IsTimeAxis() const { return side_ == AxisSide::Bottom; }
    bool IsVertical() const { return side_ != AxisSide::Bottom; }
    ChartWidget& Chart() const { return chart_; }
    QCPAxis* Raw() const { return axis_; }

    // Range. SetMinMax is the safe form; the single setters keep the other end, and a minimum
    // above the maximum (or the reverse) is stored swapped.
    double Minimum() const;
    double Maximum() const;
    void SetMinimum(double value);
    void SetMaximum(double value);
    void SetMinMax(double minimum, double maximum);

    // Automatic: before each drawing pass the range becomes the extent of the series on this axis
    // (unchanged while none has a value).
    bool Automatic() const { return automatic_; }
    void SetAutomatic(bool on);

    // Label step in axis units (days on the time axis); 0 lets the axis choose one that fits.
    double Increment() const { return increment_; }
    void SetIncrement(double increment);

    // Time axis: labels formatted with korvex::FormatDayTime ("hh:mm", " dd. mmm ", ...).
    QString DateTimeFormat() const { return dateTimeFormat_; }
    void SetDateTimeFormat(const QString& format);
    // Time axis: month and year steps fall on the first of a month (January for years); off,
    // every step is a plain multiple of the increment.
    bool ExactDate() const { return exactDate_; }
    void SetExactDate(bool on);

    // Value axes: "0", "###0", "0.0", "#,##0.###" (the default); the process decimal separator
    // is used, and '.' or ',' groups thousands, whichever is not the decimal separator.
    QString ValueFormat() const { return valueFormat_; }
    void SetValueFormat(const QString& format);

    // Width (vertical axes) or height (time axis) in pixels reserved for the labels; 0 = as
    // wide as the widest label. Two charts with equal columns have aligned plot areas.
    int LabelColumnSize() const { return labelColumnSize_; }
    void SetLabelColumnSize(int pixels);

    // The axis title; an empty title takes no room, " " reserves a title row.
    QString Title() const;
    void SetTitle(const QString& title);

    bool Visible() const;
    void SetVisible(bool on);
    bool LabelsVisible() const;
    void SetLabelsVisible(bool on);
    // Colour of the labels and the title (the lower chart's right axis draws both in white).
    QColor TextColor() const;
    void SetTextColor(const QColor& colour);
    bool GridVisible() const;
    void SetGridVisible(bool on);
    void SetGridStyle(Qt::PenStyle style);
    int MinorTickCount() const { return minorTickCount_; }
    void SetMinorTickCount(int count);
    int TickLength() const;
    void SetTickLength(int pixels);

    // Conversions between an axis value and a widget pixel (x for the time axis, y otherwise).
    double ValueAtPixel(double pixel) const;
    double PixelOf(double value) const;

    // Moves the range by offset without any limit; raises the chart's scroll event.
    void ScrollBy(double offset);

    // Every setting of other (range, labels, formats, increment, title, look) onto this axis.
    void CopyFrom(const ChartAxis& other);

    // Labels of the last drawing pass, after the label event and after labels that would have
    // overlapped their neighbours were dropped.
    const QVector<double>& LabelValues() const { return labelValues_; }
    const QVector<QString>& LabelTexts() const { return labelTexts_; }

private:
    friend class AxisTicker;
    friend class ChartWidget;

    void Changed();

    ChartWidget& chart_;
    QCPAxis* axis_;
    AxisSide side_;
    bool automatic_ = false;
    double increment_ = 0.0;
    QString dateTimeFormat_;
    bool exactDate_ = true;
    QString valueFormat_;
    int labelColumnSize_ = 0;
    int minorTickCount_ = 0;
    int basePadding_ = 3; // title distance from the label column
    QVector<double> labelValues_;
    QVector<QString> labelTexts_;
};

} // namespace korvex
