#pragma once

#include "core/logdata/LoadMemory.h"

#include <cstddef>

namespace korvex {

constexpr std::size_t kMemoryProbeBytes = 26214400; // 25 MiB

// Message loop and memory, as a load on the UI thread needs them.
class System {
public:
    virtual ~System() = default;
    // Handles the window messages that are waiting (keeps the program responsive in long loops).
    virtual void ProcessEvents() = 0;
    // True when a block of that many bytes can be obtained now; it is released at once.
    virtual bool CanAllocate(std::size_t bytes) = 0;
    // What the system and the process's control groups can still give.
    virtual MemoryRoom AvailableMemory() = 0;
};

class QtSystem final : public System {
public:
    void ProcessEvents() override;
    bool CanAllocate(std::size_t bytes) override;
    MemoryRoom AvailableMemory() override;
};

} // namespace korvex
