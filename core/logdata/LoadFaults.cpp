#include "core/logdata/LoadFaults.h"

#include <atomic>
#include <new>
#include <system_error>

namespace korvex {

namespace {

std::atomic<LoadFault> g_armed{LoadFault::None};
std::atomic<int> g_skip{0};
std::atomic<int> g_times{0};

} // namespace

void ArmLoadFault(LoadFault step, int skip, int times)
{
    g_armed.store(LoadFault::None);
    g_skip.store(skip);
    g_times.store(times);
    g_armed.store(step);
}

void DisarmLoadFault()
{
    g_armed.store(LoadFault::None);
}

void LoadFaultPoint(LoadFault step)
{
    if (g_armed.load(std::memory_order_relaxed) != step)
        return;
    if (g_skip.fetch_sub(1) > 0)
        return;
    if (g_times.fetch_sub(1) <= 1)
        g_armed.store(LoadFault::None);
    if (step == LoadFault::StartThread)
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again),
                                "thread");
    throw std::bad_alloc();
}

} // namespace korvex
