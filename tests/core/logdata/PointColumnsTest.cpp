// The compact point storage must give back every coordinate bit for bit, whichever form holds it,
// and switch a column to doubles exactly when a value would not come back.

#include "core/logdata/PointColumns.h"
#include "core/logdata/Series.h"
#include "core/logdata/ShortDecimal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace korvex::test {
namespace {

// A time as the log reader forms it from a day and a time of day in milliseconds.
double Stamp(int day, int second)
{
    return day + static_cast<double>(second * 1000LL) / 86400000.0;
}

// A cell value as the reader parses it: mantissa over a power of ten, negated for '-'.
double Decimal(long long mantissa, int decimals)
{
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    const double v = static_cast<double>(mantissa < 0 ? -mantissa : mantissa) / kPowers[decimals];
    return mantissa < 0 ? -v : v;
}

std::uint64_t Bits(double v)
{
    return std::bit_cast<std::uint64_t>(v);
}

// The series holds exactly the reference points, bit for bit, through every way of reading.
void ExpectPoints(const Series& s, const std::vector<double>& xs, const std::vector<double>& ys)
{
    ASSERT_EQ(s.count(), static_cast<int>(xs.size()));
    const TimeView vx = s.xs();
    const ValueView vy = s.ys();
    ASSERT_EQ(vx.size(), xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Bits(vx[i]), Bits(xs[i])) << vx[i] << " vs " << xs[i];
        EXPECT_EQ(Bits(vy[i]), Bits(ys[i])) << vy[i] << " vs " << ys[i];
        EXPECT_EQ(Bits(s.x(static_cast<int>(i))), Bits(xs[i]));
    }
    // The loops that resolve the form once read the same numbers.
    VisitPoints(vx, vy, [&](auto x, auto y) {
        for (std::size_t i = 0; i < xs.size(); ++i) {
            EXPECT_EQ(Bits(x[i]), Bits(xs[i])) << i;
            EXPECT_EQ(Bits(y[i]), Bits(ys[i])) << i;
        }
    });
    // Searches on the view agree with searches on the plain numbers.
    for (double probe : xs) {
        EXPECT_EQ(s.lowerBound(probe), std::lower_bound(xs.begin(), xs.end(), probe) - xs.begin());
        EXPECT_EQ(std::upper_bound(vx.begin(), vx.end(), probe) - vx.begin(),
                  std::upper_bound(xs.begin(), xs.end(), probe) - xs.begin());
    }
}

TEST(PointColumns, ReaderTimesStayPackedAndExactAcrossDaysDecadesAndEarlierDates)
{
    LineSeries s(nullptr);
    std::vector<double> xs, ys;
    const int base = 45000; // 2023-03-15
    // Uneven steps through a day and over midnight into the next.
    for (int sec = 86400 - 97; sec < 86400; sec += 13) {
        xs.push_back(Stamp(base, sec));
        ys.push_back(Decimal(sec % 700 - 350, 1));
    }
    for (int sec = 0; sec < 200; sec += 7) {
        xs.push_back(Stamp(base + 1, sec));
        ys.push_back(Decimal(sec * 3, 2));
    }
    // Thirty years on, and the last second of a day.
    xs.push_back(Stamp(base + 30 * 365, 86399));
    ys.push_back(Decimal(-45, 0));
    s.appendPoints(xs.data(), ys.data(), xs.size());
    // Earlier than the base day: the day before it and decades before it.
    const std::vector<std::pair<double, double>> early = {{Stamp(base - 1, 43210), 1.5},
                                                          {Stamp(base - 35 * 365, 1), -2.25}};
    for (const auto& [x, y] : early) {
        s.addPoint(x, y);
        const auto at = std::upper_bound(xs.begin(), xs.end(), x) - xs.begin();
        xs.insert(xs.begin() + at, x);
        ys.insert(ys.begin() + at, y);
    }
    ExpectPoints(s, xs, ys);
    EXPECT_FALSE(s.xs().isWide());
    EXPECT_FALSE(s.ys().isWide());

    // Days before the epoch of DayTime count down while their time of day counts up.
    LineSeries old(nullptr);
    const std::vector<double> oldX = {Stamp(-3, 3600), Stamp(-1, 86399), Stamp(0, 0), Stamp(2, 1)};
    const std::vector<double> oldY = {1, 2, 3, 4};
    old.addPoint(oldX[2], oldY[2]);
    old.addPoint(oldX[3], oldY[3]);
    old.addPoint(oldX[1], oldY[1]);
    old.addPoint(oldX[0], oldY[0]);
    ExpectPoints(old, oldX, oldY);
    EXPECT_FALSE(old.xs().isWide());
}

