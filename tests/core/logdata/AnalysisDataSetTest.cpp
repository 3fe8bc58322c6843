#include "core/logdata/CustomSeries.h"
#include "tests/core/logdata/LogTestSupport.h"

namespace korvex::test {
namespace {

class DataSetTest : public LogDataTest {
protected:
    // Loads a day file of one T1 value per day for device 10.
    void loadDay(AnalysisDataSet& set, int dayOfMonth)
    {
        char name[32], line[64];
        std::snprintf(name, sizeof name, "Lg100805%02d.csv", dayOfMonth);
        std::snprintf(line, sizeof line, "2008-05-%02d 00:00;1\r\n", dayOfMonth);
        ASSERT_EQ(loadBytes(set, name,
                            std::string("DATE & TIME;T1[\xB0"
                                        "C]\r\n") +
                                line),
                  "");
    }
};

TEST_F(DataSetTest, InsertSlotMovesLaterSlotsAndChecksTheIndex)
{
    AnalysisDataSet& set = makeSet();
    set.insertSlot(0, FieldCategory::Others, false);
    set.insertSlot(1, FieldCategory::Outputs, false);
    Series* others = set.series(0);
    Series* outputsSeries = set.series(1);
    set.insertSlot(0, FieldCategory::Inputs, false);
    ASSERT_EQ(set.slotCount(), 3);
    EXPECT_EQ(set.series(1), others);
    EXPECT_EQ(set.series(2), outputsSeries);
    EXPECT_EQ(set.slot(0).chart, &main);
    EXPECT_EQ(set.slot(2).chart, &outputs);
    EXPECT_FALSE(set.slot(0).shown || set.slot(0).available || set.slot(0).remembered);
    try {
        set.insertSlot(5, FieldCategory::Inputs, false);
        ADD_FAILURE();
    } catch (const KorvexError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "An index error occurred while creating the internal data structure");
    }
    EXPECT_EQ(set.slotCount(), 3);
}

TEST_F(DataSetTest, ReadingOperationsAnswerFalseOutOfRange)
{
    AnalysisDataSet& set = makeSet();
    EXPECT_FALSE(set.hasData());
    EXPECT_FALSE(set.shown(0));
    EXPECT_FALSE(set.available(-1));
    EXPECT_FALSE(set.selected(3));
    EXPECT_EQ(set.unit(7), "");
    EXPECT_EQ(set.series(0), nullptr);
    EXPECT_EQ(set.fileNameAt(EncodeDate(2008, 5, 2)), "");
    set.select(0, true); // no selection array yet: nothing happens
}

TEST_F(DataSetTest, ShowNeedsDataAndHideTakesTheSeriesOffItsChart)
{
    AnalysisDataSet& set = makeSet();
    set.insertSlot(0, FieldCategory::Inputs, false);
    EXPECT_FALSE(set.show(0)); // a device whose every file failed
    loadDay(set, 2);
    set.updateAvailability();
    set.prepareDisplay();
    ASSERT_TRUE(set.show(field(set, "T1")));
    const int t1 = field(set, "T1");
    EXPECT_TRUE(set.shown(t1));
    EXPECT_TRUE(main.hasSeries(*set.series(t1)));
    set.hide(t1);
    EXPECT_FALSE(set.shown(t1));
    EXPECT_FALSE(main.hasSeries(*set.series(t1)));
    EXPECT_FALSE(set.show(99));
}

TEST_F(DataSetTest, AvailabilityNeedsPointsAndNoDerivedFlag)
{
    AnalysisDataSet& set = makeSet();
    loadDay(set, 2);
    ASSERT_EQ(loadBytes(set, "Lg10080503.csv",
                        "DATE & TIME;T1[\xB0"
                        "C];T2[\xB0"
                        "C];Ptag[kWh]\r\n2008-05-03 00:00;1;;5\r\n"),
              "");
    set.deviceSettings()->setDerived(field(set, "Ptag"), true);
    set.updateAvailability();
    EXPECT_TRUE(set.available(field(set, "T1")));
    EXPECT_FALSE(set.available(field(set, "T2")));
    EXPECT_FALSE(set.available(field(set, "Ptag")));
}

TEST_F(DataSetTest, FileNameAtPicksTheCoveringOrNearerFile)
{
    AnalysisDataSet& set = makeSet(); // range 1 May .. 1 June 2008
    loadDay(set, 2);
    loadDay(set, 3);
    loadDay(set, 10);
    const auto at = [&](int d, double hour) {
        return set.fileNameAt(EncodeDate(2008, 5, d) + hour / 24);
    };
    EXPECT_EQ(at(1, 0), "/logs/Lg10080502.csv");   // at the range start
    EXPECT_EQ(at(31, 12), "/logs/Lg10080510.csv"); // after the last loaded day
    EXPECT_EQ(set.fileNameAt(EncodeDate(2008, 6, 1)), "/logs/Lg10080510.csv");
    EXPECT_EQ(at(2, 0), "/logs/Lg10080502.csv");
    EXPECT_EQ(at(3, 13), "/logs/Lg10080503.csv");
    EXPECT_EQ(at(5, 0), "/logs/Lg10080503.csv"); // 2 days after the 3rd, 5 before the 10th
    EXPECT_EQ(at(9, 0), "/logs/Lg10080510.csv");
    EXPECT_EQ(at(10, 6), "/logs/Lg10080510.csv");
}

TEST_F(DataSetTest, DaysOfAllDataSetsAreASortedUnion)
{
    AnalysisDataSet& a = makeSet();
    AnalysisDataSet& b = makeSet();
    AnalysisDataSet& empty = makeSet();
    loadDay(a, 3);
    loadDay(a, 1);
    loadDay(b, 2);
    loadDay(b, 3);
    const auto days = CollectAnalysisDays({&a, &b, &empty, nullptr});
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0].first, "20080501");
    EXPECT_EQ(days[0].second, static_cast<int>(EncodeDate(2008, 5, 1)));
    EXPECT_EQ(days[2].first, "20080503");
    try {
        CollectAnalysisDays({&empty});
        ADD_FAILURE();
    } catch (const KorvexError& e) {
        EXPECT_EQ(std::string(e.what()), "No file found to open");
    }
}

