#include "core/views/SpreadsheetExport.h"

#include <cmath>

namespace korvex {

DayTime ExportDay(DayTime bottomAxisMinimum)
{
    return std::floor(bottomAxisMinimum);
}

bool UsesCommaCopy(int languageNumber)
{
    return languageNumber == 2 || languageNumber == 7;
}

std::string ProgramDialogFolder(const std::string& program)
{
    const std::size_t slash = program.find_last_of('/');
    if (slash == std::string::npos)
        return std::string();
    return slash == 0 ? std::string("/") : program.substr(0, slash);
}

SpreadsheetOutcome OpenInSpreadsheet(const std::string& file, const std::string& storedProgram,
                                     SpreadsheetSteps& steps)
{
    if (steps.StartByName(file))
        return SpreadsheetOutcome::StartedByName;
    if (!storedProgram.empty() && steps.StartProgram(storedProgram, file))
        return SpreadsheetOutcome::StartedStoredProgram;

    steps.ReportProgramNotFound();
    const std::optional<std::string> chosen =
        steps.ChooseProgram(ProgramDialogFolder(storedProgram));
    if (!chosen)
        return SpreadsheetOutcome::Cancelled;
    if (!chosen->empty() && steps.StartProgram(*chosen, file)) {
        steps.StoreProgram(*chosen);
        return SpreadsheetOutcome::StartedChosenProgram;
    }
    if (steps.OpenByAssociation(file))
        return SpreadsheetOutcome::OpenedByAssociation;
    steps.ReportStartFailed();
    return SpreadsheetOutcome::Failed;
}

} // namespace korvex
