#include "core/views/Readout.h"

#include "core/logdata/CustomSeries.h"
#include "core/views/Navigation.h"

#include "tests/core/logdata/LogTestSupport.h"
#include "tests/core/views/YieldTestSupport.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

const DayTime kDay = EncodeDate(2014, 10, 3);

DayTime At(int h, int m, int s = 0)
{
    return kDay + (h * 3600 + m * 60 + s) / 86400.0;
}

struct Graphs {
    LineSeries temperature{nullptr};
    TOffsetLine pump{nullptr};
    TOffsetLine power{nullptr};
    std::vector<ReadoutGraph> list;

    Graphs()
    {
        // Temperature every 30 s, rising 0.5 K per sample; a pump switched on at 10:01;
        // power every two minutes.
        for (int i = 0; i < 8; ++i)
            temperature.addPoint(At(10, 0, 30 * i), 40 + 0.5 * i);
        pump.addPoint(At(10, 0), 0);
        pump.addPoint(At(10, 1), 100);
        pump.addPoint(At(10, 20), 100);
        for (int i = 0; i < 3; ++i)
            power.addPoint(At(10, 2 * i), 1.5 * (i + 1));
        list.push_back({&temperature, ReadRule::Nearest, SamplingStep(temperature), "T1",
                        "[\u00b0C]", "", 0, 0x0000FF});
        list.push_back({&pump, ReadRule::Hold, SamplingStep(pump), "R1", "[%]", "", 0, 0x00FF00});
        list.push_back(
            {&power, ReadRule::Nearest, SamplingStep(power), "P", "[kW]", "[kWh]", 24, 0xFF0000});
    }
};

std::vector<std::string> Texts(const std::vector<ReadoutLine>& lines)
{
    std::vector<std::string> texts;
    for (const ReadoutLine& l : lines)
        texts.push_back(l.text);
    return texts;
}

TEST(Readout, LinesPerGraphInChartOrder)
{
    const Graphs g;
    const auto lines = BuildReadout(g.list, At(10, 0, 50), SpanOneHour, {}, ',');
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"03.10.2014 10:00:50", "T1: 41,00 [\u00b0C]",
                                                      "R1: 0,00 [%]", "P: 1,50 [kW]"}));
    EXPECT_TRUE(lines[0].isTime);
    EXPECT_EQ(lines[2].colour, 0x00FF00u);
    // Past the data: the temperature's step (30 s) is exceeded, the held pump has no end.
    const auto late = BuildReadout(g.list, At(10, 6), SpanOneDay, {}, '.');
    EXPECT_EQ(Texts(late), (std::vector<std::string>{"03.10.2014 10:06", "T1: \u2013",
                                                     "R1: 100.00 [%]", "P: 4.50 [kW]"}));
}

TEST(Readout, MarkersShowBothValuesDifferenceAndRate)
{
    const Graphs g;
    Markers m;
    m.a = At(10, 0);
    m.b = At(10, 3, 30);
    const auto lines = BuildReadout(g.list, At(12, 0), SpanOneHour, m, ',');
    // T1 rises 3.5 K in 3.5 minutes: 60 K per hour; at B the temperature has no sample.
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{
                                "A 03.10.2014 10:00:00   B 03.10.2014 10:03:30", "\u0394t 00:03:30",
                                "T1: A 40,00  B 43,50  \u0394 3,50 [\u00b0C]  60,00 \u00b0C/h",
                                "R1: A 0,00  B 100,00  \u0394 100,00 [%]  1714,29 %/h",
                                "P: A 1,50  B 4,50  \u0394 3,00 [kW]  51,43 kW/h"}));
    m.b = At(10, 20);
    EXPECT_EQ(BuildReadout(g.list, At(12, 0), SpanOneHour, m, ',')[2].text,
              "T1: A 40,00  B \u2013 [\u00b0C]");
    EXPECT_EQ(DurationText(-(1 + EncodeTime(2, 5, 9))), "-1 d 02:05:09");
}

