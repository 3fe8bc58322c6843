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
    // T1: (20 x 1 + 30 x 10) / 11 minutes; R1 the same way. P is the integral of its samples,
    // 1/60 + 2 x 10/1440 x 12 kWh, not the 2,50 kWh the file logged as its day yield.
    EXPECT_EQ(
        r.out,
        "Device;Field;Unit;Min;Min at;Max;Max at;Mean;Integral;Integral unit\r\n"
        "10;T1;[\xB0"
        "C];20,00;2010-05-01 08:00:00;40,00;2010-05-01 08:10:00;29,09;;\r\n"
        "10;V;[l/min];10,00;2010-05-01 08:00:00;10,00;2010-05-01 08:00:00;10,00;110,00;[l]\r\n"
        "10;P;[kW];1,00;2010-05-01 08:00:00;1,00;2010-05-01 08:00:00;1,00;0,18;[kWh]\r\n"
        "10;R1;[%];0,00;2010-05-01 08:10:00;100,00;2010-05-01 08:00:00;54,55;;\r\n");
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
}

} // namespace
} // namespace korvex::test
