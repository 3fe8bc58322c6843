#include "core/logdata/CustomSeries.h"
#include "core/logdata/LoadFaults.h"
#include "core/logdata/ParsedLogFile.h"
#include "tests/core/logdata/LogTestSupport.h"

#include <random>

namespace korvex::test {
namespace {

using namespace std::string_literals;

class ReaderFailureTest : public LogDataTest {};

const std::string kOpen = "Error occurred while opening file";
const std::string kNoValues = "The file you specified does not contain measured values.";
const std::string kInvalid = "The file you specified is not a valid log file.";

TEST_F(ReaderFailureTest, MissingFileNamesTheFileAfterTwoLineFeeds)
{
    AnalysisDataSet& set = makeSet();
    EXPECT_EQ(load(set, "nowhere/Lg10080515.csv"), kOpen + "\n\nLg10080515.csv");
}

// Memory running out while the file is split into lines is memory, not a file that is no log.
TEST_F(ReaderFailureTest, OutOfMemoryWhileSplittingTheLinesIsText97)
{
    const std::string bytes = "DATE & TIME;T1[\xB0"
                              "C]\r\n2008-05-15 00:00;1\r\n2008-05-15 00:03;2\r\n";
    AnalysisDataSet& set = makeSet();
    ArmLoadFault(LoadFault::SplitLines);
    EXPECT_EQ(loadBytes(set, "Lg10080515.csv", bytes), Text(TextId::DataStructureNoMemory));
    ArmLoadFault(LoadFault::SplitLines);
    EXPECT_EQ(ParseLogFile("Lg10080515.csv", bytes).failure, LogFailure::NoMemory);
    DisarmLoadFault();
    EXPECT_EQ(set.fileCount(), 0);
    EXPECT_EQ(set.deviceSettings(), nullptr);
    // The fault was spent: the same bytes load.
    EXPECT_EQ(loadBytes(set, "Lg10080515.csv", bytes), "");
}

TEST_F(ReaderFailureTest, UnreadableFileNamesTheFileAfterCrLfs)
{
    AnalysisDataSet& set = makeSet();
    const auto dir =
        std::filesystem::temp_directory_path() / "korvex-reader-dir" / "Lg10080515.csv";
    std::filesystem::create_directories(dir);
    LogFileReader reader;
    try {
        reader.load(set, dir.string());
        ADD_FAILURE() << "a directory was read";
    } catch (const KorvexError& e) {
        EXPECT_EQ(std::string(e.what()), kOpen + "\r\n\r\nLg10080515.csv");
    }
    std::filesystem::remove_all(dir.parent_path());
}

// "key:points" of every field, or "none" without device settings.
std::string Kept(const AnalysisDataSet& set)
{
    const DeviceSettings* dev = set.deviceSettings();
    if (!dev)
        return "none";
    std::string kept;
    for (int i = 0; i < dev->fieldCount(); ++i)
        kept += (kept.empty() ? "" : " ") + dev->key(i) + ":" +
                std::to_string(set.series(i) ? set.series(i)->count() : -1);
    return kept;
}

TEST_F(ReaderFailureTest, FailureTableRowByRow)
{
    struct Row {
        const char* file;
        std::string message;
        const char* kept; // fields and their points after the failure
    };
    const std::vector<Row> rows = {
        {"header-only/Lg10080515.csv", kNoValues, "none"},
        {"only-empty-lines/Lg10080515.csv", kNoValues, "none"},
        {"no-keyword/Lg10080515.csv", kInvalid, "none"},
        {"no-semicolon/Lg10080515.csv", kInvalid, "none"},
        {"keyword-not-first/Lg10080515.csv", kInvalid, ""},
        {"bad-day/Lg10080515.csv", kInvalid, "T1:0"},
        {"bad-yield/Lg10080515.csv", kInvalid, "T1:0 Ptag:0"},
        {"yield-then-bad/Lg10080515.csv", kInvalid, "T1:0 Ptag:1 Pjahr:0"},
        {"no-value-columns/Lg10080515.csv", kOpen, ""},
        // The first line's values and a closing null.
        {"bad-number/Lg10080515.csv", kOpen, "T1:2 T2:2"},
        {"short-line/Lg10080515.csv", kOpen, "T1:2 T2:2 T3:2"},
        {"no-number/LgXX080515.csv",
         "An error occurred while creating the data structure. This is probably due to "
         "insufficient memory. Please close any unused applications and try again.",
         "none"},
        {"unnamed-column/Lg10080515.csv", kInvalid + "\n\n[°C]", "T1:0"},
        {"cut-last-line/Lg10080515.csv", kOpen, "T1:5 T2:3 Ptag:1 P:5 R1:4"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        AnalysisDataSet& set = makeSet();
        EXPECT_EQ(load(set, row.file), row.message);
        EXPECT_EQ(set.fileCount(), 0);
        EXPECT_TRUE(set.dayBlocks().empty());
        EXPECT_TRUE(set.fileNames().empty());
        EXPECT_EQ(Kept(set), row.kept);
    }
}

TEST_F(ReaderFailureTest, FileCutInItsLastLineKeepsItsDayUpToTheCut)
{
    const DayTime day = EncodeDate(2008, 5, 15);
    AnalysisDataSet& set = makeSet();
    EXPECT_EQ(load(set, "cut-last-line/Lg10080515.csv"), kOpen);
    // The cut line (00:20) is left out whole: its T1 is complete, its T2 cut to "3".
    EXPECT_EQ(Describe(points(set, "T1", day)), "(0,20)(5,20.5)(10,21.5)(15,23)(15,null)");
    EXPECT_EQ(Describe(points(set, "T2", day)), "(0,30)(15,30)(15,null)");
    // [W] values are stored in kW also when the file fails.
    EXPECT_EQ(Describe(points(set, "P", day)), "(0,0)(5,1.5)(10,2.5)(15,2.5)(15,null)");
    EXPECT_EQ(Describe(points(set, "R1", day)), "(0,0)(5,100)(15,100)(15,null)");
    // The last line has no yield cell, so the yield column was read line by line: one bar
    // for the day with the last value read.
    EXPECT_EQ(Describe(points(set, "Ptag", day)), "(720,1.2)");

    // The next day follows after the null, and only it has a day block and a name.
    ASSERT_EQ(load(set, "cut-last-line/Lg10080516.csv"), "");
    EXPECT_EQ(Describe(points(set, "T1", day)),
              "(0,20)(5,20.5)(10,21.5)(15,23)(15,null)(1440,18)(1443,18.5)(2877,null)"
              "(2877,19)(2877,null)");
    EXPECT_EQ(Describe(points(set, "P", day)),
              "(0,0)(5,1.5)(10,2.5)(15,2.5)(15,null)(1440,0)(1443,0.5)(2877,null)(2877,0)"
              "(2877,null)");
    EXPECT_EQ(Describe(points(set, "Ptag", day)), "(720,1.2)(2160,6.3)");
    EXPECT_EQ(set.fileCount(), 1);
    ASSERT_EQ(set.dayBlocks().size(), 1u);
    EXPECT_EQ(set.dayBlocks()[0].day, day + 1);
    ASSERT_EQ(set.fileNames().size(), 1u);
    EXPECT_EQ(set.fileNames()[0], ReaderFixture("cut-last-line/Lg10080516.csv"));
}

TEST_F(ReaderFailureTest, SettingsFileThatCannotBeCreatedFailsRegistration)
{
    // A plain file where the settings folder should be.
    const auto blocker = std::filesystem::temp_directory_path() / "korvex-reader-blocker";
    std::filesystem::remove_all(blocker);
    std::ofstream(blocker) << "x";
    ::setenv("XDG_CONFIG_HOME", blocker.c_str(), 1);
    AppSettings::Release();

    AnalysisDataSet& set = makeSet();
    EXPECT_EQ(load(set, "example/Lg10080515.csv"),
              "Access to INI file failed. Settings cannot be saved.");
    ASSERT_NE(set.deviceSettings(), nullptr);
    EXPECT_EQ(set.deviceSettings()->fieldCount(), 0);
    EXPECT_EQ(set.slotCount(), 0);
    EXPECT_TRUE(set.units().empty());
    std::filesystem::remove_all(blocker);
}

TEST_F(ReaderFailureTest, FailedFileAddsToEarlierDaysButNoDayOfItsOwn)
{
    const DayTime day = EncodeDate(2008, 5, 15);
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "two-days/Lg10080515.csv"), "");
    ASSERT_EQ(load(set, "two-days/Lg10080516.csv"), "");
    const auto before = Describe(points(set, "T1", day));
    const auto yieldsBefore = Describe(points(set, "Ptag", day));

