#include "core/logdata/CustomSeries.h"
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

TEST_F(ReaderFailureTest, FailureTableRowByRow)
{
    struct Row {
        const char* file;
        std::string message;
    };
    const std::vector<Row> rows = {
        {"header-only/Lg10080515.csv", kNoValues},
        {"only-empty-lines/Lg10080515.csv", kNoValues},
        {"no-keyword/Lg10080515.csv", kInvalid},
        {"no-semicolon/Lg10080515.csv", kInvalid},
        {"keyword-not-first/Lg10080515.csv", kInvalid},
        {"bad-day/Lg10080515.csv", kInvalid},
        {"bad-yield/Lg10080515.csv", kInvalid},
        {"no-value-columns/Lg10080515.csv", kOpen},
        {"bad-number/Lg10080515.csv", kOpen},
        {"short-line/Lg10080515.csv", kOpen},
        {"no-number/LgXX080515.csv",
         "An error occurred while creating the data structure. This is probably due to "
         "insufficient memory. Please close any unused applications and try again."},
        {"unnamed-column/Lg10080515.csv", kInvalid + "\n\n[°C]"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        AnalysisDataSet& set = makeSet();
        EXPECT_EQ(load(set, row.file), row.message);
        EXPECT_EQ(set.fileCount(), 0);
        EXPECT_TRUE(set.dayBlocks().empty());
        EXPECT_TRUE(set.fileNames().empty());
    }
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

TEST_F(ReaderFailureTest, FailedFileLeavesEarlierDataUntouched)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(load(set, "two-days/Lg10080515.csv"), "");
    ASSERT_EQ(load(set, "two-days/Lg10080516.csv"), "");
    const auto before = Describe(points(set, "T1", 0));
    const auto yieldsBefore = Describe(points(set, "Ptag", 0));

    // Its yield value is read at header time and its first line is fine; the second is not.
    EXPECT_EQ(load(set, "two-days/Lg10080517.csv"), kOpen);
    EXPECT_EQ(Describe(points(set, "T1", 0)), before);
    EXPECT_EQ(Describe(points(set, "Ptag", 0)), yieldsBefore);
    EXPECT_EQ(set.fileCount(), 2);
    EXPECT_EQ(set.dayBlocks().size(), 2u);
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
