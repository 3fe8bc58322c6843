#pragma once

// Heap bytes of the test program, counted by its own operator new while a HeapPeak lives: the
// peak of live bytes above those at its start. Resident memory cannot tell this in a test program
// whose earlier tests left freed memory behind for the allocator to reuse.

#include <cstdint>

namespace korvex::test {

class HeapPeak {
public:
    HeapPeak();
    ~HeapPeak();
    HeapPeak(const HeapPeak&) = delete;
    HeapPeak& operator=(const HeapPeak&) = delete;

    // Most bytes live at once since the start, beyond those live at the start.
    std::int64_t peak() const;
};

} // namespace korvex::test
