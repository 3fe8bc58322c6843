#include "core/logdata/CustomSeries.h"
#include "core/services/NumberFormat.h"
#include "tests/core/logdata/LogTestSupport.h"

namespace korvex::test {
namespace {

class ReaderTest : public LogDataTest {
protected:
    const DayTime day = EncodeDate(2008, 5, 15);

    std::string pts(const AnalysisDataSet& set, const std::string& name, DayTime d)
    {
        return Describe(points(set, name, d));
    }
    std::string pts(const AnalysisDataSet& set, const std::string& name)
    {
        return pts(set, name, day);
    }
};

TEST_F(ReaderTest, WorkedExampleFieldsUnitsAndPoints)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "example/Lg10080515.csv"), "");
    const DeviceSettings& dev = *set.deviceSettings();

    ASSERT_EQ(dev.fieldCount(), 6);
    const char* keys[] = {"T1", "T2", "V", "P", "Ptag", "R1"};
    const char* units[] = {"[°C]", "[°C]", "[l/min]", "[kW]", "[kWh]", "[%]"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(dev.key(i), keys[i]);
        EXPECT_EQ(dev.unit(i), units[i]);
        EXPECT_EQ(set.unit(i), units[i]);
    }
    EXPECT_EQ(dev.inputsCount(), 2);
    EXPECT_EQ(dev.othersCount(), 3);
    EXPECT_EQ(dev.outputsCount(), 1);
    EXPECT_EQ(dev.settingsKey(0), "T1[°C]");
    EXPECT_FALSE(dev.contains("Qsum"));

    EXPECT_EQ(pts(set, "T1"), "(0,21.5)(1,21.5)(2,21.6)(720,null)(720,65.2)(720,null)");
    EXPECT_EQ(pts(set, "T2"), "(0,19)(2,19)(720,null)(720,40.3)(720,null)");
    EXPECT_EQ(pts(set, "V"), "(0,0)(2,0)(720,null)(720,6.5)(720,null)");
    EXPECT_EQ(pts(set, "P"), "(0,0)(2,0)(720,null)(720,2.35)(720,null)");
    EXPECT_EQ(pts(set, "Ptag"), "(720,4.2)");
    EXPECT_EQ(pts(set, "R1"), "(0,0)(2,0)(720,null)(720,100)(720,null)");
    // The factor is single precision, applied to the double value.
    EXPECT_EQ(set.series(field(set, "P"))->y(3), 2350.0 * static_cast<double>(0.001f));

    EXPECT_EQ(set.series(0)->seriesClass(), SeriesClass::Line);
    EXPECT_EQ(set.series(2)->seriesClass(), SeriesClass::OffsetLine);
    EXPECT_EQ(set.series(4)->seriesClass(), SeriesClass::SumBars);
    EXPECT_EQ(set.series(5)->seriesClass(), SeriesClass::OffsetLine);
    EXPECT_TRUE(set.series(5)->stairs());
    EXPECT_EQ(set.slot(5).chart, &outputs);
    EXPECT_EQ(set.slot(0).chart, &main);
    EXPECT_EQ(set.slot(3).category, FieldCategory::Others);
}

TEST_F(ReaderTest, WorkedExampleDayDeviceAndBookkeeping)
{
    SetDecimalSeparator('.');
    AnalysisDataSet& set = makeSet();
    const std::string path = ReaderFixture("example/Lg10080515.csv");
    ASSERT_EQ(load(set, "example/Lg10080515.csv"), "");

    EXPECT_EQ(DecimalSeparator(), ',');
    ASSERT_EQ(set.dayBlocks().size(), 1u);
    const DayBlock& block = set.dayBlocks()[0];
    EXPECT_EQ(block.day, day);
    EXPECT_EQ(block.lastTime, day + 1);
    EXPECT_EQ(block.year, 2008);
    EXPECT_EQ(block.month, 5);
    EXPECT_EQ(block.dayOfMonth, 15);
    EXPECT_TRUE(block.started);
    EXPECT_EQ(set.fileCount(), 1);
    ASSERT_EQ(set.fileNames().size(), 1u);
    EXPECT_EQ(set.fileNames()[0], path);

    DeviceSettings& dev = *set.deviceSettings();
    EXPECT_EQ(dev.number(), 10);
    EXPECT_TRUE(dev.standardName());
    EXPECT_EQ(dev.displayName(), "Solar controller");
    SelectTextBlock(BlockGerman);
    EXPECT_EQ(dev.displayName(), TextOf(BlockGerman, TextId::SolarController));
    EXPECT_NE(dev.displayName(), "Solar controller");
}

