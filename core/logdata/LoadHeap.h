#pragma once

// How the heap behaves while a load runs.
//
// Every file leaves a few hundred kilobytes of parsed lines, freed once applied, and the program
// tries a block of tens of megabytes before every file. By default the allocator gives such
// memory back to the system at once (maps and unmaps the large block, trims the heaps' tops) and
// takes it again, page fault by page fault, for the next file. During a load the heaps keep it;
// the trim after the load gives back what is left free. Blocks below 32 MiB stay heap blocks
// after the load too (setting the limit ends the allocator's own moving of it): the data sets'
// arrays trimmed after the load leave their old blocks to the heap, and the trim returns them.
//
// The series' arrays grow into fresh heap pages: a year of two devices takes thousands of page
// faults of 4 KiB each. Where the system gives huge pages to memory that asks for them, the
// stretch of heap the arrays will take is asked for them before the load (one fault per 2 MiB)
// and no longer once it ends, so that the system does not fill the heap's scattered pages up to
// huge ones while the program stays open.

#include <cstddef>
#include <cstdint>

namespace korvex {

class LoadHeapTuning {
public:
    // expectedArrays: about what the load's series will take, in bytes; nothing is asked for
    // huge pages below a few megabytes.
    explicit LoadHeapTuning(std::uint64_t expectedArrays);
    ~LoadHeapTuning();
    LoadHeapTuning(const LoadHeapTuning&) = delete;
    LoadHeapTuning& operator=(const LoadHeapTuning&) = delete;

    // The heap's stretch asked for huge pages; size 0 when none was (no such pages on this
    // system, another allocator, or too little to load).
    const char* hugeStart() const { return hugeStart_; }
    std::size_t hugeSize() const { return hugeSize_; }

private:
    char* hugeStart_ = nullptr;
    std::size_t hugeSize_ = 0;
};

// The heap's free pages back to the system. After a load, the files' bytes and staged points,
// freed by then, lie scattered in the heap between the series' arrays; the allocator keeps such
// pages unless asked to give them back.
void ReturnFreedHeap();

// The series' arrays of a load of that many bytes of log files, about: a quarter of them.
std::uint64_t ExpectedArrayBytes(std::uint64_t fileBytes);

// True when the system gives huge pages only to memory that asks for them.
bool HugePagesOnRequest();

} // namespace korvex
