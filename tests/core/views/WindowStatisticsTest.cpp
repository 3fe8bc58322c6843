#include "core/views/WindowStatistics.h"

#include "core/logdata/Aggregation.h"
#include "core/logdata/CustomSeries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace korvex {
namespace {

const DayTime kDay = EncodeDate(2012, 2, 28);

DayTime At(int h, int m, int dayOffset = 0)
{
    return kDay + dayOffset + EncodeTime(h, m);
}

// Power 1, 2, 3, 4 kW every two minutes from 10:00.
std::unique_ptr<TOffsetLine> Ramp()
{
    auto p = std::make_unique<TOffsetLine>(nullptr);
    for (int i = 0; i < 4; ++i)
        p->addPoint(At(10, 2 * i), i + 1);
    return p;
}

TEST(WindowStatistics, PowerRampIntegralMeanAndExtremes)
{
    const WindowStatistics s =
        ComputeWindowStatistics(*Ramp(), At(10, 0), At(10, 7), kPowerUnitsPerDay);
    ASSERT_TRUE(s.hasValue);
    EXPECT_EQ(s.min, 1);
    EXPECT_EQ(s.minAt, At(10, 0));
    EXPECT_EQ(s.max, 4);
    EXPECT_EQ(s.maxAt, At(10, 6));
    // 1/60 for the first minute, then trapezoids (1+2, 2+3, 3+4) x 2/1440 days x 12.
    ASSERT_TRUE(s.integral);
    EXPECT_NEAR(*s.integral, 1.0 / 60 + 12 * 2.0 / 1440 * 15, 1e-12);
    // Covered: one minute + six minutes = 7/60 h.
    EXPECT_NEAR(s.mean, *s.integral / (7.0 / 60), 1e-12);
}

TEST(WindowStatistics, WindowEdgesTakeStartAndLeaveEnd)
{
    const WindowStatistics s =
        ComputeWindowStatistics(*Ramp(), At(10, 2), At(10, 6), kPowerUnitsPerDay);
    EXPECT_EQ(s.min, 2);
    EXPECT_EQ(s.minAt, At(10, 2));
    EXPECT_EQ(s.max, 3); // the point at the window's end is not inside it
    EXPECT_NEAR(*s.integral, 2.0 / 60 + 5 * 2.0 / 1440 * 12, 1e-12);
    const WindowStatistics empty =
        ComputeWindowStatistics(*Ramp(), At(10, 7), At(11, 0), kPowerUnitsPerDay);
    EXPECT_FALSE(empty.hasValue);
    EXPECT_FALSE(empty.integral);
}

TEST(WindowStatistics, FlowWithGapNullsAndTies)
{
    TOffsetLine v(nullptr);
    v.addPoint(At(8, 0), 10);
    v.addPoint(At(8, 10), 10);
    v.addNullPoint(At(8, 10));
    v.addPoint(At(9, 0), 20);
    v.addPoint(At(9, 1), 30);
    v.addNullPoint(At(9, 1));
    const WindowStatistics s = ComputeWindowStatistics(v, kDay, kDay + 1, kFlowUnitsPerDay);
    // 10 + 20 x 10 x 720/1440 = 110 litres before the gap; 20 + 50 x 1/1440 x 720 = 45 after.
    EXPECT_NEAR(*s.integral, 155, 1e-9);
    EXPECT_NEAR(s.mean, 155.0 / 13, 1e-9); // 1 + 10 + 1 + 1 minutes covered
    EXPECT_EQ(s.minAt, At(8, 0));          // two minima of 10: the earlier
    EXPECT_EQ(s.max, 30);
    EXPECT_EQ(s.maxAt, At(9, 1));
}

TEST(WindowStatistics, OtherFieldsHaveATimeWeightedMeanOnly)
{
    LineSeries t(nullptr);
    t.addPoint(At(10, 0), 20);
    t.addPoint(At(10, 10), 30);
    t.addPoint(At(11, 10), 30); // a compressed hour at 30
    const WindowStatistics s = ComputeWindowStatistics(t, kDay, kDay + 1, 0);
    EXPECT_FALSE(s.integral);
    // (20 x 1 + 25 x 10 + 30 x 60) / 71 minutes: the hour at 30 outweighs the two samples.
    EXPECT_NEAR(s.mean, 2070.0 / 71, 1e-9);
}

TEST(WindowStatistics, AWholeDayEqualsTheDaySum)
{
    // Two days of one-minute power with a midday gap on the first, reader-style closing nulls.
    TOffsetLine p(nullptr);
    for (int d = 0; d < 2; ++d) {
        for (int m = 0; m < 1440; ++m) {
            if (d == 0 && m == 720)
                p.addNullPoint(At(12, 0, d));
            if (d == 0 && m >= 700 && m < 720)
                continue;
            p.addPoint(kDay + d + m / 1440.0, 3.0 + 2.5 * std::sin(m / 200.0) + 0.01 * (m % 7));
        }
        p.addNullPoint(kDay + d + 1439 / 1440.0);
    }
    for (int d = 0; d < 2; ++d) {
        const WindowStatistics s =
            ComputeWindowStatistics(p, kDay + d, kDay + d + 1, kPowerUnitsPerDay);
        EXPECT_DOUBLE_EQ(*s.integral, DaySum(p, kPowerUnitsPerDay, kDay + d));
    }
    // Two halves of a day add up to the day, less the one minute the second run start counts.
    const double morning =
        *ComputeWindowStatistics(p, kDay + 1, At(12, 0, 1), kPowerUnitsPerDay).integral;
    const double afternoon =
        *ComputeWindowStatistics(p, At(12, 0, 1), kDay + 2, kPowerUnitsPerDay).integral;
    const double joint =
        (p.y(p.lowerBound(At(12, 0, 1)) - 1) + p.y(p.lowerBound(At(12, 0, 1)))) * 12.0 / 1440.0;
    EXPECT_NEAR(morning + afternoon - p.y(p.lowerBound(At(12, 0, 1))) / 60 + joint,
                DaySum(p, kPowerUnitsPerDay, kDay + 1), 1e-9);
}

// Many graphs over a long window are spread over threads: every graph must get exactly the
// figures it gets alone, in its own place, whatever finishes first. Lengths, steps, gaps and
// field kinds differ per graph; one slot has no series.
TEST(WindowStatistics, ManyGraphsGiveWhatEachGivesAlone)
{
    std::vector<std::unique_ptr<Series>> series;
    std::vector<StatisticsRequest> requests;
    for (int g = 0; g < 7; ++g) {
        auto s = std::make_unique<TOffsetLine>(nullptr);
        const int step = 1 + g % 3; // minutes
        const int days = 30 + 11 * g;
        for (int m = 0; m < days * 1440; m += step) {
            if (m % (997 * (g + 1)) == 0)
                s->addNullPoint(kDay + m / 1440.0);
            else
                s->addPoint(kDay + m / 1440.0, 10 * g + 4 * std::sin(m / (60.0 + g)) - g);
        }
        requests.push_back({s.get(), g % 3 == 0 ? kPowerUnitsPerDay : g % 3 == 1 ? 1440 : 0});
        series.push_back(std::move(s));
    }
    requests.insert(requests.begin() + 3, StatisticsRequest{});
    const DayTime from = At(6, 30, 2), to = At(18, 0, 60);
    const std::vector<WindowStatistics> all = ComputeWindowStatistics(requests, from, to);
    ASSERT_EQ(all.size(), requests.size());
    EXPECT_FALSE(all[3].hasValue);
    for (std::size_t i = 0; i < requests.size(); ++i) {
        if (!requests[i].series)
            continue;
        SCOPED_TRACE(i);
        const WindowStatistics one =
            ComputeWindowStatistics(*requests[i].series, from, to, requests[i].unitsPerDay);
        ASSERT_TRUE(one.hasValue);
        EXPECT_EQ(all[i].min, one.min);
        EXPECT_EQ(all[i].minAt, one.minAt);
        EXPECT_EQ(all[i].max, one.max);
        EXPECT_EQ(all[i].maxAt, one.maxAt);
        EXPECT_EQ(all[i].mean, one.mean);
        EXPECT_EQ(all[i].integral, one.integral);
    }
}

} // namespace
} // namespace korvex
