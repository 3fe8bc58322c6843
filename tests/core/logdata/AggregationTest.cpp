#include "core/logdata/Aggregation.h"

#include "core/logdata/CustomSeries.h"
#include "core/services/NumberFormat.h"
#include "tests/core/logdata/LogTestSupport.h"
#include "tests/core/views/YieldTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvex {
namespace {

using test::DayLog;
using test::LogName;

constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

DayTime At(DayTime day, int h, int m)
{
    return day + EncodeTime(h, m);
}

std::string Yield(double v)
{
    return FormatYield(v, ',');
}

TEST(DaySum, WorkedNumbers)
{
    const DayTime day = EncodeDate(2008, 5, 15);
    // 2 kW all day, compressed to the first and last minute, closed by a null point.
    TOffsetLine power(nullptr);
    power.addPoint(day, 2.0);
    power.addPoint(At(day, 23, 59), 2.0);
    power.addNullPoint(At(day, 23, 59));
    EXPECT_EQ(Yield(DaySum(power, kPowerUnitsPerDay, day)), "48,00");
    EXPECT_EQ(DaySum(power, kPowerUnitsPerDay, day + 1), 0);
    EXPECT_EQ(DaySum(power, kPowerUnitsPerDay, day - 1), 0);

    TOffsetLine flow(nullptr);
    flow.addPoint(At(day, 8, 0), 10.0);
    flow.addPoint(At(day, 8, 10), 10.0);
    EXPECT_NEAR(DaySum(flow, kFlowUnitsPerDay, day), 110.0, 1e-9);

    // Each run starts with one minute at its rate; the point at the next midnight is not counted.
    TOffsetLine runs(nullptr);
    runs.addPoint(day, 6.0);
    runs.addPoint(At(day, 0, 10), 6.0);
    runs.addNullPoint(At(day, 0, 10));
    runs.addPoint(At(day, 1, 0), 6.0);
    runs.addPoint(At(day, 1, 10), 6.0);
    runs.addPoint(day + 1, 600.0);
    EXPECT_NEAR(DaySum(runs, kPowerUnitsPerDay, day), 2 * (6.0 / 60 + 12.0 * 12 * 10 / 1440),
                1e-12);

    TOffsetLine empty(nullptr);
    EXPECT_EQ(DaySum(empty, kPowerUnitsPerDay, day), 0);
}

TEST(DaySum, PowerRampIsIntegratedAsTrapezoids)
{
    // 0 to 6 kW over one hour in five-minute steps: 3 kWh (the first point adds 0 kW for a minute).
    const DayTime day = EncodeDate(2008, 5, 15);
    TOffsetLine ramp(nullptr);
    for (int m = 0; m <= 60; m += 5)
        ramp.addPoint(day + (600 + m) / 1440.0, m / 10.0);
    ramp.addNullPoint(At(day, 11, 0));
    EXPECT_NEAR(DaySum(ramp, kPowerUnitsPerDay, day), 3.0, 1e-9);
}

TEST(DaySum, MinuteSamplesAddUpExactly)
{
    // 1 kW sampled every minute: 1/60 + 1439 minutes = 24 kWh, on dates where day + fraction
    // is far from exact in binary.
    for (int year : {1995, 2008, 2040}) {
        const DayTime day = EncodeDate(year, 3, 1);
        TOffsetLine s(nullptr);
        for (int m = 0; m < 1440; ++m)
            s.addPoint(day + m / 1440.0, 1.0);
        EXPECT_EQ(DaySum(s, kPowerUnitsPerDay, day), 24.0) << year;
    }
}

TEST(SumTexts, UnitsNamesAndLabels)
{
    EXPECT_EQ(SumUnit("[kW]"), "[kWh]");
    EXPECT_EQ(SumUnit("[l/min]"), "[l]");
    EXPECT_EQ(SumUnit("[MBtu/h]"), "[MBtu]");
    EXPECT_EQ(SumUnit("[gal/min]"), "[gal]");
    EXPECT_EQ(SumUnit("[bar]"), "[bar]");
    EXPECT_EQ(YieldName("P2"), "Q2");
    EXPECT_EQ(YieldName("V"), "V");
    SelectTextBlock(BlockEnglish);
    EXPECT_EQ(SumFieldLabel("P"), "Sum of energy (Q)");
    EXPECT_EQ(SumFieldLabel("V1"), "Sum of flow rate (V1)");
    EXPECT_EQ(SumFieldLabel("X"), "X");
    SelectTextBlock(BlockGerman);
}

class AggregateTest : public test::LogDataTest {
protected:
    static constexpr const char* kColumns = "P[kW];Qday[kWh];V'[l/min]";

