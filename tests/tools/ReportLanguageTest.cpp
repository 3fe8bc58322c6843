// korvex-report's language: the desktop's unless --language says otherwise, one per run.

#include "tools/report/ReportLanguage.h"
#include "core/services/Cp1252.h"
#include "tests/tools/MiniJson.h"
#include "tests/tools/ToolTestSupport.h"
#include "tools/report/ReportMessages.h"
#include "tools/report/ReportOptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <regex>
#include <set>

namespace korvex::test {
namespace {

namespace fs = std::filesystem;
using namespace korvex::report;

using Env = std::vector<std::pair<std::string, std::string>>;
using ReportLanguage = ToolTest;


std::size_t Lines(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(ReportLanguageChoice, FirstSetNonEmptyVariableDecides)
{
    EXPECT_EQ(BlockOfEnvironment(nullptr, nullptr, "de_DE.UTF-8"), BlockGerman);
    EXPECT_EQ(BlockOfEnvironment("", "fr_FR.UTF-8", "de_DE.UTF-8"), BlockFrench);
    EXPECT_EQ(BlockOfEnvironment("pt_BR.UTF-8", "fr_FR", "de_DE"), BlockPortuguese);
    // A set but unknown language wins over the ones behind it, and is English.
    EXPECT_EQ(BlockOfEnvironment("nl_NL.UTF-8", nullptr, "de_DE.UTF-8"), BlockEnglish);
    EXPECT_EQ(BlockOfEnvironment("C.UTF-8", "it_IT", "es_ES"), BlockEnglish);
    EXPECT_EQ(BlockOfEnvironment("", "", ""), BlockEnglish);
    EXPECT_EQ(BlockOfEnvironment(nullptr, nullptr, nullptr), BlockEnglish);
    // Code alone, modifiers, upper case.
    EXPECT_EQ(BlockOfLocaleName("it"), BlockItalian);
    EXPECT_EQ(BlockOfLocaleName("es_ES@euro"), BlockSpanish);
    EXPECT_EQ(BlockOfLocaleName("DE_AT.ISO-8859-1"), BlockGerman);
    EXPECT_EQ(BlockOfLocaleName("POSIX"), BlockEnglish);
    EXPECT_EQ(BlockOfLocaleName("dea_DE"), BlockEnglish);

    EXPECT_EQ(BlockOfLanguageOption({"dir", "--language", "fr"}), BlockFrench);
    EXPECT_EQ(BlockOfLanguageOption({"dir", "--language", "nl", "--bogus"}), -1);
    EXPECT_EQ(BlockOfLanguageOption({"--language", "de", "--language", "pt"}), BlockPortuguese);
    EXPECT_EQ(BlockOfLanguageOption({"dir", "--language"}), -1);
}

// Each message has all five translations, with the same values in them.
TEST(ReportLanguageChoice, EveryMessageIsTranslatedWithItsValues)
{
    const std::regex marker("%[1-9]");
    auto markers = [&](const std::string& text) {
        std::multiset<std::string> found;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), marker);
             it != std::sregex_iterator(); ++it)
            found.insert(it->str());
        return found;
    };
    const std::vector<std::string> keys = MessageKeys();
    EXPECT_GE(keys.size(), 30u);
    for (const std::string& key : keys) {
        for (int block = 0; block < kTextBlockCount; ++block) {
            const char* text = Translation(block, key);
            ASSERT_NE(text, nullptr) << key;
            EXPECT_EQ(markers(text), markers(key)) << block << ": " << text;
            if (block != BlockEnglish) {
                EXPECT_NE(std::string(text), key) << block;
            }
        }
    }
    // A value holding a marker is not filled again; an unknown text stays English.
    EXPECT_EQ(MessageIn(BlockGerman, "unknown option %1", {"%1"}), "unbekannte Option %1");
    EXPECT_EQ(MessageIn(BlockGerman, "%1 and %2 new", {"a", "b"}), "a and b new");
}

TEST_F(ReportLanguage, TablesFollowTheDesktopWithoutLanguageOption)
{
    const std::string german = Utf8ToCp1252(TextOf(BlockGerman, TextId::DailyOverview));
    const ToolResult lang = RunWith({{"LANG", "de_DE.UTF-8"}}, "korvex-report", {Fixture("basic")});
    EXPECT_EQ(lang.exitCode, 0) << lang.err;
    EXPECT_EQ(lang.out.rfind(german + ";", 0), 0u) << lang.out;
    EXPECT_NE(lang.out.find("\r\n01. Mai. 2010;"), std::string::npos) << lang.out;
    // The failed file's message is German as well: one language per run.
    EXPECT_NE(lang.err.find(TextOf(BlockGerman, TextId::FileHasNoValues)), std::string::npos)
        << lang.err;

    // LC_MESSAGES before LANG, an empty LC_ALL skipped.
    const ToolResult messages =
        RunWith({{"LC_ALL", ""}, {"LC_MESSAGES", "fr_FR.UTF-8"}, {"LANG", "de_DE.UTF-8"}},
                "korvex-report", {Fixture("basic"), "--table", "monthly"});
    EXPECT_EQ(messages.exitCode, 0) << messages.err;
    EXPECT_NE(messages.out.find("\r\nmai. 2010;110,00;4,53\r\n"), std::string::npos)
        << messages.out;
    EXPECT_NE(messages.err.find(TextOf(BlockFrench, TextId::FileHasNoValues)), std::string::npos);

    // A language without a catalogue block is English; --language beats the desktop.
    const ToolResult dutch = RunWith({{"LC_ALL", "nl_NL.UTF-8"}, {"LANG", "de_DE.UTF-8"}},
                                     "korvex-report", {Fixture("basic")});
    EXPECT_EQ(dutch.out, Report({Fixture("basic")}).out);
    const ToolResult asked = RunWith({{"LANG", "de_DE.UTF-8"}}, "korvex-report",
                                     {Fixture("basic"), "--language", "it", "--table", "monthly"});
    EXPECT_NE(asked.out.find("\r\nmag. 2010;"), std::string::npos) << asked.out;
}

