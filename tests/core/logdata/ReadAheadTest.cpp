// The reading threads against memory and time: a file that does not fit is not read before the
// loading thread's own check admits it, and a stop ends a thread quickly even in a large file.

#include "core/logdata/LoadMemory.h"
#include "core/logdata/LogDirectoryLoad.h"
#include "core/logdata/LogReadAhead.h"
#include "core/logdata/ParsedLogFile.h"
#include "tests/core/logdata/HeapCount.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>

namespace korvex {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How soon a stop ends the threads. The ThreadSanitizer build runs the same code many times
// slower.
#if defined(__SANITIZE_THREAD__)
constexpr long long kStopMs = 300;
#else
constexpr long long kStopMs = 100;
#endif

// A day of `lines` lines at 1 to 3 second steps, `columns` ramps each.
std::string Day(int day, int lines, int columns)
{
    std::string text = "DATE & TIME";
    for (int c = 0; c < columns; ++c)
        text += ";T" + std::to_string(c + 1) + "[K]";
    text += "\r\n";
    char buf[48];
    for (int i = 0, s = 0; i < lines; ++i, s = (s + 1 + i % 3) % 86400) {
        std::snprintf(buf, sizeof buf, "2008-05-%02d %02d:%02d:%02d", day, s / 3600, s / 60 % 60,
                      s % 60);
        text += buf;
        for (int c = 0; c < columns; ++c) {
            std::snprintf(buf, sizeof buf, ";%d,%d", (i / (c + 2)) % 400 - 50, (i + c) % 10);
            text += buf;
        }
        text += "\r\n";
    }
    return text;
}

class ReadAhead : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = fs::temp_directory_path() / ("korvex-readahead-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    static std::string write(const std::string& name, const std::string& bytes)
    {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    // A file of about 100 MB, written once for the suite.
    static const std::string& large()
    {
        static std::string path;
        if (path.empty()) {
            const std::string day = Day(15, 86400, 6);
            std::ofstream out(dir_ / "Lg10080515.csv", std::ios::binary);
            std::size_t size = 0;
            for (bool first = true; size < (100u << 20); first = false) {
                // The header once; the day again and again after it.
                const std::string_view part =
                    first ? std::string_view(day)
                          : std::string_view(day).substr(day.find('\n') + 1);
                out << part;
                size += part.size();
            }
            path = (dir_ / "Lg10080515.csv").string();
        }
        return path;
    }

    static fs::path dir_;
};

fs::path ReadAhead::dir_;

// The files of device 10, in the order given.
LogFileSelection Device10(const std::vector<std::string>& paths)
{
    LogFileSelection selection;
    for (const std::string& path : paths)
        selection.files.push_back(LogFileEntry{path, 0, "10", -1, 0});
    selection.devices = {"10"};
    return selection;
}

TEST_F(ReadAhead, AFileThatDoesNotFitWaitsForTheLoadingThreadsCheck)
{
    const std::vector<std::string> paths = {write("Lg10080501.csv", Day(1, 900, 3)),
                                            write("Lg10080502.csv", Day(2, 40000, 9)),
                                            write("Lg10080503.csv", Day(3, 700, 2))};
    std::vector<std::uint64_t> sizes;
    for (const std::string& p : paths)
        sizes.push_back(fs::file_size(p));
    // Room for the first file and the third, not for the second.
    const std::uint64_t room = LoadMemoryNeed(sizes[0] + sizes[2]);
    ASSERT_LT(room, LoadMemoryNeed(sizes[1]));
    std::atomic<int> asked{0};
    LogReadAhead ahead(paths, sizes, 2, [&] {
        ++asked;
        return MemoryRoom{room, std::nullopt};
    });
    std::unique_ptr<ParsedLogFile> file;
    ASSERT_EQ(ahead.next(milliseconds(5000), file), LogReadAhead::Next::Parsed);
    EXPECT_EQ(file->path, paths[0]);
    EXPECT_EQ(file->failure, LogFailure::None);
    // Past the age of the memory figure: it is asked again, and still the file is not read.
    std::this_thread::sleep_for(LogReadAhead::kRoomAge * 3);
    EXPECT_EQ(ahead.next(milliseconds(20), file), LogReadAhead::Next::NotYet);
    EXPECT_EQ(ahead.taken(), 1u);
    EXPECT_GE(asked.load(), 1);

    ahead.admit(1);
    ASSERT_EQ(ahead.next(milliseconds(5000), file), LogReadAhead::Next::Parsed);
    EXPECT_EQ(file->path, paths[1]);
    EXPECT_EQ(file->failure, LogFailure::None);
    ASSERT_EQ(ahead.next(milliseconds(5000), file), LogReadAhead::Next::Parsed);
    EXPECT_EQ(file->path, paths[2]);
}

// Files that never fit ahead still load, each after the loading thread admits it.
TEST_F(ReadAhead, ALoadWithoutRoomToReadAheadStillLoadsEveryFile)
{
    std::vector<std::string> paths;
    for (int d = 4; d <= 9; ++d)
        paths.push_back(
            write("Lg1008050" + std::to_string(d) + ".csv", Day(d, 300 + 97 * d, 1 + d % 4)));
    const LogFileSelection selection = Device10(paths);
    struct Target : LogLoadTarget {
        std::vector<std::string> order;
        void AddLogFile(const std::string& path) override { order.push_back("here " + path); }
        void AddParsedLogFile(const ParsedLogFile& file) override
        {
            order.push_back((file.failure == LogFailure::None ? "read " : "failed ") + file.path);
        }
        void BuildDeviceView(std::size_t) override {}
    } target;
    struct NoRoom : LogLoadObserver {
        std::atomic<int> asked{0};
        MemoryRoom ReadAheadRoom() override
        {
            ++asked;
            return MemoryRoom{std::nullopt, 1024};
        }
    } observer;
    const LogLoadResult result = RunLogLoad(selection, target, observer, 3);
    EXPECT_EQ(result.outcome, LogLoadOutcome::Completed);
    EXPECT_EQ(result.loaded, 6u);
    ASSERT_EQ(target.order.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(target.order[i], "read " + selection.files[i].path);
    // Whether a thread got to ask before the loading thread read every file itself is a race.
}

// While a thread reads the large file, the loading thread reads the small files after it itself,
// up to one above its limit, which it leaves to the thread. Every file comes out in list order.
TEST_F(ReadAhead, TheLoadingThreadReadsSmallFilesWhileItWaits)
{
    std::vector<std::string> paths = {large()};
    for (int d = 20; d <= 25; ++d)
        paths.push_back(write("Lg100805" + std::to_string(d) + ".csv",
                              Day(d, d == 24 ? 5000 : 200 + 31 * d, 2 + d % 3)));
    std::vector<std::uint64_t> sizes;
    for (const std::string& p : paths)
        sizes.push_back(fs::file_size(p));
    const std::uint64_t limit = sizes[5] - 1; // the file of day 24 is the only small one above
    for (std::size_t i = 1; i < paths.size(); ++i)
        ASSERT_EQ(sizes[i] > limit, i == 5) << i;
    LogReadAhead ahead(paths, sizes, 1, {}, limit);
    ahead.admit(paths.size() - 1);
    const auto start = Clock::now();
    while (ahead.taken() == 0 && Clock::now() - start < std::chrono::seconds(5))
        std::this_thread::sleep_for(milliseconds(1));
    ASSERT_EQ(ahead.taken(), 1u);

    std::unique_ptr<ParsedLogFile> file;
    ASSERT_EQ(ahead.next(milliseconds(10000), file), LogReadAhead::Next::Parsed);
    EXPECT_EQ(file->path, paths[0]);
    EXPECT_EQ(ahead.helped(), 4u); // days 20 to 23
    for (std::size_t i = 1; i < paths.size(); ++i) {
        ASSERT_EQ(ahead.next(milliseconds(10000), file), LogReadAhead::Next::Parsed) << i;
        EXPECT_EQ(file->path, paths[i]);
        EXPECT_EQ(file->failure, LogFailure::None);
        EXPECT_TRUE(file->dayRead);
    }
    EXPECT_EQ(ahead.next(milliseconds(1), file), LogReadAhead::Next::NotYet);
}

// Ahead of the loading thread's own check, it reads a file itself only when the file fits, as a
// thread would.
TEST_F(ReadAhead, TheLoadingThreadReadsAheadOnlyWhatFitsInMemory)
{
    const std::vector<std::string> paths = {write("Lg10080526.csv", Day(26, 800, 3)),
                                            write("Lg10080527.csv", Day(27, 20000, 4))};
    const std::vector<std::uint64_t> sizes = {fs::file_size(paths[0]), fs::file_size(paths[1])};
    const std::uint64_t room = LoadMemoryNeed(sizes[0]);
    ASSERT_LT(room, LoadMemoryNeed(sizes[1]));
    LogReadAhead ahead(
        paths, sizes, 1,
        [&] {
            return MemoryRoom{room, std::nullopt};
        },
        1u << 20);
    std::unique_ptr<ParsedLogFile> file;
    ASSERT_EQ(ahead.next(milliseconds(5000), file), LogReadAhead::Next::Parsed);
    EXPECT_EQ(ahead.next(milliseconds(30), file), LogReadAhead::Next::NotYet);
    EXPECT_EQ(ahead.taken(), 1u);
    ahead.admit(1);
    ASSERT_EQ(ahead.next(milliseconds(5000), file), LogReadAhead::Next::Parsed);
    EXPECT_EQ(file->path, paths[1]);
}

// A head start reads the files before the load begins, and the load takes what it read: a file
// changed on the disk meanwhile comes in as it was. Dropped unused, it stops at once, even in the
// middle of a large file.
TEST_F(ReadAhead, AHeadStartReadsBeforeTheLoadAndTheLoadTakesWhatItRead)
{
    std::vector<std::string> paths;
    for (int d = 10; d <= 12; ++d)
        paths.push_back(
            write("Lg100806" + std::to_string(d) + ".csv", Day(d % 28 + 1, 300 + 50 * d, 2)));
    const LogFileSelection selection = Device10(paths);
    struct Target : LogLoadTarget {
        std::vector<double> ends; // each file's last time
        void AddLogFile(const std::string&) override { ends.push_back(-1); }
        void AddParsedLogFile(const ParsedLogFile& file) override
        {
            ends.push_back(file.closeTime);
        }
        void BuildDeviceView(std::size_t) override {}
    };
    LogLoadObserver quiet;
    Target direct;
    RunLogLoad(selection, direct, quiet, 2);
    ASSERT_EQ(direct.ends.size(), 3u);

    Target started;
    {
        LogLoadHeadStart start(selection, quiet, 2);
        const auto until = Clock::now() + std::chrono::seconds(10);
        while (start.filesRead() < 3 && Clock::now() < until)
            std::this_thread::sleep_for(milliseconds(1));
        ASSERT_EQ(start.filesRead(), 3u);
        // The second file shrinks to its header and two lines.
        write("Lg10080611.csv", Day(12, 2, 2));
        const LogLoadResult result = RunLogLoad(selection, started, quiet, start);
        EXPECT_EQ(result.loaded, 3u);
        EXPECT_EQ(start.filesRead(), 0u); // spent
    }
    EXPECT_EQ(started.ends, direct.ends);
    Target after;
    RunLogLoad(selection, after, quiet, 2);
    ASSERT_EQ(after.ends.size(), 3u);
    EXPECT_LT(after.ends[1], direct.ends[1]); // the change itself was there to see

    // Unused, with a thread in the 100 MB file.
    const LogFileSelection large = Device10({ReadAhead::large(), ReadAhead::large()});
    std::optional<LogLoadHeadStart> start(std::in_place, large, quiet, 2);
    std::this_thread::sleep_for(milliseconds(30));
    const auto begin = Clock::now();
    start.reset();
    EXPECT_LT(std::chrono::duration_cast<milliseconds>(Clock::now() - begin).count(), kStopMs);
}

// Stopped at any moment of reading, splitting or parsing a 100 MB file, the threads are gone
// within 100 ms.
TEST_F(ReadAhead, AStopEndsTheThreadsWithin100MillisecondsInA100MegabyteFile)
{
    const std::string& path = large();
    const std::uint64_t size = fs::file_size(path);
    ASSERT_GE(size, 100u << 20);
    milliseconds slowest{0};
    for (const int after : {0, 15, 40, 80, 150, 300, 600}) {
        std::optional<LogReadAhead> ahead(std::in_place, std::vector<std::string>{path, path},
                                          std::vector<std::uint64_t>{size, size}, 2);
        std::this_thread::sleep_for(milliseconds(after));
        const auto start = Clock::now();
        ahead.reset();
        const auto took = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
        std::printf("stopped %d ms in: %lld ms\n", after, static_cast<long long>(took.count()));
        slowest = std::max(slowest, took);
    }
    EXPECT_LT(slowest.count(), kStopMs);
}

// Esc while the large file is read: the load returns within 100 ms of the cancel.
TEST_F(ReadAhead, CancelWhileALargeFileIsReadReturnsWithin100Milliseconds)
{
    const LogFileSelection selection =
        Device10({write("Lg10080514.csv", Day(14, 2000, 4)), large()});
    struct Target : LogLoadTarget {
        void AddLogFile(const std::string&) override {}
        void BuildDeviceView(std::size_t) override {}
    } target;
    struct CancelWhileWaiting : LogLoadObserver {
        int waitsBeforeCancel = 0;
        int waits = 0;
        Clock::time_point cancelled{};
        void Waiting() override { ++waits; }
        bool CancelRequested() override
        {
            if (waits > waitsBeforeCancel && cancelled == Clock::time_point{})
                cancelled = Clock::now();
            return cancelled != Clock::time_point{};
        }
    };
    for (const int waits : {1, 3, 8, 16}) {
        CancelWhileWaiting observer;
        observer.waitsBeforeCancel = waits;
        const LogLoadResult result = RunLogLoad(selection, target, observer, 2);
        const auto took =
            std::chrono::duration_cast<milliseconds>(Clock::now() - observer.cancelled);
        if (result.outcome == LogLoadOutcome::Completed)
            continue; // read before the cancel came: nothing to measure
        std::printf("cancelled after %d waits: returned in %lld ms\n", waits,
                    static_cast<long long>(took.count()));
        EXPECT_LT(took.count(), kStopMs) << waits;
    }
}

// The memory stop before the large file, as the open dialog makes it: the threads had not read
// the file ahead (it did not fit), so the load ends at once.
TEST_F(ReadAhead, AMemoryStopBeforeALargeFileEndsTheLoadAtOnce)
{
    const LogFileSelection selection = Device10({write("Lg10080513.csv", Day(13, 3000, 5)), large(),
                                                 write("Lg10080516.csv", Day(16, 500, 2))});
    struct Target : LogLoadTarget {
        std::vector<std::string> files;
        void AddLogFile(const std::string& path) override { files.push_back(path); }
        void AddParsedLogFile(const ParsedLogFile& file) override { files.push_back(file.path); }
        void BuildDeviceView(std::size_t) override {}
    } target;
    struct MemoryStop : LogLoadObserver {
        std::uint64_t room = 0;
        Clock::time_point stopped{};
        void BeforeFile(std::uintmax_t size) override
        {
            // A tenth of a second for the threads to read ahead what they may.
            std::this_thread::sleep_for(milliseconds(100));
            if (!LoadFitsInMemory(size, MemoryRoom{room, std::nullopt})) {
                stopped = Clock::now();
                throw std::runtime_error("no memory");
            }
        }
        MemoryRoom ReadAheadRoom() override { return MemoryRoom{room, std::nullopt}; }
    } observer;
    observer.room = LoadMemoryNeed(4u << 20);
    std::int64_t peak = 0;
    {
        const test::HeapPeak heap;
        EXPECT_THROW(RunLogLoad(selection, target, observer, 2), std::runtime_error);
        peak = heap.peak();
    }
    // Its 100 MB were never read.
    EXPECT_LT(peak, 40 << 20);
    const auto took = std::chrono::duration_cast<milliseconds>(Clock::now() - observer.stopped);
    std::printf("the load ended %lld ms after the memory stop\n",
                static_cast<long long>(took.count()));
    EXPECT_LT(took.count(), kStopMs);
    EXPECT_EQ(target.files, std::vector<std::string>{selection.files[0].path});
}

} // namespace
} // namespace korvex
