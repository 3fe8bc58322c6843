// A cell with the bytes of the line before is taken without reading it again. Two files with the
// same values, one repeating its cells byte for byte and one spelling every repeat differently
// (so that nothing is taken over), must parse to the same points, nulls and Err runs.
#include "core/logdata/ParsedLogFile.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace korvex::test {
namespace {

const std::string kHeader = "Solar controller;DATE & TIME;T1[\xB0"
                            "C];V'[l/min];P[W];Qsum[kWh];R1[%]\r\n";

// Each line: minute of the day, then the cells after the stamp.
std::string File(const std::vector<std::pair<int, std::string>>& lines,
                 const std::string& header = kHeader)
{
    std::string out = header;
    for (const auto& [minute, cells] : lines) {
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "2024-03-05 %02d:%02d", minute / 60, minute % 60);
        out += std::string("Solar controller;") + stamp + ";" + cells + "\r\n";
    }
    return out;
}

std::vector<std::uint64_t> Bits(const std::vector<double>& values)
{
    std::vector<std::uint64_t> bits;
    for (double v : values)
        bits.push_back(std::bit_cast<std::uint64_t>(v));
    return bits;
}

// The minute of the file's day a time falls on.
double Minute(const ParsedLogFile& parsed, double t)
{
    return (t - parsed.block.day) * 1440;
}

void ExpectSameParse(const std::string& repeating, const std::string& spelled)
{
    const ParsedLogFile a = ParseLogFile("Lg10240305.csv", repeating);
    const ParsedLogFile b = ParseLogFile("Lg10240305.csv", spelled);
    ASSERT_EQ(a.failure, LogFailure::None);
    ASSERT_EQ(b.failure, LogFailure::None);
    ASSERT_EQ(a.stages.size(), b.stages.size());
    for (std::size_t s = 0; s < a.stages.size(); ++s) {
        SCOPED_TRACE(a.stages[s].field);
        EXPECT_EQ(Bits(a.stages[s].xs), Bits(b.stages[s].xs));
        EXPECT_EQ(Bits(a.stages[s].ys), Bits(b.stages[s].ys));
        EXPECT_EQ(a.stages[s].errRuns, b.stages[s].errRuns);
    }
}

TEST(RepeatedCells, TakenOverOnlyWhereTheBytesAndTheCellEndAgree)
{
    // T1 grows by a digit and shrinks back ("12" is the start of "125"); V' moves between Err,
    // empty and values; P is scaled to kW; the last column ends the line without a ';'.
    const std::string repeating = File({
        {0, "12;0,0;0;100;0"},
        {1, "12;0,0;0;100;0"},
        {2, "125;Err;2350;100;5"},
        {3, "12;Err;2350;100;5"},
        {5, "12;;2350;100;50"},
        {6, "12;;2351;100;5"},
        {7, "-12;6,5;2351;101;5"},
        {8, "-12;6,5;2351;101;"},
        {9, "-12;6,5;2351;101;"},
        {10, "-1;6,5;235;101;5"},
    });
    const std::string spelled = File({
        {0, "12;0,0;0;100;0"},
        {1, "12,0;0;0,0;100,0;0,0"},
        {2, "125;Err;2350;100;5"},
        {3, "12;Err;2350,0;100,00;5,0"},
        {5, "12,00;;2350;100;50"},
        {6, "12;;2351;100,0;5"},
        {7, "-12;6,5;2351,0;101;5,00"},
        {8, "-12,0;6,50;2351;101,0;"},
        {9, "-12;6,5;2351,00;101;"},
        {10, "-1;6,5;235;101,0;5"},
    });
    ExpectSameParse(repeating, spelled);

    // The file's last line without a line break, its last cell the start of the one before it
    // and then ending in the middle of it.
    for (const char* last : {"5", "50", "5;"}) {
        std::string a = File({{0, "12;0,0;0;100;50"}, {1, "12;0,0;0;100;50"}});
        std::string b = File({{0, "12;0,0;0;100;50"}, {1, "12;0,0;0;100;50,0"}});
        a += std::string("Solar controller;2024-03-05 00:02;12;0,0;0;100;") + last;
        b += std::string("Solar controller;2024-03-05 00:02;12,0;0;0;100,0;") + last;
        SCOPED_TRACE(last);
        ExpectSameParse(a, b);
    }

    // And the values themselves, for the columns whose every step is known.
    const ParsedLogFile parsed = ParseLogFile("Lg10240305.csv", repeating);
    for (const ParsedStage& stage : parsed.stages) {
        if (stage.field != "T1")
            continue;
        std::vector<double> ys;
        for (double y : stage.ys) {
            if (y == y)
                ys.push_back(y);
        }
        // Runs keep their first and last point, and the gap after minute 3 starts another.
        EXPECT_EQ(ys, (std::vector<double>{12, 12, 125, 12, 12, 12, -12, -12, -1}));
    }
}

