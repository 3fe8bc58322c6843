// libFuzzer target: any bytes as two log files of one device (split at the bytes FF FE FD; without
// them the same bytes twice), read in a row into one data set, then the first once more. The
// reader must end with a message or load the file; a failed file adds no day block, name or count
// (what it had read stays); series stay in X order; the same bytes give the same data, also when
// reading threads parse both files apart from the data set before either is applied (their
// guesses about the data set checked, a file read again where they fail).
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
#include <fstream>
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

// The files are written to a folder of this process, so that a file the reading threads' guesses
// fail for can be read again; the folder goes when the process ends.
struct FuzzFolder {
    std::filesystem::path path;
    ~FuzzFolder()
    {
        std::error_code ec;
        if (!path.empty())
            std::filesystem::remove_all(path, ec);
    }
};

FuzzFolder& Folder()
{
    static FuzzFolder folder;
    return folder;
}

std::string WriteFile(const std::string& name, std::string_view bytes)
{
    const std::filesystem::path path = Folder().path / "logs" / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    Check(static_cast<bool>(out), "the input file is written");
    return path.string();
}

std::string LoadParsed(LogFileReader& reader, AnalysisDataSet& set, const ParsedLogFile& file)
{
    try {
        reader.loadParsed(set, file);
    } catch (const KorvexError& e) {
        return e.what();
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Folder().path =
        std::filesystem::temp_directory_path() / ("korvex-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(Folder().path);
    ::setenv("XDG_CONFIG_HOME", Folder().path.c_str(), 1);
    SelectTextBlock(BlockEnglish);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    constexpr std::string_view kSplit = "\xFF\xFE\xFD";
    const std::size_t split = bytes.find(kSplit);
    const std::string_view first = bytes.substr(0, split);
    const std::string_view second =
        split == std::string_view::npos ? bytes : bytes.substr(split + kSplit.size());
    // Two files of one device: the next day, the day before, a day after a gap, the same day.
    static const char* const kNames[][2] = {{"Lg10080515.csv", "Lg10080516.csv"},
                                            {"Lg23080515.csv", "Lg23080514.csv"},
                                            {"LgXX080515.csv", "LgXX080518.csv"},
                                            {"Lg05080516.csv", "b/Lg05080516.csv"}};
    const auto& names = kNames[size % 4];
    const std::string pathA = WriteFile(names[0], first);
    const std::string pathB = WriteFile(names[1], second);

    AnalysisDataSet set(0, 100000, nullptr, nullptr);
    LogFileReader reader([](const std::string&) {});
    const std::string messageA = Load(reader, set, pathA, first);
    const std::string messageB = Load(reader, set, pathB, second);

    AnalysisDataSet again(0, 100000, nullptr, nullptr);
    Check(Load(reader, again, pathA, first) == messageA, "the same bytes give the same message");
    Check(Load(reader, again, pathB, second) == messageB, "the same bytes give the same message");
    CheckSame(set, again);

    // As reading threads do: both parsed before the first is applied.
    const ParsedLogFile parsedA = ParseLogFile(pathA, first);
    const ParsedLogFile parsedB = ParseLogFile(pathB, second);
    AnalysisDataSet threaded(0, 100000, nullptr, nullptr);
    Check(LoadParsed(reader, threaded, parsedA) == messageA, "parsed apart, the same message");
    Check(LoadParsed(reader, threaded, parsedB) == messageB, "parsed apart, the same message");
    CheckSet(threaded);
    CheckSame(set, threaded);

    Load(reader, set, pathA, first);
    return 0;
}
