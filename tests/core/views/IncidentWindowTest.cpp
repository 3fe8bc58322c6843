#include "core/views/IncidentWindow.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

DayTime At(int y, int m, int d, int h = 0, int min = 0)
{
    return EncodeDateTime(y, m, d, h, min);
}

// An analysis of 2007-11-20 to 2011-09-10, showing some day of it.
NavigationState Analysis()
{
    NavigationState s = InitialNavigation(EncodeDate(2007, 11, 20), EncodeDate(2011, 9, 10), {});
    s.window = {At(2010, 2, 3), At(2010, 2, 4)};
    return s;
}

void ExpectWindow(const IncidentPlacement& p, int span, DayTime from, DayTime to)
{
    EXPECT_EQ(p.spanItem, span);
    EXPECT_NEAR(p.placement.window.start, from, 1e-7) << FormatDayTime("dd.mm.yyyy hh:nn:ss", p.placement.window.start);
    EXPECT_NEAR(p.placement.window.end, to, 1e-7) << FormatDayTime("dd.mm.yyyy hh:nn:ss", p.placement.window.end);
    EXPECT_TRUE(p.holdsWhole);
}

TEST(IncidentWindow, MinutesCentreInTheShortestHourSpan)
{
    // 10:50 to 11:05 in the middle of one hour, from a whole minute.
    ExpectWindow(PlaceIncident(Analysis(), At(2010, 6, 7, 10, 50), At(2010, 6, 7, 11, 5)),
                 SpanOneHour, At(2010, 6, 7, 10, 27), At(2010, 6, 7, 11, 27));
    // Nearly an hour: the whole minute before would lose the end, so the window keeps its
    // seconds rather than grow to three hours.
    const DayTime s = EncodeTime(0, 0, 1);
    ExpectWindow(PlaceIncident(Analysis(), At(2010, 6, 7, 14, 0) + 50 * s,
                               At(2010, 6, 7, 15, 0) + 40 * s),
                 SpanOneHour, At(2010, 6, 7, 14, 0) + 45 * s, At(2010, 6, 7, 15, 0) + 45 * s);
    // Exactly one hour still fits one hour.
    ExpectWindow(PlaceIncident(Analysis(), At(2010, 6, 7, 14, 0), At(2010, 6, 7, 15, 0)),
                 SpanOneHour, At(2010, 6, 7, 14, 0), At(2010, 6, 7, 15, 0));
    // Two hours and five need three and eight.
    ExpectWindow(PlaceIncident(Analysis(), At(2010, 6, 7, 13, 0), At(2010, 6, 7, 15, 0)),
                 SpanThreeHours, At(2010, 6, 7, 12, 30), At(2010, 6, 7, 15, 30));
    ExpectWindow(PlaceIncident(Analysis(), At(2010, 6, 7, 9, 10), At(2010, 6, 7, 14, 10)),
                 SpanEightHours, At(2010, 6, 7, 7, 40), At(2010, 6, 7, 15, 40));
}

TEST(IncidentWindow, HourWindowsStayInsideTheIncidentsDay)
{
    // Just after midnight: a centred window would begin the day before, and a span change moves
    // such a window back before midnight, away from the incident.
    ExpectWindow(PlaceIncident(Analysis(), At(2010, 6, 8, 0, 5), At(2010, 6, 8, 0, 20)),
                 SpanOneHour, At(2010, 6, 8), At(2010, 6, 8, 1, 0));
    ExpectWindow(PlaceIncident(Analysis(), At(2010, 6, 8, 23, 10), At(2010, 6, 8, 23, 55)),
                 SpanOneHour, At(2010, 6, 8, 23, 0), At(2010, 6, 9));
    // Ending on midnight itself is still the day before's.
    ExpectWindow(PlaceIncident(Analysis(), At(2010, 6, 8, 22, 0), At(2010, 6, 9)),
                 SpanThreeHours, At(2010, 6, 8, 21, 0), At(2010, 6, 9));
    // Nine hours: one day.
    ExpectWindow(PlaceIncident(Analysis(), At(2010, 6, 8, 6, 0), At(2010, 6, 8, 15, 0)),
                 SpanOneDay, At(2010, 6, 8), At(2010, 6, 9));
}

