#pragma once

// Pictures need the user interface, whose libraries take longer to load than a whole year of logs
// takes to read. So korvex-report itself links none of them and hands a --picture run over to
// korvex-report-picture, the same command linked with the user interface.

#include <optional>
#include <string>
#include <vector>

namespace korvex::report {

inline constexpr const char* kPictureHelperName = "korvex-report-picture";

// True when the arguments parse and ask for a picture (not for help or the version): the run
// the helper must make. Arguments that do not parse stay here, where they are refused.
bool WantsPicture(const std::vector<std::string>& args);

// The helper beside the program (a build folder) or in relativeDir from the program's folder (an
// installation, e.g. "../libexec/korvex"); empty when neither is an executable file.
std::optional<std::string> FindPictureHelper(const std::string& programPath,
                                             const std::string& relativeDir);

// Replaces this process with the helper, the arguments after the program name kept; returns only
// when that failed.
void RunPictureHelper(const std::string& helper, char** argv);

} // namespace korvex::report
