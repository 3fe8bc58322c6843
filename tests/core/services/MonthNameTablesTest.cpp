#include "core/services/MonthNameTables.h"
#include "core/services/DayTime.h"

#include <gtest/gtest.h>

#include <set>

namespace korvex {
namespace {

std::size_t Letters(const std::string& utf8)
{
    std::size_t n = 0;
    for (unsigned char c : utf8)
        n += (c & 0xC0) != 0x80;
    return n;
}

TEST(MonthNameTables, GermanAbbreviationsAsTheTechnicianReadsThem)
{
    const MonthNames& de = MonthNamesForBlock(0);
    EXPECT_EQ(de.shortNames,
              (std::array<std::string, 12>{"Jan", "Feb", "M\u00e4r", "Apr", "Mai", "Jun", "Jul",
                                           "Aug", "Sep", "Okt", "Nov", "Dez"}));
    EXPECT_EQ(de.longNames[2], "M\u00e4rz");
    // The formats keep their period: one period, never the month's whole name before it.
    EXPECT_EQ(FormatDayTime("mmm. yyyy", EncodeDate(2016, 6, 1), de), "Jun. 2016");
    EXPECT_EQ(FormatDayTime("mmm. yyyy", EncodeDate(2016, 7, 31), de), "Jul. 2016");
    EXPECT_EQ(FormatDayTime("mmm. yyyy", EncodeDate(2016, 3, 15), de), "M\u00e4r. 2016");
    EXPECT_EQ(FormatDayTime("mmm. yyyy", EncodeDate(2024, 5, 1), de), "Mai. 2024");
    EXPECT_EQ(FormatDayTime("dd. mmm. yyyy", EncodeDate(2024, 9, 2), de), "02. Sep. 2024");
}

TEST(MonthNameTables, EveryLanguageHasTwelveDistinctThreeLetterNames)
{
    for (int block = 0; block < 6; ++block) {
        const MonthNames& names = MonthNamesForBlock(block);
        std::set<std::string> distinct;
        for (const std::string& name : names.shortNames) {
            EXPECT_EQ(Letters(name), 3u) << block << " " << name;
            EXPECT_EQ(name.find('.'), std::string::npos) << block << " " << name;
            distinct.insert(name);
        }
        EXPECT_EQ(distinct.size(), 12u) << block;
        // Each abbreviation starts its month's name (the French "juil" is cut to "jul").
        for (std::size_t m = 0; m < 12; ++m)
            if (block != 2 || (m != 5 && m != 6)) {
                EXPECT_EQ(names.longNames[m].rfind(names.shortNames[m], 0), 0u)
                    << block << " " << names.longNames[m];
            }
    }
    EXPECT_EQ(MonthNamesForBlock(1).shortNames, MonthNames::English().shortNames);
    EXPECT_EQ(MonthNamesForBlock(6).shortNames, MonthNames::English().shortNames);
    EXPECT_EQ(MonthNamesForBlock(-1).shortNames, MonthNames::English().shortNames);

    EXPECT_EQ(MonthTableBlock("de"), 0);
    EXPECT_EQ(MonthTableBlock("pt"), 5);
    EXPECT_EQ(MonthTableBlock("nl"), -1);
    EXPECT_EQ(MonthTableBlock(""), -1);
}

} // namespace
} // namespace korvex