TEST_F(ReaderTest, LineEndsAndLeadingEmptyLinesReadAlike)
{
    AnalysisDataSet& reference = makeSet();
    ASSERT_EQ(load(reference, "example/Lg10080515.csv"), "");
    for (const char* name : {"line-ends-cr/Lg10080515.csv", "line-ends-lf/Lg10080515.csv",
                             "leading-empty/Lg10080515.csv"}) {
        SCOPED_TRACE(name);
        AnalysisDataSet& set = makeSet();
        ASSERT_EQ(load(set, name), "");
        for (const char* f : {"T1", "T2", "V", "P", "Ptag", "R1"})
            EXPECT_EQ(pts(set, f), pts(reference, f)) << f;
    }
}

TEST_F(ReaderTest, ColumnMapSkipsIgnoredColumnsAndKeepsPositions)
{
    AnalysisDataSet& set = makeSet();
    LogFileReader reader;
    reader.load(set, ReaderFixture("ignored-columns/Lg10080515.csv"));
    const ColumnMap& map = reader.columnMap();
    ASSERT_EQ(map.size(), 6u);
    EXPECT_EQ(map.entries[0].series, nullptr); // X[ppm]
    EXPECT_NE(map.entries[1].series, nullptr); // T1
    EXPECT_EQ(map.entries[2].series, nullptr); // QGes
    EXPECT_EQ(map.entries[3].series, nullptr); // Qsum
    EXPECT_EQ(map.entries[4].series, nullptr); // Note
    EXPECT_NE(map.entries[5].series, nullptr); // T2
    EXPECT_EQ(set.deviceSettings()->fieldCount(), 2);
    EXPECT_EQ(pts(set, "T1"), "(0,21.5)(0,null)");
    EXPECT_EQ(pts(set, "T2"), "(0,19)(0,null)");
}

TEST_F(ReaderTest, UnitNormalisation)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "kw-per-hour/Lg10080515.csv"), "");
    const DeviceSettings& dev = *set.deviceSettings();
    EXPECT_EQ(dev.unit(field(set, "E")), "[kWh]");
    EXPECT_EQ(dev.category(field(set, "E")), FieldCategory::Others);
    EXPECT_EQ(dev.unit(field(set, "T")), "[°C]");
    EXPECT_EQ(dev.unit(field(set, "U")), "[°F]");
    EXPECT_EQ(dev.category(field(set, "U")), FieldCategory::Inputs);
}

TEST_F(ReaderTest, YieldNamesAndTotals)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(loadBytes(set, "Lg10080515.csv",
                        "DATE & TIME;QDay[kWh];QYear[kWh];QSum[kWh];Qges2[kWh];QTag2[kWh];"
                        "V'ab'[l/min]\r\n2008-05-15 00:00;1;2;3;4;5;6\r\n"),
              "");
    const DeviceSettings& dev = *set.deviceSettings();
    EXPECT_GE(dev.find("Ptag"), 0);
    EXPECT_GE(dev.find("Pjahr"), 0);
    EXPECT_GE(dev.find("Ptag2"), 0);
    EXPECT_GE(dev.find("Vab'"), 0); // only the first apostrophe goes
    EXPECT_EQ(dev.fieldCount(), 4);
    EXPECT_EQ(pts(set, "Pjahr"), "(720,2)");
}

