#include "core/services/BuildInfo.h"
#include "tests/tools/MiniJson.h"
#include "tests/tools/ToolTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

namespace korvex::test {
namespace {

namespace fs = std::filesystem;

using ReportTool = ToolTest;

// 1 and 2 May 2010.
constexpr int kDay1 = 40299;
constexpr int kDay2 = 40300;

TEST_F(ReportTool, DailyTableAsLogText)
{
    const ToolResult r = Report({Fixture("basic")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Daily overview;Solar controller;\r\n"
                     "Date;V [l];Q [kWh]\r\n"
                     "01. May. 2010;110,00;2,50\r\n"
                     "02. May. 2010;0,00;2,03\r\n"
                     "Total;110,00;4,53\r\n");
    // The one failing file is named on the error stream, on one line.
    EXPECT_EQ(r.err,
              Fixture("basic") +
                  "/30100502.csv: The file you specified does not contain measured values.\n");
}

TEST_F(ReportTool, MonthlyAndAnnualTablesInAnotherLanguage)
{
    const ToolResult monthly = Report({Fixture("basic"), "--table", "monthly"});
    EXPECT_EQ(monthly.exitCode, 0);
    EXPECT_EQ(monthly.out, "Monthly overview;Solar controller;\r\n"
                           "Date;V [l];Q [kWh]\r\n"
                           "May. 2010;110,00;4,53\r\n"
                           "Total;110,00;4,53\r\n");

    const ToolResult annual = Report({Fixture("basic"), "--table", "annual", "--language", "de"});
    EXPECT_EQ(annual.exitCode, 0);
    // German catalogue texts, in Windows-1252.
    EXPECT_EQ(annual.out.substr(0, annual.out.find("\r\n")), "Jahres\xFC"
                                                             "bersicht;Solarregler;");
    EXPECT_NE(annual.out.find("\r\n2010;110,00;4,53\r\n"), std::string::npos);
}

// Month names follow --language in every table, in the document and in the window's title.
TEST_F(ReportTool, MonthNamesFollowTheLanguageEverywhere)
{
    const ToolResult daily = Report({Fixture("basic"), "--language", "de"});
    EXPECT_NE(daily.out.find("\r\n01. Mai. 2010;"), std::string::npos) << daily.out;
    const ToolResult monthly = Report({Fixture("basic"), "--table", "monthly", "--language", "de"});
    EXPECT_NE(monthly.out.find("\r\nMai. 2010;110,00;4,53\r\n"), std::string::npos) << monthly.out;
    EXPECT_EQ(monthly.out.find("May"), std::string::npos);
    const ToolResult annual = Report({Fixture("basic"), "--table", "annual", "--language", "it"});
    EXPECT_NE(annual.out.find("\r\n2010;110,00;4,53\r\n"), std::string::npos) << annual.out;

    const ToolResult json = Report({Fixture("basic"), "--json", "--language", "fr"});
    ASSERT_EQ(json.exitCode, 0);
    const Json doc = JsonParser::Parse(json.out);
    EXPECT_EQ(doc["tables"]["monthly"][2][0].Str(), "mai. 2010");

    const ToolResult year = Report({Fixture("basic"), "--span", "year", "--language", "de"});
    EXPECT_EQ(year.exitCode, 0) << year.err;
    EXPECT_NE(year.out.find("\r\nMai. 2010;110,00;4,53\r\n"), std::string::npos) << year.out;
    EXPECT_NE(year.out.find("\r\nJan 2010 - Dez 2010\r\n"), std::string::npos) << year.out;
    const ToolResult month = Report({Fixture("basic"), "--span", "month", "--at", "2010-05-02",
                                     "--device", "10", "--language", "es"});
    EXPECT_EQ(month.exitCode, 0) << month.err;
    EXPECT_NE(month.out.find("\r\nmay 2010  -  Rendimiento mensual"), std::string::npos)
        << month.out;
    EXPECT_NE(month.out.find("\r\n01. may. 2010;"), std::string::npos) << month.out;
}

TEST_F(ReportTool, RangeLimitsTheFiles)
{
    const ToolResult r = Report({Fixture("basic"), "--from", "2010-05-02", "--to", "2010-05-02"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Daily overview;Solar controller;\r\n"
                     "Date;V [l];Q [kWh]\r\n"
                     "02. May. 2010;0,00;2,03\r\n"
                     "Total;0,00;2,03\r\n");

    // A range beside the files finds nothing; the path was right, so it says so.
    const ToolResult none = Report({Fixture("basic"), "--from", "2011-01-01"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.out.empty());
    EXPECT_NE(none.err.find("no data in the range chosen"), std::string::npos) << none.err;
    EXPECT_EQ(none.err.find("check file path"), std::string::npos);
}

TEST_F(ReportTool, JsonDocument)
{
    const ToolResult r = Report({Fixture("basic"), "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Json doc = JsonParser::Parse(r.out);
    EXPECT_EQ(doc.keyOrder, (std::vector<std::string>{"files", "days", "devices", "tables"}));

    EXPECT_EQ(doc["files"]["loaded"].Num(), 3);
    ASSERT_EQ(doc["files"]["failed"].size(), 1u);
    EXPECT_EQ(doc["files"]["failed"][0]["path"].Str(), "30100502.csv");
    EXPECT_EQ(doc["files"]["failed"][0]["message"].Str(),
              "The file you specified does not contain measured values.");

    ASSERT_EQ(doc["days"].size(), 2u);
    EXPECT_EQ(doc["days"][0].Num(), kDay1);
    EXPECT_EQ(doc["days"][1].Num(), kDay2);

    // Devices in file-name order; the one whose only file failed has no name and no fields.
    const Json& devices = doc["devices"];
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[0]["number"].Num(), 10);
    EXPECT_EQ(devices[0]["name"].Str(), "Solar controller");
    EXPECT_EQ(devices[1]["number"].Num(), 21);
    EXPECT_EQ(devices[1]["name"].Str(), "Heating circuit 1");
    EXPECT_EQ(devices[2]["number"].Num(), 30);
    EXPECT_TRUE(devices[2]["name"].IsNull());
    EXPECT_EQ(devices[2]["fields"].size(), 0u);

    const Json& fields = devices[0]["fields"];
    std::vector<std::string> keys;
    for (const Json& f : fields.Arr())
        keys.push_back(f["key"].Str());
    EXPECT_EQ(keys,
              (std::vector<std::string>{"T1", "V", "P", "Ptag", "Vtag", "Pmonat", "Vmonat", "R1"}));

    const Json& t1 = fields[0];
    EXPECT_EQ(t1.keyOrder, (std::vector<std::string>{"index", "key", "unit", "category", "derived",
                                                     "label", "colour", "points", "nulls", "min",
                                                     "max", "sum", "first", "last"}));
    EXPECT_EQ(t1["index"].Num(), 0);
    EXPECT_EQ(t1["unit"].Str(), "[\u00b0C]");
    EXPECT_EQ(t1["category"].Num(), 0);
    EXPECT_FALSE(t1["derived"].Bool());
    // 20 and 40 on day 1, a closing null, 30 twice on day 2 (the "Err" line adds nothing), null.
    EXPECT_EQ(t1["points"].Num(), 6);
    EXPECT_EQ(t1["nulls"].Num(), 2);
    EXPECT_EQ(t1["min"].Num(), 20);
    EXPECT_EQ(t1["max"].Num(), 40);
    EXPECT_EQ(t1["sum"].Num(), 120);
    EXPECT_EQ(t1["first"][0].Num(), 40299.333333333);
    EXPECT_EQ(t1["first"][1].Num(), 20);
    EXPECT_EQ(t1["last"][0].Num(), 40300.458333333);
    EXPECT_TRUE(t1["last"][1].IsNull());

    // Watts are stored as kilowatts.
    const Json& p = fields[2];
    EXPECT_EQ(p["unit"].Str(), "[kW]");
    EXPECT_NEAR(p["max"].Num(), 2.0, 1e-6);

    const Json& ptag = fields[3];
    EXPECT_TRUE(ptag["derived"].Bool());
    EXPECT_EQ(ptag["label"].Str(), "Sum of energy (Q)");
    EXPECT_EQ(ptag["points"].Num(), 2);
    EXPECT_EQ(ptag["first"][0].Num(), kDay1 + 0.5);
    EXPECT_EQ(ptag["first"][1].Num(), 2.5);                   // the log's own day yield
    EXPECT_NEAR(ptag["last"][1].Num(), 2.0 / 60 + 2.0, 1e-6); // integrated power
    EXPECT_EQ(fields[4]["unit"].Str(), "[l]");
    EXPECT_EQ(fields[4]["first"][1].Num(), 110);

    // Tables as held: indices in the heading rows, day numbers, decimal comma.
    const Json& daily = doc["tables"]["daily"];
    ASSERT_EQ(daily.size(), 5u);
    auto row = [](const Json& r) {
        std::vector<std::string> cells;
        for (const Json& c : r.Arr())
            cells.push_back(c.Str());
        return cells;
    };
    EXPECT_EQ(row(daily[0]), (std::vector<std::string>{"Daily overview", "0", ""}));
    EXPECT_EQ(row(daily[1]), (std::vector<std::string>{"Date", "1", "2"}));
    EXPECT_EQ(row(daily[2]), (std::vector<std::string>{"40299", "110,00", "2,50"}));
    EXPECT_EQ(row(daily[4]), (std::vector<std::string>{"Total", "110,00", "4,53"}));
    EXPECT_EQ(row(doc["tables"]["monthly"][2]),
              (std::vector<std::string>{"May. 2010", "110,00", "4,53"}));
    EXPECT_EQ(row(doc["tables"]["annual"][2]),
              (std::vector<std::string>{"2010", "110,00", "4,53"}));
}

TEST_F(ReportTool, JsonTextsFollowTheLanguage)
{
    const ToolResult r = Report({Fixture("basic"), "--json", "--language", "fr"});
    ASSERT_EQ(r.exitCode, 0);
    const Json doc = JsonParser::Parse(r.out);
    EXPECT_EQ(doc["files"]["failed"][0]["message"].Str(),
              TextOf(BlockFrench, TextId::FileHasNoValues));
    EXPECT_EQ(doc["tables"]["daily"][0][0].Str(), TextOf(BlockFrench, TextId::DailyOverview));
}

// On a German desktop (comma decimal) the document is the same and still valid JSON.
TEST_F(ReportTool, JsonIsTheSameOnAGermanDesktop)
{
    const ToolResult plain = Report({Fixture("basic"), "--json"});
    const ToolResult german = RunIn("de_DE.UTF-8", "korvex-report", {Fixture("basic"), "--json"});
    ASSERT_EQ(german.exitCode, 0) << german.err;
    EXPECT_EQ(german.err.find("locale"), std::string::npos) << german.err;
    const Json doc = JsonParser::Parse(german.out);
    EXPECT_EQ(doc["devices"][0]["fields"][0]["first"][0].Num(), 40299.333333333);
    EXPECT_NEAR(doc["devices"][0]["fields"][2]["max"].Num(), 2.0, 1e-6);
    EXPECT_EQ(german.out, plain.out);
}

TEST_F(ReportTool, WindowOfAMonthForOneDevice)
{
    const ToolResult r =
        Report({Fixture("basic"), "--span", "month", "--at", "2010-05-02", "--device", "10"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Daily overview;Solar controller;\r\n"
                     "Date;V [l];Q [kWh]\r\n"
                     "01. May. 2010;110,00;2,50\r\n"
                     "02. May. 2010;0,00;2,03\r\n"
                     "Total;110,00;4,53\r\n"
                     "May 2010  -  Monthly yield V: 110,00 [l]  -  Q: 4,53 [kWh]\r\n");

    // A device without yield fields keeps only its dates; the short spans carry no yields.
    const ToolResult heating =
        Report({Fixture("basic"), "--span", "1h", "--at", "2010-05-02", "--device", "21"});
    EXPECT_EQ(heating.exitCode, 0);
    EXPECT_EQ(
        heating.out,
        "Daily overview\r\nDate\r\n01. May. 2010\r\n02. May. 2010\r\nTotal\r\n02. May 2010\r\n");

    // Without a span the whole table, also limited to one device.
    const ToolResult table = Report({Fixture("basic"), "--device", "21"});
    EXPECT_EQ(table.exitCode, 0);
    EXPECT_EQ(table.out, "Daily overview\r\nDate\r\n01. May. 2010\r\n02. May. 2010\r\nTotal\r\n");
}

TEST_F(ReportTool, WindowOfTheOverview)
{
    const ToolResult r = Report({Fixture("basic"), "--span", "year"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Monthly overview;Solar controller;\r\n"
                     "Date;V [l];Q [kWh]\r\n"
                     "May. 2010;110,00;4,53\r\n"
                     "Total;110,00;4,53\r\n"
                     "Jan 2010 - Dec 2010\r\n");
}

TEST_F(ReportTool, OnlyFailingFiles)
{
    const ToolResult r = Report({Fixture("failing")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(
        r.err.find("10100501.csv: The file you specified does not contain measured values.\n"),
        std::string::npos);
    EXPECT_NE(r.err.find("10100502.csv: The file you specified is not a valid log file.\n"),
              std::string::npos);
    // Files were found: the message says that none could be read, not that none was there.
    EXPECT_NE(r.err.find("no file could be read (2 of 2 failed)"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("No file found to open"), std::string::npos);

    const ToolResult json = Report({Fixture("failing"), "--json"});
    EXPECT_EQ(json.exitCode, 1);
    const Json doc = JsonParser::Parse(json.out);
    EXPECT_EQ(doc["files"]["loaded"].Num(), 0);
    ASSERT_EQ(doc["files"]["failed"].size(), 2u);
    EXPECT_EQ(doc["files"]["failed"][1]["path"].Str(), "10100502.csv");
    EXPECT_EQ(doc["files"]["failed"][1]["message"].Str(),
              "The file you specified is not a valid log file.");
    EXPECT_EQ(doc["days"].size(), 0u);
}

// A file that fails after its first line keeps that line's values and a closing null, as one-by-one
// reading keeps them, but adds no day: the document lists it as failed and counts what was kept.
TEST_F(ReportTool, JsonOfAFolderWithAFailedFileThatKeptPoints)
{
    const fs::path dir = temp_ / "kept";
    fs::create_directories(dir);
    std::ofstream(dir / "10080514.csv", std::ios::binary)
        << "DATE & TIME;T1[\xB0" "C];T2[\xB0" "C]\r\n"
        << "2008-05-14 00:00;18,5;17,0\r\n"
        << "2008-05-14 00:03;19,5;17,0\r\n";
    fs::copy_file(std::string(KORVEX_TEST_DATA) + "/reader/bad-number/Lg10080515.csv",
                  dir / "10080515.csv");
    const ToolResult r = Report({dir.string(), "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Json doc = JsonParser::Parse(r.out);
    EXPECT_EQ(doc["files"]["loaded"].Num(), 1);
    ASSERT_EQ(doc["files"]["failed"].size(), 1u);
    EXPECT_EQ(doc["files"]["failed"][0]["path"].Str(), "10080515.csv");
    ASSERT_EQ(doc["days"].size(), 1u);
    EXPECT_EQ(doc["days"][0].Num(), 39582); // 14 May 2008
    const Json& t1 = doc["devices"][0]["fields"][0];
    EXPECT_EQ(t1["key"].Str(), "T1");
    // 18.5 and 19.5 and a null on the good day; 21.5 and a null kept of the failed one.
    EXPECT_EQ(t1["points"].Num(), 5);
    EXPECT_EQ(t1["nulls"].Num(), 2);
    EXPECT_EQ(t1["min"].Num(), 18.5);
    EXPECT_EQ(t1["max"].Num(), 21.5);
    EXPECT_EQ(t1["sum"].Num(), 59.5);
    EXPECT_EQ(t1["first"][1].Num(), 18.5);
    EXPECT_TRUE(t1["last"][1].IsNull());
}

// The facts of every field of two devices, each field with its own ramp: a series' facts taken
// for another field's would show in its sum, its extremes or its count. Long series, with
// nulls among their points, spread over both threads.
TEST_F(ReportTool, JsonFactsBelongToTheirOwnFields)
{
    const fs::path dir = temp_ / "ramps";
    fs::create_directories(dir);
    // Device d, field k, line i at a 2 minute step: (d + k) * 10 + i * (k + 1) / 4, a null
    // where (i + k) % 7 == 3.
    struct Expected {
        int points = 0, nulls = 0;
        double min = 1e9, max = -1e9, sum = 0;
    };
    std::map<std::string, Expected> expected;
    for (const int device : {10, 30}) {
        const int fields = device == 10 ? 5 : 4;
        const int lines = device == 10 ? 150 : 97;
        std::ofstream out(dir / (std::to_string(device) + "080514.csv"), std::ios::binary);
        out << "DATE & TIME";
        for (int k = 0; k < fields; ++k)
            out << ";T" << k + 1 << "[" << '\xB0' << "C]";
        out << "\r\n";
        for (int i = 0; i < lines; ++i) {
            char stamp[32];
            std::snprintf(stamp, sizeof stamp, "2008-05-14 %02d:%02d", i * 2 / 60, i * 2 % 60);
            out << stamp;
            for (int k = 0; k < fields; ++k) {
                Expected& e = expected[std::to_string(device) + "/T" + std::to_string(k + 1)];
                if ((i + k) % 7 == 3) {
                    out << ";";
                    continue;
                }
                const int quarters = (device / 10 + k) * 40 + i * (k + 1);
                const double v = quarters / 4.0;
                char cell[32];
                std::snprintf(cell, sizeof cell, ";%d,%02d", quarters / 4, quarters % 4 * 25);
                out << cell;
                ++e.points;
                e.min = std::min(e.min, v);
                e.max = std::max(e.max, v);
                e.sum += v;
            }
            out << "\r\n";
        }
    }
    const ToolResult r = Report({dir.string(), "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Json doc = JsonParser::Parse(r.out);
    ASSERT_EQ(doc["devices"].size(), 2u);
    int checked = 0;
    for (const Json& device : doc["devices"].Arr()) {
        for (const Json& field : device["fields"].Arr()) {
            const std::string name =
                std::to_string(static_cast<int>(device["number"].Num())) + "/" + field["key"].Str();
            const auto it = expected.find(name);
            if (it == expected.end())
                continue; // a derived field
            const Expected& e = it->second;
            // Each value once (no two lines alike), every gap a null, one null closing the day.
            EXPECT_EQ(field["points"].Num() - field["nulls"].Num(), e.points) << name;
            EXPECT_EQ(field["min"].Num(), e.min) << name;
            EXPECT_EQ(field["max"].Num(), e.max) << name;
            EXPECT_NEAR(field["sum"].Num(), e.sum, 1e-6) << name;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 9);
}

TEST_F(ReportTool, DirectoryWithSpacesAndNonAsciiNames)
{
    // Relative paths shorter than the device position are no trouble either: the scan makes
    // every path absolute.
    const fs::path dir = temp_ / "logs with spaces" / "W\u00e4rme";
    fs::create_directories(dir);
    fs::copy_file(Fixture("names/05100501.csv"), dir / "05100501.csv");

    const ToolResult text = Report({dir.string()});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    // 3 kW from 12:00 to 12:01: 3/60 + (3 + 3) * (1/1440) * 12 = 0.1 kWh.
    EXPECT_EQ(text.out, "Daily overview;W\xE4rmepumpe S\xFC"
                        "d\r\n"
                        "Date;Q [kWh]\r\n"
                        "01. May. 2010;0,10\r\n"
                        "Total;0,10\r\n");

    const ToolResult json = Report({dir.string(), "--json"});
    ASSERT_EQ(json.exitCode, 0);
    const Json doc = JsonParser::Parse(json.out);
    EXPECT_EQ(doc["devices"][0]["number"].Num(), 5);
    EXPECT_EQ(doc["devices"][0]["name"].Str(), "W\u00e4rmepumpe S\u00fcd");
}

TEST_F(ReportTool, UsageErrorsAndMissingDirectories)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {},
             {Fixture("basic"), Fixture("failing")},
             {Fixture("basic"), "--from", "2010-13-01"},
             {Fixture("basic"), "--from", "2010-05-02", "--to", "2010-05-01"},
             {Fixture("basic"), "--language", "nl"},
             {Fixture("basic"), "--span", "week"},
             {Fixture("basic"), "--at", "2010-05-01"},
             {Fixture("basic"), "--json", "--span", "day"},
             {Fixture("basic"), "--table", "daily", "--span", "day"},
             {Fixture("basic"), "--device", "1x"},
             {Fixture("basic"), "--device", "44"},
             {Fixture("basic"), "--bogus"},
             {Fixture("basic"), "--from"}}) {
        const ToolResult r = Report(args);
        EXPECT_EQ(r.exitCode, 2) << ::testing::PrintToString(args);
        // One line, not the whole usage.
        EXPECT_EQ(r.err.find("usage: korvex-report"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("(try korvex-report --help)\n"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }

    const ToolResult missing = Report({(temp_ / "nothing here").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("no such directory"), std::string::npos);

    const ToolResult empty = Report({temp_.string()});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_NE(empty.err.find("No files were found"), std::string::npos);
}

TEST_F(ReportTool, ProgressGoesToTheErrorStream)
{
    const ToolResult r = Report({Fixture("basic"), "--progress"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.err.find("4/4 files"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("MB/s"), std::string::npos);
    EXPECT_EQ(r.out.rfind("Daily overview;", 0), 0u);
}

TEST_F(ReportTool, VersionOfBothTools)
{
    const std::string version = ProgramVersion();
    const ToolResult report = Report({"--version"});
    EXPECT_EQ(report.exitCode, 0);
    EXPECT_EQ(report.out, "korvex-report " + version + "\n");
    const ToolResult samplegen = Run("korvex-samplegen", {"--version"});
    EXPECT_EQ(samplegen.exitCode, 0);
    EXPECT_EQ(samplegen.out, "korvex-samplegen " + version + "\n");
}

} // namespace
} // namespace korvex::test
