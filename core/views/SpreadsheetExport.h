#pragma once

// Handing the displayed day's log file to the spreadsheet program: which file, and the order in
// which the ways of starting the program are tried. The platform side (starting programs, the
// message boxes, the file dialog, the settings file) is behind SpreadsheetSteps.

#include "core/services/DayTime.h"

#include <optional>
#include <string>

namespace korvex {

// The day whose log file is exported: the whole day at the chart's left edge.
DayTime ExportDay(DayTime bottomAxisMinimum);

// The English interface languages (GB 2, US 7) get the comma-separated copy.
bool UsesCommaCopy(int languageNumber);

// The folder the program file dialog starts in when the last path tried was `program`: its
// folder, or empty (the dialog's default) when there is none.
std::string ProgramDialogFolder(const std::string& program);

class SpreadsheetSteps {
public:
    virtual ~SpreadsheetSteps() = default;
    // The spreadsheet program by its name; true when it started with the file.
    virtual bool StartByName(const std::string& file) = 0;
    // A program file given by path; true when it started with the file.
    virtual bool StartProgram(const std::string& program, const std::string& file) = 0;
    // Tells the user that no spreadsheet program was found (text 98).
    virtual void ReportProgramNotFound() = 0;
    // Lets the user pick the program file; nothing when cancelled.
    virtual std::optional<std::string> ChooseProgram(const std::string& initialFolder) = 0;
    // Keeps the picked program for later exports; throws the settings error (text 94).
    virtual void StoreProgram(const std::string& program) = 0;
    // Opens the file with the program the desktop associates with it.
    virtual bool OpenByAssociation(const std::string& file) = 0;
    // Tells the user that nothing could be started (text 99).
    virtual void ReportStartFailed() = 0;
};

enum class SpreadsheetOutcome {
    StartedByName,
    StartedStoredProgram,
    StartedChosenProgram,
    OpenedByAssociation,
    Cancelled, // the user cancelled the program file dialog
    Failed,    // nothing started; the user was told
};

// Tries, in order: the program by name, the stored program path (when not empty), then asks
// for the program file and starts it (storing its path after it started), then the file's
// association. The spreadsheet's automation interface and the installer's registry entry have
// no counterpart here and are not tried. The settings error of StoreProgram passes through
// after the program was started.
SpreadsheetOutcome OpenInSpreadsheet(const std::string& file, const std::string& storedProgram,
                                     SpreadsheetSteps& steps);

} // namespace korvex
