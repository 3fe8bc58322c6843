#pragma once

// Helpers for the chart tests: series from point lists, a chart drawn without smoothing so that
// colours are exact, and pixel probes of the rendered image.

#include "core/logdata/CustomSeries.h"
#include "core/services/DayTime.h"
#include "ui/chart/ChartWidget.h"

#include <QImage>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace korvex::test {

constexpr Colour kRed = 0x0000FF; // 0x00BBGGRR
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kGreen = 0x00A000;

inline const DayTime kDay = EncodeDate(2008, 5, 15);

using PointList = std::vector<std::pair<double, double>>; // NaN y = null point

template <class S = LineSeries>
std::unique_ptr<S> MakeSeries(ChartHost* chart, const PointList& points, Colour colour,
                              int penWidth = 1)
{
    auto series = std::make_unique<S>(chart);
    for (const auto& [x, y] : points) {
        if (std::isnan(y))
            series->addNullPoint(x);
        else
            series->addPoint(x, y);
    }
    series->setColour(colour);
    series->setPenWidth(penWidth);
    return series;
}

// A chart of the given size without smoothing, one day on the bottom axis, 0..100 on the left.
inline void PrepareChart(ChartWidget& chart, int width = 800, int height = 400)
{
    chart.resize(width, height);
    chart.setNotAntialiasedElements(QCP::aeAll);
    chart.BottomAxis().SetMinMax(kDay, kDay + 1);
    chart.LeftAxis().SetMinMax(0, 100);
    chart.LeftAxis().SetGridVisible(false);
    chart.BottomAxis().SetGridVisible(false);
}

inline bool Matches(QRgb pixel, Colour colour)
{
    return qRed(pixel) == static_cast<int>(colour & 0xFF) &&
           qGreen(pixel) == static_cast<int>((colour >> 8) & 0xFF) &&
           qBlue(pixel) == static_cast<int>((colour >> 16) & 0xFF);
}

// Rows [first, last] of column x that carry the colour; (-1, -1) when none.
inline std::pair<int, int> ColumnExtent(const QImage& image, int x, Colour colour)
{
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y) {
        if (Matches(image.pixel(x, y), colour)) {
            if (first < 0)
                first = y;
            last = y;
        }
    }
    return {first, last};
}

// Columns [first, last] of row y that carry the colour; (-1, -1) when none.
inline std::pair<int, int> RowExtent(const QImage& image, int y, Colour colour)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (Matches(image.pixel(x, y), colour)) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    return {first, last};
}

inline int CountColour(const QImage& image, Colour colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += Matches(image.pixel(x, y), colour) ? 1 : 0;
    return n;
}

inline int Px(const ChartWidget& chart, double x)
{
    return static_cast<int>(std::lround(chart.BottomAxis().PixelOf(x)));
}
inline int Py(const ChartAxis& axis, double y)
{
    return static_cast<int>(std::lround(axis.PixelOf(y)));
}

} // namespace korvex::test
