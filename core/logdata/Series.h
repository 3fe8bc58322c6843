#pragma once

#include "core/logdata/ChartHost.h"
#include "core/logdata/FieldCategory.h"
#include "core/logdata/PointColumns.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvex {

// The concrete kind of a series; the chart picks its plottable from it.
enum class SeriesClass : std::uint8_t {
    Line,       // plain line series (Inputs fields)
    OffsetLine, // TOffsetLine
    OffsetArea, // TOffsetArea
    SumBars,    // TSumBars
    SumLine,    // TSumLine
};

// How the points are drawn.
enum class DrawStyle : std::uint8_t {
    Line, // polyline (or steps when stairs is on), broken at null points
    Area, // filled between areaOrigin() and the shifted values, outlined
    Bars, // one bar per point from yOrigin() to the value
};

// A list of points in ascending X order (X = DayTime, Y = value); a null point has Y = NaN and
// breaks the line. The points live in two columns (PointColumns.h) that a chart draws from
// without copies; each keeps 4 bytes per point while its values allow that exactly.
//
// A series built around another one (its source) shows the source's points: every point
// operation of a wrapper reads and writes the innermost source, the data holder. The wrapper
// owns its source until detachSource() hands it back.
//
// Every change of points or offset raises dataVersion(); every change of a drawing property
// raises styleVersion(). A chart keeps the versions it drew and rebuilds when they differ.
class Series {
public:
    virtual ~Series();
    Series(const Series&) = delete;
    Series& operator=(const Series&) = delete;

    SeriesClass seriesClass() const { return class_; }
    DrawStyle drawStyle() const { return style_; }

    // The chart the series was created on (may be null in tests or before charts exist).
    ChartHost* chart() const { return chart_; }
    void setChart(ChartHost* chart) { chart_ = chart; }

    // ---- Source link ----
    Series* source() const { return source_.get(); }
    std::unique_ptr<Series> detachSource();
    Series& dataHolder();
    const Series& dataHolder() const;

    // ---- Points (all forwarded to the data holder) ----
    int count() const { return static_cast<int>(dataHolder().xs_.size()); }
    bool empty() const { return dataHolder().xs_.size() == 0; }
    double x(int i) const { return xs()[static_cast<std::size_t>(i)]; }
    double y(int i) const { return ys()[static_cast<std::size_t>(i)]; }
    bool isNull(int i) const;
    // Views valid until the points change. Loops over many points take the concrete form once
    // with VisitPoints(xs(), ys(), f) instead of deciding it at every point.
    TimeView xs() const { return dataHolder().xs_.view(); }
    ValueView ys() const { return dataHolder().ys_.view(); }

    // Adds a point in X order (after points with equal X); returns its index. A NaN y is a
    // null point. TSumBars snaps to the middle of the day and keeps one bar per day.
    int addPoint(double x, double y);
    int addNullPoint(double x);
    // The caller keeps the X order.
    void setX(int i, double x);
    void setY(int i, double y);
    void clear();
    // Adds many points, already in ascending X order, keeping the whole list in X order (an
    // append when they all lie at or after the last point, else a stable merge). Plain point
    // semantics: no day snapping. expected: how many points the series will likely hold in
    // the end (0 when unknown); when the arrays must grow, they grow to that at once.
    void appendPoints(const double* xs, const double* ys, std::size_t n, std::size_t expected = 0);
    // Heap capacity of the point arrays, in points.
    std::size_t capacity() const { return dataHolder().xs_.capacity(); }
    // Index of the first point with X >= x (count() when none).
    int lowerBound(double x) const;
    double firstX() const; // 0 when empty
    double lastX() const;  // 0 when empty
    void reserve(std::size_t n);
    void shrinkToFit();
    // Heap bytes of the point arrays (capacity) plus the object itself, source included.
    std::size_t memoryBytes() const;

    // Smallest and largest non-null Y (offset not applied) of the points with from <= X <= to;
    // false when there is none. Long series answer from per-block summaries kept until their
    // points change, so a year of points costs a few thousand steps instead of its length.
    bool yRangeIn(double from, double to, double& low, double& high) const;
    // The same summaries for drawing, valid until the points change.
    PointBlocks pointBlocks() const;

    // Largest and smallest non-null Y as the axis range sees them (offset rules of the offset
    // classes applied); 0 when there is no non-null point.
    virtual double largestY() const;
    virtual double smallestY() const;

