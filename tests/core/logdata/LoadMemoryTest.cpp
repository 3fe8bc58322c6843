#include "core/logdata/LoadMemory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace korvex {
namespace {

namespace fs = std::filesystem;

// A /proc and a cgroup tree of the test's own.
class LoadMemoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        root_ = fs::temp_directory_path() / ("korvex-memory-" + std::to_string(rd()));
        fs::create_directories(root_ / "proc" / "self");
        fs::create_directories(root_ / "cgroup");
    }
    void TearDown() override { fs::remove_all(root_); }

    void Write(const fs::path& relative, const std::string& text)
    {
        fs::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative, std::ios::binary) << text;
    }
    MemoryRoom Read() const
    {
        return ReadMemoryRoom((root_ / "proc").string(), (root_ / "cgroup").string());
    }

    fs::path root_;
};

const char* const kMeminfo = "MemTotal:       24576000 kB\n"
                             "MemFree:          512000 kB\n"
                             "MemAvailable:    1048576 kB\n"
                             "Buffers:           10240 kB\n";

TEST_F(LoadMemoryTest, ReadsMemAvailableAndTheTightestCgroupLimit)
{
    Write("proc/meminfo", kMeminfo);
    Write("proc/self/cgroup", "4:memory:/old\n0::/box/app\n");
    // The process's own group has no limit; its parent has, the root's files do not count.
    Write("cgroup/box/app/memory.max", "max\n");
    Write("cgroup/box/app/memory.current", "1000\n");
    Write("cgroup/box/memory.max", "536870912\n");
    Write("cgroup/box/memory.current", "432013312\n");
    const MemoryRoom room = Read();
    EXPECT_EQ(room.available, 1048576ull * 1024);
    EXPECT_EQ(room.cgroup, 100ull << 20);

    // A tighter limit below wins; usage above the limit leaves no room.
    Write("cgroup/box/app/memory.max", "5000\n");
    Write("cgroup/box/app/memory.current", "7000\n");
    EXPECT_EQ(Read().cgroup, 0u);
}

TEST_F(LoadMemoryTest, MissingOrUnreadableFiguresStayUnknown)
{
    EXPECT_FALSE(Read().available);
    EXPECT_FALSE(Read().cgroup);

    Write("proc/meminfo", "MemTotal: 1000 kB\n");
    Write("proc/self/cgroup", "0::/\n");
    EXPECT_FALSE(Read().available);
    EXPECT_FALSE(Read().cgroup);

    Write("proc/meminfo", "MemAvailable: lots kB\n");
    Write("proc/self/cgroup", "0::/a\n");
    Write("cgroup/a/memory.max", "max\n");
    Write("cgroup/a/memory.current", "12\n");
    EXPECT_FALSE(Read().available);
    EXPECT_FALSE(Read().cgroup);

    // No way out of the cgroup tree.
    Write("proc/self/cgroup", "0::/../a\n");
    Write("a/memory.max", "1\n");
    Write("a/memory.current", "1\n");
    EXPECT_FALSE(Read().cgroup);
}

TEST_F(LoadMemoryTest, TheSystemsOwnFiguresAreReadable)
{
    // Every Linux kernel since 3.14 gives MemAvailable.
    const MemoryRoom room = ReadMemoryRoom();
    ASSERT_TRUE(room.available);
    EXPECT_GT(*room.available, 0u);
}

TEST(LoadMemoryNeed, FileSizeTimesLoadingCostPlusMargin)
{
    EXPECT_EQ(LoadMemoryNeed(0), kLoadMemoryMargin);
    EXPECT_EQ(LoadMemoryNeed(150000), 150000 * kLoadBytesPerFileByte + kLoadMemoryMargin);
    EXPECT_GE(kLoadMemoryMargin, 25u << 20);
    // Absurd sizes do not wrap around to a small need.
    EXPECT_GT(LoadMemoryNeed(~0ull), 1ull << 62);

    const std::uint64_t need = LoadMemoryNeed(200000);
    EXPECT_TRUE(LoadFitsInMemory(200000, MemoryRoom{need, need}));
    EXPECT_FALSE(LoadFitsInMemory(200000, MemoryRoom{need - 1, std::nullopt}));
    EXPECT_FALSE(LoadFitsInMemory(200000, MemoryRoom{std::nullopt, need - 1}));
    EXPECT_FALSE(LoadFitsInMemory(200000, MemoryRoom{1ull << 40, 0}));
    // Without any figure nothing is stopped.
    EXPECT_TRUE(LoadFitsInMemory(~0ull, MemoryRoom{}));
}

} // namespace
} // namespace korvex
