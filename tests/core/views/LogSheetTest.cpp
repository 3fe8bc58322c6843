#include "core/views/LogSheet.h"
#include "core/services/DayTime.h"

#include <gtest/gtest.h>

#include <string>

namespace korvex {
namespace {

// One row as readable text: T"text", N<value>|<format>, D<dd.mm.yyyy hh:mm:ss>, "-" for empty.
std::string RowText(const Sheet& sheet, std::size_t row)
{
    std::string out;
    for (const SheetCell& cell : sheet.rows.at(row)) {
        if (!out.empty())
            out += ' ';
        const std::string& format = sheet.styles.at(cell.style).numberFormat;
        switch (cell.kind) {
            case SheetCell::Kind::Empty:
                out += '-';
                break;
            case SheetCell::Kind::Text:
                out += "T\"" + cell.text + '"';
                break;
            case SheetCell::Kind::Number: {
                char value[64];
                std::snprintf(value, sizeof value, "%g", cell.number);
                out += "N" + std::string(value) + "|" + format;
                break;
            }
            case SheetCell::Kind::DateTime:
                EXPECT_EQ(format, "dd.mm.yyyy hh:mm");
                out += "D" + FormatDayTime("dd.mm.yyyy hh:nn:ss", cell.number);
                break;
        }
    }
    return out;
}

TEST(LogSheet, TypesEveryCellAsTheLogMeansIt)
{
    // Device cell first; a line in the other date order, a broken stamp, "Err", an empty cell,
    // an empty line, signs, blanks and varied decimals; Windows-1252 in the header.
    const std::string log = "\r\n"
                            "Fresh water 2;DATE & TIME;T1[\xB0"
                            "C];V'[l/min];Qday[kWh];R1[%]\r\n"
                            "Fresh water 2;2012-08-30 23:57;-0,5;12;1,250;0\r\n"
                            "Fresh water 2;2012-08-31 00:02;+3,75; 6,0 ;Err;100\r\n"
                            "\n"
                            "Fresh water 2;31.08.2012 00:07:30;;,5;2;\r"
                            "Fresh water 2;00:12;1e3;12,;-;45\r\n";
    const Sheet sheet = LogDaySheet(log, "fallback");
    ASSERT_EQ(sheet.rows.size(),
              6u); // the leading empty line is dropped, the final break adds none
    EXPECT_EQ(RowText(sheet, 0), "T\"Fresh water 2\" T\"DATE & TIME\" T\"T1[\xC2\xB0"
                                 "C]\" T\"V'[l/min]\" T\"Qday[kWh]\" T\"R1[%]\"");
    EXPECT_EQ(RowText(sheet, 1), "T\"Fresh water 2\" D30.08.2012 23:57:00 N-0.5|0.0 N12|0 "
                                 "N1.25|0.000 N0|0");
    EXPECT_EQ(RowText(sheet, 2), "T\"Fresh water 2\" D31.08.2012 00:02:00 N3.75|0.00 N6|0.0 "
                                 "T\"Err\" N100|0");
    EXPECT_EQ(RowText(sheet, 3), "");
    EXPECT_EQ(RowText(sheet, 4), "T\"Fresh water 2\" D31.08.2012 00:07:30 - N0.5|0.0 N2|0 -");
    EXPECT_EQ(RowText(sheet, 5), "T\"Fresh water 2\" T\"00:12\" N1000|0 N12|0 T\"-\" N45|0");

    // The middle data line (index 5 / 2 = 2 is the empty line) has no day: the first stamp's.
    EXPECT_EQ(sheet.name, "30.08.2012");
    EXPECT_EQ(sheet.frozenRows, 1);
    EXPECT_EQ(sheet.frozenColumns, 0);
    ASSERT_EQ(sheet.columnWidths.size(), 2u);
    EXPECT_EQ(sheet.columnWidths[0], 20);
    EXPECT_EQ(sheet.columnWidths[1], 20);
}

TEST(LogSheet, NamedAfterTheMiddleLineAndTimestampsFirst)
{
    // The first line still carries the previous day, as the controller writes it at midnight.
    const std::string log = "dd.mm.yy hh:mm;P[W];T2[\xB0"
                            "F]\n"
                            "31.12.2019 23:55;0;-4\n"
                            "01.01.2020 00:05;250;-3,9\n"
                            "01.01.2020 00:15;500;-3,75\n";
    const Sheet sheet = LogDaySheet(log, "fallback");
    EXPECT_EQ(sheet.name, "01.01.2020");
    EXPECT_EQ(RowText(sheet, 2), "D01.01.2020 00:05:00 N250|0 N-3.9|0.0");
    // Only the first column is widened: it holds the timestamps.
    EXPECT_EQ(sheet.columnWidths, std::vector<double>{20});

    const Sheet noStamps = LogDaySheet("DATE & TIME;P[W]\r\nnoon;5\r\n", "15.05.2008");
    EXPECT_EQ(noStamps.name, "15.05.2008");
    EXPECT_EQ(RowText(noStamps, 1), "T\"noon\" N5|0");
}

TEST(LogSheet, LogsTheReaderRefusesAreRefused)
{
    EXPECT_THROW(LogDaySheet("", "x"), SheetError);
    EXPECT_THROW(LogDaySheet("\r\n\r\n", "x"), SheetError);
    EXPECT_THROW(LogDaySheet("T1[\xB0"
                             "C];P[W]\r\n1;2\r\n",
                             "x"),
                 SheetError);
    // The date-time cell must be first or follow the device cell.
    EXPECT_THROW(LogDaySheet("Device;Other;DATE & TIME;P[W]\r\n", "x"), SheetError);
    EXPECT_THROW(LogDaySheet("Solar controller\r\n", "x"), SheetError);
    // More text than a sheet cell holds.
    EXPECT_THROW(LogDaySheet("DATE & TIME;P[W]\r\n2008-05-15 10:00;" +
                                 std::string(kSheetMaxTextBytes + 1, 'x') + "\r\n",
                             "x"),
                 SheetError);
}

TEST(SheetModel, NamesStylesAndFormats)
{
    EXPECT_EQ(SheetName("Daily overview"), "Daily overview");
    EXPECT_EQ(SheetName("a[b]:c*d?e/f\\g"), "a_b__c_d_e_f_g");
    EXPECT_EQ(SheetName("'quoted'"), "quoted");
    EXPECT_EQ(SheetName("''"), "Sheet");
    // 31 characters, counted as characters: "ü" is two bytes.
    const std::string longName = std::string(30, 'x') + "\xC3\xBC\xC3\xBC";
    EXPECT_EQ(SheetName(longName), std::string(30, 'x') + "\xC3\xBC");

    EXPECT_EQ(DecimalsFormat(0), "0");
    EXPECT_EQ(DecimalsFormat(3), "0.000");

    Sheet sheet;
    const auto bold = sheet.Style({"0.00", true});
    const auto plain = sheet.Style({"0.00", false});
    EXPECT_NE(bold, plain);
    EXPECT_EQ(sheet.Style({"0.00", true}), bold);
    EXPECT_EQ(sheet.Style({}), 0);
    sheet.SetColumnWidth(3, 12);
    EXPECT_EQ(sheet.columnWidths, (std::vector<double>{0, 0, 0, 12}));
}

} // namespace
} // namespace korvex