    // Its yield value is read at header time and its first line is fine; the second is not.
    EXPECT_EQ(load(set, "two-days/Lg10080517.csv"), kOpen);
    EXPECT_EQ(Describe(points(set, "T1", day)), before + "(2880,1)(2880,null)");
    EXPECT_EQ(Describe(points(set, "Ptag", day)), yieldsBefore + "(3600,4.5)");
    EXPECT_EQ(set.fileCount(), 2);
    ASSERT_EQ(set.dayBlocks().size(), 2u);
    EXPECT_EQ(set.dayBlocks()[1].day, day + 1);
    EXPECT_EQ(set.fileNames().size(), 2u);
}

TEST_F(ReaderFailureTest, HostileBytesEndWithAMessageOrLoad)
{
    std::vector<std::string> inputs = {
        "\0\0\0;DATE & TIME;T1[\xB0"
        "C]\r\n\0;2008-05-15 00:00;1\r\n"s,
        "DATE & TIME;T1[\xB0"
        "C]\r2008-05-15 00:00;1\r2008-05-15 00:01;2",
        "DATE & TIME;" + std::string(20000, ';') + "\r\n2008-05-15 00:00;1\r\n",
        "DATE & TIME;T1[\xB0"
        "C]\r\n2008-05-15 00:00;" +
            std::string(200000, '9') + "\r\n",
        "DATE & TIME;T1[\xB0"
        "C]\r\n9999-12-31 23:59;1\r\n0001-01-01 00:00;1\r\n",
        "DATE & TIME;T1[\xB0"
        "C]\r\n2008-05-15 00:00;1e308\r\n2008-05-15 00:01;-1e308\r\n",
        "DATE & TIME;T1[\xB0"
        "C]\r\n2008-05-15 00:00;nan\r\n",
        "DATE & TIME;T1[\xB0"
        "C]\r\n2008-05-15 00:00;inf\r\n",
        "DATE & TIME;T1[\xB0"
        "C];T1[\xB0"
        "C]\r\n2008-05-15 00:00;1;2\r\n2008-05-15 00:01;1;2\r\n",
        "DATE & TIME;[\r\n2008-05-15 00:00;1\r\n",
        "DATE & TIME;Q[kWh]\r\n2008-05-15 00:00;1\r\n",
        "x;dd.mm.yy hh:mm;T[\xB0"
        "C]\r\n\r\n\r\n",
    };
    std::mt19937 random(7);
    for (int i = 0; i < 50; ++i) {
        std::string junk(static_cast<std::size_t>(random() % 2000), '\0');
        for (char& c : junk)
            c = static_cast<char>(random() % 256);
        inputs.push_back("DATE & TIME;T1[\xB0"
                         "C];P[W]\r\n" +
                         junk);
    }
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        SCOPED_TRACE(i);
        AnalysisDataSet& set = makeSet();
        const std::string message = loadBytes(set, "Lg10080515.csv", inputs[i]);
        for (int f = 0; f < set.slotCount(); ++f) {
            const Series* s = set.series(f);
            for (int p = 1; p < s->count(); ++p)
                ASSERT_LE(s->x(p - 1), s->x(p));
            for (int p = 0; p < s->count(); ++p)
                ASSERT_FALSE(std::isinf(s->y(p)));
        }
        if (message.empty()) {
            EXPECT_EQ(set.fileCount(), 1);
        }
    }
}