// Whole lines that repeat the line before but for the stamp are taken over too, and a line that
// only moved run ends is applied again by moving them. Runs, Err runs, a gap, a line back in time
// and two columns of one field must come out as when every line is read.
TEST(RepeatedCells, RepeatedLinesGiveThePointsOfReadLines)
{
    const std::vector<std::pair<int, std::string>> repeating = {
        {0, "12;Err;0;100;0"},  {1, "12;Err;0;100;0"},  {2, "12;Err;0;100;0"},
        {3, "12;Err;0;100;0"},  {4, "12;Err;0;100;0"},  {6, "12;Err;0;100;0"},
        {7, "12;Err;0;100;0"},  {8, "12;Err;0;100;0"},  {5, "12;Err;0;100;0"},
        {9, "12;Err;0;100;0"},  {10, "13;Err;0;100;0"}, {11, "13;;0;100;0"},
        {12, "13;;0;100;0"},    {13, "13;;0;100;0"},    {14, "13;;0;100;0"},
        {15, "13;Err;7;100;0"}, {16, "13;Err;7;100;0"}, {17, "13;Err;7;100;0"},
        {18, "13;Err;7;100;0"}, {20, "13;Err;7;100;0"}, {21, "13;Err;7;100;0"},
    };
    // The same values, every line spelled unlike the one before.
    std::vector<std::pair<int, std::string>> spelled;
    for (std::size_t i = 0; i < repeating.size(); ++i) {
        std::string cells = repeating[i].second;
        if (i % 2 == 1)
            cells.insert(cells.find(';'), ",0");
        spelled.emplace_back(repeating[i].first, cells);
    }
    ExpectSameParse(File(repeating), File(spelled));

    const ParsedLogFile parsed = ParseLogFile("Lg10240305.csv", File(repeating));
    for (const ParsedStage& stage : parsed.stages) {
        if (stage.field == "T1") {
            // 12 at 0 and 4, the gap's null, 12 at 6 and 9, 13 at 10 and 18, the gap's null,
            // 13 at 20 and 21, the day's closing null.
            EXPECT_EQ(stage.xs.size(), 11u);
            EXPECT_NEAR(Minute(parsed, stage.xs[4]), 9, 1e-6);
            EXPECT_NEAR(Minute(parsed, stage.xs[6]), 18, 1e-6);
        } else if (stage.field == "V'") {
            ASSERT_EQ(stage.errRuns.size(), 4u);
            EXPECT_NEAR(Minute(parsed, stage.errRuns[1].second), 10, 1e-6);
            EXPECT_NEAR(Minute(parsed, stage.errRuns[3].second), 21, 1e-6);
        }
    }

    // Two columns of one field: equal they run on together, unequal every line adds both.
    const std::string twice = "Solar controller;DATE & TIME;T1[\xB0"
                              "C];T1[\xB0"
                              "C];P[W]\r\n";
    const std::vector<std::pair<int, std::string>> pairs = {
        {0, "12;12;5"}, {1, "12;12;5"}, {2, "12;12;5"}, {3, "12;12;5"}, {4, "12;13;5"},
        {5, "12;13;5"}, {6, "12;13;5"}, {7, "12;12;5"}, {8, "12;12;5"}, {9, "12;12;5"},
    };
    std::vector<std::pair<int, std::string>> pairsSpelled;
    for (std::size_t i = 0; i < pairs.size(); ++i)
        pairsSpelled.emplace_back(pairs[i].first, i % 2 ? pairs[i].second + ",0" : pairs[i].second);
    ExpectSameParse(File(pairs, twice), File(pairsSpelled, twice));
}

// A first line stamped with the day before is read as a mended copy; the lines after it that repeat
// its cells must still read as their own.
TEST(RepeatedCells, RepeatsOfAMendedFirstLine)
{
    const auto file = [](bool spell) {
        std::string out = kHeader + "Solar controller;2024-03-04 00:00;12;0,0;0;100;5\r\n";
        for (int minute = 1; minute < 6; ++minute) {
            char line[96];
            std::snprintf(line, sizeof line,
                          "Solar controller;2024-03-05 00:%02d;12%s;0,0;0;100;5\r\n", minute,
                          spell && minute % 2 ? ",0" : "");
            out += line;
        }
        return out;
    };
    ExpectSameParse(file(false), file(true));
    const ParsedLogFile parsed = ParseLogFile("Lg10240305.csv", file(false));
    for (const ParsedStage& stage : parsed.stages) {
        if (stage.field == "R1") {
            ASSERT_EQ(stage.xs.size(), 3u);
            EXPECT_NEAR(Minute(parsed, stage.xs[0]), 0, 1e-6);
            EXPECT_NEAR(Minute(parsed, stage.xs[1]), 5, 1e-6);
        }
    }
}

TEST(RepeatedCells, ABadCellAfterARepeatStillFailsTheFile)
{
    const std::string bytes =
        File({{0, "12;0,0;0;100;0"}, {1, "12;0,0;0;100;0"}, {2, "12;0,0;x;100;0"}});
    EXPECT_EQ(ParseLogFile("Lg10240305.csv", bytes).failure, LogFailure::BadLines);
}

} // namespace
} // namespace korvex::test
