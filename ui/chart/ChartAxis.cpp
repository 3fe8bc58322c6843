#include "ui/chart/ChartAxis.h"

#include "ui/chart/AxisTicker.h"
#include "ui/chart/ChartWidget.h"

#include <qcustomplot.h>

namespace korvex {

ChartAxis::ChartAxis(ChartWidget& chart, QCPAxis* axis, AxisSide side)
    : chart_(chart), axis_(axis), side_(side), dateTimeFormat_(QStringLiteral("hh:mm")),
      valueFormat_(QStringLiteral("#,##0.###"))
{
    axis_->setTicker(QSharedPointer<QCPAxisTicker>(new AxisTicker(*this)));
    // Labels are plain texts of our own: no exponent rewriting by the axis painter.
    axis_->setNumberFormat(QStringLiteral("f"));
    axis_->setSubTicks(false);
    axis_->setTickLength(0, 4);
    axis_->setTickLabelPadding(3);
    axis_->setLabelPadding(basePadding_);
    const QPen black(Qt::black, 1);
    axis_->setBasePen(black);
    axis_->setTickPen(black);
    axis_->setSubTickPen(black);
    axis_->setSubTickLength(0, 2);
    axis_->grid()->setPen(QPen(QColor(190, 190, 190), 1, Qt::DotLine));
    axis_->grid()->setSubGridVisible(false);
    axis_->grid()->setZeroLinePen(Qt::NoPen);
}

ChartAxis::~ChartAxis() = default;

void ChartAxis::Changed()
{
    chart_.MarkLayoutDirty();
}

double ChartAxis::Minimum() const
{
    return axis_->range().lower;
}
double ChartAxis::Maximum() const
{
    return axis_->range().upper;
}

void ChartAxis::SetMinimum(double value)
{
    SetMinMax(value, Maximum());
}
void ChartAxis::SetMaximum(double value)
{
    SetMinMax(Minimum(), value);
}

void ChartAxis::SetMinMax(double minimum, double maximum)
{
    if (minimum > maximum)
        std::swap(minimum, maximum);
    // QCustomPlot refuses an empty range; keep a hair of width so that the axis stays usable.
    if (maximum - minimum < 1e-12)
        maximum = minimum + 1e-9;
    axis_->setRange(minimum, maximum);
}

void ChartAxis::SetAutomatic(bool on)
{
    automatic_ = on;
    Changed();
}

void ChartAxis::SetIncrement(double increment)
{
    increment_ = increment > 0 ? increment : 0.0;
    Changed();
}

void ChartAxis::SetDateTimeFormat(const QString& format)
{
    dateTimeFormat_ = format;
    Changed();
}

void ChartAxis::SetExactDate(bool on)
{
    exactDate_ = on;
    Changed();
}

void ChartAxis::SetValueFormat(const QString& format)
{
    valueFormat_ = format;
    Changed();
}

void ChartAxis::SetLabelColumnSize(int pixels)
{
    labelColumnSize_ = pixels > 0 ? pixels : 0;
    Changed();
}

QString ChartAxis::Title() const
{
    return axis_->label();
}

void ChartAxis::SetTitle(const QString& title)
{
    axis_->setLabel(title);
    Changed();
}

bool ChartAxis::Visible() const
{
    return axis_->visible();
}

void ChartAxis::SetVisible(bool on)
{
    axis_->setVisible(on);
    Changed();
}

bool ChartAxis::LabelsVisible() const
{
    return axis_->tickLabels();
}

void ChartAxis::SetLabelsVisible(bool on)
{
    axis_->setTickLabels(on);
    Changed();
}

QColor ChartAxis::TextColor() const
{
    return axis_->tickLabelColor();
}

void ChartAxis::SetTextColor(const QColor& colour)
{
    axis_->setTickLabelColor(colour);
    axis_->setLabelColor(colour);
}

bool ChartAxis::GridVisible() const
{
    return axis_->grid()->visible();
}

void ChartAxis::SetGridVisible(bool on)
{
    axis_->grid()->setVisible(on);
}

void ChartAxis::SetGridStyle(Qt::PenStyle style)
{
    QPen pen = axis_->grid()->pen();
    pen.setStyle(style);
    axis_->grid()->setPen(pen);
}

void ChartAxis::SetMinorTickCount(int count)
{
    minorTickCount_ = count > 0 ? count : 0;
    axis_->setSubTicks(minorTickCount_ > 0);
}

int ChartAxis::TickLength() const
{
    return axis_->tickLengthOut();
}

void ChartAxis::SetTickLength(int pixels)
{
    axis_->setTickLength(0, pixels);
    axis_->setSubTickLength(0, pixels > 1 ? pixels / 2 : pixels);
    Changed();
}

double ChartAxis::ValueAtPixel(double pixel) const
{
    return axis_->pixelToCoord(pixel);
}

double ChartAxis::PixelOf(double value) const
{
    return axis_->coordToPixel(value);
}

void ChartAxis::ScrollBy(double offset)
{
    axis_->moveRange(offset);
    chart_.RaiseScroll();
    chart_.Repaint();
}

void ChartAxis::CopyFrom(const ChartAxis& other)
{
    if (&other == this)
        return;
    QCPAxis* from = other.axis_;
    axis_->setRange(from->range());
    automatic_ = other.automatic_;
    increment_ = other.increment_;
    dateTimeFormat_ = other.dateTimeFormat_;
    exactDate_ = other.exactDate_;
    valueFormat_ = other.valueFormat_;
    labelColumnSize_ = other.labelColumnSize_;
    basePadding_ = other.basePadding_;
    axis_->setLabel(from->label());
    axis_->setVisible(from->visible());
    axis_->setTickLabels(from->tickLabels());
    axis_->setTickLabelFont(from->tickLabelFont());
    axis_->setLabelFont(from->labelFont());
    axis_->setTickLabelColor(from->tickLabelColor());
    axis_->setLabelColor(from->labelColor());
    axis_->setTickLength(from->tickLengthIn(), from->tickLengthOut());
    axis_->setSubTickLength(from->subTickLengthIn(), from->subTickLengthOut());
    axis_->grid()->setVisible(from->grid()->visible());
    axis_->grid()->setPen(from->grid()->pen());
    SetMinorTickCount(other.minorTickCount_);
    Changed();
}

} // namespace korvex
