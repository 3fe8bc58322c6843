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

// Within a millisecond: clipped edges are taken to the millisecond.
constexpr double kTimeTolerance = 1.0 / 86400000.0;

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
    const WindowStatistics s = ComputeWindowStatistics(*Ramp(), CurveKind::Linear, At(10, 0),
                                                       At(10, 7), kPowerUnitsPerDay);
    ASSERT_TRUE(s.hasValue);
    EXPECT_EQ(s.min, 1);
    EXPECT_EQ(s.minAt, At(10, 0));
    EXPECT_EQ(s.max, 4);
    EXPECT_EQ(s.maxAt, At(10, 6));
    // 1 kW for the run's first minute (1/60 kWh), then 3 + 5 + 7 kW·min of trapezoids = 0.25 kWh.
    ASSERT_TRUE(s.integral);
    EXPECT_NEAR(*s.integral, 1.0 / 60 + 0.25, 1e-12);
    // A straight ramp from 1 to 4: its mean is 2.5, the covered time being the six minutes drawn.
    EXPECT_NEAR(s.mean, 2.5, 1e-12);
}

TEST(WindowStatistics, EdgesCutTheLineWhereTheWindowCutsIt)
{
    // Window 10:02-10:06 of the ramp: the line runs from 2 up to 4 at the window's end.
    const WindowStatistics s = ComputeWindowStatistics(*Ramp(), CurveKind::Linear, At(10, 2),
                                                       At(10, 6), kPowerUnitsPerDay);
    EXPECT_EQ(s.min, 2);
    EXPECT_EQ(s.minAt, At(10, 2));
    EXPECT_EQ(s.max, 4);
    EXPECT_EQ(s.maxAt, At(10, 6));
    EXPECT_NEAR(s.mean, 3, 1e-12);
    // The run began before the window: no first minute, just 4 minutes at a mean of 3 kW.
    EXPECT_NEAR(*s.integral, 0.2, 1e-12);
    // Window 10:01-10:05 cuts both outer segments in their middle: 1.5 ... 3.5 kW.
    const WindowStatistics mid = ComputeWindowStatistics(*Ramp(), CurveKind::Linear, At(10, 1),
                                                         At(10, 5), kPowerUnitsPerDay);
    EXPECT_NEAR(mid.min, 1.5, 1e-9);
    EXPECT_NEAR(mid.minAt, At(10, 1), kTimeTolerance);
    EXPECT_NEAR(mid.max, 3.5, 1e-9);
    EXPECT_NEAR(mid.mean, 2.5, 1e-9);
    EXPECT_NEAR(*mid.integral, 2.5 * 4 / 60, 1e-9);
    const WindowStatistics empty = ComputeWindowStatistics(*Ramp(), CurveKind::Linear, At(10, 7),
                                                           At(11, 0), kPowerUnitsPerDay);
    EXPECT_FALSE(empty.hasValue);
    EXPECT_FALSE(empty.integral);
}

// An output stored as the reader stores it: 100 % from 00:00 to 00:02 (a compressed run, first
// and last point), 0 % from 00:03 to the day's end, the day closed by a null point.
TEST(WindowStatistics, StepsHoldUntilTheNextPointAcrossWindowEdges)
{
    LineSeries r(nullptr);
    r.setStairs(true);
    r.addPoint(At(0, 0), 100);
    r.addPoint(At(0, 2), 100);
    r.addPoint(At(0, 3), 0);
    r.addPoint(At(23, 59), 0);
    r.addNullPoint(At(23, 59));
    const WindowStatistics hour =
        ComputeWindowStatistics(r, CurveKind::Steps, At(0, 0), At(1, 0), 0);
    EXPECT_NEAR(hour.mean, 5, 1e-9); // 100 % for 3 of 60 minutes
    EXPECT_EQ(hour.max, 100);
    EXPECT_EQ(hour.maxAt, At(0, 0));
    EXPECT_EQ(hour.min, 0);
    EXPECT_EQ(hour.minAt, At(0, 3));
    // A window inside the run of zeros has its value, from the window's start.
    const WindowStatistics inside =
        ComputeWindowStatistics(r, CurveKind::Steps, At(5, 0), At(13, 0), 0);
    ASSERT_TRUE(inside.hasValue);
    EXPECT_EQ(inside.min, 0);
    EXPECT_EQ(inside.minAt, At(5, 0));
    EXPECT_EQ(inside.max, 0);
    EXPECT_EQ(inside.mean, 0);
    // 00:01-00:31: two minutes at 100 %, 28 at 0 %; the maximum first holds at the window's start.
    const WindowStatistics cut =
        ComputeWindowStatistics(r, CurveKind::Steps, At(0, 1), At(0, 31), 0);
    EXPECT_NEAR(cut.mean, 200.0 / 30, 1e-9);
    EXPECT_NEAR(cut.maxAt, At(0, 1), kTimeTolerance);
    EXPECT_EQ(cut.minAt, At(0, 3));
}

