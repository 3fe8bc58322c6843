// korvex-report --check: the incidents as log-style text and as JSON, the exit codes that tell
// which installation needs a visit, roles given on the command line, and roles and thresholds
// taken from the settings file.

#include "tests/tools/MiniJson.h"
#include "tests/tools/ToolTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace korvex::test {
namespace {

namespace fs = std::filesystem;

// 10 May 2008 of a solar controller every two minutes: collector and store never still, pump
// off; with warmNight the collector reads 50 °C from 01:00 to 01:30 and 48 °C on the store.
void WriteDay(const fs::path& dir, bool warmNight)
{
    fs::create_directories(dir);
    std::ofstream out(dir / "10080510.csv", std::ios::binary);
    out << "Solar controller;DATE & TIME;T1[\xB0" "C];T2[\xB0" "C];T3[\xB0" "C];V'[l/min];R1[%]\r\n";
    for (int m = 0; m < 1440; m += 2) {
        const bool warm = warmNight && m >= 60 && m <= 90;
        char line[160];
        std::snprintf(line, sizeof line,
                      "Solar controller;2008-05-10 %02d:%02d;%s;4%d,%d;1%d,%d;0,0;0\r\n", m / 60,
                      m % 60, warm ? "50,0" : (m % 10 < 5 ? "20,5" : "20,0"), 5 + m % 3, m % 10,
                      m % 4, m % 10);
        out << line;
    }
}

using ReportCheck = ToolTest;

TEST_F(ReportCheck, IncidentsAsTextAndTheExitCodeThatCallsForAVisit)
{
    const fs::path dir = temp_ / "warm";
    WriteDay(dir, true);
    const ToolResult r = Report({dir.string(), "--check"});
    EXPECT_EQ(r.exitCode, 3) << r.err;
    EXPECT_EQ(r.out,
              "Rule;Device;Fields;Start;End;Peak;Text\r\n"
              "night-circulation;10;T1,R1;2008-05-10 01:00;2008-05-10 01:30;50,00;Collector warm at "
              "night with the pump off: heat leaves the store by gravity circulation (gravity "
              "brake, valve or the controller's clock)\r\n");
    const ToolResult german = Report({dir.string(), "--check", "--language", "de"});
    EXPECT_EQ(german.out.substr(0, german.out.find("\r\n")),
              "Regel;Ger\xE4t;Felder;Beginn;Ende;Spitze;Text");

    const fs::path clean = temp_ / "clean";
    WriteDay(clean, false);
    const ToolResult none = Report({clean.string(), "--check"});
    EXPECT_EQ(none.exitCode, 0) << none.err;
    EXPECT_EQ(none.out, "Rule;Device;Fields;Start;End;Peak;Text\r\n");
}

TEST_F(ReportCheck, JsonWithRolesAndIncidents)
{
    const fs::path dir = temp_ / "warm";
    WriteDay(dir, true);
    const ToolResult r = Report({dir.string(), "--check", "--json"});
    EXPECT_EQ(r.exitCode, 3) << r.err;
    const Json doc = JsonParser::Parse(r.out);
    EXPECT_EQ(doc.keyOrder, (std::vector<std::string>{"roles", "incidents"}));
    const Json& roles = doc["roles"]["10"];
    EXPECT_EQ(roles["collector"].Str(), "T1");
    EXPECT_EQ(roles["store"].Str(), "T2");
    EXPECT_EQ(roles["pump"].Str(), "R1");
    EXPECT_EQ(roles["flow"].Str(), "V");
    ASSERT_EQ(doc["incidents"].size(), 1u);
    const Json& i = doc["incidents"][0];
    EXPECT_EQ(i.keyOrder, (std::vector<std::string>{"rule", "device", "fields", "start", "end",
                                                    "peak", "text"}));
    EXPECT_EQ(i["rule"].Str(), "night-circulation");
    EXPECT_EQ(i["device"].Str(), "10");
    EXPECT_EQ(i["fields"][1].Str(), "R1");
    EXPECT_EQ(i["start"].Str(), "2008-05-10 01:00");
    EXPECT_EQ(i["end"].Str(), "2008-05-10 01:30");
    EXPECT_EQ(i["peak"].Num(), 50);
}

TEST_F(ReportCheck, RolesOnTheCommandLineAndInTheSettingsFile)
{
    const fs::path dir = temp_ / "warm";
    WriteDay(dir, true);
    // Without a collector the night rule has nothing to read.
    const ToolResult noCollector = Report({dir.string(), "--check", "--roles", "10:pump=R1"});
    EXPECT_EQ(noCollector.exitCode, 0) << noCollector.err;
    const ToolResult json =
        Report({dir.string(), "--check", "--json", "--roles", "10:collector=T3,pump=R1"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    const Json roles = JsonParser::Parse(json.out)["roles"]["10"];
    EXPECT_EQ(roles["collector"].Str(), "T3");
    EXPECT_TRUE(roles["store"].IsNull());

    for (const auto& [roles, named] :
         std::vector<std::pair<std::string, std::string>>{{"10:collektor=T1", "collektor"},
                                                          {"11:collector=T1", "11"},
                                                          {"10:collector=T9", "T9"},
                                                          {"10 collector=T1", "colon"}}) {
        const ToolResult bad = Report({dir.string(), "--check", "--roles", roles});
        EXPECT_EQ(bad.exitCode, 2) << roles;
        EXPECT_NE(bad.err.find(named), std::string::npos) << bad.err;
    }
    EXPECT_EQ(Report({dir.string(), "--roles", "10:pump=R1"}).exitCode, 2);
    EXPECT_EQ(Report({dir.string(), "--check", "--span", "day"}).exitCode, 2);

    // The settings file moves the collector to T3 and raises the night threshold.
    fs::create_directories(config_ / "Halvo");
    std::ofstream(config_ / "Halvo" / "Korvex.ini", std::ios::binary)
        << "[Roles:10]\r\ncollector=T1\r\npump=R1\r\n[Check:10]\r\nNightCollector=55\r\n";
    EXPECT_EQ(Report({dir.string(), "--check"}).exitCode, 0);
    std::ofstream(config_ / "Halvo" / "Korvex.ini", std::ios::binary)
        << "[Check:10]\r\nNightCollector=45,5\r\n";
    EXPECT_EQ(Report({dir.string(), "--check"}).exitCode, 3);
}

} // namespace
} // namespace korvex::test