// "Err" cells add no point, as empty cells do, but the reader notes them as runs of lines; a
// gap ends a run, and so does a line with a value.
TEST_F(ReaderTest, ErrCellsAreNotedAsRunsWithoutChangingTheSeries)
{
    const std::string lines[] = {"00:00;20,5;Err", "00:02;20,5;Err", "00:04;21,0;4,0",
                                 "00:06;21,5;Err", "01:00;22,0;Err", "01:02;22,0;Err"};
    std::string withErr = "DATE & TIME;T1[\xB0" "C];T2[\xB0" "C]\r\n";
    std::string empty = withErr;
    for (const std::string& l : lines) {
        withErr += "2008-05-15 " + l + "\r\n";
        std::string blank = l;
        if (blank.size() >= 3 && blank.compare(blank.size() - 3, 3, "Err") == 0)
            blank.erase(blank.size() - 3);
        empty += "2008-05-15 " + blank + "\r\n";
    }
    AnalysisDataSet& noted = makeSet();
    AnalysisDataSet& plain = makeSet();
    ASSERT_EQ(loadBytes(noted, "Lg10080515.csv", withErr), "");
    ASSERT_EQ(loadBytes(plain, "Lg10080515.csv", empty), "");
    for (const char* key : {"T1", "T2"})
        EXPECT_EQ(pts(noted, key), pts(plain, key)) << key;
    const auto at = [this](int h, int m) { return day + EncodeTime(h, m); };
    EXPECT_EQ(noted.errRuns("T2"), (AnalysisDataSet::ErrRuns{{at(0, 0), at(0, 2)},
                                                             {at(0, 6), at(0, 6)},
                                                             {at(1, 0), at(1, 2)}}));
    EXPECT_TRUE(noted.errRuns("T1").empty());
    EXPECT_TRUE(plain.errRuns("T2").empty());
}

TEST_F(ReaderTest, GapOpensNullAndIntervalIsLearnedAgain)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "gap/Lg10080515.csv"), "");
    EXPECT_EQ(pts(set, "T1"), "(0,1)(1,2)(2,3)(10,null)(10,4)(11,5)(11,null)");
}

// A step is a gap when, rounded to whole minutes, it is above the learned interval: at a two
// minute interval 149 s are none and 150 s are one; at one minute, learned after the gap, 89 s
// are none and 90 s are one.
TEST_F(ReaderTest, AGapStartsWhereTheRoundedStepPassesTheInterval)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(loadBytes(set, "Lg10080515.csv",
                        "DATE & TIME;T1[\xB0"
                        "C]\r\n"
                        "2008-05-15 10:00:00;1\r\n2008-05-15 10:02:00;2\r\n"
                        "2008-05-15 10:04:29;3\r\n2008-05-15 10:06:59;4\r\n"
                        "2008-05-15 10:07:59;5\r\n2008-05-15 10:09:28;6\r\n"
                        "2008-05-15 10:10:58;7\r\n"),
              "");
    // Minutes of the day: 10:04:29 is 604.483, 10:06:59 is 606.983, and so on.
    const std::vector<Point> points = this->points(set, "T1", day);
    ASSERT_EQ(points.size(), 10u);
    const double minutes[] = {600, 602, 604 + 29 / 60.0, 606 + 59 / 60.0, 606 + 59 / 60.0,
                              607 + 59 / 60.0, 609 + 28 / 60.0, 610 + 58 / 60.0, 610 + 58 / 60.0};
    const double values[] = {1, 2, 3, NAN, 4, 5, 6, NAN, 7};
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_NEAR(points[i].minute, minutes[i], 1e-3) << i; // read to the thousandth
        EXPECT_EQ(std::isnan(points[i].y), std::isnan(values[i])) << i;
        if (!std::isnan(values[i]))
            EXPECT_EQ(points[i].y, values[i]) << i;
    }
    EXPECT_TRUE(std::isnan(points[9].y)); // the day's closing null
}

