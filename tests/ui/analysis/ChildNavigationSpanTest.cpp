// The span list, the slider and the jump buttons of an analysis window, on logs with gaps.

#include "tests/ui/analysis/ChildNavigationTestSupport.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/services/Errors.h"

#include <QAction>

namespace korvex::test {
namespace {

const QDate kMar1(2010, 3, 1), kMar2(2010, 3, 2), kMar5(2010, 3, 5), kMar20(2010, 3, 20),
    kMar31(2010, 3, 31);

// Device 10 on 1, 2, 5 and 20 March 2010; the period chosen is the whole of March.
class NavigationSpan : public NavigationWindow {
protected:
    void LoadMarch() { Load({{10, kMar1}, {10, kMar2}, {10, kMar5}, {10, kMar20}}, kMar1, kMar31); }

    void ExpectWindow(DayTime start, DayTime end)
    {
        EXPECT_NEAR(Start(), start, 1e-9);
        EXPECT_NEAR(End(), end, 1e-9);
        // The output chart always shows the same stretch.
        EXPECT_NEAR(Start2(), start, 1e-9);
        EXPECT_NEAR(End2(), end, 1e-9);
    }
};

TEST_F(NavigationSpan, LoadingShowsTheFirstDayAndAnEmptyWindowHasNoTitle)
{
    // A window without an analysis keeps its title empty, also across a language change.
    window->ApplyLanguage();
    EXPECT_EQ(Title(), QString());

    LoadMarch();
    EXPECT_EQ(W().spanTime->currentIndex(), SpanOneDay);
    ExpectWindow(DayOf(kMar1), DayOf(kMar2));
    EXPECT_EQ(W().sliderTime->minimum(), 0);
    EXPECT_EQ(SliderMax(), 3);
    EXPECT_EQ(SliderPos(), 0);
    EXPECT_EQ(Title(), QStringLiteral("01. Mar 2010"));
    // One device: no tabs, and the export of the shown day is possible.
    EXPECT_EQ(W().tabSetDevices->count(), 0);
    EXPECT_TRUE(W().actionOpenExcel->isEnabled());
}

TEST_F(NavigationSpan, OneDayStepsOverTheDaysWithDataOnly)
{
    LoadMarch();
    W().sliderTime->setValue(2);
    ExpectWindow(DayOf(kMar5), DayOf(kMar5) + 1);
    EXPECT_EQ(Title(), QStringLiteral("05. Mar 2010"));

    // The jump buttons skip the days without data and stop at the ends.
    W().buttonJumpRight->click();
    ExpectWindow(DayOf(kMar20), DayOf(kMar20) + 1);
    EXPECT_EQ(SliderPos(), 3);
    W().buttonJumpRight->click();
    ExpectWindow(DayOf(kMar20), DayOf(kMar20) + 1);
    W().buttonJumpLeft->click();
    W().buttonJumpLeft->click();
    ExpectWindow(DayOf(kMar2), DayOf(kMar2) + 1);
    EXPECT_EQ(SliderPos(), 1);
    W().buttonJumpLeft->click();
    W().buttonJumpLeft->click();
    ExpectWindow(DayOf(kMar1), DayOf(kMar2));
    EXPECT_EQ(Title(), QStringLiteral("01. Mar 2010"));
}

TEST_F(NavigationSpan, HourSpansStayWithinTheirDay)
{
    LoadMarch();
    W().sliderTime->setValue(2); // 5 March
    Span(SpanThreeHours);
    ExpectWindow(DayOf(kMar5), At(kMar5, 3));
    EXPECT_EQ(SliderMax(), 21);
    EXPECT_EQ(SliderPos(), 0);
    EXPECT_EQ(W().chart->BottomAxis().DateTimeFormat(), QStringLiteral("hh:mm"));
    EXPECT_EQ(W().chart2->BottomAxis().DateTimeFormat(), QStringLiteral("hh:mm"));

    W().sliderTime->setValue(5);
    ExpectWindow(At(kMar5, 5), At(kMar5, 8));

    // 22:30 to 01:30 (after scrolling), then "8 hours": the window would straddle midnight and
    // ends at it instead.
    Nav().SetWindow(At(kMar5, 25, 30), At(kMar5, 22, 30));
    Span(SpanEightHours);
    ExpectWindow(At(kMar5, 16), DayOf(kMar5) + 1);
    EXPECT_EQ(SliderMax(), 16);
    EXPECT_EQ(SliderPos(), 16);
    EXPECT_EQ(Title(), QStringLiteral("05. Mar 2010"));

    // A jump moves by one day keeping the time, also onto a day without data.
    W().buttonJumpRight->click();
    ExpectWindow(At(kMar5, 16) + 1, DayOf(kMar5) + 2);
    EXPECT_EQ(Title(), QStringLiteral("06. Mar 2010"));
    EXPECT_EQ(SliderPos(), 16);

    // "1 hour" starting at the slider's hour; the slider follows.
    Span(SpanOneHour);
    ExpectWindow(At(kMar5, 16) + 1, At(kMar5, 17) + 1);
    EXPECT_EQ(SliderMax(), 23);
    EXPECT_EQ(SliderPos(), 16);
}

TEST_F(NavigationSpan, HourJumpsSnapToTheEdgesOfThePeriod)
{
    LoadMarch();
    Span(SpanEightHours);
    // On the last day of the period the window snaps to its last eight hours and stays.
    Nav().SetWindow(At(kMar31, 18), At(kMar31, 10));
    W().buttonJumpRight->click();
    ExpectWindow(At(kMar31, 16), DayOf(kMar31) + 1);
    EXPECT_EQ(SliderPos(), 16);
    W().buttonJumpRight->click();
    ExpectWindow(At(kMar31, 16), DayOf(kMar31) + 1);

    // On the first day the window snaps to the start of the period.
    Nav().SetWindow(At(kMar1, 18), At(kMar1, 10));
    W().buttonJumpLeft->click();
    ExpectWindow(DayOf(kMar1), At(kMar1, 8));
    EXPECT_EQ(SliderPos(), 0);
}

TEST_F(NavigationSpan, LongSpansWidenTheRangeToWholeMonthsAndYears)
{
    LoadMarch();
    W().sliderTime->setValue(3); // 20 March
    Span(SpanOneMonth);
    ExpectWindow(DayOf(kMar1), EncodeDate(2010, 4, 1));
    EXPECT_EQ(Nav().Range().start, DayOf(kMar1));
    EXPECT_EQ(Nav().Range().end, EncodeDate(2010, 4, 1));
    EXPECT_EQ(SliderMax(), 0);
    for (ChartWidget* chart : {W().chart, W().chart2}) {
        EXPECT_EQ(chart->BottomAxis().DateTimeFormat(), QStringLiteral(" dd. mmm "));
        EXPECT_EQ(chart->BottomAxis().Increment(), 0.0);
    }
    // Sums can be shown, the day sums stay; export needs a day or less.
    EXPECT_FALSE(Set(0).sumMode());
    EXPECT_FALSE(W().actionOpenExcel->isEnabled());
    ASSERT_FALSE(window->Summary().YieldSummary().empty());
    EXPECT_EQ(Title(), QString::fromStdString("Mar 2010  -  " + window->Summary().YieldSummary()));
    EXPECT_EQ(window->Summary().YieldSummary().rfind(Text(TextId::MonthlyYield), 0), 0u);

    // A period ending in March: the year range still ends on the next New Year.
    Span(SpanOneYear);
    ExpectWindow(EncodeDate(2010, 1, 1), EncodeDate(2011, 1, 1));
    EXPECT_EQ(Nav().Range().end, EncodeDate(2011, 1, 1));
    EXPECT_EQ(W().chart->BottomAxis().Increment(), 7.0);
    EXPECT_EQ(W().chart2->BottomAxis().Increment(), 7.0);
    EXPECT_TRUE(Set(0).sumMode());
    EXPECT_EQ(Title(), QString::fromStdString("Jan 2010 - Dec 2010  -  " +
                                              window->Summary().YieldSummary()));
    EXPECT_EQ(window->Summary().YieldSummary().rfind(Text(TextId::AnnualYield), 0), 0u);

    // Back to "1 day": the lower bound of the range pulls the window to the first day.
    Span(SpanOneDay);
    ExpectWindow(DayOf(kMar1), DayOf(kMar2));
    EXPECT_EQ(Nav().Range().end, EncodeDate(2010, 4, 1));
    EXPECT_EQ(SliderMax(), 3);
    EXPECT_EQ(SliderPos(), 0);
    EXPECT_FALSE(Set(0).sumMode());
    EXPECT_TRUE(window->Summary().YieldSummary().empty());
    EXPECT_EQ(Title(), QStringLiteral("01. Mar 2010"));
    EXPECT_TRUE(W().actionOpenExcel->isEnabled());
    EXPECT_EQ(W().chart->BottomAxis().DateTimeFormat(), QStringLiteral("hh:mm"));
}

TEST_F(NavigationSpan, QuartersOfAPeriodFromMidMarchToMidMay)
{
    const QDate mar20(2010, 3, 20), apr10(2010, 4, 10), may5(2010, 5, 5);
    Load({{10, mar20}, {10, apr10}, {10, may5}}, QDate(2010, 3, 15), QDate(2010, 5, 14));
    Span(SpanOneQuarter);
    EXPECT_EQ(Nav().Range().start, EncodeDate(2010, 1, 1));
    EXPECT_EQ(Nav().Range().end, EncodeDate(2010, 7, 1));
    EXPECT_EQ(SliderMax(), 1);
    EXPECT_EQ(SliderPos(), 0);
    ExpectWindow(EncodeDate(2010, 1, 1), EncodeDate(2010, 4, 1));
    EXPECT_EQ(Title(), QString::fromStdString("Jan 2010 - Mar 2010  -  " +
                                              window->Summary().YieldSummary()));
    EXPECT_EQ(window->Summary().YieldSummary().rfind(Text(TextId::QuarterlyYield), 0), 0u);

    // Jumps go to the last and the first quarter; scroll clicks step through them.
    W().buttonJumpRight->click();
    ExpectWindow(EncodeDate(2010, 4, 1), EncodeDate(2010, 7, 1));
    EXPECT_EQ(Title(), QString::fromStdString("Apr 2010 - Jun 2010  -  " +
                                              window->Summary().YieldSummary()));
    W().buttonScrollRight->click();
    ExpectWindow(EncodeDate(2010, 4, 1), EncodeDate(2010, 7, 1));
    W().buttonScrollLeft->click();
    ExpectWindow(EncodeDate(2010, 1, 1), EncodeDate(2010, 4, 1));
    W().buttonScrollLeft->click();
    ExpectWindow(EncodeDate(2010, 1, 1), EncodeDate(2010, 4, 1));
    W().buttonJumpRight->click();
    W().buttonJumpLeft->click();
    ExpectWindow(EncodeDate(2010, 1, 1), EncodeDate(2010, 4, 1));

    // Months: the range runs from March to the end of May; a January window is pulled into it.
    Span(SpanOneMonth);
    EXPECT_EQ(Nav().Range().start, EncodeDate(2010, 3, 1));
    EXPECT_EQ(Nav().Range().end, EncodeDate(2010, 6, 1));
    EXPECT_EQ(SliderMax(), 2);
    ExpectWindow(EncodeDate(2010, 3, 1), EncodeDate(2010, 4, 1));
    W().sliderTime->setValue(2);
    ExpectWindow(EncodeDate(2010, 5, 1), EncodeDate(2010, 6, 1));
    EXPECT_EQ(Title(), QString::fromStdString("May 2010  -  " + window->Summary().YieldSummary()));
}

TEST_F(NavigationSpan, AYearEndingOnNewYearsEveEndsOnTheNextNewYear)
{
    const QDate dec10(2010, 12, 10), dec31(2010, 12, 31);
    Load({{10, dec10}, {10, dec31}}, QDate(2010, 12, 1), dec31);
    Span(SpanOneYear);
    EXPECT_EQ(Nav().Range().start, EncodeDate(2010, 1, 1));
    EXPECT_EQ(Nav().Range().end, EncodeDate(2011, 1, 1));
    EXPECT_EQ(SliderMax(), 0);
    ExpectWindow(EncodeDate(2010, 1, 1), EncodeDate(2011, 1, 1));
}

TEST_F(NavigationSpan, AMonthTooLongForTheRangeKeepsItsLowerBound)
{
    const QDate feb1(2010, 2, 1), feb10(2010, 2, 10);
    Load({{10, feb1}, {10, feb10}}, feb1, QDate(2010, 2, 28));
    // Scrolling left leaves the range (the scroll is not clamped) ...
    Nav().ScrollStep(-1);
    EXPECT_LT(Start(), DayOf(feb1));
    EXPECT_EQ(Title(), QStringLiteral("31. Jan 2010 - 01. Feb 2010"));
    // ... and the month of January, 31 days long, starts on 1 February.
    Span(SpanOneMonth);
    ExpectWindow(DayOf(feb1), EncodeDate(2010, 3, 4));
}

TEST_F(NavigationSpan, NoSelectedSpanIsAnInternalErrorAndKeepsTheWindow)
{
    LoadMarch();
    W().sliderTime->setValue(1);
    ExpectWindow(DayOf(kMar2), DayOf(kMar2) + 1);

    W().spanTime->setCurrentIndex(-1);
    EXPECT_EQ(Errors(), std::vector<std::string>{"Invalid state"});
    ExpectWindow(DayOf(kMar2), DayOf(kMar2) + 1);

    W().sliderTime->setValue(3);
    EXPECT_EQ(Errors(), (std::vector<std::string>{"Invalid state", "Illegal state."}));
    ExpectWindow(DayOf(kMar2), DayOf(kMar2) + 1);
    EXPECT_THROW(Nav().SliderTimeChange(0), KorvexError);
    EXPECT_THROW(Nav().SpanTimeChange(), KorvexError);
}

} // namespace
} // namespace korvex::test
