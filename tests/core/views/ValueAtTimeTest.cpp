#include "core/views/ValueAtTime.h"

#include "core/logdata/CustomSeries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace korvex {
namespace {

const DayTime kDay = EncodeDate(2011, 6, 20);

DayTime At(int h, int m, int s = 0, int dayOffset = 0)
{
    return kDay + dayOffset + EncodeTime(h, m, s);
}

// "value@hh:mm:ss" or "-" so that a wrong sample shows which one was taken.
std::string Read(const std::optional<SampleValue>& v)
{
    if (!v)
        return "-";
    return FormatDayTime("hh:nn:ss", v->at) + "=" + std::to_string(static_cast<int>(v->value));
}

// A five-minute line: three samples, a gap, two samples, the day's closing null point.
std::unique_ptr<LineSeries> FiveMinuteLine()
{
    auto s = std::make_unique<LineSeries>(nullptr);
    s->addPoint(At(10, 0), 20);
    s->addPoint(At(10, 5), 22);
    s->addPoint(At(10, 10), 25);
    s->addNullPoint(At(11, 0));
    s->addPoint(At(11, 0), 30);
    s->addPoint(At(11, 5), 31);
    s->addNullPoint(At(11, 5));
    return s;
}

TEST(ValueAtTime, SamplingStepIgnoresGapsAndCompressedRuns)
{
    EXPECT_NEAR(SamplingStep(*FiveMinuteLine()), EncodeTime(0, 5), 1e-9);
    LineSeries compressed(nullptr);
    compressed.addPoint(At(8, 0), 5);
    compressed.addPoint(At(8, 40), 5); // a run of 41 equal minutes
    compressed.addPoint(At(8, 41), 6);
    compressed.addPoint(At(8, 42), 7);
    EXPECT_NEAR(SamplingStep(compressed), EncodeTime(0, 1), 1e-9);
    LineSeries one(nullptr);
    one.addPoint(At(8, 0), 5);
    EXPECT_EQ(SamplingStep(one), 0);
}

TEST(ValueAtTime, NearestSampleInsideARun)
{
    const auto line = FiveMinuteLine();
    const LineSeries& s = *line;
    const double step = SamplingStep(s);
    EXPECT_EQ(Read(NearestValueAt(s, At(10, 2), step)), "10:00:00=20");
    EXPECT_EQ(Read(NearestValueAt(s, At(10, 3), step)), "10:05:00=22");
    EXPECT_EQ(Read(NearestValueAt(s, At(10, 2, 30), step)), "10:00:00=20"); // tie: earlier
    EXPECT_EQ(Read(NearestValueAt(s, At(10, 5), step)), "10:05:00=22");
    // Compressed run: an hour between the stored points is still one run of equal values.
    LineSeries run(nullptr);
    run.addPoint(At(12, 0), 5);
    run.addPoint(At(13, 0), 5);
    run.addPoint(At(13, 1), 9);
    EXPECT_EQ(Read(NearestValueAt(run, At(12, 25), EncodeTime(0, 1))), "12:00:00=5");
    EXPECT_EQ(Read(NearestValueAt(run, At(12, 35), EncodeTime(0, 1))), "13:00:00=5");
}

TEST(ValueAtTime, NoValueAcrossAGapOrBeyondTheData)
{
    const auto line = FiveMinuteLine();
    const LineSeries& s = *line;
    const double step = SamplingStep(s);
    // After the last sample before the gap: within one step, then nothing.
    EXPECT_EQ(Read(NearestValueAt(s, At(10, 14), step)), "10:10:00=25");
    EXPECT_EQ(Read(NearestValueAt(s, At(10, 16), step)), "-");
    EXPECT_EQ(Read(NearestValueAt(s, At(10, 35), step)), "-");
    // Before the first sample after the gap; at its time the value, not the gap's null point.
    EXPECT_EQ(Read(NearestValueAt(s, At(10, 57), step)), "11:00:00=30");
    EXPECT_EQ(Read(NearestValueAt(s, At(11, 0), step)), "11:00:00=30");
    // The day's closing null point shares the last sample's time.
    EXPECT_EQ(Read(NearestValueAt(s, At(11, 8), step)), "11:05:00=31");
    EXPECT_EQ(Read(NearestValueAt(s, At(11, 11), step)), "-");
    EXPECT_EQ(Read(NearestValueAt(s, At(9, 58), step)), "10:00:00=20");
    EXPECT_EQ(Read(NearestValueAt(s, At(9, 50), step)), "-");
    EXPECT_EQ(Read(NearestValueAt(LineSeries(nullptr), At(9, 50), step)), "-");
}

TEST(ValueAtTime, StepOutputsHoldTheLastValue)
{
    TOffsetLine out(nullptr);
    out.addPoint(At(8, 0), 0);
    out.addPoint(At(8, 30), 0);
    out.addPoint(At(8, 31), 100);
    out.addPoint(At(9, 15), 100);
    out.addPoint(At(9, 16), 40);
    out.addPoint(At(23, 59), 40);
    out.addNullPoint(At(23, 59));
    out.addPoint(At(0, 0, 0, 1), 70);
    const double minute = EncodeTime(0, 1);
    EXPECT_NEAR(SamplingStep(out), minute, 1e-9);
    // Half a minute before switching on the output is still off: never the nearest sample.
    EXPECT_EQ(Read(HeldValueAt(out, At(8, 30, 40), minute)), "08:30:00=0");
    EXPECT_EQ(Read(HeldValueAt(out, At(8, 31), minute)), "08:31:00=100");
    EXPECT_EQ(Read(HeldValueAt(out, At(9, 15, 59), minute)), "09:15:00=100");
    EXPECT_EQ(Read(HeldValueAt(out, At(12, 0), minute)), "09:16:00=40");
    // The day's last minute holds for its minute, then the day has ended.
    EXPECT_EQ(Read(HeldValueAt(out, At(23, 59, 30), minute)), "23:59:00=40");
    EXPECT_EQ(Read(HeldValueAt(out, At(0, 0, 0, 1) - 1e-6, minute)), "23:59:00=40");
    EXPECT_EQ(Read(HeldValueAt(out, At(0, 0, 0, 1), minute)), "00:00:00=70");
    EXPECT_EQ(Read(HeldValueAt(out, At(7, 59), minute)), "-");
    // A gap's null point shares its time with the value after it: the value before the gap
    // holds for one step, not across the gap.
    TOffsetLine gap(nullptr);
    gap.addPoint(At(6, 0), 10);
    gap.addNullPoint(At(12, 0));
    gap.addPoint(At(12, 0), 60);
    EXPECT_EQ(Read(HeldValueAt(gap, At(6, 0, 40), minute)), "06:00:00=10");
    EXPECT_EQ(Read(HeldValueAt(gap, At(6, 2), minute)), "-");
    EXPECT_EQ(Read(HeldValueAt(gap, At(11, 0), minute)), "-");
    EXPECT_EQ(Read(HeldValueAt(gap, At(12, 0), minute)), "12:00:00=60");
    EXPECT_EQ(Read(ValueAt(gap, ReadRule::Hold, At(12, 0, 30), minute)), "12:00:00=60");
}

// The edge of "one step" after the last sample before a gap, with a two-minute step: the value
// holds up to the step (and the half second the reader's rounding allows), not a second beyond.
TEST(ValueAtTime, OneStepAfterTheLastSampleIsTheEdge)
{
    TOffsetLine held(nullptr);
    held.addPoint(At(6, 0), 10);
    held.addPoint(At(6, 4), 30);
    held.addNullPoint(At(9, 0));
    held.addPoint(At(9, 0), 60);
    const double step = EncodeTime(0, 2);
    const double halfSecond = 0.5 / 86400;
    EXPECT_EQ(Read(HeldValueAt(held, At(6, 6), step)), "06:04:00=30");
    EXPECT_EQ(Read(HeldValueAt(held, At(6, 6) + 0.9 * halfSecond, step)), "06:04:00=30");
    EXPECT_EQ(Read(HeldValueAt(held, At(6, 6, 1), step)), "-");
    // Measured lines: the nearest sample reaches as far, on both sides of the gap.
    LineSeries line(nullptr);
    line.addPoint(At(6, 0), 10);
    line.addPoint(At(6, 4), 30);
    line.addNullPoint(At(9, 0));
    line.addPoint(At(9, 0), 60);
    EXPECT_EQ(Read(NearestValueAt(line, At(6, 6), step)), "06:04:00=30");
    EXPECT_EQ(Read(NearestValueAt(line, At(6, 6, 1), step)), "-");
    EXPECT_EQ(Read(NearestValueAt(line, At(8, 58), step)), "09:00:00=60");
    EXPECT_EQ(Read(NearestValueAt(line, At(8, 57, 59), step)), "-");
}

TEST(ValueAtTime, BarsOfTheDayAndOfTheMonth)
{
    TSumBars days(nullptr);
    days.setAcceptNulls(true);
    days.addPoint(kDay, 12);
    days.addPoint(kDay + 1, 15);
    days.addNullPoint(kDay + 3.5);
    days.addPoint(kDay + 4, 9);
    const auto second = DayBarAt(days, kDay + 1 + EncodeTime(23, 59));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->value, 15);
    EXPECT_EQ(second->at, kDay + 1);
    EXPECT_EQ(second->until, kDay + 2);
    EXPECT_FALSE(DayBarAt(days, kDay + 2.5));
    EXPECT_FALSE(DayBarAt(days, kDay + 3.7)); // the missing day's null point
    EXPECT_EQ(ValueAt(days, ReadRule::DayBar, kDay + 4, 0)->value, 9);

