// How the point arrays grow while day files are applied: sized from the period's expected points
// instead of doubling, and trimmed afterwards only when much of them stayed unused.

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/LogFileReader.h"
#include "core/logdata/Series.h"
#include "core/services/DayTime.h"
#include "tools/samplegen/SampleLogs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace korvex::test {
namespace {

// A ramp of n points from x0 in steps of dx, y rising by 0.25 with a repeat every third point.
void Ramp(double x0, double dx, int n, std::vector<double>& xs, std::vector<double>& ys)
{
    xs.clear();
    ys.clear();
    for (int i = 0; i < n; ++i) {
        xs.push_back(x0 + dx * i);
        ys.push_back(i % 3 == 2 ? ys.back() : 0.25 * i - 7);
    }
}

TEST(SeriesSizing, AnExpectedTotalIsReservedAtTheFirstGrowth)
{
    LineSeries s(nullptr);
    std::vector<double> xs, ys;
    Ramp(100, 1.0 / 1440, 300, xs, ys);
    s.appendPoints(xs.data(), ys.data(), xs.size(), 5000);
    EXPECT_EQ(s.capacity(), 5000u);
    const void* block = s.xs().data();
    // Further days fit without another block.
    for (int day = 1; day < 15; ++day) {
        Ramp(100 + day, 1.0 / 720, 330, xs, ys);
        s.appendPoints(xs.data(), ys.data(), xs.size(), 5000);
    }
    EXPECT_EQ(s.xs().data(), block);
    EXPECT_EQ(s.count(), 300 + 14 * 330);
    EXPECT_DOUBLE_EQ(s.x(300), 101);
    EXPECT_DOUBLE_EQ(s.lastX(), 114 + 329.0 / 720);
}

TEST(SeriesSizing, AGuessBelowTheNeedStillTakesEveryPointAndGrowsByAnEighthAtLeast)
{
    LineSeries s(nullptr);
    std::vector<double> xs, ys;
    Ramp(200, 0.5, 800, xs, ys);
    s.appendPoints(xs.data(), ys.data(), xs.size());
    ASSERT_EQ(s.capacity(), 800u);
    Ramp(600, 0.5, 10, xs, ys);
    // 700 is less than the 810 needed: the guess is no use, doubling decides.
    s.appendPoints(xs.data(), ys.data(), xs.size(), 700);
    EXPECT_EQ(s.capacity(), 1600u);
    EXPECT_EQ(s.count(), 810);
    // A guess just above the need: the arrays still grow by an eighth of what they held, so
    // a run of small misses cannot copy the points file after file.
    Ramp(700, 0.5, 800, xs, ys);
    s.appendPoints(xs.data(), ys.data(), xs.size(), 1611);
    EXPECT_EQ(s.capacity(), 810u + 800u + 810u / 8);
    EXPECT_EQ(s.count(), 1610);
    EXPECT_DOUBLE_EQ(s.x(809), 604.5);
    EXPECT_DOUBLE_EQ(s.x(810), 700);
}

TEST(SeriesSizing, AnEarlierPointMergesInOrderWhatEverTheReservation)
{
    LineSeries s(nullptr);
    const double xs1[] = {10, 12, 14, 16};
    const double ys1[] = {1, 2, 3, 4};
    s.appendPoints(xs1, ys1, 4, 64);
    const double xs2[] = {11, 14, 20};
    const double ys2[] = {-1, -2, -3};
    s.appendPoints(xs2, ys2, 3, 64);
    const std::vector<double> wantX = {10, 11, 12, 14, 14, 16, 20};
    const std::vector<double> wantY = {1, -1, 2, 3, -2, 4, -3};
    EXPECT_EQ(ToVector(s.xs()), wantX);
    EXPECT_EQ(ToVector(s.ys()), wantY);
}

// Loads the sample days of a device into a data set whose period is exactly those days, noting
// for every series how often its arrays moved to a new block.
struct SizedLoad {
    std::unique_ptr<AnalysisDataSet> set;
    std::map<int, int> moves; // slot -> blocks taken after the first
};

SizedLoad LoadDays(int device, DayTime first, int days, DayTime periodEnd)
{
    SizedLoad load;
    load.set = std::make_unique<AnalysisDataSet>(first, periodEnd, nullptr, nullptr);
    std::map<int, const void*> blocks;
    LogFileReader reader;
    for (int d = 0; d < days; ++d) {
        const DayTime day = first + d;
        try {
            reader.loadBytes(*load.set, "/sizing/" + SampleFileName(device, day),
                             SampleLogBytes(device, day));
        } catch (const std::exception&) {
            continue; // a generated fault day
        }
        for (int i = 0; i < load.set->slotCount(); ++i) {
            const Series* s = load.set->series(i);
            if (!s || s->empty() || s->seriesClass() == SeriesClass::SumBars)
                continue;
            const void* now = s->xs().data();
            auto it = blocks.find(i);
            if (it == blocks.end())
                blocks[i] = now;
            else if (it->second != now) {
                it->second = now;
                ++load.moves[i];
            }
        }
    }
    return load;
}

TEST(SeriesSizing, AMonthOfDaysTakesFewBlocksAndLittleSlack)
{
    // Two devices with different columns and point counts per day (the fresh-water station
    // changes its values in bursts), over a month that crosses into the next.
    for (int device : {10, 30}) {
        SCOPED_TRACE(device);
        const DayTime first = EncodeDate(2023, 3, 17);
        SizedLoad load = LoadDays(device, first, 40, first + 40);
        int series = 0;
        for (int i = 0; i < load.set->slotCount(); ++i) {
            const Series* s = load.set->series(i);
            if (!s || s->count() < 1000 || s->seriesClass() == SeriesClass::SumBars)
                continue;
            ++series;
            SCOPED_TRACE(i);
            // Doubling from one day's points would move them five or six times.
            EXPECT_LE(load.moves[i], 4);
            EXPECT_LE(static_cast<double>(s->capacity()), 1.25 * static_cast<double>(s->count()));
        }
        EXPECT_GE(series, 3);
    }
}

TEST(SeriesSizing, AWidePeriodReservesNoMoreThanFourTimesWhatIsLoaded)
{
    // A period of 300 years with ten days of files in it.
    const DayTime first = EncodeDate(2023, 7, 1);
    SizedLoad load = LoadDays(10, first, 10, first + 300 * 365);
    for (int i = 0; i < load.set->slotCount(); ++i) {
        const Series* s = load.set->series(i);
        if (!s || s->count() < 100)
            continue;
        EXPECT_LE(s->capacity(), 4u * static_cast<std::size_t>(s->count())) << i;
    }
}

TEST(SeriesSizing, TrimmingTheDataSetKeepsSmallSlackAndCutsLargeSlack)
{
    AnalysisDataSet set(EncodeDate(2023, 1, 1), EncodeDate(2023, 2, 1), nullptr, nullptr);
    set.insertSlot(0, FieldCategory::Inputs, false);
    set.insertSlot(1, FieldCategory::Inputs, false);
    std::vector<double> xs, ys;
    Ramp(44927, 1.0 / 1440, 900, xs, ys);
    // Slot 0: 900 of 1125 used (a fifth spare); slot 1: 900 of 1800 (half spare).
    set.series(0)->appendPoints(xs.data(), ys.data(), xs.size(), 1125);
    set.series(1)->appendPoints(xs.data(), ys.data(), xs.size(), 1800);
    set.shrinkToFit();
    EXPECT_EQ(set.series(0)->capacity(), 1125u);
    EXPECT_EQ(set.series(1)->capacity(), 900u);
    EXPECT_EQ(ToVector(set.series(0)->xs()), ToVector(set.series(1)->xs()));
    EXPECT_EQ(ToVector(set.series(0)->ys()), ToVector(set.series(1)->ys()));
}

} // namespace
} // namespace korvex::test