TEST_F(ReaderTest, RunCompressionAndErrCells)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "runs/Lg10080515.csv"), "");
    EXPECT_EQ(pts(set, "A"), "(0,5)(3,5)(3,null)");
    EXPECT_EQ(pts(set, "B"), "(0,5)(1,5)(2,6)(3,6)(3,null)");
    // After "Err" the equal value starts anew instead of stretching the run over the hole.
    EXPECT_EQ(pts(set, "C"), "(0,5)(1,5)(3,5)(3,null)");
}

TEST_F(ReaderTest, UnreadableTimestampIsStampedFromTheInterval)
{
    AnalysisDataSet& a = makeSet();
    ASSERT_EQ(load(a, "fallback-stamp/Lg10080515.csv"), "");
    EXPECT_EQ(pts(a, "T1"), "(600,1)(601,2)(602,3)(603,4)(604,5)(605,6)(605,null)");

    // As the second line nothing is learned yet: one minute after the first.
    AnalysisDataSet& b = makeSet();
    ASSERT_EQ(load(b, "fallback-second/Lg10080515.csv"), "");
    EXPECT_EQ(pts(b, "T1"), "(600,1)(601,2)(605,null)(605,3)(606,4)(606,null)");
}

TEST_F(ReaderTest, UnreadableTimestampInAFiveMinuteLogIsFiveMinutesOn)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(loadBytes(set, "Lg10080515.csv",
                        "DATE & TIME;T1[\xB0"
                        "C]\r\n2008-05-15 10:00;1\r\n2008-05-15 10:05;2\r\n25:99;3\r\n"
                        "2008-05-15 10:15;4\r\n2008-05-15 10:20;5\r\n2008-05-15 10:25;7\r\n"),
              "");
    EXPECT_EQ(pts(set, "T1"), "(600,1)(605,2)(610,3)(615,4)(620,5)(625,7)(625,null)");
}

TEST_F(ReaderTest, EndOfDayYieldInWattsIsScaledToKilo)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(loadBytes(set, "Lg10080515.csv",
                        "DATE & TIME;T1[\xB0"
                        "C];Qday[W]\r\n2008-05-15 10:00;20;700\r\n2008-05-15 23:55;21;1500\r\n"),
              "");
    EXPECT_EQ(pts(set, "Ptag"), "(720,1.5)");
}

TEST_F(ReaderTest, FirstLineWithYesterdaysDateMovesOntoTheDay)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "first-line-repair/Lg10080515.csv"), "");
    EXPECT_EQ(pts(set, "T1"), "(0,1)(1,2)(2,3)(2,null)");
}

TEST_F(ReaderTest, LinesBeforeTheDayAreSkipped)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "before-day/Lg10080515.csv"), "");
    EXPECT_EQ(pts(set, "T1"), "(0,2)(1,3)(2,4)(2,null)");
}

TEST_F(ReaderTest, DateOrderIsRetriedAndStaysSwitched)
{
    AnalysisDataSet& a = makeSet();
    ASSERT_EQ(load(a, "mixed-order/Lg10080515.csv"), "");
    EXPECT_EQ(pts(a, "T1"), "(0,1)(1,2)(2,3)(3,4)(3,null)");

    // The middle line does not read in the header's order: the day comes from dd.mm.yyyy.
    AnalysisDataSet& b = makeSet();
    ASSERT_EQ(load(b, "dmy-middle-fallback/Lg10080515.csv"), "");
    ASSERT_EQ(b.dayBlocks().size(), 1u);
    EXPECT_EQ(b.dayBlocks()[0].day, day);
    EXPECT_EQ(pts(b, "T1"), "(0,1)(1,2)(2,3)(2,null)");
}

