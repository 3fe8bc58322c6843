#include "core/views/YieldTables.h"
#include "core/views/TableView.h"
#include "core/views/YieldSummary.h"

#include "core/logdata/Aggregation.h"
#include "tests/core/logdata/LogTestSupport.h"
#include "tests/core/views/YieldTestSupport.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

DayTime D(int y, int m, int d)
{
    return EncodeDate(y, m, d);
}

int Day(int y, int m, int d)
{
    return static_cast<int>(EncodeDate(y, m, d));
}

// Device 10 (index 0): P, an annual counter and V; device 20 (index 1): V only. Every day runs
// 2 kW and 10 l/min from 08:00 to 08:10: 0,37 kWh (0.3667) and 110 l.
class YieldTablesTest : public test::LogDataTest {
protected:
    void SetUp() override
    {
        test::LogDataTest::SetUp();
        const struct {
            DayTime day;
            const char* counter;
        } first[] = {{D(2009, 12, 31), "500,0"}, {D(2010, 1, 17), "0,1"}, {D(2010, 3, 17), "0,2"}};
        AnalysisDataSet& a = add();
        for (const auto& d : first) {
            const std::string cells = std::string("2,0;") + d.counter + ";10,0";
            ASSERT_EQ(loadBytes(a, test::LogName(10, d.day),
                                test::DayLog("P[kW];QYear[kWh];V'[l/min]", d.day,
                                             {{"08:00", cells}, {"08:10", cells}})),
                      "");
        }
        AnalysisDataSet& b = add();
        for (DayTime day : {D(2010, 1, 17), D(2010, 3, 18)}) {
            ASSERT_EQ(
                loadBytes(b, test::LogName(20, day),
                          test::DayLog("V'[l/min]", day, {{"08:00", "10,0"}, {"08:10", "10,0"}})),
                "");
        }
        std::vector<const AnalysisDataSet*> all;
        for (auto& set : sets) {
            Aggregate(*set);
            set->updateAvailability();
            set->prepareDisplay();
            all.push_back(set.get());
        }
        for (const auto& [text, day] : CollectAnalysisDays(all))
            days.push_back(day);
        daily = BuildDailyYieldTable(sets, days, format);
        monthly = BuildMonthlyYieldTable(daily, format);
        annual = BuildAnnualYieldTable(monthly, D(2008, 6, 1), sets, format);
    }

    AnalysisDataSet& add()
    {
        sets.push_back(
            std::make_unique<AnalysisDataSet>(D(2008, 6, 1), D(2010, 12, 31), &main, &outputs));
        return *sets.back();
    }

    int f(int device, const char* key) const { return field(*sets[device], key); }

    static std::vector<std::string> Column(const StringGrid& g, int c)
    {
        std::vector<std::string> out;
        for (int r = 0; r < g.RowCount(); ++r)
            out.push_back(g.Text(c, r));
        return out;
    }

    StringGrid Fill(int span, TimeWindow window, int current, bool overview = false)
    {
        TableRequest r;
        r.spanItem = span;
        r.window = window;
        r.daily = &daily;
        r.monthly = &monthly;
        r.sets = sets;
        r.current = current >= 0 ? sets[current].get() : nullptr;
        r.overviewMode = overview;
        r.format = format;
        return FillTable(r);
    }

    std::string Summary(int span, DayTime start, int current, bool overview = false)
    {
        SummaryRequest r;
        r.sets = sets;
        r.current = sets[current].get();
        r.overviewShown = overview;
        r.spanItem = span;
        r.windowStart = start;
        r.monthly = &monthly;
        r.annual = &annual;
        r.format = format;
        return BuildYieldSummary(r);
    }

    ViewFormat format{&MonthNames::English(), ','};
    std::vector<std::unique_ptr<AnalysisDataSet>> sets;
    std::vector<int> days;
    StringGrid daily, monthly, annual;
};