TEST_F(ReaderFailureTest, TooManyColumnsIsNoLogFile)
{
    std::string header = "DATE & TIME";
    for (std::size_t i = 0; i <= LogFileReader::kMaxColumns; ++i)
        header += ";c";
    AnalysisDataSet& set = makeSet();
    EXPECT_EQ(loadBytes(set, "Lg10080515.csv", header + "\r\n2008-05-15 00:00;1\r\n"), kInvalid);
}

TEST_F(ReaderFailureTest, TenThousandFieldsLoad)
{
    std::string header = "DATE & TIME";
    std::string line = "2008-05-15 00:00";
    for (int i = 0; i < 10000; ++i) {
        header += ";F" + std::to_string(i) +
                  "[\xB0"
                  "C]";
        line += ";" + std::to_string(i);
    }
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(loadBytes(set, "Lg10080515.csv", header + "\r\n" + line + "\r\n"), "");
    ASSERT_EQ(set.slotCount(), 10000);
    const Series* last = set.series(9999);
    ASSERT_NE(last, nullptr);
    ASSERT_GT(last->count(), 0);
    EXPECT_EQ(last->y(0), 9999.0);
}

TEST_F(ReaderFailureTest, HugeSingleLineEndsQuickly)
{
    AnalysisDataSet& set = makeSet();
    std::string bytes(8u << 20, 'a');
    EXPECT_EQ(loadBytes(set, "Lg10080515.csv", bytes), kNoValues);
    std::string data = "DATE & TIME;T1[\xB0"
                       "C]\r\n" +
                       std::string(8u << 20, '\r');
    EXPECT_EQ(loadBytes(set, "Lg10080515.csv", data), kInvalid);
}

} // namespace
} // namespace korvex::test
