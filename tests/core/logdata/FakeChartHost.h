#pragma once

#include "core/logdata/ChartHost.h"
#include "core/logdata/Series.h"

#include <algorithm>
#include <vector>

namespace korvex::test {

// Records what a data set asks of its chart.
class FakeChartHost : public ChartHost {
public:
    void addSeries(Series& series) override
    {
        if (!hasSeries(series))
            series_.push_back(&series);
        ++adds;
    }
    void removeSeries(Series& series) override
    {
        series_.erase(std::remove(series_.begin(), series_.end(), &series), series_.end());
        ++removes;
    }
    bool hasSeries(const Series& series) const override
    {
        return std::find(series_.begin(), series_.end(), &series) != series_.end();
    }
    void attachToAxis(Series& series, VerticalAxis axis) override
    {
        axisCalls.push_back({&series, axis});
    }
    void requestRepaint() override { ++repaints; }
    int plotAreaWidth() const override { return width; }

    const std::vector<Series*>& series() const { return series_; }

    struct AxisCall {
        Series* series;
        VerticalAxis axis;
    };
    std::vector<AxisCall> axisCalls;
    int adds = 0;
    int removes = 0;
    int repaints = 0;
    int width = 720;

private:
    std::vector<Series*> series_;
};

} // namespace korvex::test
