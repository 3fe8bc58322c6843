#include "core/logdata/CustomSeries.h"

#include <algorithm>
#include <cmath>

namespace korvex {

// ---- TOffsetLine ----

TOffsetLine::TOffsetLine(ChartHost* owner) : LineSeries(SeriesClass::OffsetLine, owner) {}

TOffsetLine::TOffsetLine(std::unique_ptr<Series> source)
    : LineSeries(SeriesClass::OffsetLine, std::move(source))
{}

void TOffsetLine::setOffset(int value)
{
    if (value == offset())
        return;
    storeOffset(value);
    if (source())
        source()->setOffset(value);
    if (chart() && chart()->hasSeries(*this))
        chart()->requestRepaint();
}

double TOffsetLine::largestY() const
{
    return Series::largestY() + offset();
}

double TOffsetLine::smallestY() const
{
    return Series::smallestY() + offset();
}

// ---- TOffsetArea ----

TOffsetArea::TOffsetArea(std::unique_ptr<Series> source)
    : Series(SeriesClass::OffsetArea, DrawStyle::Area, std::move(source))
{
    if (Series* s = this->source())
        storeOffset(s->offset());
}

void TOffsetArea::setOffset(int value)
{
    if (value == offset())
        return;
    storeOffset(value);
    if (source())
        source()->setOffset(value);
    if (chart() && chart()->hasSeries(*this))
        chart()->requestRepaint();
}

double TOffsetArea::largestY() const
{
    return std::max(Series::largestY() + offset(), static_cast<double>(offset()));
}

double TOffsetArea::smallestY() const
{
    return std::min(Series::smallestY() + offset(), static_cast<double>(offset()));
}

// ---- TSumBars ----

TSumBars::TSumBars(ChartHost* owner) : Series(SeriesClass::SumBars, DrawStyle::Bars, owner)
{
    initBars();
}

TSumBars::TSumBars(std::unique_ptr<Series> source)
    : Series(SeriesClass::SumBars, DrawStyle::Bars, std::move(source))
{
    initBars();
}

void TSumBars::initBars()
{
    setYOrigin(0, true);
    setBarWidthPercent(75);
    setMarksVisible(false);
    setOutlineVisible(false);
}

int TSumBars::doAddPoint(double xValue, double y)
{
    if (std::isnan(y) && !acceptNulls_)
        return -1;
    const double day = std::floor(xValue);
    if (!std::isfinite(day))
        return -1;
    const double middle = day + 0.5;
    const int n = count();
    const bool dayFits = day > -2.0e9 && day < 2.0e9;
    const std::int32_t dayNumber = dayFits ? static_cast<std::int32_t>(day) : -1;

    int index = -1;
    if (dayFits && dayNumber == lastDay_ && lastBarIndex_ < n && x(lastBarIndex_) == middle) {
        index = lastBarIndex_;
    } else if (n > 0 && !(middle > lastX())) {
        const int pos = lowerBound(middle);
        if (pos < n && x(pos) == middle)
            index = pos;
    }
    if (index >= 0)
        setY(index, y);
    else
        index = insertSorted(middle, y);
    lastDay_ = dayNumber;
    lastBarIndex_ = index;
    return index;
}

int TSumBars::doAddNullPoint(double x)
{
    if (!acceptNulls_)
        return 0;
    return Series::doAddNullPoint(x);
}

// ---- TSumLine ----

TSumLine::TSumLine(std::unique_ptr<Series> source)
    : LineSeries(SeriesClass::SumLine, std::move(source))
{}

std::unique_ptr<Series> MakeFieldSeries(FieldCategory category, bool isSum, ChartHost* chart)
{
    switch (category) {
        case FieldCategory::Inputs:
            return std::make_unique<LineSeries>(chart);
        case FieldCategory::Outputs: {
            auto line = std::make_unique<TOffsetLine>(chart);
            line->setStairs(true);
            return line;
        }
        case FieldCategory::Others:
        default:
            if (isSum)
                return std::make_unique<TSumBars>(chart);
            return std::make_unique<TOffsetLine>(chart);
    }
}

} // namespace korvex
