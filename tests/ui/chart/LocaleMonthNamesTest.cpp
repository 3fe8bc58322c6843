// The chart's month names for a desktop locale: the shared table, as korvex-report writes them.

#include "core/services/MonthNameTables.h"
#include "ui/chart/ChartWidget.h"

#include <gtest/gtest.h>

namespace korvex::test {
namespace {

TEST(LocaleMonthNames, TheSixLanguagesUseTheSharedTable)
{
    // Austrian German too: the language decides, not the country.
    for (const QLocale& german :
         {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::German, QLocale::Austria)}) {
        const MonthNames names = LocaleMonthNames(german);
        EXPECT_EQ(names.shortNames, MonthNamesForBlock(0).shortNames);
        EXPECT_EQ(FormatDayTime("mmm. yyyy", EncodeDate(2016, 6, 1), names), "Jun. 2016");
        EXPECT_EQ(FormatDayTime("mmm. yyyy", EncodeDate(2016, 3, 1), names), "M\u00e4r. 2016");
    }
    EXPECT_EQ(LocaleMonthNames(QLocale(QLocale::French, QLocale::Canada)).shortNames[7],
              "ao\u00fb");
    EXPECT_EQ(LocaleMonthNames(QLocale(QLocale::Portuguese, QLocale::Brazil)).shortNames[1], "fev");
    EXPECT_EQ(LocaleMonthNames(QLocale(QLocale::English, QLocale::UnitedKingdom)).shortNames[8],
              "Sep");
}

TEST(LocaleMonthNames, OtherLanguagesKeepTheLocalesNamesWithoutTheirPeriod)
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    const MonthNames names = LocaleMonthNames(dutch);
    QString march = dutch.monthName(3, QLocale::ShortFormat);
    if (march.endsWith(u'.'))
        march.chop(1);
    EXPECT_EQ(names.shortNames[2], march.toStdString());
    EXPECT_EQ(names.longNames[2], dutch.monthName(3, QLocale::LongFormat).toStdString());
    EXPECT_NE(names.shortNames[2], MonthNames::English().shortNames[2]);
}

} // namespace
} // namespace korvex::test
