#include "core/logdata/LogDirectory.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/DeviceNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

namespace korvex {
namespace {

namespace fs = std::filesystem;

class LogDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        root_ = fs::temp_directory_path() / ("korvex-scan-" + std::to_string(rd()));
        fs::create_directories(root_);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(root_ / "locked", fs::perms::owner_all, ec);
        fs::remove_all(root_, ec);
    }

    void Touch(const fs::path& relative)
    {
        fs::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative) << "x";
    }

    std::vector<std::string> Names(const std::vector<LogFileEntry>& files) const
    {
        std::vector<std::string> names;
        for (const LogFileEntry& f : files)
            names.push_back(fs::path(f.path).filename().string());
        return names;
    }

    fs::path root_;
};

TEST_F(LogDirectoryTest, MonthOfFilesSetsTheRange)
{
    for (int d = 31; d >= 1; --d) {
        char name[16];
        std::snprintf(name, sizeof name, "01%06d.csv", 100500 + d);
        Touch(name);
    }
    const LogDirectoryScan scan = ScanLogDirectory(root_.string());
    EXPECT_EQ(scan.status, ScanStatus::Ok);
    ASSERT_EQ(scan.files.size(), 31u);
    EXPECT_EQ(scan.firstDay, EncodeDate(2010, 5, 1));
    EXPECT_EQ(scan.lastDay, EncodeDate(2010, 5, 31));
    EXPECT_EQ(scan.files.front().sortKey, 100501);
    EXPECT_EQ(scan.files.back().sortKey, 100531);
    EXPECT_EQ(scan.files.front().deviceText, "01");
    EXPECT_EQ(DeviceNumberFromPath(scan.files.front().path), 1);
    EXPECT_EQ(scan.files.front().day, EncodeDate(2010, 5, 1));
    EXPECT_EQ(scan.files.front().path, (root_ / "01100501.csv").string());
}

TEST_F(LogDirectoryTest, NameRules)
{
    Touch("01100501.csv");
    Touch("01100502.CSV");
    Touch("readme.csv");
    Touch("01100503.txt");
    Touch("01100504.csv.bak");
    Touch("ab.csv");
    Touch(".1100505.csv"); // hidden files count; from the third character the name is 100505
    fs::create_directories(root_ / "01100506.csv"); // a folder is no file
    const LogDirectoryScan scan = ScanLogDirectory(root_.string());
    EXPECT_EQ(Names(scan.files),
              (std::vector<std::string>{"01100501.csv", "01100502.CSV", ".1100505.csv"}));

    int key = 0;
    EXPECT_TRUE(LogFileSortKey("10-12.csv", key));
    EXPECT_EQ(key, -12);
    EXPECT_FALSE(LogFileSortKey("10 100501.csv", key));
    EXPECT_FALSE(LogFileSortKey("1099999999999.csv", key)); // beyond the integer range
}

TEST_F(LogDirectoryTest, UndatableNamesDropOnlyAtTheEnds)
{
    Touch("01100501.csv");
    Touch("01100515.csv");
    Touch("01109999.csv"); // last after sorting: no date, dropped
    Touch("01000001.csv"); // first after sorting: no date, dropped
    Touch("01100513.csv");
    Touch("01100514x.csv"); // not an integer: never listed
    const LogDirectoryScan scan = ScanLogDirectory(root_.string());
    EXPECT_EQ(Names(scan.files),
              (std::vector<std::string>{"01100501.csv", "01100513.csv", "01100515.csv"}));
    EXPECT_EQ(scan.lastDay, EncodeDate(2010, 5, 15));

    // Between valid names an undatable one stays in the list.
    Touch("01100599.csv");
    Touch("01100601.csv");
    const LogDirectoryScan second = ScanLogDirectory(root_.string());
    EXPECT_EQ(Names(second.files),
              (std::vector<std::string>{"01100501.csv", "01100513.csv", "01100515.csv",
                                        "01100599.csv", "01100601.csv"}));
    EXPECT_EQ(second.files[3].day, 0.0);
    EXPECT_EQ(second.files[3].nameKey, 100599);
}

