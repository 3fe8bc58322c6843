// The bounds the reader holds, each on generated data: memory while reading one file, the
// widest header, the longest line.
#include "core/logdata/LoadMemory.h"
#include "tests/core/logdata/HeapCount.h"
#include "tests/core/logdata/LogTestSupport.h"
#include "tools/samplegen/SampleLogs.h"

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

namespace korvex::test {
namespace {

class ReaderLimits : public LogDataTest {};

// Resident memory the reader may add while reading one file: the file's bytes, and per point
// its staged copy and its place in the series (two doubles each), plus some slack.
constexpr double kPeakBytesPerPoint = 40;
constexpr double kPeakSlack = 4 << 20;

// Peak resident memory since the last reset, in bytes; -1 where the system cannot tell.
long long PeakSinceReset()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stoll(line.substr(6)) * 1024;
    return -1;
}

bool ResetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

long long Resident()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stoll(line.substr(6)) * 1024;
    return -1;
}

// "DATE & TIME;T1[°C];...;Tn[°C]" and its line end, in Windows-1252.
std::string TemperatureHeader(int columns)
{
    std::string text = "DATE & TIME";
    for (int c = 0; c < columns; ++c)
        text += ";T" + std::to_string(c + 1) +
                "[\xB0"
                "C]";
    return text + "\r\n";
}