TEST_F(ReaderTest, DayMonthYearFileWithoutDeviceCell)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "heating-circuit/Lg23080515.csv"), "");
    EXPECT_EQ(set.deviceSettings()->number(), 23);
    EXPECT_EQ(set.deviceSettings()->name(), "Heating circuit 3");
    EXPECT_EQ(pts(set, "T1"), "(0,40)(1,41)(1,null)");
    EXPECT_EQ(pts(set, "R1"), "(0,0)(1,100)(1,null)");
}

TEST_F(ReaderTest, YieldWithoutEndOfDayValueIsReadLineByLineAsOneBar)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "yield-err/Lg10080515.csv"), "");
    EXPECT_EQ(pts(set, "Ptag"), "(720,2)");

    // Equal values on consecutive days stay bars in the middle of their days.
    AnalysisDataSet& days = makeSet();
    ASSERT_EQ(load(days, "yield-lines/Lg10080515.csv"), "");
    ASSERT_EQ(load(days, "yield-lines/Lg10080516.csv"), "");
    EXPECT_EQ(pts(days, "Ptag"), "(720,2)(2160,2)");
}

TEST_F(ReaderTest, UnitWarningOnlyOncePerDataSet)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "units/Lg10080515.csv"), "");
    EXPECT_TRUE(warnings.empty());
    ASSERT_EQ(load(set, "units/Lg10080516.csv"), "");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "Different units were found for field T1. The displayed values/units "
                           "are probably faulty.");
    ASSERT_EQ(load(set, "units/Lg10080517.csv"), "");
    EXPECT_EQ(warnings.size(), 1u);
    EXPECT_EQ(set.unit(0), "[°C]");
    EXPECT_EQ(set.deviceSettings()->fieldCount(), 1);

    // Another data set warns again.
    AnalysisDataSet& other = makeSet();
    ASSERT_EQ(load(other, "units/Lg10080515.csv"), "");
    ASSERT_EQ(load(other, "units/Lg10080516.csv"), "");
    EXPECT_EQ(warnings.size(), 2u);
}

TEST_F(ReaderTest, ProcessWideWarningHandlerServesDataSetLoad)
{
    std::vector<std::string> seen;
    SetLogWarningHandler([&seen](const std::string& m) { seen.push_back(m); });
    AnalysisDataSet& set = makeSet();
    set.load(ReaderFixture("units/Lg10080515.csv"));
    set.load(ReaderFixture("units/Lg10080516.csv"));
    SetLogWarningHandler({});
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(ReaderTest, NewInputFieldShiftsLaterFieldsInEveryList)
{
    writeSettings("[Labels:10]\nR1[%]=Pump\n[Colors:10]\nV[l/min]=255\n");
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "shift/Lg10080515.csv"), "");
    Series* v = set.series(0);
    Series* r1 = set.series(1);
    ASSERT_EQ(load(set, "shift/Lg10080516.csv"), "");

    const DeviceSettings& dev = *set.deviceSettings();
    ASSERT_EQ(dev.fieldCount(), 3);
    EXPECT_EQ(dev.key(0), "T1");
    EXPECT_EQ(dev.key(1), "V");
    EXPECT_EQ(dev.key(2), "R1");
    EXPECT_EQ(set.unit(0), "[°C]");
    EXPECT_EQ(set.unit(1), "[l/min]");
    EXPECT_EQ(set.unit(2), "[%]");
    EXPECT_EQ(dev.label(2), "Pump");
    EXPECT_EQ(dev.colour(1), 255u);
    EXPECT_EQ(set.series(1), v);
    EXPECT_EQ(set.series(2), r1);
    EXPECT_EQ(set.slot(0).category, FieldCategory::Inputs);
    EXPECT_EQ(set.slot(2).category, FieldCategory::Outputs);
    EXPECT_EQ(Describe(points(set, "V", day)), "(0,1)(0,null)(1440,2)(1440,null)");
    EXPECT_EQ(Describe(points(set, "R1", day)), "(0,100)(0,null)(1440,0)(1440,null)");
}

