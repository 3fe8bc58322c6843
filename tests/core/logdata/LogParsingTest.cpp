#include "core/logdata/LogFileReader.h"
#include "core/services/DayTime.h"

#include <gtest/gtest.h>

namespace korvex::test {
namespace {

TEST(LogParsingTest, TimestampsInBothOrders)
{
    double t = 0;
    ASSERT_TRUE(ParseLogTimestamp("2008-05-15 14:30", DateOrder::YearMonthDay, t));
    EXPECT_DOUBLE_EQ(t, EncodeDateTime(2008, 5, 15, 14, 30));
    ASSERT_TRUE(ParseLogTimestamp(" 15.05.2008  14:30:15 ", DateOrder::DayMonthYear, t));
    EXPECT_DOUBLE_EQ(t, EncodeDateTime(2008, 5, 15, 14, 30, 15));
    ASSERT_TRUE(ParseLogTimestamp("15.05.08 00:00", DateOrder::DayMonthYear, t));
    EXPECT_DOUBLE_EQ(t, EncodeDate(2008, 5, 15));
    ASSERT_TRUE(ParseLogTimestamp("1899-12-30 00:00", DateOrder::YearMonthDay, t));
    EXPECT_EQ(t, 0.0);
    ASSERT_TRUE(ParseLogTimestamp("2024-02-29", DateOrder::YearMonthDay, t));
    EXPECT_DOUBLE_EQ(t, EncodeDate(2024, 2, 29));

    for (const char* bad :
         {"15.05.2008 14:30", "2008-05-15 24:00", "2008-05-15 12:60", "2008-02-30 10:00",
          "2008-13-01 10:00", "2008-05-15T10:00", "2008-05-15 10", "25:99", "",
          "2008-05-15 10:00 x", "20080-05-15 10:00"}) {
        EXPECT_FALSE(ParseLogTimestamp(bad, DateOrder::YearMonthDay, t)) << bad;
    }
    EXPECT_FALSE(ParseLogDate("2008-05-15 10:00", DateOrder::YearMonthDay, t));
    EXPECT_TRUE(ParseLogDate("2008-05-15", DateOrder::YearMonthDay, t));
}

TEST(LogParsingTest, NumbersWithDecimalComma)
{
    double v = 0;
    ASSERT_TRUE(ParseLogNumber("12,5", v));
    EXPECT_EQ(v, 12.5);
    ASSERT_TRUE(ParseLogNumber(" -0,25 ", v));
    EXPECT_EQ(v, -0.25);
    ASSERT_TRUE(ParseLogNumber("+3", v));
    EXPECT_EQ(v, 3);
    ASSERT_TRUE(ParseLogNumber("1,5E3", v));
    EXPECT_EQ(v, 1500);
    ASSERT_TRUE(ParseLogNumber(",5", v));
    EXPECT_EQ(v, 0.5);
    for (const char* bad :
         {"12.5", "", " ", "nan", "inf", "-inf", "1e999", "--1", "1,2,3", "0x10", "Err", "1 2"}) {
        EXPECT_FALSE(ParseLogNumber(bad, v)) << bad;
    }
}

} // namespace
} // namespace korvex::test