// One day at uneven steps (1 to 4 seconds), eight columns of ramps that cross and repeat.
std::string GeneratedDay(int columns)
{
    std::string text = TemperatureHeader(columns);
    char buf[64];
    for (int s = 0, step = 0; s < 86400; s += 1 + step % 4, ++step) {
        std::snprintf(buf, sizeof buf, "2008-05-15 %02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
        text += buf;
        for (int c = 0; c < columns; ++c) {
            const int v = (s / 7 + c * 113) % 1200 - 200;
            std::snprintf(buf, sizeof buf, ";%d,%d", v / 10, (v < 0 ? -v : v) % 10);
            text += buf;
        }
        text += "\r\n";
    }
    return text;
}

// A day of `columns` one-character cells that change on every line, at steps of `seconds`, or
// alternately 1 and 121 seconds (a gap every other line) when seconds is 0.
std::string OneCharacterCells(int columns, int seconds)
{
    std::string text = TemperatureHeader(columns);
    char buf[32];
    for (int s = 0, i = 0; s<86400; s += seconds> 0 ? seconds : (i % 2 ? 121 : 1), ++i) {
        std::snprintf(buf, sizeof buf, "2008-05-15 %02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
        text += buf;
        for (int c = 0; c < columns; ++c) {
            text += ';';
            text += static_cast<char>('0' + (i + c) % 10);
        }
        text += "\r\n";
    }
    return text;
}

// Most heap bytes live at once while the reader loads the file at path into set, on a thread of
// its own (its reading buffer is new and goes with it).
std::int64_t HeapPeakOfLoading(AnalysisDataSet& set, const std::string& path)
{
    std::int64_t peak = 0;
    std::thread([&] {
        LogFileReader reader([](const std::string&) {});
        const HeapPeak heap;
        try {
            reader.load(set, path);
        } catch (const KorvexError&) {
            // What a failing file took counts as much.
        }
        peak = heap.peak();
    }).join();
    return peak;
}

} // namespace

// What a file needs at most while it is read, per byte of it: each kind of file at its worst,
// loaded alone into a new data set. The heap is counted by capacity, so this is an upper bound
// of the resident memory.
TEST_F(ReaderLimits, HeapPeakOfEveryKindOfFileIsWithinTheLoadingNeed)
{
    std::string breaks = "DATE & TIME;T1[\xB0"
                         "C]\r\n2008-05-15 00:00:00;1\n";
    breaks.append(4u << 20, '\n');
    std::string commas = "15.05.2008 00:00;T1[\xB0"
                         "C];T2[\xB0"
                         "C]\n";
    commas.replace(0, 16, "dd.mm.yy hh:mm");
    char line[64];
    for (int s = 0; s < 86400; s += 2) {
        std::snprintf(line, sizeof line, "15.05.2008 %02d:%02d:%02d;%d,5;-%d\n", s / 3600,
                      s / 60 % 60, s % 60, s % 7, s % 3);
        commas += line;
    }
    // The most points per byte: short stamps, one-character cells, and a null before every
    // value of every other line.
    std::string gaps = "dd.mm.yy hh:mm";
    for (int c = 0; c < 200; ++c)
        gaps += ";T" + std::to_string(c + 1) +
                "[\xB0"
                "C]";
    gaps += "\n";
    for (int m = 0, i = 0; m < 1440; m += i % 2 ? 3 : 1, ++i) {
        std::snprintf(line, sizeof line, "15.05.2008 %02d:%02d", m / 60, m % 60);
        gaps += line;
        for (int c = 0; c < 200; ++c) {
            gaps += ';';
            gaps += static_cast<char>('0' + (i + c) % 10);
        }
        gaps += '\n';
    }
    const std::vector<std::pair<std::string, std::string>> kinds = {
        {"40 one-character columns, 1 s", OneCharacterCells(40, 1)},
        {"3 one-character columns, 1 s", OneCharacterCells(3, 1)},
        {"1 one-character column, 1 s", OneCharacterCells(1, 1)},
        {"40 one-character columns, a gap every other line", OneCharacterCells(40, 0)},
        {"12 columns of ramps, 1 to 4 s", GeneratedDay(12)},
        {"2 columns, day first, LF line ends", commas},
        {"200 one-character columns, minutes, a gap every other line", gaps},
        {"a line and then only line breaks", breaks},
        {"a generated day of device 10", SampleLogBytes(10, EncodeDate(2008, 5, 15))},
        {"a generated day of device 21", SampleLogBytes(21, EncodeDate(2008, 5, 15))},
        {"a generated day of device 30", SampleLogBytes(30, EncodeDate(2008, 5, 15))},
    };
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("korvex-peak-" + std::to_string(::getpid())) / "Lg10080515.csv")
                                 .string();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    double worst = 0;
    for (const auto& [what, bytes] : kinds) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        AnalysisDataSet& set = makeSet();
        const double peak = static_cast<double>(HeapPeakOfLoading(set, path));
        const double ratio = peak / static_cast<double>(bytes.size());
        worst = std::max(worst, ratio);
        std::printf("%-50s %9zu bytes, %8zu points: peak %.2f times the file\n", what.c_str(),
                    bytes.size(), set.pointCount(), ratio);
        EXPECT_LE(ratio, static_cast<double>(kLoadBytesPerFileByte)) << what;
    }
    std::printf("worst %.2f bytes per file byte (need counts %llu)\n", worst,
                static_cast<unsigned long long>(kLoadBytesPerFileByte));

    // The kept fuzz inputs: small and strange, each within its need, margin included.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(KORVEX_TEST_DATA).parent_path().parent_path() / "fuzz" /
             "corpus" / "LogReaderFuzz")) {
        std::filesystem::copy_file(entry.path(), path,
                                   std::filesystem::copy_options::overwrite_existing);
        AnalysisDataSet& set = makeSet();
        const auto peak = static_cast<std::uint64_t>(HeapPeakOfLoading(set, path));
        EXPECT_LE(peak, LoadMemoryNeed(entry.file_size())) << entry.path();
        ++files;
    }
    EXPECT_GT(files, 100);
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
}

