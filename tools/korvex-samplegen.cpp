// Writes realistic sample log files: korvex-samplegen DIR FROM TO [options].

#include "core/services/BuildInfo.h"
#include "tools/common/IsoDate.h"
#include "tools/samplegen/SampleLogs.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

const char* const kUsage =
    "usage: korvex-samplegen DIR FROM TO [--devices 10,21,30] [--interval MINUTES] [--seed N]\n"
    "                        [--no-faults] [--month-folders]\n"
    "       korvex-samplegen --help | --version\n"
    "  FROM, TO   days as YYYY-MM-DD (years 2000 to 2099)\n"
    "  --devices  device numbers: 10-20 solar controller, 21-29 heating circuit,\n"
    "             30-39 fresh-water station (default 10,21,30)\n"
    "  --interval minutes between two lines (default 1)\n"
    "  --seed     varies weather and water use (default 1)\n"
    "  --no-faults       no missing hours and no \"Err\" cells\n"
    "  --month-folders   write below DIR/YYYY-MM/\n";

int Usage(const std::string& why)
{
    std::fprintf(stderr, "korvex-samplegen: %s\n%s", why.c_str(), kUsage);
    return 2;
}

bool ParseInt(std::string_view text, int& out)
{
    if (text.empty() || text.size() > 9)
        return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

bool ParseDevices(std::string_view text, std::vector<int>& out)
{
    out.clear();
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        int device = 0;
        if (!ParseInt(text.substr(0, comma), device) || !korvex::IsSampleDevice(device))
            return false;
        out.push_back(device);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return !out.empty();
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string_view> positional;
    std::vector<int> devices = korvex::DefaultSampleDevices();
    korvex::SampleOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&](std::string_view& out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        std::string_view v;
        if (arg == "--devices") {
            if (!value(v) || !ParseDevices(v, devices))
                return Usage("--devices needs a list such as 10,21,30 of known device kinds");
        } else if (arg == "--interval") {
            if (!value(v) || !ParseInt(v, options.intervalMinutes) || options.intervalMinutes < 1 ||
                options.intervalMinutes > 1440)
                return Usage("--interval needs minutes from 1 to 1440");
        } else if (arg == "--seed") {
            int seed = 0;
            if (!value(v) || !ParseInt(v, seed))
                return Usage("--seed needs a number");
            options.seed = static_cast<unsigned>(seed);
        } else if (arg == "--no-faults") {
            options.faults = false;
        } else if (arg == "--month-folders") {
            options.monthFolders = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--version") {
            std::printf("korvex-samplegen %s\n", korvex::ProgramVersion());
            return 0;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            return Usage("unknown option " + std::string(arg));
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 3)
        return Usage("DIR, FROM and TO are needed");
    korvex::DayTime from = 0, to = 0;
    if (!korvex::ParseIsoDate(positional[1], from) || !korvex::ParseIsoDate(positional[2], to))
        return Usage("dates must be YYYY-MM-DD");
    if (to < from)
        return Usage("TO lies before FROM");
    int y1 = 0, y2 = 0, m = 0, d = 0;
    korvex::DecodeDate(from, y1, m, d);
    korvex::DecodeDate(to, y2, m, d);
    if (y1 < 2000 || y2 > 2099)
        return Usage("log file names hold two-digit years: dates must lie in 2000 to 2099");

    try {
        const std::size_t n =
            korvex::WriteSampleLogs(std::string(positional[0]), from, to, devices, options);
        std::printf("%zu sample log files written to %s\n", n, std::string(positional[0]).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvex-samplegen: %s\n", e.what());
        return 1;
    }
    return 0;
}
