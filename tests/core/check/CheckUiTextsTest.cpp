#include "core/check/CheckRules.h"
#include "core/check/CheckUiTexts.h"
#include "core/services/TextCatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace korvex {
namespace {

class CheckUiTexts : public ::testing::Test {
protected:
    void TearDown() override { SelectTextBlock(BlockGerman); }
};

TEST_F(CheckUiTexts, EveryKeyHasSixDistinctlyFilledTexts)
{
    std::set<std::string> keys;
    for (int i = 0; i < CheckUiTextCount(); ++i) {
        const std::string key(CheckUiTextKey(i));
        EXPECT_TRUE(keys.insert(key).second) << "twice: " << key;
        for (int block = 0; block < kTextBlockCount; ++block)
            EXPECT_STRNE(CheckUiTextOf(block, key), "") << key << " in block " << block;
        // German and English differ for nearly everything; a copied row would show here.
        if (key != "rule-stagnation")
            EXPECT_STRNE(CheckUiTextOf(BlockGerman, key), CheckUiTextOf(BlockEnglish, key)) << key;
    }
    EXPECT_STREQ(CheckUiTextOf(BlockEnglish, "no-such-key"), "");
    EXPECT_STREQ(CheckUiTextOf(kTextBlockCount, "panel-caption"), "");
}

TEST_F(CheckUiTexts, EveryRuleRoleAndThresholdHasItsCaption)
{
    for (const check::RuleEntry& rule : check::kCheckRules)
        EXPECT_STRNE(CheckUiText(std::string("rule-") + rule.id), "") << rule.id;
    for (const char* role : kCheckRoleNames)
        EXPECT_STRNE(CheckUiText(std::string("role-") + role), "") << role;
    for (const ThresholdEntry& entry : kThresholdEntries)
        EXPECT_STRNE(CheckUiText(std::string("threshold-") + entry.key), "") << entry.key;
}

TEST_F(CheckUiTexts, RuleNamesFollowTheLanguage)
{
    SelectTextBlock(BlockEnglish);
    EXPECT_EQ(RuleDisplayName("pump-cycling"), "Pump cycling");
    SelectTextBlock(BlockItalian);
    EXPECT_EQ(RuleDisplayName("pump-cycling"), "Pompa a cicli brevi");
    // A rule without a name of its own is still listed, by its identifier.
    EXPECT_EQ(RuleDisplayName("future-rule"), "future-rule");
}

TEST_F(CheckUiTexts, CountHeadingSaysHowMany)
{
    SelectTextBlock(BlockEnglish);
    EXPECT_EQ(IncidentCountText(0), "No incidents");
    EXPECT_EQ(IncidentCountText(1), "1 incident");
    EXPECT_EQ(IncidentCountText(2), "2 incidents");
    EXPECT_EQ(IncidentCountText(1375), "1375 incidents");
    SelectTextBlock(BlockGerman);
    EXPECT_EQ(IncidentCountText(17), "17 Auffälligkeiten");
    for (int block = 0; block < kTextBlockCount; ++block) {
        SelectTextBlock(block);
        EXPECT_NE(IncidentCountText(40).find("40"), std::string::npos) << block;
        EXPECT_EQ(IncidentCountText(40).find("%1"), std::string::npos) << block;
    }
}

} // namespace
} // namespace korvex