TEST_F(ReaderLimits, PeakMemoryWhileReadingOneFileIsTheFileAndItsPoints)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory hides the reader's own";
#endif
    const std::string bytes = GeneratedDay(12);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("Lg10080515-" + std::to_string(::getpid()) + ".csv"))
                                 .string();
    std::ofstream(path, std::ios::binary) << bytes;
    const std::string named = path.substr(0, path.rfind('/') + 1) + "Lg10080515.csv";
    std::filesystem::rename(path, named);
    AnalysisDataSet& set = makeSet();
    // Memory that earlier tests of this process freed would be reused without showing in the
    // resident size: hand it back first, so that the figure is the same in any order.
    ::malloc_trim(0);
    if (!ResetPeak())
        GTEST_SKIP() << "the peak of resident memory cannot be reset here";
    const long long before = Resident();
    LogFileReader reader([](const std::string&) {});
    reader.load(set, named);
    const long long peak = PeakSinceReset() - before;
    std::filesystem::remove(named);
    ASSERT_EQ(set.fileCount(), 1);
    const double ratio = static_cast<double>(peak) / static_cast<double>(bytes.size());
    const auto points = static_cast<double>(set.pointCount());
    std::printf("file %zu bytes, %.0f points, peak %lld bytes (%.2f times the file, %.1f bytes "
                "per point beyond the file)\n",
                bytes.size(), points, peak, ratio,
                (static_cast<double>(peak) - static_cast<double>(bytes.size())) / points);
    RecordProperty("peakPerFileByte", std::to_string(ratio));
    // The reader holds the whole file at once: a smaller figure measured nothing.
    EXPECT_GT(peak, static_cast<long long>(bytes.size()));
    EXPECT_LT(static_cast<double>(peak),
              static_cast<double>(bytes.size()) + kPeakBytesPerPoint * points + kPeakSlack);
}

TEST_F(ReaderLimits, TheWidestHeaderLoadsAndOneColumnMoreIsNoLogFile)
{
    for (const std::size_t columns : {LogFileReader::kMaxColumns, LogFileReader::kMaxColumns + 1}) {
        std::string header = "DATE & TIME";
        std::string line = "2008-05-15 06:30";
        for (std::size_t i = 0; i < columns; ++i) {
            header += ";F" + std::to_string(i) + "[kWh]";
            line += ";" + std::to_string(i % 97) + "," + std::to_string(i % 10);
        }
        AnalysisDataSet& set = makeSet();
        const std::string message =
            loadBytes(set, "Lg10080515.csv", header + "\r\n" + line + "\r\n" + line + "\r\n");
        if (columns == LogFileReader::kMaxColumns) {
            ASSERT_EQ(message, "");
            EXPECT_EQ(set.slotCount(), static_cast<int>(columns));
            const Series* last = set.series(static_cast<int>(columns) - 1);
            ASSERT_GE(last->count(), 1);
            EXPECT_DOUBLE_EQ(last->y(0), 87.3); // column 16383: 16383 % 97, 16383 % 10
        } else {
            EXPECT_EQ(message, Text(TextId::FileIsNoLogFile));
            EXPECT_EQ(set.fileCount(), 0);
        }
    }
}

TEST_F(ReaderLimits, TheLongestLineIsReadInOnePass)
{
    // A data line of 32 MB: its cells beyond the header's are ignored; reading stays linear.
    std::string line = "2008-05-15 06:30;21,5;";
    while (line.size() < (32u << 20))
        line += "1,25;-3;";
    const std::string bytes = "DATE & TIME;T1[\xB0"
                              "C]\r\n" +
                              line + "\r\n2008-05-15 06:31;22,0\r\n";
    AnalysisDataSet& set = makeSet();
    const auto start = std::chrono::steady_clock::now();
    const std::string message = loadBytes(set, "Lg10080515.csv", bytes);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(message, "");
    const std::vector<Point> t1 = points(set, "T1", EncodeDate(2008, 5, 15));
    ASSERT_GE(t1.size(), 2u);
    EXPECT_EQ(t1[0].minute, 390);
    EXPECT_EQ(t1[0].y, 21.5);
    EXPECT_EQ(t1[1].minute, 391);
    EXPECT_EQ(t1[1].y, 22.0);
    EXPECT_LT(took, std::chrono::seconds(20));
}

} // namespace korvex::test
