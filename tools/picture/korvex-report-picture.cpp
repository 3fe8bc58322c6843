// korvex-report-picture: korvex-report linked with the user interface, which korvex-report
// becomes for a --picture run; it also runs every other command as korvex-report does.

#include "tools/picture/PictureRenderer.h"
#include "tools/report/ReportRun.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    try {
        return korvex::report::RunReport(std::vector<std::string>(argv + 1, argv + argc), stdout,
                                         stderr, korvex::report::RenderAnalysisPicture);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvex-report: %s\n", e.what());
        return 1;
    }
}
