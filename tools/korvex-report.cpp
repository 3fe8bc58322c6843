// Command-line companion: reads a log directory as the open dialog does and prints its yields.
// A picture is drawn by korvex-report-picture, which this run becomes when one is asked for.

#include "tools/report/PictureHelper.h"
#include "tools/report/ReportRun.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#ifndef KORVEX_PICTURE_HELPER_DIR
#define KORVEX_PICTURE_HELPER_DIR ""
#endif

int main(int argc, char** argv)
{
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        if (KORVEX_PICTURE_HELPER_DIR[0] != '\0' && korvex::report::WantsPicture(args)) {
            if (const auto helper = korvex::report::FindPictureHelper("/proc/self/exe",
                                                                      KORVEX_PICTURE_HELPER_DIR))
                korvex::report::RunPictureHelper(*helper, argv);
            // No helper to be had: the run goes on here and refuses the picture.
        }
        return korvex::report::RunReport(args, stdout, stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvex-report: %s\n", e.what());
        return 1;
    }
}
