#include "core/logdata/LoadHeap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace korvex {
namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kOwnAllocator = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kOwnAllocator = true;
#else
constexpr bool kOwnAllocator = false;
#endif
#else
constexpr bool kOwnAllocator = false;
#endif

// The flags of the mapping that holds address, as /proc/self/smaps lists them ("" if none does).
std::string FlagsAt(const void* address)
{
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    bool inside = false;
    while (std::getline(smaps, line)) {
        std::uintptr_t from = 0, to = 0;
        char dash = 0;
        std::istringstream head(line);
        if (head >> std::hex >> from >> dash >> to && dash == '-' && line.find(':') > 20) {
            inside = from <= at && at < to;
            continue;
        }
        if (inside && line.rfind("VmFlags:", 0) == 0)
            return line;
    }
    return {};
}

bool HasFlag(const std::string& flags, const char* flag)
{
    return (flags + " ").find(std::string(" ") + flag + " ") != std::string::npos;
}

TEST(LoadHeap, ALargeLoadAsksForHugePagesUntilItEnds)
{
    if (kOwnAllocator || !HugePagesOnRequest())
        GTEST_SKIP() << "huge pages are not given on request here";
    const char* start = nullptr;
    std::size_t size = 0;
    {
        LoadHeapTuning tuning(ExpectedArrayBytes(400u << 20));
        start = tuning.hugeStart();
        size = tuning.hugeSize();
        ASSERT_GE(size, std::size_t{64} << 20);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(start) % (2u << 20), 0u);
        EXPECT_TRUE(HasFlag(FlagsAt(start), "hg")) << FlagsAt(start);
        EXPECT_TRUE(HasFlag(FlagsAt(start + size - 1), "hg")) << FlagsAt(start + size - 1);

        // The stretch is the heap's own: blocks come from it, are written and freed as any.
        std::vector<void*> blocks;
        bool inside = false;
        for (int i = 0; i < 16; ++i) {
            auto* block = static_cast<char*>(std::malloc(std::size_t{3} << 20));
            ASSERT_NE(block, nullptr);
            std::memset(block, i, std::size_t{3} << 20);
            inside = inside || (block >= start && block < start + size);
            blocks.push_back(block);
        }
        EXPECT_TRUE(inside);
        for (void* block : blocks)
            std::free(block);
    }
    // What is still mapped of it asks for no more huge pages.
    const std::string after = FlagsAt(start);
    if (!after.empty()) {
        EXPECT_FALSE(HasFlag(after, "hg")) << after;
        EXPECT_TRUE(HasFlag(after, "nh")) << after;
    }
}

TEST(LoadHeap, ASmallLoadAsksForNothing)
{
    LoadHeapTuning tuning(ExpectedArrayBytes(8u << 20));
    EXPECT_EQ(tuning.hugeSize(), 0u);
    EXPECT_EQ(tuning.hugeStart(), nullptr);
}

} // namespace
} // namespace korvex
