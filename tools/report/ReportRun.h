#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace korvex::report {

enum ExitCode : int { ExitSuccess = 0, ExitNothingLoaded = 1, ExitUsage = 2 };

// The whole command: arguments after the program name; output to out, messages to err.
int RunReport(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

} // namespace korvex::report
