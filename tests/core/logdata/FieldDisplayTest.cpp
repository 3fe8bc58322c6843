#include "core/logdata/FieldDisplay.h"

#include "core/logdata/Aggregation.h"
#include "core/logdata/CustomSeries.h"
#include "tests/core/logdata/LogTestSupport.h"
#include "tests/core/views/YieldTestSupport.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

class FieldDisplayTest : public test::LogDataTest {
protected:
    void SetUp() override
    {
        test::LogDataTest::SetUp();
        const DayTime day = EncodeDate(2008, 5, 15);
        ASSERT_EQ(loadBytes(set, test::LogName(10, day),
                            test::DayLog("T1[°C];P[kW];V'[l/min];R1[%];R2[%];R3[%]", day,
                                         {{"08:00", "20,0;1,0;5,0;0;0;0"},
                                          {"08:01", "21,0;1,5;6,0;100;100;100"}})),
                  "");
        Aggregate(set);
        set.updateAvailability();
        set.prepareDisplay();
        ds = set.deviceSettings();
    }

    int f(const char* key) const { return field(set, key); }
    Series& series(const char* key) { return *set.series(f(key)); }

    AnalysisDataSet& set = makeSet();
    DeviceSettings* ds = nullptr;
};

TEST_F(FieldDisplayTest, OutputsAreStackedInBands)
{
    const char* outputs[] = {"R1", "R2", "R3"};
    for (int k = 0; k < 3; ++k) {
        Series& s = series(outputs[k]);
        EXPECT_EQ(s.seriesClass(), SeriesClass::OffsetLine);
        EXPECT_TRUE(s.stairs());
        EXPECT_EQ(s.offset(), -150 * k);
        EXPECT_EQ(s.smallestY(), -150.0 * k);
        EXPECT_EQ(s.largestY(), -150.0 * k + 100);
    }
    // Applying one shown output alone puts it at offset 0; the window restacks with an offset.
    ASSERT_TRUE(set.show(f("R3")));
    EXPECT_EQ(series("R3").offset(), 0);
    ApplyOutputDisplay(set, f("R3"), -150);
    EXPECT_EQ(series("R3").offset(), -150);
}

TEST_F(FieldDisplayTest, SwitchingBackBringsTheSameSeries)
{
    ASSERT_TRUE(set.show(f("R2")));
    ApplyDisplayOfAll(set);
    Series* line = &series("R2");
    const int points = line->count();
    ds->setOutputsAsBars(true);
    ApplyDisplayOfAll(set);
    Series& area = series("R2");
    EXPECT_EQ(area.seriesClass(), SeriesClass::OffsetArea);
    EXPECT_EQ(area.source(), line);
    EXPECT_EQ(area.offset(), -150);
    EXPECT_TRUE(outputs.hasSeries(area));
    EXPECT_FALSE(outputs.hasSeries(*line));

    area.setOffset(-300); // the band follows into the line
    ds->setOutputsAsBars(false);
    ApplyDisplay(set, f("R2"));
    EXPECT_EQ(&series("R2"), line);
    EXPECT_EQ(line->offset(), 0);
    EXPECT_TRUE(outputs.hasSeries(*line));
    EXPECT_EQ(line->count(), points);

    // Sums as lines wrap the very bars.
    Series* bars = &series("Ptag");
    ds->setOthersAsBars(false);
    ApplyDisplayOfAll(set);
    EXPECT_EQ(series("Ptag").seriesClass(), SeriesClass::SumLine);
    EXPECT_EQ(series("Ptag").source(), bars);
    EXPECT_EQ(series("P").seriesClass(), SeriesClass::OffsetLine);
    EXPECT_FALSE(series("P").stairs());
    ds->setOthersAsBars(true);
    ApplyDisplayOfAll(set);
    EXPECT_EQ(&series("Ptag"), bars);
}

TEST_F(FieldDisplayTest, AttributesFollowTheSettings)
{
    ds->setLineWidth(5);
    ds->setColour(f("T1"), 0x123456);
    ds->setLabel(f("P"), "Collector power");
    ApplyDisplayOfAll(set);
    EXPECT_EQ(series("T1").penWidth(), 5);
    EXPECT_EQ(series("T1").colour(), 0x123456u);
    EXPECT_EQ(series("P").seriesClass(), SeriesClass::OffsetArea);
    EXPECT_EQ(series("P").outlineWidth(), 5);
    EXPECT_EQ(series("P").title(), "Collector power");
    EXPECT_EQ(series("R1").penWidth(), 5);
    EXPECT_EQ(series("Vtag").outlineWidth(), 5);
    for (int i = 0; i < set.slotCount(); ++i)
        EXPECT_EQ(set.series(i)->axis(), VerticalAxis::Left);

    SetTitles(set, true);
    EXPECT_EQ(series("P").title(), ds->name() + ": Collector power");
    SetTitles(set, false);
    EXPECT_EQ(series("P").title(), "Collector power");
}

TEST_F(FieldDisplayTest, SumModeExchangesPartnersOnce)
{
    const int ptag = f("Ptag");
    Series* day = &series("Ptag");
    Series* month = &series("Pmonat");
    EXPECT_FALSE(set.available(ptag));
    SetSumFieldsAvailable(set, true);
    ASSERT_TRUE(set.available(ptag));
    ASSERT_TRUE(set.show(ptag));
    EXPECT_EQ(day->fixedBarWidth(), 0);

    main.width = 730;
    SetSumMode(set, true);
    EXPECT_EQ(set.series(ptag), month);
    EXPECT_TRUE(main.hasSeries(*month));
    EXPECT_FALSE(main.hasSeries(*day));
    EXPECT_EQ(month->fixedBarWidth(), 730 / 36);
    EXPECT_EQ(month->colour(), ds->colour(ptag));
    SetSumMode(set, true);
    EXPECT_EQ(set.series(ptag), month);

    SetSumMode(set, false);
    EXPECT_EQ(set.series(ptag), day);
    EXPECT_TRUE(main.hasSeries(*day));
    EXPECT_EQ(day->fixedBarWidth(), 0);
    EXPECT_EQ(day->barWidthPercent(), 75);
}

TEST_F(FieldDisplayTest, SumFieldsAreRememberedWhileUnavailable)
{
    const int vtag = f("Vtag");
    SetSumFieldsAvailable(set, true);
    ASSERT_TRUE(set.show(vtag));
    SetSumFieldsAvailable(set, false);
    EXPECT_FALSE(set.shown(vtag));
    EXPECT_FALSE(set.available(vtag));
    EXPECT_TRUE(set.shownOrRemembered(vtag));
    EXPECT_FALSE(main.hasSeries(series("Vtag")));
    // Measured values are not touched.
    EXPECT_TRUE(set.available(f("V")));

    SetSumFieldsAvailable(set, true);
    EXPECT_TRUE(set.shown(vtag));
    EXPECT_TRUE(set.available(vtag));
    EXPECT_FALSE(set.slot(vtag).remembered);
}

} // namespace
} // namespace korvex
