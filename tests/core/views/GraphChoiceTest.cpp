#include "core/views/GraphChoice.h"

#include "core/logdata/Aggregation.h"
#include "core/logdata/FieldDisplay.h"
#include "core/views/Readout.h"
#include "tests/core/logdata/LogTestSupport.h"
#include "tests/core/views/YieldTestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace korvex {
namespace {

// Device 10 with one field of each kind: T1 (Inputs), P and V (Others, with day sums), R1 and R2
// (Outputs), on two days.
class GraphChoiceTest : public test::LogDataTest {
protected:
    void SetUp() override
    {
        test::LogDataTest::SetUp();
        set = std::make_unique<AnalysisDataSet>(EncodeDate(2013, 1, 1), EncodeDate(2013, 12, 31),
                                                &main, &outputs);
        for (int d = 0; d < 2; ++d) {
            const DayTime day = EncodeDate(2013, 4, 29) + d;
            ASSERT_EQ(loadBytes(*set, test::LogName(10, day),
                                test::DayLog("T1[\u00b0C];P[kW];V'[l/min];R1[%];R2[%]", day,
                                             {{"09:00", "20,0;1,0;5,0;0;100"},
                                              {"09:05", "22,5;1,5;5,0;100;100"},
                                              {"09:10", "24,0;2,0;6,0;100;0"}})),
                      "");
        }
        Aggregate(*set);
        set->updateAvailability();
        set->prepareDisplay();
    }

    std::vector<std::string> Keys(const std::vector<int>& fields) const
    {
        std::vector<std::string> keys;
        for (int i : fields)
            keys.push_back(set->deviceSettings()->key(i));
        return keys;
    }

    std::unique_ptr<AnalysisDataSet> set;
};

TEST_F(GraphChoiceTest, WithoutAStoredChoiceInputsAndOutputs)
{
    EXPECT_EQ(Keys(InitialShownFields(*set, false, {})),
              (std::vector<std::string>{"T1", "R1", "R2"}));
}

TEST_F(GraphChoiceTest, StoredChoiceWinsUnknownKeysIgnoredNewFieldsDefault)
{
    const std::map<std::string, bool> stored = {
        {"T1[\u00b0C]", false}, {"P[kW]", true}, {"R1[%]", false}, {"T9[\u00b0C]", true}};
    auto lookup = [&](const std::string& key) -> std::optional<bool> {
        const auto it = stored.find(key);
        return it == stored.end() ? std::nullopt : std::optional<bool>(it->second);
    };
    // R2 is not named: an output, so shown; V not named: an Others field, so not.
    EXPECT_EQ(Keys(InitialShownFields(*set, true, lookup)), (std::vector<std::string>{"P", "R2"}));
}

TEST_F(GraphChoiceTest, CurrentChoiceNamesEveryAvailableField)
{
    for (int i : InitialShownFields(*set, false, {}))
        set->show(i);
    const GraphChoice choice = CurrentGraphChoice(*set);
    EXPECT_EQ(choice, (GraphChoice{{"T1[\u00b0C]", true},
                                   {"P[kW]", false},
                                   {"V[l/min]", false},
                                   {"R1[%]", true},
                                   {"R2[%]", true}}));
}

TEST_F(GraphChoiceTest, ReadoutRulesFollowTheDisplay)
{
    const DeviceSettings& s = *set->deviceSettings();
    auto graph = [&](const char* key) { return MakeReadoutGraph(*set, s.find(key), "10: "); };
    const ReadoutGraph t1 = graph("T1");
    EXPECT_EQ(t1.rule, ReadRule::Nearest);
    EXPECT_NEAR(t1.step, EncodeTime(0, 5), 1e-9);
    EXPECT_EQ(t1.name, "10: T1");
    EXPECT_EQ(t1.unitsPerDay, 0);
    EXPECT_EQ(graph("R1").rule, ReadRule::Hold);
    const ReadoutGraph p = graph("P");
    EXPECT_EQ(p.unitsPerDay, 24);
    EXPECT_EQ(p.integralUnit, "[kWh]");
    EXPECT_EQ(graph("V").unitsPerDay, 1440);
    EXPECT_EQ(graph("Ptag").rule, ReadRule::DayBar);
    EXPECT_EQ(graph("Pmonat").rule, ReadRule::MonthBar);
    // Sum mode swaps the series: the day field's slot now holds the month bars.
    SetSumMode(*set, true);
    EXPECT_EQ(graph("Ptag").rule, ReadRule::MonthBar);
    const auto month =
        ValueAt(*graph("Ptag").series, ReadRule::MonthBar, EncodeDate(2013, 4, 10), 0);
    ASSERT_TRUE(month);
    // Each day: 1/60 + (1 + 1.5 + 1.5 + 2) x 5/1440 x 12 kWh.
    EXPECT_NEAR(month->value, 2 * (1.0 / 60 + 6 * 5.0 / 1440 * 12), 1e-9);
}

} // namespace
} // namespace korvex
