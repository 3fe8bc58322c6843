#include "core/services/DayTime.h"

#include <gtest/gtest.h>

using namespace korvex;

TEST(DayTime, EncodesFromTheEpochAndDecodesBack)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0);
    EXPECT_EQ(EncodeDate(2008, 5, 15), 39583.0);
    for (int day = 0; day < 80000; day += 37) {
        int y = 0, m = 0, d = 0;
        DecodeDate(day, y, m, d);
        EXPECT_EQ(EncodeDate(y, m, d), day);
    }
    const CivilDateTime c =
        DecodeDayTime(EncodeDateTime(2008, 5, 15, 14, 30, 59) + 0.25 * kOneSecond);
    EXPECT_EQ(c.year, 2008);
    EXPECT_EQ(c.month, 5);
    EXPECT_EQ(c.day, 15);
    EXPECT_EQ(c.hour, 14);
    EXPECT_EQ(c.minute, 30);
    EXPECT_EQ(c.second, 59);
    EXPECT_EQ(c.msec, 250);
}

TEST(DayTime, RejectsInvalidDatesAndTimes)
{
    DayTime t = 42;
    EXPECT_FALSE(TryEncodeDate(2009, 2, 29, t));
    EXPECT_FALSE(TryEncodeDate(2008, 13, 1, t));
    EXPECT_FALSE(TryEncodeDate(2008, 4, 31, t));
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, t));
    EXPECT_FALSE(TryEncodeTime(10, 60, 0, 0, t));
    EXPECT_EQ(t, 42);
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, t));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_THROW(EncodeDate(2100, 2, 29), std::invalid_argument);
}

TEST(DayTime, RoundingToTheMillisecondCarriesIntoTheNextDay)
{
    const CivilDateTime before = DecodeDayTime(0.99999999);
    EXPECT_EQ(before.day, 30);
    EXPECT_EQ(before.hour, 23);
    EXPECT_EQ(before.msec, 999);
    const CivilDateTime c = DecodeDayTime(0.9999999999);
    EXPECT_EQ(c.day, 31);
    EXPECT_EQ(c.hour, 0);
    EXPECT_EQ(c.msec, 0);
    // A day of one-minute samples summed up lands on the next midnight, not on 23:60.
    DayTime t = EncodeDate(2008, 12, 31);
    for (int i = 0; i < 1440; ++i)
        t += kOneMinute;
    EXPECT_EQ(FormatDayTime("dd.mm.yyyy hh:nn", t), "01.01.2009 00:00");
    DayTime u = EncodeDate(2008, 5, 15);
    for (int i = 0; i < 870; ++i)
        u += kOneMinute;
    EXPECT_EQ(FormatDayTime("hh:mm", u), "14:30");
}

TEST(DayTime, MonthArithmeticClampsTheDayAndKeepsTheTime)
{
    const DayTime noon = 0.5;
    EXPECT_EQ(IncMonth(EncodeDate(2008, 1, 31) + noon, 1), EncodeDate(2008, 2, 29) + noon);
    EXPECT_EQ(IncMonth(EncodeDate(2009, 1, 31), 1), EncodeDate(2009, 2, 28));
    EXPECT_EQ(IncMonth(EncodeDate(2008, 3, 31), -1), EncodeDate(2008, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2008, 12, 15), 1), EncodeDate(2009, 1, 15));
    EXPECT_EQ(IncMonth(EncodeDate(2008, 1, 15), -13), EncodeDate(2006, 12, 15));
    EXPECT_EQ(StartOfMonth(EncodeDate(2008, 5, 15) + 0.75), EncodeDate(2008, 5, 1));
    EXPECT_EQ(DateOf(EncodeDate(2008, 5, 15) + 0.999), EncodeDate(2008, 5, 15));
    EXPECT_EQ(DayOfWeek(0), 7);                             // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2008, 5, 15) + 0.9), 5); // Thursday
    EXPECT_EQ(DayOfWeek(EncodeDate(2008, 5, 18)), 1);       // Sunday
}

TEST(DayTime, FormatsWithTheProgramsLetters)
{
    const DayTime t = EncodeDateTime(2009, 1, 5, 7, 4, 9);
    EXPECT_EQ(FormatDayTime("dd.mm.yyyy", t), "05.01.2009");
    EXPECT_EQ(FormatDayTime("d.m.yy", t), "5.1.09");
    EXPECT_EQ(FormatDayTime("hh:mm", t), "07:04");
    EXPECT_EQ(FormatDayTime("h:m:s", t), "7:4:9");
    EXPECT_EQ(FormatDayTime("hh:nn:ss", t), "07:04:09");
    EXPECT_EQ(FormatDayTime("mmm yyyy", t), "Jan 2009");
    EXPECT_EQ(FormatDayTime("d. mmmm yyyy", t), "5. January 2009");
    EXPECT_EQ(FormatDayTime("yyyy_mm_dd", t), "2009_01_05");
    EXPECT_EQ(FormatDayTime("yyyymmdd", t), "20090105");
    EXPECT_EQ(FormatDayTime(" dd. mmm hh:mm ", t), " 05. Jan 07:04 ");
    EXPECT_EQ(FormatDayTime("-mmm_yyyy", t), "-Jan_2009");
    // Only a ':' may stand between hours and minutes; anything else makes mm the month.
    EXPECT_EQ(FormatDayTime("hh mm", t), "07 01");
    EXPECT_EQ(FormatDayTime("'day' d \"of\" mmmm", t), "day 5 of January");
    EXPECT_EQ(FormatDayTime("'unterminated d", t), "unterminated d");

    MonthNames german = MonthNames::English();
    german.shortNames[2] = "Mär";
    german.longNames[2] = "März";
    EXPECT_EQ(FormatDayTime("mmm. yyyy / mmmm", EncodeDate(2008, 3, 1), german),
              "Mär. 2008 / März");
}
