#pragma once

// Whether the next log file still fits in memory. Linux hands out memory it does not have
// (over-commit), so a trial allocation never fails; the load compares what a file will take with
// what the system and the process's control groups can still give, and stops in time instead of
// swapping or being killed with everything lost.

#include <cstdint>
#include <optional>
#include <string>

namespace korvex {

// What the system can still give, in bytes; a figure that cannot be read is left empty.
struct MemoryRoom {
    std::optional<std::uint64_t> available; // MemAvailable of meminfo
    // Least memory.max - (memory.current - inactive_file of memory.stat) up the cgroup tree.
    std::optional<std::uint64_t> cgroup;
};

// Reads the figures of this process: procDir/meminfo, procDir/self/cgroup and the cgroup v2
// files below cgroupRoot. Tests point both at folders of their own.
MemoryRoom ReadMemoryRoom(const std::string& procDir = "/proc",
                          const std::string& cgroupRoot = "/sys/fs/cgroup");

// Memory that loading takes at most per byte of log file while the file is read: its bytes, the
// list of its lines, its staged points and their place in the series. Measured by heap capacity
// over every kind of file (ReaderLimits.HeapPeakOfEveryKindOfFileIsWithinTheLoadingNeed): 3 to 5
// for ordinary logs, 17 for one-character cells every second or a file of nothing but line
// breaks, 28.3 at worst for one-character cells with a null before every value of every other
// line (0.7 points per byte).
constexpr std::uint64_t kLoadBytesPerFileByte = 32;
// Held back beyond a file's own need; the size of the trial block of the load loop.
constexpr std::uint64_t kLoadMemoryMargin = 25ull << 20;

// What loading a file of that size needs, margin included.
std::uint64_t LoadMemoryNeed(std::uint64_t fileSize);
// True unless a known figure is below the need.
bool LoadFitsInMemory(std::uint64_t fileSize, const MemoryRoom& room);

} // namespace korvex
