#pragma once

#include "core/services/DayTime.h"

#include <cstddef>
#include <string>
#include <vector>

namespace korvex {

// Realistic, deterministic log files for demonstrations, tests and benchmarks. The same device,
// day and options always give the same bytes, whatever range the day is written in.
struct SampleOptions {
    int intervalMinutes = 1;   // time between two lines
    unsigned seed = 1;         // varies weather, water draws, gaps and faults
    bool faults = true;        // now and then a few hours without lines and "Err" cells
    bool monthFolders = false; // WriteSampleLogs: files go below DIR/yyyy-mm/
};

// Device kinds by number: 10 to 20 solar controller (device cell, "DATE & TIME"), 21 to 29
// heating circuit (no device cell, "dd.mm.yy hh:mm"), 30 to 39 fresh-water station.
bool IsSampleDevice(int device);
std::vector<int> DefaultSampleDevices(); // 10, 21, 30

// "NNyymmdd.csv"; the year must lie in 2000..2099.
std::string SampleFileName(int device, DayTime day);

// One day's log file as it lies on disk: Windows-1252, CR LF. Throws std::invalid_argument for
// a device number of no known kind or a day outside 2000..2099.
std::string SampleLogBytes(int device, DayTime day, const SampleOptions& options = {});

// Writes one file per device and day of [from, to] (whole days) into dir, creating folders as
// needed. Returns the number of files written; throws std::runtime_error when writing fails.
std::size_t WriteSampleLogs(const std::string& dir, DayTime from, DayTime to,
                            const std::vector<int>& devices, const SampleOptions& options = {});

} // namespace korvex