TEST_F(LogDirectoryTest, TwoUndatableNamesBeforeTheFirstDatedOneAreBothDropped)
{
    Touch("01000001.csv");
    Touch("01001399.csv");
    Touch("01100502.csv");
    Touch("01100504.csv");
    const LogDirectoryScan scan = ScanLogDirectory(root_.string());
    EXPECT_EQ(Names(scan.files), (std::vector<std::string>{"01100502.csv", "01100504.csv"}));
    EXPECT_EQ(scan.firstDay, EncodeDate(2010, 5, 2));
}

TEST_F(LogDirectoryTest, OnlyUndatableFilesFindNothing)
{
    Touch("01009999.csv");
    Touch("01001399.csv");
    const LogDirectoryScan scan = ScanLogDirectory(root_.string());
    EXPECT_EQ(scan.status, ScanStatus::Ok);
    EXPECT_FALSE(scan.Found());
}

TEST_F(LogDirectoryTest, SearchesTwoLevelsOfSubdirectories)
{
    Touch("10100501.csv");
    Touch("one/10100502.csv");
    Touch("one/two/10100503.csv");
    Touch("one/two/three/10100504.csv");
    Touch("other dir/21100502.csv");
    const LogDirectoryScan scan = ScanLogDirectory(root_.string());
    EXPECT_EQ(Names(scan.files), (std::vector<std::string>{"10100501.csv", "10100502.csv",
                                                           "21100502.csv", "10100503.csv"}));
    EXPECT_EQ(scan.lastDay, EncodeDate(2010, 5, 3));
}

TEST_F(LogDirectoryTest, LinksCountAsWhatTheyLeadToAndBrokenOnesAsNothing)
{
    Touch("10100501.csv");
    Touch("elsewhere/deep/10100503.csv");
    Touch("elsewhere/20100504.csv");
    // A link to a folder is searched like one; a link to a file is a file under the link's
    // name; a link to nothing and a folder named like a log are no files; a hidden name is
    // a name like any.
    fs::create_directory_symlink(root_ / "elsewhere", root_ / "linked");
    fs::create_symlink(root_ / "elsewhere" / "20100504.csv", root_ / "30100502.csv");
    fs::create_symlink(root_ / "gone.csv", root_ / "40100502.csv");
    Touch(".10100502.csv");
    fs::create_directories(root_ / "50100502.csv");
    const std::string trailing = root_.string() + "/";
    const LogDirectoryScan scan = ScanLogDirectory(trailing);
    EXPECT_EQ(
        Names(scan.files),
        (std::vector<std::string>{"10100501.csv", ".10100502.csv", "30100502.csv", "10100503.csv",
                                  "10100503.csv", "20100504.csv", "20100504.csv"}));
    for (const LogFileEntry& file : scan.files)
        EXPECT_EQ(file.path.find("//"), std::string::npos) << file.path;
    const auto linked = std::find_if(scan.files.begin(), scan.files.end(), [](const auto& f) {
        return f.path.find("/linked/deep/") != std::string::npos;
    });
    EXPECT_NE(linked, scan.files.end());
}

TEST_F(LogDirectoryTest, MissingOrUnreadableDirectories)
{
    EXPECT_EQ(ScanLogDirectory((root_ / "nothing").string()).status, ScanStatus::NoDirectory);
    EXPECT_EQ(ScanLogDirectory("").status, ScanStatus::NoDirectory);
    Touch("10100501.csv");
    EXPECT_EQ(ScanLogDirectory((root_ / "10100501.csv").string()).status, ScanStatus::NoDirectory);

    // An unreadable subdirectory is passed over; an unreadable root is reported.
    Touch("locked/10100502.csv");
    fs::permissions(root_ / "locked", fs::perms::none);
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    EXPECT_EQ(Names(ScanLogDirectory(root_.string()).files),
              std::vector<std::string>{"10100501.csv"});
    EXPECT_EQ(ScanLogDirectory((root_ / "locked").string()).status, ScanStatus::Unreadable);
}