// The tables the compiler made hold the very doubles the processor's division gives.
TEST(PointColumns, WholeMinutesLookedUpAreTheDivisionsOwnDoubles)
{
    for (std::size_t m = 0; m < kWholeMinuteFractions.size(); ++m) {
        volatile double second = static_cast<double>(m * 60);
        ASSERT_TRUE(SameBits(kWholeMinuteFractions[m], second / 86400.0)) << m;
    }
    for (std::uint64_t m = 0; m < SmallDecimalTable::kSize; ++m) {
        volatile double mantissa = static_cast<double>(m);
        ASSERT_TRUE(SameBits(kSmallDecimals.quotients[0][m], mantissa / 1e1)) << m;
        ASSERT_TRUE(SameBits(kSmallDecimals.quotients[1][m], mantissa / 1e2)) << m;
    }
    // Every minute of two days, one of them before the base, with seconds between some of them;
    // a time a hair off a whole minute does not fit and widens the times, bits kept.
    LineSeries s(nullptr);
    std::vector<double> xs, ys;
    for (int day : {45001, 45002})
        for (int sec = 0; sec < 86400; sec += (sec % 7 == 0 ? 37 : 60 - sec % 60))
            xs.push_back(Stamp(day, sec));
    ys.assign(xs.size(), 20.5);
    s.appendPoints(xs.data(), ys.data(), xs.size());
    s.addPoint(Stamp(45000, 86340), 1.0);
    xs.insert(xs.begin(), Stamp(45000, 86340));
    ys.insert(ys.begin(), 1.0);
    ExpectPoints(s, xs, ys);
    EXPECT_FALSE(s.xs().isWide());
    const double off = std::nextafter(Stamp(45002, 600), 0.0);
    s.addPoint(off, 2.0);
    EXPECT_TRUE(s.xs().isWide());
    const auto at = std::upper_bound(xs.begin(), xs.end(), off) - xs.begin();
    xs.insert(xs.begin() + at, off);
    ys.insert(ys.begin() + at, 2.0);
    ExpectPoints(s, xs, ys);
}

TEST(PointColumns, TimesFurtherApartThanTheCodeReachesTurnWideAndKeepTheirBits)
{
    LineSeries s(nullptr);
    std::vector<double> xs = {Stamp(40000, 60), Stamp(40000, 125), Stamp(40000 + 50 * 365, 5)};
    std::vector<double> ys = {1, 2, 3};
    s.appendPoints(xs.data(), ys.data(), 2);
    EXPECT_FALSE(s.xs().isWide());
    s.addPoint(xs[2], ys[2]);
    EXPECT_TRUE(s.xs().isWide());
    EXPECT_FALSE(s.ys().isWide());
    ExpectPoints(s, xs, ys);
}

TEST(PointColumns, TheFirstUnfitTimeWidensAllTimesForGood)
{
    LineSeries s(nullptr);
    std::vector<double> xs, ys;
    for (int i = 0; i < 40; ++i) {
        xs.push_back(Stamp(44000 + i / 10, (i * 3671) % 86400));
        ys.push_back(i);
    }
    std::sort(xs.begin(), xs.end());
    s.appendPoints(xs.data(), ys.data(), xs.size(), 100);
    ASSERT_FALSE(s.xs().isWide());
    const std::size_t capacity = s.capacity();
    // A gap-filled time between two stamps, and a time of a fraction of a second.
    const double odd = (xs[20] + xs[21]) / 2;
    s.addPoint(odd, -1);
    xs.insert(xs.begin() + 21, odd);
    ys.insert(ys.begin() + 21, -1);
    EXPECT_TRUE(s.xs().isWide());
    EXPECT_EQ(s.capacity(), capacity);
    // Later whole seconds go to the doubles too; negative zero and a millisecond keep their bits.
    s.addPoint(Stamp(44010, 10), 5);
    xs.push_back(Stamp(44010, 10));
    ys.push_back(5);
    s.setX(0, -0.0);
    xs[0] = -0.0;
    s.setX(1, 43999 + 1.0 / 86400000.0);
    xs[1] = 43999 + 1.0 / 86400000.0;
    ExpectPoints(s, xs, ys);
    EXPECT_TRUE(std::signbit(s.x(0)));
}