TEST_F(DataSetTest, FilesGoToTheDataSetOfTheirDevice)
{
    const std::vector<std::string> devices = {"10", "21", "30"};
    EXPECT_EQ(DataSetIndexForFile(devices, "/d/Lg21080515.csv"), 1);
    try {
        DataSetIndexForFile(devices, "/d/Lg22080515.csv");
        ADD_FAILURE();
    } catch (const KorvexError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Log file could not be assigned to a bus participant\n(/d/Lg22080515.csv)");
    }
}

TEST_F(DataSetTest, CollectUnitsOfShownAndSelectedFields)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(loadBytes(set, "Lg10080502.csv",
                        "DATE & TIME;T1[\xB0"
                        "C];T2[\xB0"
                        "F];T3[\xB0"
                        "C];P[kW]\r\n"
                        "2008-05-02 00:00;1;2;3;4\r\n"),
              "");
    set.prepareDisplay();
    set.slot(0).shown = true;
    set.slot(1).shown = true;
    set.slot(2).shown = true;
    set.slot(3).shown = true;
    set.select(2, true);
    std::vector<std::string> units = {"[x]"};
    set.collectUnits(false, units, FieldCategory::Inputs);
    EXPECT_EQ(units, (std::vector<std::string>{"[x]", "[°C]", "[°F]", "[°C]"}));
    units.clear();
    set.collectUnits(true, units, FieldCategory::Inputs);
    EXPECT_EQ(units, (std::vector<std::string>{"[°C]"}));
}

TEST_F(DataSetTest, SelectionGrowsWithNewFieldsAndOthersAxisIsSet)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(
        loadBytes(set, "Lg10080502.csv", "DATE & TIME;V[l/min];R1[%]\r\n2008-05-02 00:00;1;2\r\n"),
        "");
    set.prepareDisplay();
    set.select(1, true);
    set.insertSlot(0, FieldCategory::Inputs, false);
    EXPECT_FALSE(set.selected(0));
    EXPECT_TRUE(set.selected(2));
    main.axisCalls.clear();
    set.setOthersAxis(VerticalAxis::Right);
    EXPECT_EQ(set.series(1)->axis(), VerticalAxis::Right);
    EXPECT_EQ(set.series(0)->axis(), VerticalAxis::Left);
    ASSERT_EQ(main.axisCalls.size(), 1u);
    EXPECT_EQ(main.axisCalls[0].series, set.series(1));
}

TEST_F(DataSetTest, DisplayChangesReachOnlyTheCurrentListener)
{
    AnalysisDataSet set(0, 1, nullptr, nullptr);
    std::vector<int> first;
    std::vector<int> second;
    set.setDisplayListener([&first](int field) { first.push_back(field); });
    set.notifyDisplayChanged(3);
    set.setDisplayListener([&second](int field) { second.push_back(field); });
    set.notifyDisplayChanged(-1);
    set.notifyDisplayChanged(0);
    set.setDisplayListener({});
    set.notifyDisplayChanged(5);
    EXPECT_EQ(first, std::vector<int>({3}));
    EXPECT_EQ(second, std::vector<int>({-1, 0}));
}

TEST_F(DataSetTest, DestroyingADataSetTakesItsShownSeriesOffTheCharts)
{
    {
        AnalysisDataSet set(0, 100000, &main, &outputs);
        ASSERT_EQ(loadBytes(set, "Lg10080502.csv",
                            "DATE & TIME;T1[\xB0"
                            "C]\r\n2008-05-02 00:00;1\r\n"),
                  "");
        set.prepareDisplay();
        ASSERT_TRUE(set.show(0));
        EXPECT_EQ(main.series().size(), 1u);
    }
    EXPECT_TRUE(main.series().empty());
}

} // namespace
} // namespace korvex::test