TEST_F(LogDirectoryTest, RelativeDirectoriesGiveFullPaths)
{
    // Short relative paths would put the device number's position in front of the name.
    Touch("x/21100501.csv");
    const fs::path before = fs::current_path();
    fs::current_path(root_);
    const LogDirectoryScan scan = ScanLogDirectory("x");
    fs::current_path(before);
    ASSERT_EQ(scan.files.size(), 1u);
    EXPECT_EQ(scan.files[0].path, (root_ / "x" / "21100501.csv").string());
    EXPECT_EQ(scan.files[0].deviceText, "21");
    EXPECT_EQ(DeviceNumberFromPath(scan.files[0].path), 21);
}

TEST_F(LogDirectoryTest, SelectionByRangeGroupsDevices)
{
    for (const char* name : {"30100503.csv", "10100501.csv", "21100502.csv", "10100502.csv",
                             "10100503.csv", "10100504.csv", "30100502.csv", "21100505.csv"})
        Touch(name);
    const LogDirectoryScan scan = ScanLogDirectory(root_.string());
    ASSERT_EQ(scan.files.size(), 8u);

    const LogFileSelection sel =
        SelectLogFiles(scan, EncodeDate(2010, 5, 2), EncodeDate(2010, 5, 4));
    EXPECT_EQ(Names(sel.files),
              (std::vector<std::string>{"10100502.csv", "21100502.csv", "30100502.csv",
                                        "10100503.csv", "30100503.csv", "10100504.csv"}));
    EXPECT_EQ(sel.devices, (std::vector<std::string>{"10", "21", "30"}));
    // Each file goes to the data set of its device's position, as the analysis assigns it.
    std::vector<int> dataSets;
    for (const LogFileEntry& file : sel.files)
        dataSets.push_back(DataSetIndexForFile(sel.devices, file.path));
    EXPECT_EQ(dataSets, (std::vector<int>{0, 1, 2, 0, 2, 0}));

    EXPECT_TRUE(SelectLogFiles(scan, EncodeDate(2010, 5, 6), EncodeDate(2010, 5, 9)).files.empty());
    const LogFileSelection one =
        SelectLogFiles(scan, EncodeDate(2010, 5, 5), EncodeDate(2010, 5, 5));
    EXPECT_EQ(Names(one.files), std::vector<std::string>{"21100505.csv"});
}

TEST_F(LogDirectoryTest, SelectionLeavesOutNamesWithoutSixDigits)
{
    // Key 10050 sorts between the two valid names, but "x10050" before ".csv" is no number.
    Touch("10000101.csv");
    Touch("1x10050.csv");
    Touch("10100509.csv");
    const LogDirectoryScan scan = ScanLogDirectory(root_.string());
    ASSERT_EQ(scan.files.size(), 3u);
    const LogFileSelection sel = SelectLogFiles(scan, scan.firstDay, scan.lastDay);
    EXPECT_EQ(Names(sel.files), (std::vector<std::string>{"10000101.csv", "10100509.csv"}));
}

TEST(LogFileNames, DateAndDayKey)
{
    DayTime day = 0;
    EXPECT_TRUE(LogFileNameDate("10080515.csv", day));
    EXPECT_EQ(day, EncodeDate(2008, 5, 15));
    EXPECT_TRUE(LogFileNameDate("10000229.csv", day)); // 2000 is a leap year
    EXPECT_FALSE(LogFileNameDate("10010229.csv", day));
    EXPECT_FALSE(LogFileNameDate("10109999.csv", day));
    EXPECT_FALSE(LogFileNameDate("1010051.csv", day));
    EXPECT_EQ(DayKey(EncodeDate(2008, 5, 15)), 80515);
    EXPECT_EQ(DayKey(EncodeDate(2099, 12, 31) + 0.75), 991231);
}

} // namespace
} // namespace korvex
