#pragma once

#include "core/logdata/LogDirectoryLoad.h"
#include "core/services/DayTime.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvex::report {

// ExitFound: the function check found something about the installation.
enum ExitCode : int { ExitSuccess = 0, ExitNothingLoaded = 1, ExitUsage = 2, ExitFound = 3 };

// --picture: what the analysis window is to show and where its picture goes. The renderer
// loads the selection itself, as the open dialog would, reporting to observer.
struct PictureJob {
    const LogFileSelection& selection;
    DayTime from = 0;
    DayTime to = 0;
    int spanItem = 3;
    std::optional<DayTime> at;         // default: the first day with data
    std::optional<std::size_t> device; // position in selection.devices; default the first
    bool tableView = false;
    std::vector<std::string> graphs; // field keys to show; empty: every measured value
    std::string path;                // ends in ".jpg" or ".bmp"
    LogLoadObserver& observer;
};

struct PictureResult {
    LogLoadResult load;
    std::string writtenPath;         // empty when no picture was written
    std::vector<std::string> errors; // what the window reported, in order
};

// Draws pictures of the analysis window; only builds with the user interface have one.
using PictureRenderer = std::function<PictureResult(const PictureJob&)>;

// The whole command: arguments after the program name; output to out, messages to err.
// Without a renderer --picture is refused as a usage error.
int RunReport(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
              const PictureRenderer& renderer = {});

} // namespace korvex::report