// Scripts get the same document everywhere unless they ask for a language.
TEST_F(ReportLanguage, JsonStaysEnglishUnlessAsked)
{
    const ToolResult english = Report({Fixture("basic"), "--json"});
    const ToolResult desktop =
        RunWith({{"LANG", "de_DE.UTF-8"}}, "korvex-report", {Fixture("basic"), "--json"});
    ASSERT_EQ(desktop.exitCode, 0);
    EXPECT_EQ(desktop.out, english.out);
    EXPECT_EQ(desktop.err, english.err);

    const ToolResult asked = RunWith({{"LANG", "fr_FR.UTF-8"}}, "korvex-report",
                                     {Fixture("basic"), "--json", "--language", "de"});
    const Json doc = JsonParser::Parse(asked.out);
    EXPECT_EQ(doc["tables"]["daily"][0][0].Str(), TextOf(BlockGerman, TextId::DailyOverview));
    EXPECT_EQ(doc["tables"]["monthly"][2][0].Str(), "Mai. 2010");
}

TEST_F(ReportLanguage, HelpInTheRunsLanguage)
{
    const ToolResult english = Report({"--help"});
    EXPECT_EQ(english.exitCode, 0);
    EXPECT_EQ(english.out, kReportUsage);

    const ToolResult german = RunWith({{"LANG", "de_DE.UTF-8"}}, "korvex-report", {"--help"});
    EXPECT_EQ(german.exitCode, 0);
    EXPECT_EQ(german.out, HelpText(BlockGerman));
    EXPECT_EQ(german.out.rfind("Aufruf: korvex-report DIR", 0), 0u);
    EXPECT_NE(german.out.find("R\u00fcckgabewerte"), std::string::npos);

    const ToolResult french =
        RunWith({{"LANG", "de_DE.UTF-8"}}, "korvex-report", {"--help", "--language", "fr"});
    EXPECT_EQ(french.out, HelpText(BlockFrench));

    // Every language's help names every option the English one names, and explains the choice.
    const std::regex option("--[a-z]+");
    std::set<std::string> options;
    for (auto it =
             std::cregex_iterator(kReportUsage, kReportUsage + std::strlen(kReportUsage), option);
         it != std::cregex_iterator(); ++it)
        options.insert(it->str());
    EXPECT_TRUE(options.count("--language") && options.count("--stats"));
    for (int block = 0; block < kTextBlockCount; ++block) {
        const std::string help = HelpText(block);
        for (const std::string& o : options)
            EXPECT_NE(help.find(o), std::string::npos) << block << " " << o;
        EXPECT_NE(help.find("LC_MESSAGES"), std::string::npos) << block;
        EXPECT_LT(Lines(help), 50u);
    }
}

