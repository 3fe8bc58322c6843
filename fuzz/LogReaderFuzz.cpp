// libFuzzer target: any bytes as a log file, read twice into one data set. The reader must end
// with a message or load the file, keep every series in X order, and leave a data set it failed
// on as it was.
#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/LogFileReader.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include <unistd.h>

using namespace korvex;

namespace {

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

struct Snapshot {
    int files = 0;
    std::size_t blocks = 0;
    std::size_t points = 0;
};

Snapshot Take(const AnalysisDataSet& set)
{
    return {set.fileCount(), set.dayBlocks().size(), set.pointCount()};
}

void CheckSet(const AnalysisDataSet& set)
{
    Check(set.fileNames().size() == set.dayBlocks().size(), "one file name per block");
    Check(static_cast<std::size_t>(set.fileCount()) == set.dayBlocks().size(), "file count");
    const DeviceSettings* dev = set.deviceSettings();
    if (!dev)
        return;
    Check(dev->fieldCount() == set.slotCount(), "one slot per field");
    Check(static_cast<int>(set.units().size()) == set.slotCount(), "one unit per field");
    for (int i = 0; i < set.slotCount(); ++i) {
        const Series* s = set.series(i);
        Check(s != nullptr, "every slot has a series");
        Check(set.slot(i).category == dev->category(i), "slot category");
        for (int p = 1; p < s->count(); ++p)
            Check(s->x(p - 1) <= s->x(p), "points in X order");
        for (int p = 0; p < s->count(); ++p)
            Check(std::isfinite(s->x(p)), "finite X");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const auto config =
        std::filesystem::temp_directory_path() / ("korvex-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(config);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    SelectTextBlock(BlockEnglish);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static const char* const kPaths[] = {"/fuzz/Lg10080515.csv", "/fuzz/Lg23080515.csv",
                                         "/fuzz/LgXX080515.csv", "/fuzz/Lg05080516.csv"};
    const std::string path = kPaths[size % 4];
    AnalysisDataSet set(0, 100000, nullptr, nullptr);
    LogFileReader reader([](const std::string&) {});
    for (int round = 0; round < 2; ++round) {
        const Snapshot before = Take(set);
        try {
            reader.loadBytes(set, path, bytes);
            Check(set.fileCount() == before.files + 1, "a loaded file is counted");
        } catch (const KorvexError& e) {
            Check(std::string_view(e.what()).size() > 0, "a failure has a message");
            const Snapshot after = Take(set);
            Check(after.files == before.files && after.blocks == before.blocks,
                  "a failed file adds no block");
            Check(after.points == before.points, "a failed file adds no point");
        }
        CheckSet(set);
    }
    return 0;
}
