#include "core/services/NumberFormat.h"
#include "core/views/StringGrid.h"
#include "core/workbook/DayWorkbook.h"
#include "core/workbook/XlsxWorkbook.h"
#include "tests/tools/ToolTestSupport.h"
#include "tools/report/ReportWorkbook.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace korvex {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable (or removes it) for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        const char* old = std::getenv(name);
        if (old != nullptr)
            saved_ = old;
        had_ = old != nullptr;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (had_)
            ::setenv(name_, saved_.c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::string saved_;
    bool had_ = false;
};

std::vector<std::string> Entries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

Sheet OneCellSheet(std::string name)
{
    Sheet sheet;
    sheet.name = std::move(name);
    SheetCell cell;
    cell.kind = SheetCell::Kind::Number;
    cell.number = 2.5;
    sheet.rows.push_back({cell});
    return sheet;
}

using DayWorkbookTest = test::ToolTest;

TEST_F(DayWorkbookTest, CacheFolderFollowsTheDesktopRules)
{
    {
        ScopedEnv cache("XDG_CACHE_HOME", "/var/tmp/c");
        ScopedEnv home("HOME", "/home/u");
        EXPECT_EQ(KorvexCacheFolder(), "/var/tmp/c/Halvo/Korvex");
    }
    {
        // A relative cache path is not a valid setting: the home folder's is used.
        ScopedEnv cache("XDG_CACHE_HOME", "rel/cache");
        ScopedEnv home("HOME", "/home/u");
        EXPECT_EQ(KorvexCacheFolder(), "/home/u/.cache/Halvo/Korvex");
    }
    {
        ScopedEnv cache("XDG_CACHE_HOME", nullptr);
        ScopedEnv home("HOME", nullptr);
        EXPECT_EQ(KorvexCacheFolder(), "");
        EXPECT_EQ(TryDayWorkbook(std::string(KORVEX_TEST_DATA) + "/export/1010080515.csv"), "");
    }
    EXPECT_EQ(DayWorkbookName("/logs/2008/1010080515.csv"), "10080515.xlsx");
    EXPECT_EQ(DayWorkbookName("2110080516.csv"), "10080516.xlsx");
}

TEST_F(DayWorkbookTest, WrittenIntoTheCacheOrNothingWhenItCannotBe)
{
    const std::string log = std::string(KORVEX_TEST_DATA) + "/export/1010080515.csv";
    const fs::path cache = temp_ / "cache";
    {
        ScopedEnv env("XDG_CACHE_HOME", cache.c_str());
        const std::string written = TryDayWorkbook(log);
        EXPECT_EQ(written, (cache / "Halvo" / "Korvex" / "10080515.xlsx").string());
        EXPECT_EQ(Entries(cache / "Halvo" / "Korvex"), std::vector<std::string>{"10080515.xlsx"});
        EXPECT_EQ(test::ReadFile(written).substr(0, 2), "PK"); // a zip container
    }
    // Read-only folders do not stop root: a regular file in the path does.
    std::ofstream(temp_ / "plain").put('x');
    {
        ScopedEnv env("XDG_CACHE_HOME", (temp_ / "plain" / "cache").c_str());
        EXPECT_EQ(TryDayWorkbook(log), "");
    }
    {
        ScopedEnv env("XDG_CACHE_HOME", cache.c_str());
        EXPECT_EQ(TryDayWorkbook(temp_ / "missing" / "1010080515.csv"), "");
        EXPECT_THROW(WriteDayWorkbook((temp_ / "plain").string(), cache.string()), SheetError);
    }
}

TEST_F(DayWorkbookTest, FailedWritesLeaveNoFileAndKeepTheOldOne)
{
    const fs::path folder = temp_ / "out";
    fs::create_directories(folder);
    const fs::path target = folder / "book.xlsx";
    WriteXlsxWorkbook({OneCellSheet("first")}, target.string());
    const std::string before = test::ReadFile(target);

    // A name the format refuses, two sheets of one name, no sheet at all.
    EXPECT_THROW(WriteXlsxWorkbook({OneCellSheet("bad/name")}, target.string()), SheetError);
    EXPECT_THROW(WriteXlsxWorkbook({OneCellSheet("twice"), OneCellSheet("twice")}, target.string()),
                 SheetError);
    EXPECT_THROW(WriteXlsxWorkbook({}, target.string()), SheetError);
    Sheet outside = OneCellSheet("merge");
    outside.merges.push_back({3, 0, 2});
    EXPECT_THROW(WriteXlsxWorkbook({outside}, target.string()), SheetError);
    EXPECT_EQ(test::ReadFile(target), before);
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"book.xlsx"});

    // A folder in the way: written completely, then the rename fails; the temporary goes.
    const fs::path taken = folder / "taken.xlsx";
    fs::create_directory(taken);
    EXPECT_THROW(WriteXlsxWorkbook({OneCellSheet("s")}, taken.string()), SheetError);
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"book.xlsx", "taken.xlsx"}));
    EXPECT_THROW(WriteXlsxWorkbook({OneCellSheet("s")}, (folder / "none" / "x.xlsx").string()),
                 SheetError);
}