TEST(IncidentWindow, AcrossMidnightAndOverDaysTakesTheMonth)
{
    ExpectWindow(PlaceIncident(Analysis(), At(2010, 6, 8, 23, 40), At(2010, 6, 9, 0, 15)),
                 SpanOneMonth, At(2010, 6, 1), At(2010, 7, 1));
    ExpectWindow(PlaceIncident(Analysis(), At(2010, 2, 3, 5, 0), At(2010, 2, 27, 18, 30)),
                 SpanOneMonth, At(2010, 2, 1), At(2010, 3, 1));
}

TEST(IncidentWindow, AcrossAMonthOrQuarterEndTakesTheNextLongerSpan)
{
    // 30 April into 1 May: the quarter April to June.
    ExpectWindow(PlaceIncident(Analysis(), At(2010, 4, 30, 22, 0), At(2010, 5, 1, 3, 0)),
                 SpanOneQuarter, At(2010, 4, 1), At(2010, 7, 1));
    // 31 March into 1 April leaves the quarter: the year.
    ExpectWindow(PlaceIncident(Analysis(), At(2010, 3, 31, 23, 0), At(2010, 4, 1, 2, 0)),
                 SpanOneYear, At(2010, 1, 1), At(2011, 1, 1));
    // Leap February's last day into March.
    ExpectWindow(PlaceIncident(Analysis(), At(2008, 2, 29, 12, 0), At(2008, 3, 1, 12, 0)),
                 SpanOneQuarter, At(2008, 1, 1), At(2008, 4, 1));
}

TEST(IncidentWindow, BeyondAYearShowsTheStartsYear)
{
    const IncidentPlacement p =
        PlaceIncident(Analysis(), At(2010, 6, 1, 8, 0), At(2011, 8, 1, 9, 0));
    EXPECT_EQ(p.spanItem, SpanOneYear);
    EXPECT_FALSE(p.holdsWhole);
    EXPECT_EQ(p.placement.window, (TimeWindow{At(2010, 1, 1), At(2011, 1, 1)}));
    // New Year's Eve into New Year's Day: no window holds it either.
    EXPECT_FALSE(PlaceIncident(Analysis(), At(2010, 12, 31, 23, 0), At(2011, 1, 1, 1, 0)).holdsWhole);
}

TEST(IncidentWindow, EndsInEitherOrder)
{
    const IncidentPlacement forward =
        PlaceIncident(Analysis(), At(2011, 1, 4, 16, 20), At(2011, 1, 4, 18, 5));
    const IncidentPlacement backward =
        PlaceIncident(Analysis(), At(2011, 1, 4, 18, 5), At(2011, 1, 4, 16, 20));
    EXPECT_EQ(forward.spanItem, SpanThreeHours);
    EXPECT_EQ(backward.spanItem, forward.spanItem);
    EXPECT_EQ(backward.placement.window, forward.placement.window);
}

TEST(IncidentWindow, APointInTimeGetsAnHourAroundIt)
{
    ExpectWindow(PlaceIncident(Analysis(), At(2010, 9, 9, 7, 45), At(2010, 9, 9, 7, 45)),
                 SpanOneHour, At(2010, 9, 9, 7, 15), At(2010, 9, 9, 8, 15));
    // Seconds past the minute: the window starts on the minute before.
    const DayTime at = At(2010, 9, 9, 7, 45) + EncodeTime(0, 0, 20);
    ExpectWindow(PlaceIncident(Analysis(), at, at), SpanOneHour, At(2010, 9, 9, 7, 15),
                 At(2010, 9, 9, 8, 15));
}

} // namespace
} // namespace korvex