TEST_F(YieldTablesTest, DailyTableHasOneColumnPerYieldField)
{
    const std::string d1 = std::to_string(static_cast<int>(D(2009, 12, 31)));
    ASSERT_EQ(daily.ColCount(), 4); // date, device 0: P and V, device 1: V
    ASSERT_EQ(daily.RowCount(), 4 + 3);
    EXPECT_EQ(Column(daily, 0),
              (std::vector<std::string>{
                  "Daily overview", "Date", d1, std::to_string(static_cast<int>(D(2010, 1, 17))),
                  std::to_string(static_cast<int>(D(2010, 3, 17))),
                  std::to_string(static_cast<int>(D(2010, 3, 18))), "Total"}));
    EXPECT_EQ(daily.Value(0, 2), static_cast<int>(D(2009, 12, 31)));
    // Device headings: the index once per device, as integer in every column.
    EXPECT_EQ(daily.Text(1, 0), "0");
    EXPECT_EQ(daily.Text(2, 0), "");
    EXPECT_EQ(daily.Value(2, 0), 0);
    EXPECT_EQ(daily.Text(3, 0), "1");
    EXPECT_EQ(daily.Value(3, 0), 1);
    EXPECT_EQ(daily.Value(1, 1), f(0, "P"));
    EXPECT_EQ(daily.Text(2, 1), std::to_string(f(0, "V")));
    EXPECT_EQ(daily.Value(3, 1), f(1, "V"));

    // A day with data only on the other device reads 0,00; the total adds the unrounded bars.
    EXPECT_EQ(Column(daily, 1), (std::vector<std::string>{"0", std::to_string(f(0, "P")), "0,37",
                                                          "0,37", "0,37", "0,00", "1,10"}));
    EXPECT_EQ(Column(daily, 3), (std::vector<std::string>{"1", std::to_string(f(1, "V")), "0,00",
                                                          "110,00", "0,00", "110,00", "220,00"}));
}

TEST_F(YieldTablesTest, MonthlyAndAnnualTables)
{
    EXPECT_EQ(Column(monthly, 0), (std::vector<std::string>{"Monthly overview", "Date", "Dec. 2009",
                                                            "Jan. 2010", "Mar. 2010", "Total"}));
    EXPECT_EQ(monthly.Value(0, 4), static_cast<int>(D(2010, 3, 1)));
    EXPECT_EQ(Column(monthly, 1)[4], "0,37");
    EXPECT_EQ(Column(monthly, 3)[4], "110,00");
    EXPECT_EQ(Column(monthly, 1)[5], "1,10"); // copy of the daily totals

    // The period starts in 2008: a first year row with zero sums. The annual counter raises
    // 2009 to its 500 kWh; in 2010 the counter (0,2) is below the summed 0,74 and leaves it.
    EXPECT_EQ(Column(annual, 0), (std::vector<std::string>{"Annual overview", "Date", "2008",
                                                           "2009", "2010", "Total"}));
    EXPECT_EQ(annual.Value(0, 3), 2009);
    EXPECT_EQ(Column(annual, 1), (std::vector<std::string>{"0", std::to_string(f(0, "P")), "0,00",
                                                           "500,00", "0,74", ""}));
    EXPECT_EQ(Column(annual, 2)[4], "220,00"); // V has no counter
    EXPECT_EQ(Column(annual, 3)[4], "220,00");

    SelectTextBlock(BlockGerman);
    UpdateTableTexts(&daily, &monthly, nullptr);
    EXPECT_EQ(daily.Text(0, 0), Text(TextId::DailyOverview));
    EXPECT_EQ(monthly.Text(0, monthly.RowCount() - 1), Text(TextId::Total));
    EXPECT_EQ(annual.Text(0, 0), "Annual overview");
    SelectTextBlock(BlockEnglish);
}

TEST_F(YieldTablesTest, VisibleTableFollowsTheWindow)
{
    // "1 day" on 17 March shows all of March.
    StringGrid g = Fill(SpanOneDay, {D(2010, 3, 17), D(2010, 3, 18)}, 0);
    ASSERT_EQ(g.ColCount(), 3);
    EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"Daily overview", "Date", "17. Mar. 2010",
                                                      "18. Mar. 2010", "Total"}));
    EXPECT_EQ(Column(g, 1), (std::vector<std::string>{sets[0]->deviceSettings()->displayName(),
                                                      "Q [kWh]", "0,37", "0,00", "0,37"}));
    EXPECT_EQ(Column(g, 2), (std::vector<std::string>{"", "V [l]", "110,00", "0,00", "110,00"}));
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.FixedRows(), 2);

    // "1 quarter" from 1 January: January to March, device 1; a set label is the heading.
    sets[1]->deviceSettings()->setLabel(f(1, "V"), "Flow");
    g = Fill(SpanOneQuarter, {D(2010, 1, 1), D(2010, 4, 1)}, 1);
    EXPECT_EQ(Column(g, 1),
              (std::vector<std::string>{sets[1]->deviceSettings()->displayName(), "Flow [l]",
                                        "110,00", "0,00", "110,00", "220,00"}));

    // "1 year": the months of 2010; the total adds the rounded cells.
    g = Fill(SpanOneYear, {D(2010, 1, 1), D(2011, 1, 1)}, 0);
    EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"Monthly overview", "Date", "Jan. 2010",
                                                      "Mar. 2010", "Total"}));
    EXPECT_EQ(Column(g, 1)[4], "0,74");

    // An unreadable cell ends that column's work only.
    daily.SetText(1, 4, "n/a");
    g = Fill(SpanOneDay, {D(2010, 3, 17), D(2010, 3, 18)}, 0);
    EXPECT_EQ(g.Text(1, 4), "");
    EXPECT_EQ(g.Text(2, 4), "110,00");
}

