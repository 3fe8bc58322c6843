#include "tests/core/logdata/HeapCount.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace korvex::test {
namespace {

std::atomic<bool> g_counting{false};
std::atomic<std::int64_t> g_live{0};
std::atomic<std::int64_t> g_peak{0};

void* Allocate(std::size_t n)
{
    void* p = std::malloc(n == 0 ? 1 : n);
    if (!p)
        throw std::bad_alloc();
    if (g_counting.load(std::memory_order_relaxed)) {
        const auto size = static_cast<std::int64_t>(::malloc_usable_size(p));
        const std::int64_t live = g_live.fetch_add(size) + size;
        std::int64_t peak = g_peak.load();
        while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
        }
    }
    return p;
}

void Release(void* p) noexcept
{
    if (p && g_counting.load(std::memory_order_relaxed))
        g_live.fetch_sub(static_cast<std::int64_t>(::malloc_usable_size(p)));
    std::free(p);
}

} // namespace

HeapPeak::HeapPeak()
{
    g_live = 0;
    g_peak = 0;
    g_counting = true;
}

HeapPeak::~HeapPeak()
{
    g_counting = false;
}

std::int64_t HeapPeak::peak() const
{
    return g_peak.load();
}

} // namespace korvex::test

void* operator new(std::size_t n)
{
    return korvex::test::Allocate(n);
}
void* operator new[](std::size_t n)
{
    return korvex::test::Allocate(n);
}
void operator delete(void* p) noexcept
{
    korvex::test::Release(p);
}
void operator delete[](void* p) noexcept
{
    korvex::test::Release(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    korvex::test::Release(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    korvex::test::Release(p);
}
// The library's own temporary buffers (std::stable_sort) come from the nothrow forms: they must
// meet the same release as every other block.
void* operator new(std::size_t n, const std::nothrow_t&) noexcept
{
    try {
        return korvex::test::Allocate(n);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept
{
    try {
        return korvex::test::Allocate(n);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    korvex::test::Release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    korvex::test::Release(p);
}
