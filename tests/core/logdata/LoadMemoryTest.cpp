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

// A long-running group's page cache fills it up to its limit; the inactive part is given back on
// demand and must not stop a load.
TEST_F(LoadMemoryTest, ReclaimableFileCacheCountsAsRoom)
{
    Write("proc/meminfo", kMeminfo);
    Write("proc/self/cgroup", "0::/ctr\n");
    Write("cgroup/ctr/memory.max", "1073741824\n");
    Write("cgroup/ctr/memory.current", std::to_string((1ull << 30) - (10ull << 20)) + "\n");
    // Without memory.stat only the current use is known.
    EXPECT_EQ(Read().cgroup, 10ull << 20);
    Write("cgroup/ctr/memory.stat", "anon 104857600\nfile 900000000\nactive_anon 1\n"
                                    "inactive_anon 2\nactive_file 94371840\n"
                                    "inactive_file 805306368\nunevictable 0\n");
    const MemoryRoom room = Read();
    EXPECT_EQ(room.cgroup, (10ull << 20) + (768ull << 20));
    EXPECT_TRUE(LoadFitsInMemory(100000, room));
    EXPECT_TRUE(LoadFitsInMemory(20u << 20, room));

    // More inactive cache than use (figures read at different moments) leaves the whole limit.
    Write("cgroup/ctr/memory.current", "5000\n");
    EXPECT_EQ(Read().cgroup, 1ull << 30);
}

TEST_F(LoadMemoryTest, NestedLimitsEachLessTheirOwnCache)
{
    Write("proc/meminfo", kMeminfo);
    Write("proc/self/cgroup", "0::/pod/ctr/app\n");
    // app: no limit. ctr: 512 MiB, 500 MiB used of which 300 MiB inactive cache: 312 MiB room.
    // pod: 2 GiB, 1.9 GiB used of which 64 MiB inactive cache: about 164 MiB room, the least.
    Write("cgroup/pod/ctr/app/memory.max", "max\n");
    Write("cgroup/pod/ctr/app/memory.current", "1234\n");
    Write("cgroup/pod/ctr/app/memory.stat", "inactive_file 1000\n");
    Write("cgroup/pod/ctr/memory.max", std::to_string(512ull << 20) + "\n");
    Write("cgroup/pod/ctr/memory.current", std::to_string(500ull << 20) + "\n");
    Write("cgroup/pod/ctr/memory.stat",
          "active_file 7\ninactive_file " + std::to_string(300ull << 20) + "\n");
    Write("cgroup/pod/memory.max", std::to_string(2048ull << 20) + "\n");
    Write("cgroup/pod/memory.current", std::to_string(1946ull << 20) + "\n");
    // A key that only ends in the one asked for does not count.
    Write("cgroup/pod/memory.stat",
          "zswap_inactive_file 999999999\ninactive_file " + std::to_string(64ull << 20) + "\n");
    EXPECT_EQ(Read().cgroup, 166ull << 20);

    // The pod's cache given back too: the container's limit binds.
    Write("cgroup/pod/memory.stat", "inactive_file " + std::to_string(1000ull << 20) + "\n");
    EXPECT_EQ(Read().cgroup, 312ull << 20);

    // "max" all the way up: no cgroup figure at all.
    Write("cgroup/pod/memory.max", "max\n");
    Write("cgroup/pod/ctr/memory.max", "max\n");
    EXPECT_FALSE(Read().cgroup);
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

// Files of the kernel read in pieces: a figure far down a long file, and one cut by where a
// piece ends, are still found whole; a folder where a file was expected is no figure.
TEST_F(LoadMemoryTest, FiguresBeyondTheFirstPieceOfALongFile)
{
    std::string meminfo;
    for (int i = 0; meminfo.size() < 9000; ++i)
        meminfo += "Hugepages_" + std::to_string(i) + ":    " + std::to_string(i * 37) + " kB\n";
    // The value straddles the 8192nd byte.
    meminfo.resize(8192 - 20, 'x');
    meminfo += "\nMemAvailable:    2097152 kB\n";
    Write("proc/meminfo", meminfo);
    Write("proc/self/cgroup", "0::/ctr\n");
    Write("cgroup/ctr/memory.max", "2147483648\n");
    Write("cgroup/ctr/memory.current", "1610612736\n");
    std::string stat;
    for (int i = 0; stat.size() < 5000; ++i)
        stat += "pgfault_" + std::to_string(i) + " " + std::to_string(i * 3) + "\n";
    stat += "inactive_file 268435456\n";
    Write("cgroup/ctr/memory.stat", stat);
    const MemoryRoom room = Read();
    EXPECT_EQ(room.available, 2097152ull * 1024);
    EXPECT_EQ(room.cgroup, 768ull << 20);

    fs::remove(root_ / "proc" / "meminfo");
    fs::create_directories(root_ / "proc" / "meminfo");
    EXPECT_FALSE(Read().available);
    EXPECT_EQ(Read().cgroup, 768ull << 20);
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
