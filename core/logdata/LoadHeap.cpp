#include "core/logdata/LoadHeap.h"

#include <algorithm>
#include <fstream>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace korvex {

namespace {

constexpr int kLoadMmapThreshold = 32 << 20;
constexpr int kLoadTrimThreshold = 64 << 20;
constexpr int kDefaultTrimThreshold = 128 << 10;
constexpr int kDefaultTopPad = 128 << 10;
constexpr std::uint64_t kHugePage = 2u << 20;
constexpr std::uint64_t kLeastHuge = 4u << 20;
// The stretch takes address space only until it is written, but a system that counts every
// promise of memory (strict over-commit) counts all of it.
constexpr std::uint64_t kMostHuge = 512u << 20;

} // namespace

std::uint64_t ExpectedArrayBytes(std::uint64_t fileBytes)
{
    return fileBytes / 4;
}

bool HugePagesOnRequest()
{
    static const bool onRequest = [] {
        std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
        std::string modes;
        std::getline(in, modes);
        return modes.find("[madvise]") != std::string::npos;
    }();
    return onRequest;
}

void ReturnFreedHeap()
{
#if defined(__GLIBC__)
    ::malloc_trim(0);
#endif
}

LoadHeapTuning::LoadHeapTuning(std::uint64_t expectedArrays)
{
#if defined(__GLIBC__)
    ::mallopt(M_MMAP_THRESHOLD, kLoadMmapThreshold);
    ::mallopt(M_TRIM_THRESHOLD, kLoadTrimThreshold);
#if defined(MADV_HUGEPAGE)
    if (expectedArrays < kLeastHuge || !HugePagesOnRequest())
        return;
    const std::uint64_t stretch =
        (std::min(expectedArrays, kMostHuge) + 2 * kHugePage - 1) / kHugePage * kHugePage;
    // A block larger than the heap's free top, and then larger than all its free memory, can
    // only come from a grown top, which the pad grows by the stretch; the trim threshold keeps
    // the stretch until the load ends. Another allocator in place of this one leaves the break
    // where it was: nothing is asked then.
    ::mallopt(M_TRIM_THRESHOLD, kLoadTrimThreshold + static_cast<int>(stretch));
    auto* const before = static_cast<char*>(::sbrk(0));
    ::mallopt(M_TOP_PAD, static_cast<int>(stretch));
    const struct mallinfo2 info = ::mallinfo2();
    for (const std::size_t block : {info.keepcost + 64, info.fordblks + 64}) {
        if (block >= static_cast<std::size_t>(kLoadMmapThreshold) || ::sbrk(0) != before)
            break;
        void* volatile grown = std::malloc(block);
        std::free(grown);
    }
    ::mallopt(M_TOP_PAD, kDefaultTopPad);
    auto* const after = static_cast<char*>(::sbrk(0));
    if (before == reinterpret_cast<char*>(-1) || after <= before)
        return;
    const auto first =
        (reinterpret_cast<std::uintptr_t>(before) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(after) & ~(kHugePage - 1);
    if (end <= first)
        return;
    if (::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE) == 0) {
        hugeStart_ = reinterpret_cast<char*>(first);
        hugeSize_ = end - first;
    }
#endif
#else
    (void)expectedArrays;
#endif
}

LoadHeapTuning::~LoadHeapTuning()
{
#if defined(__GLIBC__)
#if defined(MADV_NOHUGEPAGE)
    // Part of the stretch may be trimmed already; what is still heap keeps its pages as they are.
    if (hugeSize_ != 0)
        ::madvise(hugeStart_, hugeSize_, MADV_NOHUGEPAGE);
#endif
    ::mallopt(M_TRIM_THRESHOLD, kDefaultTrimThreshold);
#endif
}

} // namespace korvex
