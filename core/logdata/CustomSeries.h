#pragma once

#include "core/logdata/Series.h"

#include <cstdint>
#include <memory>

namespace korvex {

// Line series with a vertical offset in Y units: controller outputs are drawn as step lines,
// each in its own band. The axis range follows the shifted line.
class TOffsetLine : public LineSeries {
public:
    explicit TOffsetLine(ChartHost* owner);
    // Created on the source's chart with the source's points; offset 0.
    explicit TOffsetLine(std::unique_ptr<Series> source);

    // Stores the offset and hands it on to the source, so that switching back keeps the band.
    void setOffset(int value) override;
    double largestY() const override;
    double smallestY() const override;
};

// Area series filled from its offset up (or down) to the shifted values; no stacking.
class TOffsetArea : public Series {
public:
    // Takes the source's offset, stairs and drawing properties.
    explicit TOffsetArea(std::unique_ptr<Series> source);

    void setOffset(int value) override;
    // The base line (the offset) always lies inside the axis range.
    double largestY() const override;
    double smallestY() const override;
};

// One bar per calendar day at day + 0.5; the latest value given for a day wins.
class TSumBars : public Series {
public:
    explicit TSumBars(ChartHost* owner);
    explicit TSumBars(std::unique_ptr<Series> source);

    bool acceptNulls() const { return acceptNulls_; }
    void setAcceptNulls(bool on) { acceptNulls_ = on; }

protected:
    // A null point is dropped (-1) unless nulls are accepted; otherwise the bar of floor(x) is
    // replaced or inserted at floor(x) + 0.5. Returns the bar's index.
    int doAddPoint(double x, double y) override;
    // Dropped (0) unless nulls are accepted; then a plain null point at x.
    int doAddNullPoint(double x) override;

private:
    void initBars();

    std::int32_t lastDay_ = -1;
    std::int32_t lastBarIndex_ = 0;
    bool acceptNulls_ = false;
};

// A sum field shown as a line through its bars; no behaviour of its own.
class TSumLine : public LineSeries {
public:
    explicit TSumLine(std::unique_ptr<Series> source);
};

// The series a new field slot gets: Inputs a plain line, Outputs a stepped TOffsetLine, Others
// a TSumBars for sums and a TOffsetLine otherwise.
std::unique_ptr<Series> MakeFieldSeries(FieldCategory category, bool isSum, ChartHost* chart);

} // namespace korvex