// Without seconds on screen (spans from a day up) A 10:00 and B 13:58 are 03:58 apart, however
// many seconds each marker sits past its minute; with seconds the same holds to the second.
TEST(Readout, TimeBetweenMarkersMatchesTheTimesShown)
{
    const Graphs g;
    Markers m;
    m.a = At(10, 0, 40);
    m.b = At(13, 58, 20);
    const auto day = BuildReadout(g.list, At(12, 0), SpanOneDay, m, ',');
    EXPECT_EQ(day[0].text, "A 03.10.2014 10:00   B 03.10.2014 13:58");
    EXPECT_EQ(day[1].text, "\u0394t 03:58");
    m.a = At(10, 0, 0) + 0.9 / 86400;
    m.b = At(10, 0, 10) + 0.1 / 86400;
    const auto hour = BuildReadout(g.list, At(12, 0), SpanOneHour, m, ',');
    EXPECT_EQ(hour[0].text, "A 03.10.2014 10:00:00   B 03.10.2014 10:00:10");
    EXPECT_EQ(hour[1].text, "\u0394t 00:00:10");
    m.a = At(23, 59, 59) - 1;
    m.b = At(0, 1, 30);
    EXPECT_EQ(BuildReadout(g.list, At(12, 0), SpanOneDay, m, ',')[1].text, "\u0394t 00:02");
}

TEST(Readout, StatisticsRowsAndClipboardText)
{
    const Graphs g;
    const auto rows = StatisticsRows(g.list, At(10, 0), At(10, 3), ',');
    ASSERT_EQ(rows.size(), 3u);
    // The line reaches 43 at the window's end: a straight ramp from 40 with its mean in the middle.
    EXPECT_EQ(rows[0], (std::vector<std::string>{"T1", "[\u00b0C]", "40,00", "03.10.2014 10:00:00",
                                                 "43,00", "03.10.2014 10:03:00", "41,50", ""}));
    // 1.5/60 + (1.5 + 3)/60 + (3 + 3.75)/2/60 kWh: the window cuts the last segment at 3.75 kW.
    EXPECT_EQ(rows[2][7], "0,16 [kWh]");
    // The pump: 0 for a minute, then 100 for the two minutes left: mean 66.67.
    EXPECT_EQ(rows[1][6], "66,67");
    const auto none = StatisticsRows(g.list, At(11, 0), At(12, 0), ',');
    EXPECT_EQ(none[1], (std::vector<std::string>{"R1", "[%]", "", "", "", "", "", ""}));
    EXPECT_EQ(TabSeparated({{"a", "1,5"}, {"b", ""}}), "a\t1,5\nb\t\n");
}

// Three days of two-minute lines with R1 = 0 and T1 constant all day, the middle day's file
// missing: the reader keeps two points a day per field, yet noon of the missing day has no value,
// while a time within one interval of the last line still does.
class ReadoutOverAMissingDay : public test::LogDataTest {};

TEST_F(ReadoutOverAMissingDay, ShowsNoValueAtNoonAndTheValueWithinOneInterval)
{
    AnalysisDataSet& set = makeSet();
    const DayTime first = EncodeDate(2008, 5, 10);
    for (DayTime day : {first, first + 2}) {
        std::vector<std::pair<std::string, std::string>> lines;
        for (int m = 0; m < 1440; m += 2) {
            char time[8];
            std::snprintf(time, sizeof time, "%02d:%02d", m / 60, m % 60);
            lines.push_back({time, "45,5;0"});
        }
        ASSERT_EQ(loadBytes(set, test::LogName(10, day), test::DayLog("T1[\u00b0C];R1[%]", day, lines)),
                  "");
    }
    const std::vector<ReadoutGraph> graphs = {MakeReadoutGraph(set, field(set, "T1"), ""),
                                              MakeReadoutGraph(set, field(set, "R1"), "")};
    EXPECT_NEAR(graphs[0].step * 1440, 2, 1e-9);
    EXPECT_NEAR(graphs[1].step * 1440, 2, 1e-9);
    const auto noon = BuildReadout(graphs, first + 1.5, SpanOneDay, {}, ',');
    EXPECT_EQ(noon[1].text, "T1: \u2013");
    EXPECT_EQ(noon[2].text, "R1: \u2013");
    // The last line is at 23:58: one interval later both still read, a minute beyond neither.
    const auto edge = BuildReadout(graphs, first + EncodeTime(23, 59, 59), SpanOneHour, {}, ',');
    EXPECT_EQ(edge[1].text, "T1: 45,50 [\u00b0C]");
    EXPECT_EQ(edge[2].text, "R1: 0,00 [%]");
    const auto beyond = BuildReadout(graphs, first + 1 + EncodeTime(0, 1), SpanOneHour, {}, ',');
    EXPECT_EQ(beyond[1].text, "T1: \u2013");
    EXPECT_EQ(beyond[2].text, "R1: \u2013");
}

} // namespace
} // namespace korvex
