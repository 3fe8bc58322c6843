// Command-line companion: reads a log directory as the open dialog does and prints its yields.

#include "tools/report/ReportRun.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    try {
        return korvex::report::RunReport(std::vector<std::string>(argv + 1, argv + argc), stdout,
                                         stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvex-report: %s\n", e.what());
        return 1;
    }
}