// Flow every five minutes in two runs with a gap between them.
TEST(WindowStatistics, GapsDoNotCountAndClippedRunsLoseTheirFirstMinute)
{
    TOffsetLine v(nullptr);
    v.addPoint(At(0, 0), 2);
    v.addPoint(At(0, 5), 4);
    v.addNullPoint(At(0, 30));
    v.addPoint(At(0, 30), 6);
    v.addPoint(At(0, 35), 6);
    v.addPoint(At(0, 40), 0);
    v.addNullPoint(At(0, 40));
    // Whole day: 15 + 30 + 15 l·min/min over 15 covered minutes; volume adds 2 + 6 first minutes.
    const WindowStatistics day =
        ComputeWindowStatistics(v, CurveKind::Linear, kDay, kDay + 1, kFlowUnitsPerDay);
    EXPECT_NEAR(day.mean, 4, 1e-9);
    EXPECT_NEAR(*day.integral, 68, 1e-9);
    EXPECT_NEAR(*day.integral, DaySum(v, kFlowUnitsPerDay, kDay), 1e-12);
    EXPECT_EQ(day.max, 6);
    EXPECT_EQ(day.maxAt, At(0, 30)); // two of a kind: the earlier
    // 00:02-00:37: 2.8 -> 4 over 3 min (10.2 l), the second run whole from 00:30 (its first
    // minute 6 l, then 30 l) and cut at 00:37 at 3.6 l/min (9.6 l).
    const WindowStatistics cut =
        ComputeWindowStatistics(v, CurveKind::Linear, At(0, 2), At(0, 37), kFlowUnitsPerDay);
    EXPECT_NEAR(*cut.integral, 10.2 + 6 + 30 + 9.6, 1e-9);
    EXPECT_NEAR(cut.mean, (10.2 + 30 + 9.6) / 10, 1e-9);
    EXPECT_NEAR(cut.min, 2.8, 1e-9);
    EXPECT_NEAR(cut.minAt, At(0, 2), kTimeTolerance);
    EXPECT_NEAR(cut.max, 6, 1e-12);
    // A window that lies in the gap has nothing.
    EXPECT_FALSE(
        ComputeWindowStatistics(v, CurveKind::Linear, At(0, 10), At(0, 25), kFlowUnitsPerDay)
            .hasValue);
}

TEST(WindowStatistics, AWindowInsideOneCompressedRunHasThatRunsValue)
{
    LineSeries t(nullptr);
    t.addPoint(At(7, 0), 40);
    t.addPoint(At(8, 0), 45.5);
    t.addPoint(At(16, 0), 45.5);
    t.addPoint(At(16, 1), 47);
    const WindowStatistics s = ComputeWindowStatistics(t, CurveKind::Linear, At(10, 0), At(11, 0), 0);
    EXPECT_EQ(s.min, 45.5);
    EXPECT_EQ(s.max, 45.5);
    EXPECT_EQ(s.minAt, At(10, 0));
    EXPECT_NEAR(s.mean, 45.5, 1e-12);
    EXPECT_FALSE(s.integral);
    const WindowStatistics wide = ComputeWindowStatistics(t, CurveKind::Linear, At(7, 30), At(16, 1), 0);
    // 07:30-08:00: 42.75 -> 45.5 (30 min), then 8 h at 45.5, then 45.5 -> 47 over a minute.
    EXPECT_NEAR(wide.mean, (30 * (42.75 + 45.5) / 2 + 480 * 45.5 + 46.25) / 511, 1e-9);
    EXPECT_NEAR(wide.min, 42.75, 1e-9);
    EXPECT_EQ(wide.max, 47);
    EXPECT_EQ(wide.maxAt, At(16, 1));
}