TEST(PointColumns, ValuesWithMoreDecimalsLaterRaiseTheScaleWithoutChangingEarlierOnes)
{
    LineSeries s(nullptr);
    std::vector<double> xs, ys;
    // Tenths first (every one of them, both signs), then hundredths, then thousandths.
    for (int k = -100; k <= 100; ++k) {
        xs.push_back(Stamp(45100, 30 * (k + 100)));
        ys.push_back(Decimal(k, 1));
    }
    s.appendPoints(xs.data(), ys.data(), xs.size());
    for (long long m : {12345LL, -7LL, 99999LL}) {
        xs.push_back(Stamp(45100, 30 * static_cast<int>(xs.size())));
        ys.push_back(Decimal(m, 2));
        s.addPoint(xs.back(), ys.back());
    }
    xs.push_back(Stamp(45101, 0));
    ys.push_back(Decimal(-1234567, 3));
    s.addPoint(xs.back(), ys.back());
    EXPECT_FALSE(s.ys().isWide());
    ExpectPoints(s, xs, ys);
    // A value in the middle that needs five decimals.
    s.setY(50, Decimal(314159, 5));
    ys[50] = Decimal(314159, 5);
    EXPECT_FALSE(s.ys().isWide());
    ExpectPoints(s, xs, ys);
}

TEST(PointColumns, NullPointsAndNegativeZeroStayPacked)
{
    LineSeries s(nullptr);
    std::vector<double> xs, ys;
    for (int i = 0; i < 12; ++i)
        xs.push_back(Stamp(45200, 600 * i + (i % 3) * 17));
    ys = {2.5, std::nan(""), -0.0, 0.0, -2.5, -0.0, 7, 7, std::nan(""), 1, 0.5, -0.5};
    ys[1] = ys[8] = std::numeric_limits<double>::quiet_NaN();
    s.appendPoints(xs.data(), ys.data(), xs.size());
    EXPECT_FALSE(s.ys().isWide());
    EXPECT_TRUE(s.isNull(1));
    EXPECT_TRUE(s.isNull(8));
    EXPECT_FALSE(s.isNull(2));
    EXPECT_TRUE(std::signbit(s.y(2)));
    EXPECT_FALSE(std::signbit(s.y(3)));
    ExpectPoints(s, xs, ys);
    double low = 0, high = 0;
    ASSERT_TRUE(s.yRangeIn(xs.front(), xs.back(), low, high));
    EXPECT_EQ(low, -2.5);
    EXPECT_EQ(high, 7);
}

