#pragma once

namespace korvex {

class Series;

enum class VerticalAxis : unsigned char { Left, Right };

// What a data set needs of a chart. The core decides what is shown; the chart only draws the
// series it holds, reading their points and drawing properties (see Series).
class ChartHost {
public:
    virtual ~ChartHost() = default;

    // Adding a series that is already on the chart, or removing one that is not, does nothing.
    virtual void addSeries(Series& series) = 0;
    virtual void removeSeries(Series& series) = 0;
    virtual bool hasSeries(const Series& series) const = 0;
    // The series' own axis property has already been set when this is called.
    virtual void attachToAxis(Series& series, VerticalAxis axis) = 0;
    // Draw again soon; several requests may make one drawing pass.
    virtual void requestRepaint() = 0;
    // Width of the plot area in pixels (fixed width of sum bars in sum mode).
    virtual int plotAreaWidth() const = 0;
};

} // namespace korvex