    TSumBars months(nullptr);
    months.addPoint(EncodeDate(2011, 1, 16), 300);
    months.addPoint(EncodeDate(2011, 3, 16), 410);
    EXPECT_FALSE(MonthBarAt(months, EncodeDate(2011, 2, 10)));
    const auto march = MonthBarAt(months, EncodeDateTime(2011, 3, 31, 23, 0));
    ASSERT_TRUE(march);
    EXPECT_EQ(march->value, 410);
    EXPECT_EQ(march->at, EncodeDate(2011, 3, 1));
    EXPECT_EQ(march->until, EncodeDate(2011, 4, 1));
    EXPECT_EQ(ValueAt(months, ReadRule::MonthBar, EncodeDate(2011, 1, 1), 0)->value, 300);
}

TEST(ValueAtTime, DeltaBetweenMarkers)
{
    const auto line = FiveMinuteLine();
    const LineSeries& s = *line;
    const double step = SamplingStep(s);
    const auto a = NearestValueAt(s, At(10, 0), step);
    const auto b = NearestValueAt(s, At(11, 5), step);
    const auto d = DeltaBetween(a, At(10, 0), b, At(11, 5));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->difference, 11);
    EXPECT_NEAR(d->perHour, 11 / (65.0 / 60.0), 1e-9);
    EXPECT_NEAR(d->between, EncodeTime(1, 5), 1e-9);
    // B before A: negative time, the rate keeps its sign meaning (B - A per hour).
    const auto back = DeltaBetween(b, At(11, 5), a, At(10, 0));
    EXPECT_NEAR(back->perHour, d->perHour, 1e-9);
    EXPECT_FALSE(DeltaBetween(a, At(10, 0), NearestValueAt(s, At(10, 40), step), At(10, 40)));
    EXPECT_TRUE(std::isnan(DeltaBetween(a, At(10, 0), a, At(10, 0))->perHour));
}

} // namespace
} // namespace korvex
