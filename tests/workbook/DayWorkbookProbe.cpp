// Writes the workbook of one log file the way "Open in Excel" does, for the read-back test:
//   korvex-dayworkbook-probe LOG FOLDER   prints the workbook's path, or the reason and exit 1
#include "core/views/SheetModel.h"
#include "core/workbook/DayWorkbook.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: korvex-dayworkbook-probe LOG FOLDER\n");
        return 2;
    }
    try {
        std::printf("%s\n", korvex::WriteDayWorkbook(argv[1], argv[2]).c_str());
        return 0;
    } catch (const korvex::SheetError& e) {
        std::fprintf(stderr, "korvex-dayworkbook-probe: %s\n", e.what());
        return 1;
    }
}
