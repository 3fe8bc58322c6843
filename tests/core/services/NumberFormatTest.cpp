#include "core/services/NumberFormat.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace korvex;

TEST(NumberFormat, FormatsYieldsRoundingTheDecimalText)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0,00"},
        {0.005, "0,01"},
        {2.675, "2,68"},
        {1.005, "1,01"},
        {0.004999, "0,00"},
        {-1.5, "-1,50"},
        {-0.001, "0,00"},
        {-0.005, "-0,01"},
        {9.995, "10,00"},
        {99.999, "100,00"},
        {1234567.891, "1234567,89"},
        {123456789.125, "123456789,13"},
        {0.1 + 0.2, "0,30"},
        {1e15, "1000000000000000,00"},
        {12.3, "12,30"},
        {7, "7,00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatYield(c.value, ','), c.text) << c.value;
    EXPECT_EQ(FormatYield(std::nan(""), ','), "NAN");
    EXPECT_EQ(FormatYield(-std::numeric_limits<double>::infinity(), ','), "-INF");
    // Next to the largest double the 15 digits are cut rather than rounded out of range, so
    // that the text still reads back as a number.
    const std::string largest = FormatYield(-std::numeric_limits<double>::max(), ',');
    EXPECT_EQ(largest.substr(0, 16), "-179769313486231");
    EXPECT_EQ(largest.size(), 1 + 309 + 3u);
    double back = 0;
    EXPECT_TRUE(ParseNumber(largest, back, ','));
    EXPECT_EQ(FormatYield(1.797693134862314e308, ',').substr(0, 15), "179769313486231");
}

TEST(NumberFormat, UsesTheProcessWideSeparator)
{
    const char saved = DecimalSeparator();
    SetDecimalSeparator('.');
    EXPECT_EQ(FormatYield(3.14159), "3.14");
    double v = 0;
    EXPECT_TRUE(ParseNumber("2.5", v));
    EXPECT_EQ(v, 2.5);
    SetDecimalSeparator(',');
    EXPECT_EQ(FormatYield(3.14159), "3,14");
    EXPECT_FALSE(ParseNumber("2.5", v));
    SetDecimalSeparator(saved);
}

TEST(NumberFormat, ParsesOnlyWholeNumbers)
{
    double v = -1;
    EXPECT_TRUE(ParseNumber("12,5", v, ','));
    EXPECT_EQ(v, 12.5);
    EXPECT_TRUE(ParseNumber("  -3,25\t", v, ','));
    EXPECT_EQ(v, -3.25);
    EXPECT_TRUE(ParseNumber("+2", v, ','));
    EXPECT_EQ(v, 2);
    EXPECT_TRUE(ParseNumber("1,5e3", v, ','));
    EXPECT_EQ(v, 1500);
    v = 99;
    for (const char* bad :
         {"", "  ", "12.5", "1,5x", "1,2,3", "abc", "inf", "nan", "-", "+-1", "1e999", "1 000"})
        EXPECT_FALSE(ParseNumber(bad, v, ',')) << bad;
    EXPECT_EQ(v, 99);
}
