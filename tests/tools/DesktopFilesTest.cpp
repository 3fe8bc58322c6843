#include "dist/DesktopFiles.h"

#include "core/services/BuildInfo.h"
#include "core/services/TextCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace korvex::dist {
namespace {

std::map<std::string, std::string> Keys(const std::string& entry)
{
    std::map<std::string, std::string> keys;
    std::istringstream in(entry);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos)
            keys[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return keys;
}

std::vector<std::string> ListItems(const std::string& value)
{
    std::vector<std::string> items;
    std::string item;
    for (char c : value) {
        if (c == ';') {
            items.push_back(item);
            item.clear();
        } else {
            item += c;
        }
    }
    EXPECT_TRUE(item.empty()) << "a list value ends with ';': " << value;
    return items;
}

bool IsRowOf(int block, const std::string& text)
{
    for (int row = 0; row < kTextRowCount; ++row)
        if (TextOf(block, static_cast<TextId>(row)) == text)
            return true;
    return false;
}

struct EntryLanguage {
    const char* suffix;
    int block;
    const char* solarController; // catalogue row 141 of the block
};

const EntryLanguage kEntryLanguages[] = {
    {"", BlockEnglish, "Solar controller"},      {"[de]", BlockGerman, "Solarregler"},
    {"[fr]", BlockFrench, "Régulateur solaire"}, {"[es]", BlockSpanish, "Regulador solar"},
    {"[it]", BlockItalian, "Centralina solare"}, {"[pt]", BlockPortuguese, "Regulador solar"},
};

TEST(DesktopEntry, KeywordsAreCatalogueTextsOfEachLanguage)
{
    const auto keys = Keys(DesktopEntry());
    for (const EntryLanguage& language : kEntryLanguages) {
        const std::string key = std::string("Keywords") + language.suffix;
        ASSERT_TRUE(keys.count(key)) << key;
        const std::vector<std::string> items = ListItems(keys.at(key));
        EXPECT_GE(items.size(), 5u) << key;
        EXPECT_NE(std::find(items.begin(), items.end(), language.solarController), items.end())
            << key << "=" << keys.at(key);
        for (const std::string& item : items)
            EXPECT_TRUE(IsRowOf(language.block, item)) << key << ": " << item;
    }
}

TEST(DesktopEntry, DoesNotDependOnTheCurrentLanguage)
{
    SelectTextBlock(BlockGerman);
    const std::string entry = DesktopEntry();
    const std::string metainfo = Metainfo();
    SelectTextBlock(BlockSpanish);
    EXPECT_EQ(DesktopEntry(), entry);
    EXPECT_EQ(Metainfo(), metainfo);
    SelectTextBlock(BlockGerman);
}

TEST(DesktopEntry, EveryLanguageHasItsOwnGenericNameAndComment)
{
    const auto keys = Keys(DesktopEntry());
    for (const char* key : {"GenericName", "Comment"}) {
        ASSERT_TRUE(keys.count(key));
        for (const char* lang : {"[de]", "[fr]", "[es]", "[it]", "[pt]"}) {
            const std::string localised = std::string(key) + lang;
            ASSERT_TRUE(keys.count(localised)) << localised;
            EXPECT_FALSE(keys.at(localised).empty());
            EXPECT_NE(keys.at(localised), keys.at(key)) << localised;
        }
    }
}

TEST(DesktopEntry, StartsTheInstalledProgramWithItsIcon)
{
    const auto keys = Keys(DesktopEntry());
    EXPECT_EQ(keys.at("Exec"), "korvex");
    EXPECT_EQ(keys.at("Icon"), ApplicationId());
    EXPECT_EQ(keys.at("Categories"), "Science;DataVisualization;Qt;");
    EXPECT_EQ(keys.at("Name"), "Halvo Korvex 2");
}

TEST(DesktopEntry, ValuesAreEscaped)
{
    EXPECT_EQ(DesktopValue("a;b\\c\nd\te"), "a;b\\\\c\\nd\\te");
    EXPECT_EQ(DesktopValue("a;b", true), "a\\;b");
    EXPECT_EQ(DesktopValue("Régulateur solaire", true), "Régulateur solaire");
    EXPECT_EQ(XmlText("R&D <1> \"x\""), "R&amp;D &lt;1&gt; &quot;x&quot;");
}

TEST(Metainfo, NamesTheDesktopEntryTheBinariesAndTheSummaries)
{
    const std::string xml = Metainfo();
    const std::string id = ApplicationId();
    EXPECT_NE(xml.find("<id>" + id + "</id>"), std::string::npos);
    EXPECT_NE(xml.find("<launchable type=\"desktop-id\">" + id + ".desktop</launchable>"),
              std::string::npos);
    for (const char* binary : {"korvex", "korvex-report", "korvex-samplegen"})
        EXPECT_NE(xml.find(std::string("<binary>") + binary + "</binary>"), std::string::npos);
    for (const char* lang : {"de", "fr", "es", "it", "pt"})
        EXPECT_NE(xml.find(std::string("<summary xml:lang=\"") + lang + "\">"), std::string::npos);
    EXPECT_NE(xml.find("<content_rating type=\"oars-1.1\"/>"), std::string::npos);
    EXPECT_NE(xml.find("<screenshot type=\"default\">"), std::string::npos);
}

} // namespace
} // namespace korvex::dist
