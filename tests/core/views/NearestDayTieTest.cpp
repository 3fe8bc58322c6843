// The day-list entry nearest to a moment: exact ties between two days with data go to the later
// one, in the middle of the list as well as between its last two entries.

#include "core/views/Navigation.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvex {
namespace {

int Day(int y, int m, int d)
{
    return static_cast<int>(EncodeDate(y, m, d));
}

TEST(NearestDayTie, TheLaterDayWinsAnExactTie)
{
    // Gaps of 4, 1 and 6 days: 3 March and 9 March lie exactly between their neighbours.
    const std::vector<int> days{Day(2010, 3, 1), Day(2010, 3, 5), Day(2010, 3, 6),
                                Day(2010, 3, 12)};
    const DayTime mar3 = EncodeDate(2010, 3, 3);
    EXPECT_EQ(NearestDayIndex(days, mar3), 1);
    EXPECT_EQ(NearestDayIndex(days, mar3 + EncodeTime(23, 59)), 1); // the whole day ties
    EXPECT_EQ(NearestDayIndex(days, mar3 - EncodeTime(0, 1)), 0);   // 2 March: nearer the 1st
    EXPECT_EQ(NearestDayIndex(days, EncodeDate(2010, 3, 4)), 1);

    const DayTime mar9 = EncodeDate(2010, 3, 9);
    EXPECT_EQ(NearestDayIndex(days, mar9), 3);
    EXPECT_EQ(NearestDayIndex(days, mar9 - 1), 2);
    // On a day with data that day itself.
    EXPECT_EQ(NearestDayIndex(days, EncodeDate(2010, 3, 6) + 0.5), 2);

    // Two entries, one day apart each side of a single gap day.
    const std::vector<int> pair{Day(2010, 12, 31), Day(2011, 1, 2)};
    EXPECT_EQ(NearestDayIndex(pair, EncodeDate(2011, 1, 1) + 0.75), 1);
}

} // namespace
} // namespace korvex