// A usage error is one line in the run's language: what is wrong and where help is.
TEST_F(ReportLanguage, UsageErrorsAreOneLineInOneLanguage)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {Fixture("basic"), Fixture("failing")},
        {Fixture("basic"), "--from", "2010-13-01"},
        {Fixture("basic"), "--from", "2010-05-02", "--to", "2010-05-01"},
        {Fixture("basic"), "--span", "week"},
        {Fixture("basic"), "--at", "2010-05-01"},
        {Fixture("basic"), "--table", "daily", "--span", "day"},
        {Fixture("basic"), "--device", "1x"},
        {Fixture("basic"), "--device", "44"},
        {Fixture("basic"), "--bogus"},
        {Fixture("basic"), "--from"},
        {Fixture("basic"), "--view", "table"},
        {Fixture("basic"), "--workbook", "a.xlsx", "--stats"},
    };
    for (const std::vector<std::string>& args : cases) {
        const ToolResult en = Report(args);
        const ToolResult de = RunWith({{"LANG", "de_DE.UTF-8"}}, "korvex-report", args);
        for (const ToolResult* r : {&en, &de}) {
            EXPECT_EQ(r->exitCode, 2) << ::testing::PrintToString(args);
            EXPECT_TRUE(r->out.empty());
            EXPECT_EQ(Lines(r->err), 1u) << r->err;
            EXPECT_EQ(r->err.rfind("korvex-report: ", 0), 0u) << r->err;
        }
        EXPECT_NE(en.err.find("(try korvex-report --help)\n"), std::string::npos) << en.err;
        EXPECT_NE(de.err.find("(Hilfe: korvex-report --help)\n"), std::string::npos) << de.err;
        // The reason itself is German too, not the English one.
        EXPECT_NE(en.err.substr(0, en.err.find(" (")), de.err.substr(0, de.err.find(" (")))
            << de.err;
    }
    EXPECT_EQ(RunWith({{"LANG", "de_DE.UTF-8"}}, "korvex-report",
                      {Fixture("basic"), "--from", "2010-05-02", "--to", "2010-05-01"})
                  .err,
              "korvex-report: --to liegt vor --from (Hilfe: korvex-report --help)\n");
    // A wrong --language is told in the desktop's language, a right one wins over the desktop
    // even when another argument is wrong.
    EXPECT_EQ(
        RunWith({{"LANG", "es_ES.UTF-8"}}, "korvex-report", {Fixture("basic"), "--language", "nl"})
            .err,
        "korvex-report: --language necesita de, en, fr, es, it o pt (ayuda: korvex-report "
        "--help)\n");
    EXPECT_EQ(RunWith({{"LANG", "de_DE.UTF-8"}}, "korvex-report",
                      {Fixture("basic"), "--language", "pt", "--span", "week"})
                  .err,
              "korvex-report: --span precisa de 1h, 3h, 8h, day, month, quarter ou year (ajuda: "
              "korvex-report --help)\n");
}

TEST_F(ReportLanguage, DirectoryAndRangeMessagesSayWhatIsWrong)
{
    const Env german = {{"LANG", "de_DE.UTF-8"}};
    const std::string missing = (temp_ / "nothing here").string();
    const ToolResult none = RunWith(german, "korvex-report", {missing});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.err, "korvex-report: " + missing + ": Verzeichnis nicht gefunden\n");

    // A folder without logs: the path is wrong, the catalogue's text says so.
    const ToolResult empty = RunWith(german, "korvex-report", {temp_.string()});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.err, "korvex-report: " + TextOf(BlockGerman, TextId::NoFilesFound) + "\n");

    // The path is right, the range beside the files: no "check the path".
    const ToolResult later = Report({Fixture("basic"), "--from", "2011-01-01"});
    EXPECT_EQ(later.exitCode, 1);
    EXPECT_TRUE(later.out.empty());
    EXPECT_EQ(later.err, "korvex-report: no data in the range chosen (--from 2011-01-01): the log "
                         "files of this directory cover 2010-05-01 to 2010-05-02\n");
    const ToolResult earlier = RunWith(
        german, "korvex-report", {Fixture("basic"), "--from", "2009-02-01", "--to", "2010-04-30"});
    EXPECT_EQ(earlier.err, "korvex-report: keine Daten im gew\u00e4hlten Zeitraum (--from "
                           "2009-02-01 --to 2010-04-30): die Protokolldateien dieses "
                           "Verzeichnisses reichen von 2010-05-01 bis 2010-05-02\n");

    // A range inside the directory's days that falls into a gap between its files.
    const fs::path gap = temp_ / "gap";
    fs::create_directories(gap);
    fs::copy_file(Fixture("basic/10100501.csv"), gap / "10100501.csv");
    fs::copy_file(Fixture("basic/10100502.csv"), gap / "10100504.csv");
    const ToolResult inGap = Report({gap.string(), "--from", "2010-05-02", "--to", "2010-05-03"});
    EXPECT_EQ(inGap.exitCode, 1);
    EXPECT_EQ(inGap.err, "korvex-report: no data in the range chosen (--from 2010-05-02 --to "
                         "2010-05-03): the log files of this directory cover 2010-05-01 to "
                         "2010-05-04\n");

    // A device without files in the range is a usage error on one line.
    const ToolResult device =
        RunWith(german, "korvex-report", {Fixture("basic"), "--device", "44"});
    EXPECT_EQ(device.exitCode, 2);
    EXPECT_EQ(device.err, "korvex-report: Ger\u00e4t 44 hat keine Datei im Zeitraum (Ger\u00e4te: "
                          "10, 21, 30) (Hilfe: korvex-report --help)\n");

    // Files there but none readable: told in the run's language.
    const ToolResult failing = RunWith(german, "korvex-report", {Fixture("failing")});
    EXPECT_EQ(failing.exitCode, 1);
    EXPECT_NE(failing.err.find("keine Datei konnte gelesen werden (2 von 2 fehlerhaft)"),
              std::string::npos)
        << failing.err;
    EXPECT_EQ(failing.err.find("The file"), std::string::npos) << failing.err;

    // The progress bar too.
    const ToolResult progress =
        RunWith({{"LANG", "pt_PT.UTF-8"}}, "korvex-report", {Fixture("basic"), "--progress"});
    EXPECT_NE(progress.err.find("4/4 ficheiros"), std::string::npos) << progress.err;
}

} // namespace
} // namespace korvex::test