TEST_F(YieldTablesTest, AnnualTableOfAPeriodWithoutDaysHasNoYearRow)
{
    const StringGrid noDays = BuildDailyYieldTable(sets, std::vector<int>{}, format);
    const StringGrid noMonths = BuildMonthlyYieldTable(noDays, format);
    const StringGrid noYears = BuildAnnualYieldTable(noMonths, D(2008, 6, 1), sets, format);
    // The two heading rows and the total row: no year, not even PeriodStart's.
    EXPECT_EQ(Column(noYears, 0), (std::vector<std::string>{"Annual overview", "Date", "Total"}));
}

// Days on both sides of a month's end: the month window shows only its own days.
TEST_F(YieldTablesTest, MonthWindowLeavesOutTheFirstOfTheNextMonth)
{
    AnalysisDataSet& c = add();
    for (DayTime day : {D(2010, 4, 30), D(2010, 5, 1)}) {
        ASSERT_EQ(loadBytes(c, test::LogName(30, day),
                            test::DayLog("V'[l/min]", day, {{"09:00", "5,0"}, {"09:20", "5,0"}})),
                  "");
    }
    Aggregate(c);
    c.updateAvailability();
    c.prepareDisplay();
    const std::vector<int> edge{Day(2010, 4, 30), Day(2010, 5, 1)};
    daily = BuildDailyYieldTable(sets, edge, format);
    const StringGrid g = Fill(SpanOneMonth, {D(2010, 4, 1), D(2010, 5, 1)}, 2);
    EXPECT_EQ(Column(g, 0),
              (std::vector<std::string>{"Daily overview", "Date", "30. Apr. 2010", "Total"}));
}

TEST_F(YieldTablesTest, OverviewShowsDevicesWithMarks)
{
    StringGrid g = Fill(SpanOneDay, {D(2010, 1, 17), D(2010, 1, 18)}, 0, true);
    EXPECT_EQ(g.ColCount(), 1);
    EXPECT_EQ(g.FixedCols(), 0);
    EXPECT_EQ(g.RowCount(), 4);

    // Marking any field of device 1 shows all its yield columns, and only those.
    sets[1]->select(0, true);
    g = Fill(SpanOneDay, {D(2010, 1, 17), D(2010, 1, 18)}, 0, true);
    ASSERT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.Value(1, 0), 1);
    sets[0]->select(f(0, "V"), true);
    EXPECT_EQ(Fill(SpanOneDay, {D(2010, 1, 17), D(2010, 1, 18)}, 0, true).ColCount(), 4);
}

TEST_F(YieldTablesTest, PeriodYieldsAndSummary)
{
    const int p = f(0, "P");
    // The quarter reaching the end of the data sums each of its months once.
    EXPECT_NEAR(PeriodYield(&monthly, &annual, 0, p, ModeQuarter, D(2010, 1, 1), ','), 0.74, 1e-12);
    EXPECT_NEAR(PeriodYield(&monthly, &annual, 0, p, ModeMonth, D(2010, 2, 1), ','), 0, 1e-12);
    EXPECT_NEAR(PeriodYield(&monthly, &annual, 0, p, ModeYear, D(2009, 1, 1), ','), 500, 1e-12);
    EXPECT_EQ(PeriodYield(&monthly, &annual, 1, 99, ModeMonth, D(2010, 3, 1), ','), 0);
    EXPECT_EQ(PeriodYield(&monthly, &annual, 0, p, ModeShort, D(2010, 3, 1), ','), 0);

    EXPECT_EQ(Summary(SpanOneMonth, D(2010, 3, 1), 0),
              "Monthly yield Q: 0,37 [kWh]  -  V: 110,00 [l]");
    EXPECT_EQ(Summary(SpanOneYear, D(2009, 1, 1), 0),
              "Annual yield Q: 500,00 [kWh]  -  V: 110,00 [l]");
    EXPECT_EQ(Summary(SpanOneQuarter, D(2010, 1, 1), 1), "Quarterly yield V: 220,00 [l]");
    EXPECT_EQ(Summary(SpanOneQuarter, D(2010, 1, 1), 1, true), "");
    EXPECT_EQ(Summary(SpanOneDay, D(2010, 1, 1), 1), "");
}

} // namespace
} // namespace korvex