// A power day of three-minute samples with hand-summed figures: 1.2 kW at 08:00, 2.4 kW at 08:03
// and 08:06, 0 at 08:09, closed by a null point as the reader closes a day.
TEST(WindowStatistics, AWholeDayAndItsHalvesGiveTheHandSummedEnergy)
{
    TOffsetLine p(nullptr);
    p.addPoint(At(8, 0), 1.2);
    p.addPoint(At(8, 3), 2.4);
    p.addPoint(At(8, 6), 2.4);
    p.addPoint(At(8, 9), 0);
    p.addNullPoint(At(8, 9));
    // 0.02 first minute + 0.09 + 0.12 + 0.06 kWh of trapezoids.
    const WindowStatistics day =
        ComputeWindowStatistics(p, CurveKind::Linear, kDay, kDay + 1, kPowerUnitsPerDay);
    EXPECT_NEAR(*day.integral, 0.29, 1e-12);
    EXPECT_NEAR(DaySum(p, kPowerUnitsPerDay, kDay), 0.29, 1e-12);
    // Cut at 08:04 (2.4 kW): 0.02 + 0.09 + 0.04 before, 0.08 + 0.06 after; the halves add up.
    const double before =
        *ComputeWindowStatistics(p, CurveKind::Linear, kDay, At(8, 4), kPowerUnitsPerDay).integral;
    const double after =
        *ComputeWindowStatistics(p, CurveKind::Linear, At(8, 4), kDay + 1, kPowerUnitsPerDay).integral;
    EXPECT_NEAR(before, 0.15, 1e-12);
    EXPECT_NEAR(after, 0.14, 1e-12);
    EXPECT_NEAR(day.mean, (0.29 - 0.02) * 60 / 9, 1e-12); // 1.8 kW over the nine minutes drawn
}

TEST(WindowStatistics, AWholeReaderDayGivesTheDaySumBitForBit)
{
    // One-minute power with a midday gap, closing nulls: the same terms in the same order.
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
    for (int d = 0; d < 2; ++d)
        EXPECT_EQ(*ComputeWindowStatistics(p, CurveKind::Linear, kDay + d, kDay + d + 1,
                                           kPowerUnitsPerDay)
                       .integral,
                  DaySum(p, kPowerUnitsPerDay, kDay + d));
}

TEST(WindowStatistics, BarsArePointsWithAPlainMean)
{
    TSumBars bars(nullptr);
    bars.addPoint(kDay + 0.5, 10);
    bars.addPoint(kDay + 1.5, 20);
    bars.addNullPoint(kDay + 2.5);
    bars.addPoint(kDay + 3.5, 20);
    const WindowStatistics s = ComputeWindowStatistics(bars, CurveKind::Points, kDay, kDay + 4, 0);
    EXPECT_NEAR(s.mean, 50.0 / 3, 1e-12);
    EXPECT_EQ(s.max, 20);
    EXPECT_EQ(s.maxAt, kDay + 1.5);
    EXPECT_EQ(s.minAt, kDay + 0.5);
}

// Many graphs over a long window are spread over threads: every graph must get exactly the
// figures it gets alone, in its own place, whatever finishes first. Lengths, steps, gaps, curve
// and field kinds differ per graph; one slot has no series.
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
        const CurveKind kind = g % 2 == 0 ? CurveKind::Linear : CurveKind::Steps;
        requests.push_back({s.get(), kind, g % 3 == 0 ? kPowerUnitsPerDay : g % 3 == 1 ? 1440 : 0});
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
        const WindowStatistics one = ComputeWindowStatistics(
            *requests[i].series, requests[i].kind, from, to, requests[i].unitsPerDay);
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
