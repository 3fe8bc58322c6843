#include "core/views/Readout.h"

#include "core/logdata/CustomSeries.h"
#include "core/views/Navigation.h"

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
                                "T1: A 40,00  B 43,50  \u0394 3,50  "
                                "(60,00 /h) [\u00b0C]",
                                "R1: A 0,00  B 100,00  \u0394 100,00  (1714,29 /h) [%]",
                                "P: A 1,50  B 4,50  \u0394 3,00  (51,43 /h) [kW]"}));
    m.b = At(10, 20);
    EXPECT_EQ(BuildReadout(g.list, At(12, 0), SpanOneHour, m, ',')[2].text,
              "T1: A 40,00  B \u2013 [\u00b0C]");
    EXPECT_EQ(DurationText(-(1 + EncodeTime(2, 5, 9))), "-1 d 02:05:09");
}

TEST(Readout, StatisticsRowsAndClipboardText)
{
    const Graphs g;
    const auto rows = StatisticsRows(g.list, At(10, 0), At(10, 3), ',');
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"T1", "[\u00b0C]", "40,00", "03.10.2014 10:00:00",
                                                 "42,50", "03.10.2014 10:02:30", "40,89", ""}));
    // 1.5/60 + (1.5 + 3) x 2/1440 x 12 kWh: the window ends before the third sample.
    EXPECT_EQ(rows[2][7], "0,10 [kWh]");
    const auto none = StatisticsRows(g.list, At(11, 0), At(12, 0), ',');
    EXPECT_EQ(none[1], (std::vector<std::string>{"R1", "[%]", "", "", "", "", "", ""}));
    EXPECT_EQ(TabSeparated({{"a", "1,5"}, {"b", ""}}), "a\t1,5\nb\t\n");
}

} // namespace
} // namespace korvex