    // ---- Offset (TOffsetLine, TOffsetArea; 0 and ignored for the other classes) ----
    int offset() const { return offset_; }
    virtual void setOffset(int value);
    // Y of point i as drawn: Y + offset.
    double displayY(int i) const { return y(i) + offset_; }
    // Area series fill from here to the shifted values.
    double areaOrigin() const { return offset_; }

    std::uint64_t dataVersion() const;
    std::uint64_t styleVersion() const { return styleVersion_; }

    // ---- Drawing properties ----
    Colour colour() const { return colour_; }
    void setColour(Colour c);
    const std::string& title() const { return title_; }
    void setTitle(const std::string& t);
    int penWidth() const { return penWidth_; }
    void setPenWidth(int w);
    bool stairs() const { return stairs_; }
    void setStairs(bool on);
    VerticalAxis axis() const { return axis_; }
    void setAxis(VerticalAxis a);
    bool showInLegend() const { return showInLegend_; }
    void setShowInLegend(bool on);
    // Outline of areas and bars.
    bool outlineVisible() const { return outlineVisible_; }
    void setOutlineVisible(bool on);
    Colour outlineColour() const { return outlineColour_; }
    void setOutlineColour(Colour c);
    int outlineWidth() const { return outlineWidth_; }
    void setOutlineWidth(int w);
    // Bars: width in percent of the slot between neighbouring bars, unless a fixed width in
    // pixels is set (0 = automatic sizing).
    int barWidthPercent() const { return barWidthPercent_; }
    void setBarWidthPercent(int percent);
    int fixedBarWidth() const { return fixedBarWidth_; }
    void setFixedBarWidth(int pixels);
    double yOrigin() const { return yOrigin_; }
    bool useYOrigin() const { return useYOrigin_; }
    void setYOrigin(double origin, bool use);
    bool marksVisible() const { return marksVisible_; }
    void setMarksVisible(bool on);

protected:
    Series(SeriesClass cls, DrawStyle style, ChartHost* chart);
    // Takes the source and copies its drawing properties.
    Series(SeriesClass cls, DrawStyle style, std::unique_ptr<Series> source);

    // Called on the data holder only.
    virtual int doAddPoint(double x, double y);
    virtual int doAddNullPoint(double x);
    int insertSorted(double x, double y);
    void touchData() { ++dataVersion_; }
    void touchStyle() { ++styleVersion_; }
    // A drawing property changed only when its value did: charts restyle on the version.
    template <class T, class U>
    void restyle(T& property, const U& value)
    {
        if (property != value) {
            property = value;
            touchStyle();
        }
    }
    void storeOffset(int value);

private:
    struct YSummary;
    void copyStyleFrom(const Series& other);
    void growFor(std::size_t extra);
    // The block summaries of this data holder, built afresh when its points changed.
    const YSummary& ySummary() const;

    SeriesClass class_;
    DrawStyle style_;
    ChartHost* chart_ = nullptr;
    std::unique_ptr<Series> source_;
    TimeColumn xs_;
    ValueColumn ys_;
    mutable std::unique_ptr<YSummary> ySummary_;
    int offset_ = 0;
    std::uint64_t dataVersion_ = 1;
    std::uint64_t styleVersion_ = 1;

    Colour colour_ = 0;
    std::string title_;
    int penWidth_ = 1;
    bool stairs_ = false;
    VerticalAxis axis_ = VerticalAxis::Left;
    bool showInLegend_ = true;
    bool outlineVisible_ = true;
    Colour outlineColour_ = 0;
    int outlineWidth_ = 1;
    int barWidthPercent_ = 75;
    int fixedBarWidth_ = 0;
    double yOrigin_ = 0;
    bool useYOrigin_ = false;
    bool marksVisible_ = false;
};

// The chart component's own line series: used for Inputs fields.
class LineSeries : public Series {
public:
    explicit LineSeries(ChartHost* chart) : Series(SeriesClass::Line, DrawStyle::Line, chart) {}

protected:
    LineSeries(SeriesClass cls, ChartHost* chart) : Series(cls, DrawStyle::Line, chart) {}
    LineSeries(SeriesClass cls, std::unique_ptr<Series> source)
        : Series(cls, DrawStyle::Line, std::move(source))
    {}
};

} // namespace korvex
