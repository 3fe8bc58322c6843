// The reader's fast paths give what the general parsers give, cell for cell.
#include "core/logdata/LogCells.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <vector>

namespace korvex::test {
namespace {

TEST(LogCells, TimestampsReadDirectlyEqualTheGeneralParse)
{
    const std::vector<std::string> ymd = {
        "2024-02-29 23:59", "2024-02-29 00:00:59", "2024-02-30 10:00",    "2023-02-29 10:00",
        "2024-02-29 24:00", "2024-02-29 12:60",    "2024-02-29 12:30:60", "2024-2-29 12:30",
        " 2024-02-29 12:3", "2024-02-29 12:30 ",   "2024-02-29T12:30",    "0000-01-01 00:00",
        "9999-12-31 23:59", "2024-02-28 23:59",    "29.02.2024 12:30",    "2024-02-29 12:30:5x",
        // Damaged separators, each where a digit count still fits the direct path's shape.
        "2024-02-29 12:30.05", "2024-02-29 12:30x05", "2024-02-29 12.30:05", "2024-02-29x12:30",
        "2024/02/29 12:30",    "2024-02-29 12:30:-5", "2024-02-29 -2:30",    "2024-02-29 12:30:"};
    const std::vector<std::string> dmy = {"29.02.2024 12:30",  "01.03.2024 00:00:01",
                                          "31.04.2024 00:00",  "29.02.24 12:30",
                                          "2024-02-29 12:30",  "29.02.2024 7:05",
                                          "29.02.2024 12:30.05", "29-02-2024 12:30",
                                          "29.02.2024 12:30;05"};
    LogStampReader reader;
    // The same date again and again, then others: the kept day must not leak into them.
    for (int round = 0; round < 2; ++round) {
        for (const auto& [cells, order] :
             {std::pair{ymd, DateOrder::YearMonthDay}, std::pair{dmy, DateOrder::DayMonthYear},
              std::pair{ymd, DateOrder::DayMonthYear}}) {
            for (const std::string& cell : cells) {
                double general = -1, fast = -1;
                const bool ok = ParseLogTimestamp(cell, order, general);
                EXPECT_EQ(reader.parse(cell, order, fast), ok) << cell;
                if (ok) {
                    EXPECT_EQ(std::bit_cast<std::uint64_t>(fast),
                              std::bit_cast<std::uint64_t>(general))
                        << cell;
                }
            }
        }
    }
}

TEST(LogCells, NumberCellsReadWhileSearchedEqualTheGeneralParse)
{
    const std::string line = "12,5;-0;12,;,5;-,5;-;,;;Err;+5;1,2,3; 7;7 ;123456789012345;"
                             "1234567890123456;0,000000000000001;-987654,321;1e3;0x10;nan;"
                             "00012,50;last";
    const char* p = line.data();
    const char* const end = p + line.size();
    while (p < end) {
        const char* q = p;
        const char* stop = static_cast<const char*>(std::memchr(p, ';', end - p));
        const std::string cell(p, stop ? stop : end);
        double fast = -1, general = -1;
        const CellValue kind = ReadValueCell(q, end, fast);
        const char* r = p;
        const CellValue expected = ReadGeneralCell(r, end, general);
        EXPECT_EQ(kind, expected) << cell;
        EXPECT_EQ(q, r) << cell;
        if (expected == CellValue::Number) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(fast), std::bit_cast<std::uint64_t>(general))
                << cell;
        }
        double plain = 0;
        EXPECT_EQ(expected == CellValue::Number,
                  !cell.empty() && cell != "Err" && ParseLogNumber(cell, plain))
            << cell;
        p = r;
    }
}

TEST(LogCells, LinesEndAtCrLfLoneCrOrLoneLf)
{
    std::vector<std::string_view> lines;
    SplitLogLines("a;1\r\nb;2\rc;3\n\r\nd;4 with a line longer than sixteen bytes\r\n", lines);
    EXPECT_EQ(lines, (std::vector<std::string_view>{"a;1", "b;2", "c;3", "",
                                                    "d;4 with a line longer than sixteen bytes"}));
    SplitLogLines("\n\nlast without break", lines);
    EXPECT_EQ(lines, (std::vector<std::string_view>{"", "", "last without break"}));
    SplitLogLines("", lines);
    EXPECT_TRUE(lines.empty());
    SplitLogLines("\r", lines);
    EXPECT_EQ(lines, (std::vector<std::string_view>{""}));
}

} // namespace
} // namespace korvex::test
