#pragma once

// Test seam for the rare failures of a load: memory running out at a given step, or no thread to
// be had. Tests arm one step; in normal runs each check is one relaxed atomic load.

#include <cstdint>

namespace korvex {

enum class LoadFault : std::uint8_t {
    None,
    SplitLines,      // splitting a file into its lines: std::bad_alloc
    ReadAheadResult, // a reading thread making the record of its file: std::bad_alloc
    RegisterField,   // registering a header's new field in the data set: std::bad_alloc
    ThreadList,      // making room for the list of reading threads: std::bad_alloc
    StartThread,     // starting a reading thread: std::system_error
};

// From now on, step fails `times` times in a row after passing `skip` times (on any thread).
void ArmLoadFault(LoadFault step, int skip = 0, int times = 1);
void DisarmLoadFault();

// Throws when step is armed and due.
void LoadFaultPoint(LoadFault step);

} // namespace korvex