TEST(PointColumns, EachKindOfUnfitValueWidensTheValuesAndKeepsAllBits)
{
    const double other = std::bit_cast<double>(std::bit_cast<std::uint64_t>(std::nan("")) | 5u);
    struct Case {
        const char* what;
        double value;
    };
    const Case cases[] = {
        {"a sum of decimals", 0.1 + 0.2},
        {"a scaled value", Decimal(123, 1) * 0.1},
        {"more decimals than packable", 0.123456789012},
        {"a mantissa too large", 3.0e9},
        {"an infinity", std::numeric_limits<double>::infinity()},
        {"a NaN of other bits", other},
        {"a NaN with the sign", -std::numeric_limits<double>::quiet_NaN()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LineSeries s(nullptr);
        std::vector<double> xs = {Stamp(45300, 0), Stamp(45300, 60), Stamp(45300, 90),
                                  Stamp(45300, 150)};
        std::vector<double> ys = {Decimal(215, 1), Decimal(-3, 0), Decimal(1, 2), 0};
        s.appendPoints(xs.data(), ys.data(), 3);
        ASSERT_FALSE(s.ys().isWide());
        s.addPoint(xs[3], c.value);
        ys[3] = c.value;
        EXPECT_TRUE(s.ys().isWide());
        EXPECT_FALSE(s.xs().isWide());
        ExpectPoints(s, xs, ys);
    }
}

TEST(PointColumns, RaisingTheScaleThatWouldOverflowAStoredValueWidensInstead)
{
    LineSeries s(nullptr);
    std::vector<double> xs = {Stamp(45400, 0), Stamp(45400, 1), Stamp(45400, 2)};
    std::vector<double> ys = {2000000000, -1999999999, Decimal(5, 1)};
    s.appendPoints(xs.data(), ys.data(), 2);
    ASSERT_FALSE(s.ys().isWide());
    s.addPoint(xs[2], ys[2]);
    EXPECT_TRUE(s.ys().isWide());
    ExpectPoints(s, xs, ys);
}

TEST(PointColumns, MergingAnEarlierBlockKeepsOrderTiesAndBitsInEitherForm)
{
    for (bool unfitInSecond : {false, true}) {
        SCOPED_TRACE(unfitInSecond);
        LineSeries s(nullptr);
        std::vector<double> x1, y1, x2, y2;
        for (int i = 0; i < 30; ++i) {
            x1.push_back(Stamp(45500 + i / 12, 7200 * (i % 12)));
            y1.push_back(Decimal(i * 11 - 90, 1));
        }
        // An overlapping block: ties with the first (which keep the old points first), other
        // steps, a null point and values of two decimals.
        for (int i = 0; i < 25; ++i) {
            x2.push_back(Stamp(45500 + i / 10, 7200 * (i % 10) + (i % 2 == 0 ? 0 : 1800)));
            y2.push_back(i == 6 ? std::numeric_limits<double>::quiet_NaN() : Decimal(i * 7, 2));
        }
        if (unfitInSecond)
            y2[13] = 1.0 / 3;
        s.appendPoints(x1.data(), y1.data(), x1.size());
        s.appendPoints(x2.data(), y2.data(), x2.size(), 100);
        // The reference: a stable merge of the two blocks.
        std::vector<std::size_t> order(x1.size() + x2.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        auto xAt = [&](std::size_t k) { return k < x1.size() ? x1[k] : x2[k - x1.size()]; };
        auto yAt = [&](std::size_t k) { return k < y1.size() ? y1[k] : y2[k - y1.size()]; };
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return xAt(a) < xAt(b); });
        std::vector<double> xs, ys;
        for (std::size_t k : order) {
            xs.push_back(xAt(k));
            ys.push_back(yAt(k));
        }
        EXPECT_EQ(s.ys().isWide(), unfitInSecond);
        EXPECT_FALSE(s.xs().isWide());
        EXPECT_EQ(s.capacity(), 100u);
        ExpectPoints(s, xs, ys);
    }
}

TEST(PointColumns, PackedPointsTakeHalfTheMemoryAndClearingStartsAfresh)
{
    LineSeries packed(nullptr), wide(nullptr);
    std::vector<double> xs, ys, odd;
    for (int i = 0; i < 4000; ++i) {
        xs.push_back(Stamp(45600 + i / 1440, 60 * (i % 1440)));
        ys.push_back(Decimal((i * 37) % 1000 - 300, 1));
        odd.push_back(ys.back() * 0.1);
    }
    packed.appendPoints(xs.data(), ys.data(), xs.size());
    wide.appendPoints(xs.data(), odd.data(), xs.size());
    packed.shrinkToFit();
    wide.shrinkToFit();
    EXPECT_LE(packed.memoryBytes(), sizeof(LineSeries) + 8 * xs.size() + 64);
    EXPECT_GE(wide.memoryBytes(), sizeof(LineSeries) + 12 * xs.size());
    // A cleared column that stayed packed takes a new base day and new decimals.
    packed.clear();
    std::vector<double> later = {Stamp(60000, 5), Stamp(60000, 6)};
    std::vector<double> values = {Decimal(1, 4), Decimal(2, 0)};
    packed.appendPoints(later.data(), values.data(), 2);
    EXPECT_FALSE(packed.xs().isWide());
    ExpectPoints(packed, later, values);
}

} // namespace
} // namespace korvex::test