TEST_F(ReaderTest, NullPointsCloseEveryDay)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "two-days/Lg10080515.csv"), "");
    ASSERT_EQ(load(set, "two-days/Lg10080516.csv"), "");
    // Equal values on both days are not merged across the day boundary.
    EXPECT_EQ(pts(set, "T1"), "(0,1)(1439,1)(1439,null)(1440,1)(2879,1)(2879,null)");
    EXPECT_EQ(pts(set, "Ptag"), "(720,3.5)(2160,4.5)");
}

TEST_F(ReaderTest, DeviceNameMustMatchForNonStandardNames)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "device-clash/Lg05080515.csv"), "");
    EXPECT_EQ(set.deviceSettings()->name(), "Pump station");
    EXPECT_FALSE(set.deviceSettings()->standardName());
    EXPECT_EQ(load(set, "device-clash/Lg05080516.csv"),
              "Different bus participants use the same device number");
    EXPECT_EQ(load(set, "device-clash/Lg05080517.csv"), "");
    EXPECT_EQ(set.fileCount(), 2);
}

TEST_F(ReaderTest, StandardNamesInAnyLanguageAndTrailingNumbers)
{
    AnalysisDataSet& a = makeSet();
    const std::string germanName = TextOf(BlockGerman, TextId::HeatingCircuit);
    ASSERT_EQ(loadBytes(a, "Lg22080515.csv",
                        germanName + " 2;DATE & TIME;T1[°C]\r\n" + germanName +
                            " 2;2008-05-15 00:00;1\r\n"),
              "");
    EXPECT_TRUE(a.deviceSettings()->standardName());
    EXPECT_EQ(a.deviceSettings()->name(), "Heating circuit 2");

    AnalysisDataSet& b = makeSet();
    ASSERT_EQ(
        loadBytes(b, "Lg00080515.csv", "BusMaster;DATE & TIME;T1[°C]\r\nx;2008-05-15 00:00;1\r\n"),
        "");
    EXPECT_EQ(b.deviceSettings()->name(), "BusMaster");

    AnalysisDataSet& c = makeSet();
    ASSERT_EQ(loadBytes(c, "Lg77080515.csv", "DATE & TIME;T1[°C]\r\n2008-05-15 00:00;1\r\n"), "");
    EXPECT_EQ(c.deviceSettings()->name(), "BusID 77");

    // A type name that is not the number's own stays as written.
    AnalysisDataSet& d = makeSet();
    ASSERT_EQ(loadBytes(d, "Lg31080515.csv",
                        "Solar controller;DATE & TIME;T1[°C]\r\nx;2008-05-15 00:00;1\r\n"),
              "");
    EXPECT_FALSE(d.deviceSettings()->standardName());
    EXPECT_EQ(d.deviceSettings()->name(), "Solar controller");
}

TEST_F(ReaderTest, LastValueCellMayBeMissingOrEmpty)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "last-cell-missing/Lg10080515.csv"), "");
    EXPECT_EQ(pts(set, "T3"), "(0,3)(1,null)");
    EXPECT_EQ(pts(set, "T2"), "(0,2)(1,2)(1,null)");
}

TEST_F(ReaderTest, FilesOutOfDateOrderStillGiveSortedSeries)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "two-days/Lg10080516.csv"), "");
    ASSERT_EQ(load(set, "two-days/Lg10080515.csv"), "");
    const Series* t1 = set.series(field(set, "T1"));
    for (int i = 1; i < t1->count(); ++i)
        EXPECT_LE(t1->x(i - 1), t1->x(i));
    EXPECT_EQ(pts(set, "Ptag"), "(720,3.5)(2160,4.5)");
    EXPECT_EQ(set.dayBlocks()[0].day, day + 1); // load order, not date order
}

} // namespace
} // namespace korvex::test
