#include "tools/report/PictureHelper.h"

#include "tools/report/ReportOptions.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace korvex::report {

bool WantsPicture(const std::vector<std::string>& args)
{
    try {
        const ReportOptions options = ParseReportOptions(args);
        return options.picture && !options.help && !options.version;
    } catch (const UsageError&) {
        return false;
    }
}

std::optional<std::string> FindPictureHelper(const std::string& programPath,
                                             const std::string& relativeDir)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path program = fs::canonical(programPath, ec);
    if (ec)
        return std::nullopt;
    const fs::path folder = program.parent_path();
    for (const fs::path& candidate : {folder / kPictureHelperName,
                                      folder / relativeDir / kPictureHelperName}) {
        if (fs::is_regular_file(candidate, ec) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate.lexically_normal().string();
    }
    return std::nullopt;
}

void RunPictureHelper(const std::string& helper, char** argv)
{
    argv[0] = const_cast<char*>(helper.c_str());
    ::execv(helper.c_str(), argv);
}

} // namespace korvex::report
