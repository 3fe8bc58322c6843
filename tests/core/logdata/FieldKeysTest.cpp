#include "core/logdata/FieldKeys.h"

#include <gtest/gtest.h>

#include <string>

namespace korvex {
namespace {

std::string KindName(HeaderColumnKind kind)
{
    switch (kind) {
        case HeaderColumnKind::Value:
            return "value";
        case HeaderColumnKind::NoUnit:
            return "no unit";
        case HeaderColumnKind::RunningTotal:
            return "total";
        case HeaderColumnKind::UnknownUnit:
            return "unknown unit";
        case HeaderColumnKind::Unnamed:
            return "unnamed";
    }
    return "?";
}

// "kind name unit category scale yield" of a normalised cell, for one readable table.
std::string Describe(const HeaderColumn& c)
{
    std::string s = KindName(c.kind);
    if (c.kind != HeaderColumnKind::Value)
        return s;
    s += " " + c.name + " " + c.unit + " " + std::to_string(static_cast<int>(c.category));
    if (c.scale != 1.0f)
        s += " x" + std::to_string(c.scale);
    if (c.yield)
        s += " yield";
    return s;
}

TEST(HeaderColumnNormalisation, TableOfCells)
{
    struct Case {
        const char* cell; // Windows-1252
        const char* expected;
    };
    const Case cases[] = {
        {"T1[\xB0"
         "C]",
         "value T1 [°C] 0"},
        {"T 2 [\xB0"
         "F]",
         "value T 2  [°F] 0"},
        {"T3[C]", "value T3 [°C] 0"},
        {"T4[F]", "value T4 [°F] 0"},
        {"Tx", "no unit"},
        {"", "no unit"},
        {"[\xB0"
         "C]",
         "unnamed"},
        {"X[ppm]", "unknown unit"},
        {"t1[\xB0"
         "c]",
         "unknown unit"},
        // The group search takes any part of a group's text.
        {"Odd[", "value Odd [ 0"},
        {"W[kW/m\xB2]", "value W [kW/m²] 1"},
        {"P[W]", "value P [kW] 1 x0.001000"},
        {"P2[kW]", "value P2 [kW] 1"},
        {"E[kW/h]", "value E [kWh] 1"},
        {"R1[%]", "value R1 [%] 2"},
        {"V'[l/min]", "value V [l/min] 1"},
        {"V'x'[l/min]", "value Vx' [l/min] 1"},
        {"'V'[l/min]", "value 'V' [l/min] 1"},
        {"Qday[kWh]", "value Ptag [kWh] 1 yield"},
        {"QDAY[kWh]", "value Ptag [kWh] 1 yield"},
        {"QTag2[kWh]", "value Ptag2 [kWh] 1 yield"},
        {"QYear[kWh]", "value Pjahr [kWh] 1 yield"},
        {"QJahr[MBtu]", "value Pjahr [MBtu] 1 yield"},
        {"Qday[W]", "value Ptag [kW] 1 x0.001000 yield"},
        {"Q[kWh]", "value P [kWh] 1 yield"},
        {"Qsum[kWh]", "total"},
        {"QGes[kWh]", "total"},
        {"QSumDay[kWh]", "total"},
        {"Qday[ppm]", "unknown unit"},
        // Only a leading Q makes a yield column.
        {"xQday[kWh]", "value xQday [kWh] 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        EXPECT_EQ(Describe(NormaliseHeaderColumn(c.cell)), c.expected);
    }
}

TEST(FieldKeys, DerivedKeysAndTheirTests)
{
    EXPECT_EQ(DaySumKey("P"), "Ptag");
    EXPECT_EQ(DaySumKey("V2"), "V2tag");
    EXPECT_EQ(YearCounterKey("P"), "Pjahr");
    EXPECT_EQ(MonthSumKey("Ptag"), "Pmonat");
    EXPECT_EQ(MonthSumKey("Ptag2"), "Pmonat");
    EXPECT_EQ(MonthSumKey("V2tag"), "V2monat");
    EXPECT_EQ(RateKeyOfDaySum("V2tag"), "V2");
    EXPECT_EQ(RateKeyOfDaySum(DaySumKey("P")), "P");
    EXPECT_EQ(RateKeyOfDaySum("T1"), "T1");
    // The day sum of a yield field read from a log lies behind the same name.
    EXPECT_EQ(NormaliseHeaderColumn("Qday[kWh]").name, DaySumKey("P"));
    EXPECT_EQ(NormaliseHeaderColumn("QYear[kWh]").name, YearCounterKey("P"));

    EXPECT_TRUE(IsDaySumKey("Ptag2"));
    EXPECT_FALSE(IsDaySumKey("PTag"));
    EXPECT_TRUE(IsYearCounterKey("Pjahr"));
    EXPECT_FALSE(IsYearCounterKey("Ptag"));
    EXPECT_TRUE(IsMonthSumKey("Vmonat"));
    EXPECT_TRUE(IsPowerKey("P"));
    EXPECT_FALSE(IsPowerKey("p"));
    EXPECT_FALSE(IsPowerKey(""));
    EXPECT_TRUE(IsFlowKey("V1"));
    EXPECT_FALSE(IsFlowKey("T1"));
}

} // namespace
} // namespace korvex
