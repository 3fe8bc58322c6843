#include "ui/platform/System.h"

#include <QCoreApplication>

#include <new>

namespace korvex {

void QtSystem::ProcessEvents()
{
    QCoreApplication::processEvents();
}

bool QtSystem::CanAllocate(std::size_t bytes)
{
    // A call of the allocation function itself, unlike a new-expression, may not be optimised away.
    void* block = ::operator new(bytes, std::nothrow);
    if (block == nullptr)
        return false;
    ::operator delete(block);
    return true;
}

MemoryRoom QtSystem::AvailableMemory()
{
    return ReadMemoryRoom();
}

} // namespace korvex