// A presented monthly table of two devices: the first with two yield columns.
StringGrid MonthlyTable()
{
    StringGrid grid(4, 5);
    grid.Set(0, 0, "Monthly overview", 0);
    grid.Set(1, 0, "Solar controller", 0);
    grid.Set(2, 0, "", 0);
    grid.Set(3, 0, "Heating circuit 1", 1);
    grid.Set(0, 1, "Date", 0);
    grid.Set(1, 1, "Qtag [kWh]", 4);
    grid.Set(2, 1, "Vtag [l]", 5);
    grid.Set(3, 1, "Qtag [kWh]", 3);
    grid.Set(0, 2, "Nov. 2023", static_cast<int>(EncodeDate(2023, 11, 1)));
    grid.Set(0, 3, "Jan. 2024", static_cast<int>(EncodeDate(2024, 1, 1)));
    grid.Set(0, 4, "Total", 0);
    const char* cells[3][3] = {
        {"12,50", "1.250,00", ""}, {"0,00", "7,75", "3,25"}, {"12,50", "n/a", "3,25"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            grid.SetText(c + 1, r + 2, cells[r][c]);
    return grid;
}

TEST(YieldTableSheet, NumbersDatesHeadingsAndTotals)
{
    const char savedSeparator = DecimalSeparator();
    SetDecimalSeparator(',');
    const Sheet sheet = report::YieldTableSheet(MonthlyTable(), report::TableKind::Monthly);
    SetDecimalSeparator(savedSeparator);

    EXPECT_EQ(sheet.name, "Monthly overview");
    EXPECT_EQ(sheet.frozenRows, 2);
    ASSERT_EQ(sheet.merges.size(), 1u);
    EXPECT_EQ(sheet.merges[0].row, 0);
    EXPECT_EQ(sheet.merges[0].firstColumn, 1);
    EXPECT_EQ(sheet.merges[0].lastColumn, 2);
    ASSERT_EQ(sheet.rows.size(), 5u);

    auto style = [&](int col, int row) { return sheet.styles.at(sheet.rows[row][col].style); };
    const SheetCell& month = sheet.rows[3][0];
    EXPECT_EQ(month.kind, SheetCell::Kind::DateTime);
    EXPECT_EQ(month.number, EncodeDate(2024, 1, 1));
    EXPECT_EQ(style(0, 3).numberFormat, "mmm\". \"yyyy");

    EXPECT_EQ(sheet.rows[2][1].kind, SheetCell::Kind::Number);
    EXPECT_EQ(sheet.rows[2][1].number, 12.5);
    EXPECT_EQ(style(1, 2), (SheetStyle{"0.00", false}));
    // Not a plain number with the separator in force: kept as the text it is.
    EXPECT_EQ(sheet.rows[2][2].kind, SheetCell::Kind::Text);
    EXPECT_EQ(sheet.rows[2][3].kind, SheetCell::Kind::Empty);
    EXPECT_EQ(sheet.rows[3][1].number, 0.0);

    EXPECT_EQ(sheet.rows[4][0].text, "Total");
    EXPECT_TRUE(style(0, 4).bold);
    EXPECT_EQ(style(3, 4), (SheetStyle{"0.00", true}));
    EXPECT_EQ(sheet.rows[4][2].kind, SheetCell::Kind::Text);
    EXPECT_TRUE(style(2, 4).bold);
    EXPECT_EQ(sheet.rows[0][1].text, "Solar controller");
    EXPECT_EQ(sheet.rows[1][2].text, "Vtag [l]");

    // The date column fits "Monthly overview"; the heading spreads over two columns; the
    // single-column device is widened for its name.
    ASSERT_EQ(sheet.columnWidths.size(), 4u);
    EXPECT_EQ(sheet.columnWidths[0], 18);
    EXPECT_GE(sheet.columnWidths[1] + sheet.columnWidths[2], 18);
    EXPECT_EQ(sheet.columnWidths[3], 19);

    StringGrid annual = MonthlyTable();
    annual.Set(0, 2, "2023", 2023);
    const Sheet years = report::YieldTableSheet(annual, report::TableKind::Annual);
    EXPECT_EQ(years.rows[2][0].kind, SheetCell::Kind::Number);
    EXPECT_EQ(years.rows[2][0].number, 2023);
}

} // namespace
} // namespace korvex
