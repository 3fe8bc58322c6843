#include "core/logdata/LogDirectoryLoad.h"

#include "core/services/Errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace korvex {
namespace {

LogFileSelection Selection(const std::vector<std::string>& paths, std::vector<std::string> devices)
{
    LogFileSelection sel;
    for (const std::string& p : paths) {
        LogFileEntry e;
        e.path = p;
        sel.files.push_back(e);
    }
    sel.devices = std::move(devices);
    return sel;
}

struct RecordingTarget : LogLoadTarget {
    std::vector<std::string> calls;
    void AddLogFile(const std::string& path) override
    {
        calls.push_back("file " + path);
        if (path.find("bad") != std::string::npos)
            throw KorvexError("cannot read\n\n" + path);
        if (path.find("odd") != std::string::npos)
            throw std::out_of_range("index");
    }
    void BuildDeviceView(std::size_t device) override
    {
        calls.push_back("device " + std::to_string(device));
        if (device == 1)
            throw KorvexError("device broke");
    }
};

struct RecordingObserver : LogLoadObserver {
    int cancelAfterFiles = -1;
    int files = 0;
    std::vector<std::string> events;
    std::vector<std::uintmax_t> sizes;
    bool CancelRequested() override { return cancelAfterFiles >= 0 && files >= cancelAfterFiles; }
    void BeforeFile(std::uintmax_t size) override
    {
        events.push_back("before");
        sizes.push_back(size);
    }
    void FileDone(std::size_t done, std::size_t total, std::uintmax_t) override
    {
        ++files;
        events.push_back("done " + std::to_string(done) + "/" + std::to_string(total));
    }
    void DeviceFailed(std::size_t device, const std::exception& e) override
    {
        events.push_back("failed " + std::to_string(device) + " " + e.what());
    }
    void DeviceDone(std::size_t device) override
    {
        events.push_back("device " + std::to_string(device));
    }
};

TEST(RunLogLoad, FailingFilesAreCollectedAndTheLoadGoesOn)
{
    const LogFileSelection sel =
        Selection({"a/10100501.csv", "a/bad21100501.csv", "a/10100502.csv", "a/odd30100502.csv"},
                  {"10", "21", "30"});
    RecordingTarget target;
    RecordingObserver observer;
    const LogLoadResult result = RunLogLoad(sel, target, observer);

    EXPECT_EQ(result.outcome, LogLoadOutcome::Completed);
    EXPECT_EQ(result.loaded, 2u);
    ASSERT_EQ(result.failures.size(), 2u);
    EXPECT_EQ(result.failures[0].path, "a/bad21100501.csv");
    EXPECT_EQ(result.failures[0].message, "cannot read\n\na/bad21100501.csv");
    EXPECT_EQ(result.failures[1].message, "index");
    EXPECT_EQ(target.calls,
              (std::vector<std::string>{"file a/10100501.csv", "file a/bad21100501.csv",
                                        "file a/10100502.csv", "file a/odd30100502.csv", "device 0",
                                        "device 1", "device 2"}));
    // A device that fails is reported and the next one still follows.
    EXPECT_EQ(observer.events,
              (std::vector<std::string>{"before", "done 1/4", "before", "done 2/4", "before",
                                        "done 3/4", "before", "done 4/4", "device 0",
                                        "failed 1 device broke", "device 1", "device 2"}));

    EXPECT_EQ(FailureLines(result.failures),
              (std::vector<std::string>{"a/bad21100501.csv", "cannot read\n\na/bad21100501.csv", "",
                                        "a/odd30100502.csv", "index", ""}));
}

TEST(RunLogLoad, CancelStopsBeforeTheNextFileAndSkipsTheDevices)
{
    const LogFileSelection sel =
        Selection({"x/10100501.csv", "x/10100502.csv", "x/10100503.csv"}, {"10"});
    RecordingTarget target;
    RecordingObserver observer;
    observer.cancelAfterFiles = 2;
    const LogLoadResult result = RunLogLoad(sel, target, observer);
    EXPECT_EQ(result.outcome, LogLoadOutcome::Cancelled);
    EXPECT_EQ(target.calls,
              (std::vector<std::string>{"file x/10100501.csv", "file x/10100502.csv"}));
}

TEST(RunLogLoad, AnExceptionBeforeAFileEndsTheLoad)
{
    struct OutOfMemory : LogLoadObserver {
        void BeforeFile(std::uintmax_t) override { throw KorvexError("not enough memory"); }
    } observer;
    RecordingTarget target;
    const LogFileSelection sel = Selection({"x/10100501.csv"}, {"10"});
    EXPECT_THROW(RunLogLoad(sel, target, observer), KorvexError);
    EXPECT_TRUE(target.calls.empty());
}

TEST(RunLogLoad, EachFileIsAnnouncedWithItsSize)
{
    const auto dir = std::filesystem::temp_directory_path() /
                     ("korvex-load-sizes-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir);
    const std::vector<std::size_t> sizes = {1200, 0, 70001};
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        paths.push_back((dir / ("1010050" + std::to_string(i + 1) + ".csv")).string());
        std::ofstream(paths.back(), std::ios::binary) << std::string(sizes[i], 'x');
    }
    paths.push_back((dir / "10100509.csv").string()); // gone before the load

    RecordingTarget target;
    RecordingObserver observer;
    const LogLoadResult result = RunLogLoad(Selection(paths, {"10"}), target, observer);
    EXPECT_EQ(observer.sizes, (std::vector<std::uintmax_t>{1200, 0, 70001, 0}));
    EXPECT_EQ(result.bytes, 71201u);
    std::filesystem::remove_all(dir);
}

TEST(RunLogLoad, ManyFilesInTurnsFromTwoFoldersAreEachAnnouncedWithTheirOwnSize)
{
    const auto dir = std::filesystem::temp_directory_path() /
                     ("korvex-load-folders-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir / "a");
    std::filesystem::create_directories(dir / "b b");
    std::vector<std::string> paths;
    std::vector<std::uintmax_t> expected;
    for (int i = 0; i < 300; ++i) {
        const auto folder = dir / (i % 3 == 0 ? "b b" : "a");
        const std::size_t size = static_cast<std::size_t>(i * 37 % 1013);
        paths.push_back((folder / ("10" + std::to_string(100000 + i) + ".csv")).string());
        std::ofstream(paths.back(), std::ios::binary) << std::string(size, 'x');
        expected.push_back(size);
    }
    // A folder named like a file, a link to a file of the other folder, a file gone: late in
    // the list, where the second thread asks.
    std::filesystem::create_directories(dir / "a" / "10999991.csv");
    paths.push_back((dir / "a" / "10999991.csv").string());
    expected.push_back(0);
    std::filesystem::create_symlink(paths[3], dir / "a" / "10999992.csv");
    paths.push_back((dir / "a" / "10999992.csv").string());
    expected.push_back(expected[3]);
    paths.push_back((dir / "b b" / "10999993.csv").string());
    expected.push_back(0);

    RecordingTarget target;
    RecordingObserver observer;
    const LogLoadResult result = RunLogLoad(Selection(paths, {"10"}), target, observer);
    EXPECT_EQ(observer.sizes, expected);
    std::uintmax_t total = 0;
    for (const std::uintmax_t size : expected)
        total += size;
    EXPECT_EQ(result.bytes, total);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace korvex
