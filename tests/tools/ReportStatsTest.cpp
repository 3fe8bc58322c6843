#include "tests/tools/MiniJson.h"
#include "tests/tools/ToolTestSupport.h"

#include <gtest/gtest.h>

namespace korvex::test {
namespace {

using ReportStats = ToolTest;

TEST_F(ReportStats, DayWindowAsLogText)
{
    const ToolResult r = Report(
        {Fixture("basic"), "--stats", "--span", "day", "--at", "2010-05-01", "--device", "10"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // Two lines ten minutes apart: T1 is a straight line from 20 to 40 (mean 30); R1 holds 100 %
    // for the ten minutes and reaches 0 only at the last line. P is the integral of its samples,
    // 1/60 + 10/60 kWh, not the 2,50 kWh the file logged as its day yield.
    EXPECT_EQ(
        r.out,
        "Window;2010-05-01 00:00:00;2010-05-02 00:00:00\r\n"
        "Device;Field;Unit;Minimum;Time of minimum;Maximum;Time of maximum;Mean;Energy / volume;"
        "Unit\r\n"
        "10;T1;[\xB0"
        "C];20,00;2010-05-01 08:00:00;40,00;2010-05-01 08:10:00;30,00;;\r\n"
        "10;V;[l/min];10,00;2010-05-01 08:00:00;10,00;2010-05-01 08:00:00;10,00;110,00;[l]\r\n"
        "10;P;[kW];1,00;2010-05-01 08:00:00;1,00;2010-05-01 08:00:00;1,00;0,18;[kWh]\r\n"
        "10;R1;[%];0,00;2010-05-01 08:10:00;100,00;2010-05-01 08:00:00;100,00;;\r\n");
}

// A time of day starts the window at exactly that minute, off the span's grid; the text names
// the window and its heading follows the language.
TEST_F(ReportStats, AnyMinuteAsTheWindowStart)
{
    const ToolResult r = Report({Fixture("basic"), "--stats", "--span", "1h", "--at",
                                 "2010-05-01 07:35", "--device", "10", "--language", "de"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // 07:35-08:35: T1 from 08:00 (20) rising to 40 at 08:10 then nothing; R1 100 % until 08:10.
    EXPECT_EQ(r.out,
              "Zeitfenster;2010-05-01 07:35:00;2010-05-01 08:35:00\r\n"
              "Ger\xE4t;Feld;Einheit;Minimum;Zeitpunkt Minimum;Maximum;Zeitpunkt Maximum;"
              "Mittelwert;Energie / Volumen;Einheit\r\n"
              "10;T1;[\xB0"
              "C];20,00;2010-05-01 08:00:00;40,00;2010-05-01 08:10:00;30,00;;\r\n"
              "10;V;[l/min];10,00;2010-05-01 08:00:00;10,00;2010-05-01 08:00:00;10,00;110,00;[l]\r\n"
              "10;P;[kW];1,00;2010-05-01 08:00:00;1,00;2010-05-01 08:00:00;1,00;0,18;[kWh]\r\n"
              "10;R1;[%];0,00;2010-05-01 08:10:00;100,00;2010-05-01 08:00:00;100,00;;\r\n");
    // 08:05 cuts both ten-minute segments: T1 from 30 to 40, the first minute of each run is
    // not in the window.
    const ToolResult cut = Report({Fixture("basic"), "--stats", "--span", "1h", "--at",
                                   "2010-05-01 08:05", "--device", "10", "--json"});
    ASSERT_EQ(cut.exitCode, 0) << cut.err;
    const Json doc = JsonParser::Parse(cut.out);
    EXPECT_EQ(doc["from"].Str(), "2010-05-01 08:05:00");
    EXPECT_EQ(doc["to"].Str(), "2010-05-01 09:05:00");
    const Json& fields = doc["devices"][0]["fields"];
    EXPECT_EQ(fields[0]["min"].Num(), 30);
    EXPECT_EQ(fields[0]["minAt"].Str(), "2010-05-01 08:05:00");
    EXPECT_NEAR(fields[0]["mean"].Num(), 35, 1e-9);
    EXPECT_NEAR(fields[1]["integral"].Num(), 50, 1e-9); // 10 l/min for five minutes
    // A date beyond the data is placed on the last day as the window would; the text says so.
    const ToolResult late =
        Report({Fixture("basic"), "--stats", "--span", "day", "--at", "2030-01-01"});
    ASSERT_EQ(late.exitCode, 0) << late.err;
    EXPECT_EQ(late.out.substr(0, late.out.find("\r\n")),
              "Window;2010-05-02 00:00:00;2010-05-03 00:00:00");
}

TEST_F(ReportStats, JsonPerDeviceWithNullsForAnEmptyWindow)
{
    const ToolResult r =
        Report({Fixture("basic"), "--stats", "--span", "month", "--at", "2010-05-02", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Json doc = JsonParser::Parse(r.out);
    EXPECT_EQ(doc["from"].Str(), "2010-05-01 00:00:00");
    EXPECT_EQ(doc["to"].Str(), "2010-06-01 00:00:00");
    const Json& devices = doc["devices"];
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[0]["device"].Str(), "10");
    const Json& p = devices[0]["fields"][2];
    EXPECT_EQ(p.keyOrder, (std::vector<std::string>{"key", "unit", "min", "minAt", "max", "maxAt",
                                                    "mean", "integral"}));
    EXPECT_EQ(p["key"].Str(), "P");
    EXPECT_NEAR(p["max"].Num(), 2, 1e-6); // watts scaled to kilowatts
    EXPECT_EQ(p["maxAt"].Str(), "2010-05-02 10:00:00");
    // Both days' integrals: 0.18333 + (2/60 + 4 x 60/1440 x 12).
    EXPECT_NEAR(p["integral"].Num(), 11.0 / 60 + 2.0 / 60 + 2, 1e-6);
    EXPECT_TRUE(devices[0]["fields"][0]["integral"].IsNull());
    EXPECT_EQ(devices[2]["fields"].size(), 0u); // its only file failed

    const ToolResult early = Report({Fixture("basic"), "--stats", "--span", "1h", "--at",
                                     "2010-05-02", "--device", "21", "--json"});
    ASSERT_EQ(early.exitCode, 0) << early.err;
    const Json t1 = JsonParser::Parse(early.out)["devices"][0]["fields"][0];
    EXPECT_EQ(t1["key"].Str(), "T1");
    EXPECT_TRUE(t1["min"].IsNull());
    EXPECT_TRUE(t1["minAt"].IsNull());
    EXPECT_TRUE(t1["mean"].IsNull());
}

TEST_F(ReportStats, UsageErrors)
{
    EXPECT_EQ(Report({Fixture("basic"), "--stats"}).exitCode, 2);
    EXPECT_EQ(Report({Fixture("basic"), "--stats", "--span", "day", "--table", "daily"}).exitCode,
              2);
    // --json without --stats still takes no span.
    EXPECT_EQ(Report({Fixture("basic"), "--json", "--span", "day"}).exitCode, 2);
    // A time of day is for a window of statistics, and must be a real minute.
    EXPECT_EQ(Report({Fixture("basic"), "--span", "day", "--at", "2010-05-01 08:00"}).exitCode, 2);
    for (const char* at : {"2010-05-01 24:00", "2010-05-01 8:00", "2010-05-01T08:00",
                           "2010-02-30 08:00", "2010-05-01 08:60"})
        EXPECT_EQ(Report({Fixture("basic"), "--stats", "--span", "1h", "--at", at}).exitCode, 2)
            << at;
}

} // namespace
} // namespace korvex::test
