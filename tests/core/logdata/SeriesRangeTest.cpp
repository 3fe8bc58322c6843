// The Y range of a time window, answered from block summaries for long series: always what
// looking at every point of the window gives.

#include "core/logdata/Series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace korvex::test {
namespace {

constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

struct Range {
    bool any = false;
    double low = 0, high = 0;
};

Range EveryPoint(const Series& s, double from, double to)
{
    Range r;
    for (int i = 0; i < s.count(); ++i) {
        if (s.x(i) < from || s.x(i) > to || s.isNull(i))
            continue;
        r.low = r.any ? std::min(r.low, s.y(i)) : s.y(i);
        r.high = r.any ? std::max(r.high, s.y(i)) : s.y(i);
        r.any = true;
    }
    return r;
}

void ExpectSameRange(const Series& s, double from, double to)
{
    SCOPED_TRACE(testing::Message() << "window " << from << " .. " << to);
    const Range want = EveryPoint(s, from, to);
    double low = -1, high = -1;
    ASSERT_EQ(s.yRangeIn(from, to, low, high), want.any);
    if (want.any) {
        EXPECT_EQ(low, want.low);
        EXPECT_EQ(high, want.high);
    }
}

// Five days of points every 90 seconds: a daily wave, a spike and a dip in single points, a
// plateau of ties, a stretch of nulls longer than a block and single nulls here and there.
LineSeries& FiveDays(LineSeries& s)
{
    const double step = 90.0 / 86400;
    for (int i = 0; i < 5 * 960; ++i) {
        const double x = 45000 + i * step;
        double y = 20 + 15 * std::sin(i * 0.0065) + (i % 7) * 0.125;
        if (i == 1234)
            y = 97.5;
        if (i == 3001)
            y = -41.25;
        if (i >= 2000 && i < 2300)
            y = 33.5;
        if ((i >= 600 && i < 1000) || i % 97 == 0)
            y = kNull;
        s.addPoint(x, y);
    }
    return s;
}

TEST(SeriesRange, EveryWindowGivesWhatEveryPointGives)
{
    LineSeries s(nullptr);
    FiveDays(s);
    const double step = 90.0 / 86400;
    // Whole, block-aligned, off by one point, inside one block, empty, beyond both ends.
    ExpectSameRange(s, 44000, 46000);
    ExpectSameRange(s, s.x(256), s.x(1023));
    ExpectSameRange(s, s.x(257), s.x(1024));
    ExpectSameRange(s, s.x(255) + step / 2, s.x(3072) - step / 2);
    ExpectSameRange(s, s.x(1234), s.x(1234));
    ExpectSameRange(s, s.x(1235), s.x(3000));
    ExpectSameRange(s, s.x(10), s.x(200));
    ExpectSameRange(s, s.x(600), s.x(999)); // nulls only
    ExpectSameRange(s, 46000, 47000);
    ExpectSameRange(s, 45001.5, 45000.5); // reversed
    for (int a = 0; a < s.count(); a += 377)
        for (int b = a; b < s.count(); b += 611)
            ExpectSameRange(s, s.x(a), s.x(b));
}

TEST(SeriesRange, ChangedPointsAreSeenAtTheNextQuestion)
{
    LineSeries s(nullptr);
    FiveDays(s);
    double low = 0, high = 0;
    ASSERT_TRUE(s.yRangeIn(44000, 46000, low, high));
    EXPECT_EQ(high, 97.5);
    // A new extreme inside a summarised block, then points appended after the last.
    s.setY(2100, 150.25);
    ExpectSameRange(s, 44000, 46000);
    ASSERT_TRUE(s.yRangeIn(44000, 46000, low, high));
    EXPECT_EQ(high, 150.25);
    const double xs[] = {45006, 45006.25, 45006.5};
    const double ys[] = {-80.5, kNull, 12};
    s.appendPoints(xs, ys, 3);
    ExpectSameRange(s, 44000, 46000);
    ExpectSameRange(s, 45004, 45006.3);
    s.setY(2100, 21);
    ExpectSameRange(s, 44000, 46000);
    s.clear();
    EXPECT_FALSE(s.yRangeIn(44000, 46000, low, high));
}

TEST(SeriesRange, AWrapperAsksItsDataHolder)
{
    auto holder = std::make_unique<LineSeries>(nullptr);
    FiveDays(*holder);
    const Range want = EveryPoint(*holder, 45001, 45003);

    class Wrapper : public LineSeries {
    public:
        explicit Wrapper(std::unique_ptr<Series> source)
            : LineSeries(SeriesClass::OffsetLine, std::move(source))
        {}
    };
    Wrapper wrapper(std::move(holder));
    double low = 0, high = 0;
    ASSERT_TRUE(wrapper.yRangeIn(45001, 45003, low, high));
    EXPECT_EQ(low, want.low);
    EXPECT_EQ(high, want.high);
}

} // namespace
} // namespace korvex::test