    // Days 1, 2, 5 and 31 January and 3 March 2008: 2 kW and 10 l/min from 08:00 to 08:10.
    // Qday is logged on 1 and 5 January only.
    void loadDays(AnalysisDataSet& set)
    {
        const struct {
            DayTime day;
            const char* qday;
        } days[] = {{EncodeDate(2008, 1, 1), "7,5"},
                    {EncodeDate(2008, 1, 2), ""},
                    {EncodeDate(2008, 1, 5), "9,0"},
                    {EncodeDate(2008, 1, 31), ""},
                    {EncodeDate(2008, 3, 3), ""}};
        for (const auto& d : days) {
            const std::string cells = std::string("2,0;") + d.qday + ";10,0";
            ASSERT_EQ(loadBytes(set, LogName(10, d.day),
                                DayLog(kColumns, d.day, {{"08:00", cells}, {"08:10", cells}})),
                      "");
        }
    }

    static std::vector<std::pair<double, double>> Bars(const Series& s)
    {
        std::vector<std::pair<double, double>> out;
        for (int i = 0; i < s.count(); ++i)
            out.push_back({s.x(i), s.y(i)});
        return out;
    }
};

TEST_F(AggregateTest, DaySumsKeepLoggedValuesAndFillTheRest)
{
    AnalysisDataSet& set = makeSet();
    loadDays(set);
    Aggregate(set);
    const DeviceSettings& ds = *set.deviceSettings();

    const int ptag = field(set, "Ptag");
    const int vtag = field(set, "Vtag");
    ASSERT_GE(ptag, 0);
    ASSERT_GE(vtag, 0);
    const double partial = 2.0 / 60 + 4.0 * 12 * 10 / 1440; // 08:00-08:10 at 2 kW
    const Series& p = *set.series(ptag);
    const DayTime jan = EncodeDate(2008, 1, 1);
    ASSERT_EQ(p.count(), 8);
    EXPECT_EQ(p.x(0), jan + 0.5);
    EXPECT_EQ(p.y(0), 7.5);
    EXPECT_NEAR(p.y(1), partial, 1e-12);
    EXPECT_EQ(p.x(2), jan + 3.5); // gap before 5 January
    EXPECT_TRUE(p.isNull(2));
    EXPECT_EQ(p.y(3), 9.0);
    EXPECT_TRUE(p.isNull(4));
    EXPECT_EQ(p.x(4), jan + 29.5);
    EXPECT_EQ(p.x(6), EncodeDate(2008, 3, 2) + 0.5); // gap before 3 March
    EXPECT_TRUE(p.isNull(6));
    EXPECT_EQ(p.x(7), EncodeDate(2008, 3, 3) + 0.5);

    const Series& v = *set.series(vtag);
    EXPECT_NEAR(v.y(0), 110.0, 1e-9);
    EXPECT_EQ(set.unit(vtag), "[l]");
    EXPECT_EQ(set.unit(ptag), "[kWh]");

    EXPECT_TRUE(ds.derived(ptag));
    EXPECT_TRUE(ds.derived(vtag));
    EXPECT_FALSE(ds.derived(field(set, "P")));
    EXPECT_FALSE(ds.derived(field(set, "V")));
    EXPECT_EQ(ds.label(ptag), "Sum of energy (Q)");
    EXPECT_EQ(ds.label(vtag), "Sum of flow rate (V)");

    // Lists stay parallel.
    EXPECT_EQ(set.slotCount(), ds.fieldCount());
    EXPECT_EQ(static_cast<int>(set.units().size()), ds.fieldCount());
}

TEST_F(AggregateTest, MonthSumsArePartnersOfTheDaySums)
{
    AnalysisDataSet& set = makeSet();
    loadDays(set);
    Aggregate(set);
    const DeviceSettings& ds = *set.deviceSettings();
    const int ptag = field(set, "Ptag");
    const int pmonat = field(set, "Pmonat");
    const int vmonat = field(set, "Vmonat");
    ASSERT_GE(pmonat, 0);
    ASSERT_GE(vmonat, 0);
    EXPECT_EQ(set.slot(ptag).partner, pmonat);
    EXPECT_EQ(set.slot(pmonat).partner, ptag);
    EXPECT_TRUE(ds.derived(pmonat));
    EXPECT_EQ(ds.label(pmonat), ds.label(ptag));
    EXPECT_EQ(set.unit(vmonat), "[l]");
    EXPECT_EQ(set.series(pmonat)->colour(), set.series(ptag)->colour());

    const double partial = 2.0 / 60 + 4.0 * 12 * 10 / 1440;
    const auto bars = Bars(*set.series(pmonat));
    ASSERT_EQ(bars.size(), 2u); // January and March, none for February
    EXPECT_EQ(bars[0].first, EncodeDate(2008, 1, 16) + 0.5);
    EXPECT_NEAR(bars[0].second, 7.5 + partial + 9.0 + partial, 1e-12);
    EXPECT_EQ(bars[1].first, EncodeDate(2008, 3, 16) + 0.5);
    EXPECT_NEAR(bars[1].second, partial, 1e-12);
    EXPECT_NEAR(Bars(*set.series(vmonat))[0].second, 4 * 110.0, 1e-9);
}

TEST_F(AggregateTest, LabelFromTheSettingsFileIsKept)
{
    writeSettings("[Labels:10]\r\nVtag[l]=Collector flow\r\n");
    AnalysisDataSet& set = makeSet();
    loadDays(set);
    Aggregate(set);
    const DeviceSettings& ds = *set.deviceSettings();
    EXPECT_EQ(ds.label(field(set, "Vtag")), "Collector flow");
    EXPECT_EQ(ds.label(field(set, "Vmonat")), "Collector flow");
    EXPECT_EQ(ds.label(field(set, "Ptag")), "Sum of energy (Q)");
}

TEST_F(AggregateTest, LoggedDaySumTakesTheSumUnit)
{
    AnalysisDataSet& set = makeSet();
    const DayTime day = EncodeDate(2008, 5, 15);
    ASSERT_EQ(
        loadBytes(set, LogName(10, day),
                  DayLog("P[kW];Qday[kW]", day, {{"08:00", "1,0;3,0"}, {"08:01", "1,0;3,0"}})),
        "");
    Aggregate(set);
    EXPECT_EQ(set.unit(field(set, "Ptag")), "[kWh]");
    EXPECT_EQ(set.unit(field(set, "Pmonat")), "[kWh]");
}

TEST_F(AggregateTest, NothingIsAddedWithoutALoadedDay)
{
    AnalysisDataSet& set = makeSet();
    // The header registers P, the data line is too short: the file fails.
    EXPECT_NE(loadBytes(set, LogName(10, EncodeDate(2008, 1, 1)),
                        "DATE & TIME;P[kW];T1[°C]\r\n2008-01-01 08:00\r\n2008-01-01 08:01;1,0\r\n"),
              "");
    ASSERT_FALSE(set.hasData());
    const int before = set.deviceSettings()->fieldCount();
    Aggregate(set);
    EXPECT_EQ(set.deviceSettings()->fieldCount(), before);
    EXPECT_EQ(set.slotCount(), before);
}

TEST_F(AggregateTest, FillDayColumnAndRaiseYearColumn)
{
    AnalysisDataSet& set = makeSet();
    loadDays(set);
    Aggregate(set);
    const int ptag = field(set, "Ptag");
    // A day without a bar of this device (another device's day) reads 0,00.
    const int days[] = {static_cast<int>(EncodeDate(2008, 1, 1)),
                        static_cast<int>(EncodeDate(2008, 1, 3)),
                        static_cast<int>(EncodeDate(2008, 1, 5))};
    std::vector<std::string> cells;
    FillDayColumn(set, ptag, days, cells, ',');
    EXPECT_EQ(cells, (std::vector<std::string>{"7,50", "0,00", "9,00", "16,50"}));

    // Without a "jahr" field the annual cells stay.
    std::string annual[] = {"1,00"};
    const int years[] = {2008};
    RaiseYearColumn(set, field(set, "P"), years, annual, ',');
    EXPECT_EQ(annual[0], "1,00");
}

} // namespace
} // namespace korvex
