#include "core/views/SpreadsheetExport.h"
#include "core/services/Errors.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace korvex {
namespace {

// Records every step as one text and answers from a script.
class ScriptedSteps final : public SpreadsheetSteps {
public:
    bool StartByName(const std::string& file) override
    {
        log.push_back("name " + file);
        return byNameStarts;
    }
    bool StartProgram(const std::string& program, const std::string& file) override
    {
        log.push_back("program " + program + " " + file);
        for (const std::string& p : startablePrograms)
            if (p == program)
                return true;
        return false;
    }
    void ReportProgramNotFound() override { log.push_back("text 98"); }
    std::optional<std::string> ChooseProgram(const std::string& initialFolder) override
    {
        log.push_back("dialog in " + initialFolder);
        return chosen;
    }
    void StoreProgram(const std::string& program) override
    {
        log.push_back("store " + program);
        if (storeFails)
            throw SettingsFileError("text 94");
    }
    bool OpenByAssociation(const std::string& file) override
    {
        log.push_back("associate " + file);
        return associationOpens;
    }
    void ReportStartFailed() override { log.push_back("text 99"); }

    bool byNameStarts = false;
    std::vector<std::string> startablePrograms;
    std::optional<std::string> chosen;
    bool storeFails = false;
    bool associationOpens = false;
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST(SpreadsheetExport, ProgramByNameEndsTheCommand)
{
    ScriptedSteps steps;
    steps.byNameStarts = true;
    EXPECT_EQ(OpenInSpreadsheet("/d/f.csv", "/opt/calc", steps), SpreadsheetOutcome::StartedByName);
    EXPECT_EQ(steps.log, Log{"name /d/f.csv"});
}

TEST(SpreadsheetExport, StoredProgramIsTriedBeforeAsking)
{
    ScriptedSteps steps;
    steps.startablePrograms = {"/opt/calc/bin/calc"};
    EXPECT_EQ(OpenInSpreadsheet("f.csv", "/opt/calc/bin/calc", steps),
              SpreadsheetOutcome::StartedStoredProgram);
    EXPECT_EQ(steps.log, (Log{"name f.csv", "program /opt/calc/bin/calc f.csv"}));
}

TEST(SpreadsheetExport, ChosenProgramIsStoredAfterItStarted)
{
    ScriptedSteps steps;
    steps.chosen = "/usr/local/bin/sheet";
    steps.startablePrograms = {"/usr/local/bin/sheet"};
    EXPECT_EQ(OpenInSpreadsheet("f.csv", "/gone/calc", steps),
              SpreadsheetOutcome::StartedChosenProgram);
    EXPECT_EQ(steps.log,
              (Log{"name f.csv", "program /gone/calc f.csv", "text 98", "dialog in /gone",
                   "program /usr/local/bin/sheet f.csv", "store /usr/local/bin/sheet"}));
}

TEST(SpreadsheetExport, FailedStoreIsReportedAfterTheProgramStarted)
{
    ScriptedSteps steps;
    steps.chosen = "/bin/sheet";
    steps.startablePrograms = {"/bin/sheet"};
    steps.storeFails = true;
    EXPECT_THROW(OpenInSpreadsheet("f.csv", "", steps), SettingsFileError);
    EXPECT_EQ(steps.log.at(steps.log.size() - 2), "program /bin/sheet f.csv");
}

TEST(SpreadsheetExport, ConfirmedEmptyChoiceStartsNothingAndReportsText99)
{
    ScriptedSteps steps;
    steps.chosen = "";
    EXPECT_EQ(OpenInSpreadsheet("f.csv", "", steps), SpreadsheetOutcome::Failed);
    EXPECT_EQ(steps.log,
              (Log{"name f.csv", "text 98", "dialog in ", "associate f.csv", "text 99"}));
}

TEST(SpreadsheetExport, DayAndLanguageRules)
{
    const DayTime may15 = 39583; // 15 May 2008
    EXPECT_EQ(ExportDay(may15 + 23.0 / 24), may15);
    EXPECT_EQ(ExportDay(may15), may15);
    for (int language = 0; language <= 7; ++language)
        EXPECT_EQ(UsesCommaCopy(language), language == 2 || language == 7) << language;
    EXPECT_EQ(ProgramDialogFolder("/usr/bin/localc"), "/usr/bin");
    EXPECT_EQ(ProgramDialogFolder("/localc"), "/");
    EXPECT_EQ(ProgramDialogFolder("localc"), "");
}

} // namespace
} // namespace korvex
