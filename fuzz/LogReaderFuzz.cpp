// libFuzzer target: any bytes as a log file, read twice into one data set and once into another.
// The reader must end with a message or load the file; a failed file adds no day block, name or
// count (what it had read stays); series stay in X order; the same bytes give the same data, also
// when a reading thread parses them apart from the data set.
#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/LogFileReader.h"
#include "core/logdata/ParsedLogFile.h"
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
    std::size_t names = 0;
};

Snapshot Take(const AnalysisDataSet& set)
{
    return {set.fileCount(), set.dayBlocks().size(), set.fileNames().size()};
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
        for (int p = 0; p < s->count(); ++p) {
            Check(std::isfinite(s->x(p)), "finite X");
            Check(!std::isinf(s->y(p)), "no infinite Y");
        }
    }
}

bool SameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

// Fields, units, points, blocks and names of two data sets are equal.
void CheckSame(const AnalysisDataSet& a, const AnalysisDataSet& b)
{
    Check(a.fileNames() == b.fileNames() && a.dayBlocks().size() == b.dayBlocks().size(),
          "same blocks and names");
    Check(a.units() == b.units() && a.slotCount() == b.slotCount(), "same fields");
    Check((a.deviceSettings() == nullptr) == (b.deviceSettings() == nullptr), "same device");
    for (int i = 0; i < a.slotCount(); ++i) {
        Check(a.deviceSettings()->key(i) == b.deviceSettings()->key(i), "same keys");
        const Series* s = a.series(i);
        const Series* t = b.series(i);
        Check(s->count() == t->count(), "same point count");
        for (int p = 0; p < s->count(); ++p)
            Check(SameNumber(s->x(p), t->x(p)) && SameNumber(s->y(p), t->y(p)), "same points");
    }
}

// The message of a load, empty when the file loaded; checks what a load may add.
std::string Load(LogFileReader& reader, AnalysisDataSet& set, const std::string& path,
                 std::string_view bytes)
{
    const Snapshot before = Take(set);
    std::string message;
    try {
        reader.loadBytes(set, path, bytes);
        const Snapshot after = Take(set);
        Check(after.files == before.files + 1 && after.blocks == before.blocks + 1 &&
                  after.names == before.names + 1,
              "a loaded file adds one block, name and count");
    } catch (const KorvexError& e) {
        message = e.what();
        Check(!message.empty(), "a failure has a message");
        const Snapshot after = Take(set);
        Check(after.files == before.files && after.blocks == before.blocks &&
                  after.names == before.names,
              "a failed file adds no block, name or count");
    }
    CheckSet(set);
    return message;
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
    AnalysisDataSet again(0, 100000, nullptr, nullptr);
    LogFileReader reader([](const std::string&) {});
    const std::string message = Load(reader, set, path, bytes);
    Check(Load(reader, again, path, bytes) == message, "the same bytes give the same message");
    CheckSame(set, again);
    AnalysisDataSet threaded(0, 100000, nullptr, nullptr);
    std::string parsedMessage;
    try {
        reader.loadParsed(threaded, ParseLogFile(path, bytes));
    } catch (const KorvexError& e) {
        parsedMessage = e.what();
    }
    Check(parsedMessage == message, "parsed apart, the same message");
    CheckSame(set, threaded);
    Load(reader, set, path, bytes);
    return 0;
}
