// Writes the desktop entry and the AppStream metadata: korvex-desktopfiles DESKTOP METAINFO.

#include "dist/DesktopFiles.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool WriteFile(const char* path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out)
        std::fprintf(stderr, "korvex-desktopfiles: cannot write %s\n", path);
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: korvex-desktopfiles DESKTOP-ENTRY METAINFO\n", stderr);
        return 2;
    }
    const bool ok = WriteFile(argv[1], korvex::dist::DesktopEntry()) &&
                    WriteFile(argv[2], korvex::dist::Metainfo());
    return ok ? 0 : 1;
}
