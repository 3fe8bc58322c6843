// The reader's fast paths give what the general parsers give, cell for cell.
#include "core/logdata/LogCells.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace korvex::test {
namespace {

TEST(LogCells, TimestampsReadDirectlyEqualTheGeneralParse)
{
    const std::vector<std::string> ymd = {
        "2024-02-29 23:59", "2024-02-29 00:00:59", "2024-02-30 10:00", "2023-02-29 10:00",
        "2024-02-29 24:00", "2024-02-29 12:60", "2024-02-29 12:30:60", "2024-2-29 12:30",
        " 2024-02-29 12:3", "2024-02-29 12:30 ", "2024-02-29T12:30", "0000-01-01 00:00",
        "9999-12-31 23:59", "2024-02-28 23:59", "29.02.2024 12:30", "2024-02-29 12:30:5x",
        // Damaged separators, each where a digit count still fits the direct path's shape.
        "2024-02-29 12:30.05", "2024-02-29 12:30x05", "2024-02-29 12.30:05", "2024-02-29x12:30",
        "2024/02/29 12:30", "2024-02-29 12:30:-5", "2024-02-29 -2:30", "2024-02-29 12:30:"};
    const std::vector<std::string> dmy = {
        "29.02.2024 12:30",    "01.03.2024 00:00:01", "31.04.2024 00:00",
        "29.02.24 12:30",      "2024-02-29 12:30",    "29.02.2024 7:05",
        "29.02.2024 12:30.05", "29-02-2024 12:30",    "29.02.2024 12:30;05"};
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

// What a value cell holds, worked out apart from the reader: blanks (every byte up to the space)
// trimmed, one sign, then the text with a point for the comma as std::from_chars reads it.
std::optional<double> Oracle(std::string cell)
{
    while (!cell.empty() && static_cast<unsigned char>(cell.front()) <= ' ')
        cell.erase(0, 1);
    while (!cell.empty() && static_cast<unsigned char>(cell.back()) <= ' ')
        cell.pop_back();
    bool negative = false;
    if (!cell.empty() && (cell[0] == '+' || cell[0] == '-')) {
        negative = cell[0] == '-';
        cell.erase(0, 1);
    }
    // from_chars would take "inf", "nan" or a second sign; a log number starts with a digit or
    // its comma.
    if (cell.empty() || !(std::isdigit(static_cast<unsigned char>(cell[0])) || cell[0] == ','))
        return std::nullopt;
    for (char& c : cell)
        c = c == ',' ? '.' : c;
    double value = 0;
    const auto [end, error] =
        std::from_chars(cell.data(), cell.data() + cell.size(), value, std::chars_format::general);
    if (end != cell.data() + cell.size())
        return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Too large is no number; too small is what it rounds to (0 or a subnormal), as the C
        // library's strtod gives it.
        const std::size_t e = cell.find_first_of("eE");
        if (e == std::string::npos || e + 1 >= cell.size() || cell[e + 1] != '-')
            return std::nullopt;
        value = std::strtod(cell.c_str(), nullptr);
    } else if (error != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

// Every cell read in a line, checked against the oracle: kind, value to the bit, next cell.
void ExpectCellsAsTheOracleReadsThem(const std::vector<std::string>& cells)
{
    std::string line;
    for (const std::string& cell : cells)
        line += cell + ";";
    line += "2,5";
    const char* p = line.data();
    const char* const end = p + line.size();
    std::size_t start = 0; // where cell i starts
    for (std::size_t i = 0; i <= cells.size(); ++i) {
        const std::string cell = i < cells.size() ? cells[i] : "2,5";
        double value = -1;
        const CellValue kind = ReadValueCell(p, end, value);
        if (cell.empty()) {
            EXPECT_EQ(kind, CellValue::Empty) << "'" << cell << "'";
        } else if (cell == "Err") {
            EXPECT_EQ(kind, CellValue::Err) << "'" << cell << "'";
        } else if (const std::optional<double> expected = Oracle(cell)) {
            EXPECT_EQ(kind, CellValue::Number) << "'" << cell << "'";
            EXPECT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(*expected))
                << "'" << cell << "' " << value << " != " << *expected;
        } else {
            EXPECT_EQ(kind, CellValue::Bad) << "'" << cell << "'";
        }
        // Whatever the cell held, the next one starts after its semicolon.
        start = std::min(start + cell.size() + 1, line.size());
        EXPECT_EQ(static_cast<std::size_t>(p - line.data()), start) << "'" << cell << "'";
    }
}

TEST(LogCells, NumberCellsEqualAnIndependentParseOfTheTextWithAPoint)
{
    ExpectCellsAsTheOracleReadsThem({
        "0",
        "-0",
        "+0",
        "12,5",
        "-12,5",
        "+12,5",
        "12,",
        ",5",
        "-,5",
        "+,25",
        ",",
        "-",
        "+",
        "+-5",
        "--5",
        "-+5",
        " 7",
        "7 ",
        "\t-3,5\t",
        " ",
        "  ",
        "Err",
        "err",
        " Err",
        "",
        "1e3",
        "1E3",
        "-2,5e-3",
        "2,5E+02",
        ",5e1",
        "12,e2",
        "1e",
        "1e+",
        "e5",
        "1e3,5",
        "1,2,3",
        "1,,2",
        "0x10",
        "nan",
        "inf",
        "-inf",
        "1e400",
        "-1e400",
        "1e-400",
        "-4,9e-324",
        "2,5e-310",
        "123456789012345",
        "-123456789012345",
        "1234567890123456",
        "12345678901234567890",
        "-12345678901234567890",
        "1234567890,1234567890",
        "0,12345678901234567890",
        "99999999999999999999",
        "0,000000000000001",
        "000000000000000000012,50",
        "9007199254740993",
        "0,1",
        "0,3",
        "2,675",
        "-987654,321",
        "1 5",
        "5-",
        "5+",
        "12a",
    });
}

// Random cells of the characters a number cell can hold, some of them 20 digits long.
TEST(LogCells, RandomNumberCellsEqualTheOracle)
{
    std::mt19937 random(24);
    const std::string alphabet = "0123456789012345678901234567890123456789,,,,--+eE ";
    std::vector<std::string> cells;
    for (int i = 0; i < 20000; ++i) {
        std::string cell;
        const int length = static_cast<int>(random() % 23);
        for (int k = 0; k < length; ++k)
            cell += alphabet[random() % alphabet.size()];
        cells.push_back(cell);
    }
    ExpectCellsAsTheOracleReadsThem(cells);
}

// Both searches of line breaks, whichever this processor would take.
constexpr LineBreakSearch kSearches[] = {LineBreakSearch::Narrow, LineBreakSearch::Wide};

TEST(LogCells, LinesEndAtCrLfLoneCrOrLoneLf)
{
    for (const LineBreakSearch search : kSearches) {
        std::vector<std::string_view> lines;
        SplitLogLines(search,
                      "a;1\r\nb;2\rc;3\n\r\nd;4 with a line longer than thirty-two bytes, "
                      "and then some\r\n",
                      lines);
        EXPECT_EQ(lines, (std::vector<std::string_view>{
                             "a;1", "b;2", "c;3", "",
                             "d;4 with a line longer than thirty-two bytes, and then some"}));
        SplitLogLines(search, "\n\nlast without break", lines);
        EXPECT_EQ(lines, (std::vector<std::string_view>{"", "", "last without break"}));
        SplitLogLines(search, "", lines);
        EXPECT_TRUE(lines.empty());
        SplitLogLines(search, "\r", lines);
        EXPECT_EQ(lines, (std::vector<std::string_view>{""}));
    }
}

// The line list is sized from a guess, and from a count of the line breaks taken 16 bytes at a
// time when the guess runs out, in blocks whose byte counters would overflow past 255: the count
// must hold for files of every length, and the lines must come out whole either way.
TEST(LogCells, LineCountBoundCoversEveryLine)
{
    std::mt19937 random(7);
    for (const std::size_t length : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 33u, 63u, 64u, 65u, 4079u,
                                     4080u, 4081u, 4096u, 20000u}) {
        for (const char* alphabet : {"\n", "\r\n", "a\r", "ab;\r\n\n", "xyz",
                                     "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\r\n"}) {
            const std::string letters(alphabet);
            std::string bytes;
            for (std::size_t i = 0; i < length; ++i)
                bytes += letters[random() % letters.size()];
            std::size_t breaks = 0;
            for (char c : bytes)
                breaks += c == '\r' || c == '\n';
            EXPECT_EQ(LineCountBound(bytes.data(), bytes.data() + bytes.size()), breaks + 1)
                << length << " of '" << letters << "'";
            std::vector<std::string_view> expected;
            for (std::size_t at = 0, start = 0; at <= bytes.size(); ++at) {
                if (at == bytes.size()) {
                    if (start < at)
                        expected.emplace_back(bytes.data() + start, at - start);
                } else if (bytes[at] == '\r' || bytes[at] == '\n') {
                    expected.emplace_back(bytes.data() + start, at - start);
                    if (bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n')
                        ++at;
                    start = at + 1;
                }
            }
            for (const LineBreakSearch search : kSearches) {
                std::vector<std::string_view> lines;
                ASSERT_TRUE(SplitLogLines(search, bytes, lines));
                EXPECT_LE(lines.size(), breaks + 1);
                EXPECT_EQ(lines, expected) << length << " of '" << letters << "'";
            }
        }
    }
}

// The search for a cell's end, in the 16-byte steps and the bytes after them.
TEST(LogCells, SemicolonFoundAtEveryPlace)
{
    for (std::size_t length = 0; length < 40; ++length) {
        for (std::size_t at = 0; at <= length; ++at) {
            std::string bytes(length, 'x');
            if (at < length)
                bytes[at] = ';';
            if (at + 2 < length)
                bytes[at + 2] = ';';
            const char* found = FindSemicolon(bytes.data(), bytes.data() + bytes.size());
            EXPECT_EQ(static_cast<std::size_t>(found - bytes.data()), at) << length << " " << at;
        }
    }
}

// The table-served cells and stamps: every small mantissa with one and two decimals (and one
// past the table), every minute of a day, each against the independent reading.
TEST(LogCells, EverySmallDecimalAndEveryMinuteAsTheGeneralParse)
{
    for (int m = 0; m <= 2100; ++m) {
        for (const std::string& cell :
             {std::to_string(m / 10) + "," + std::to_string(m % 10),
              std::to_string(m / 100) + "," + std::to_string(m % 100 / 10) + std::to_string(m % 10),
              "-" + std::to_string(m / 100) + "," + std::to_string(m % 100 / 10) +
                  std::to_string(m % 10)}) {
            const char* p = cell.data();
            double fast = -1;
            ASSERT_EQ(ReadValueCell(p, cell.data() + cell.size(), fast), CellValue::Number) << cell;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(fast),
                      std::bit_cast<std::uint64_t>(*Oracle(cell)))
                << cell;
        }
    }
    LogStampReader reader;
    for (int minute = 0; minute < 1440; ++minute) {
        char cell[32];
        std::snprintf(cell, sizeof cell, "2031-10-26 %02d:%02d", minute / 60, minute % 60);
        double fast = -1, general = -2;
        ASSERT_TRUE(reader.parse(cell, DateOrder::YearMonthDay, fast)) << cell;
        ASSERT_TRUE(ParseLogTimestamp(cell, DateOrder::YearMonthDay, general)) << cell;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(fast), std::bit_cast<std::uint64_t>(general))
            << cell;
    }
}

} // namespace
} // namespace korvex::test
