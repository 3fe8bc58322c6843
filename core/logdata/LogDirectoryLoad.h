#pragma once

#include "core/logdata/LoadMemory.h"
#include "core/logdata/LogDirectory.h"

#include <chrono>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace korvex {

// The loading of an analysis's files, shared by the open dialog and the command-line tool: one
// file after the other into its device's data set, a failing file noted and passed over, then
// every device completed. Reading threads (LogReadAhead) parse the files ahead; the data sets
// are filled on the calling thread in list order, as one-by-one reading would fill them.

struct ParsedLogFile;

struct LogLoadFailure {
    std::string path;    // full path
    std::string message; // the error's text (UTF-8)
};

// What receives the files: the analysis window, or the core analysis of the command-line tool.
class LogLoadTarget {
public:
    virtual ~LogLoadTarget() = default;
    // Throws for a file that cannot be loaded; the load goes on with the next file.
    virtual void AddLogFile(const std::string& path) = 0;
    // The same with the file read and parsed by a reading thread. A target that cannot take it
    // reads the file again.
    virtual void AddParsedLogFile(const ParsedLogFile& file);
    // Completes one device (position in the selection's devices) after all files are read.
    virtual void BuildDeviceView(std::size_t device) = 0;
};

// How long the loop waits for a reading thread before the observer's Waiting() and cancel poll.
inline constexpr std::chrono::milliseconds kWaitStep{20};

// The caller's part of the loop: cancellation, pacing and progress. Every hook may be left as is.
class LogLoadObserver {
public:
    virtual ~LogLoadObserver() = default;
    // Polled before every file and every device; true cancels the load.
    virtual bool CancelRequested() { return false; }
    // Before every file, with its size in bytes (0 when unknown): memory check, pending events.
    // An exception here ends the load and leaves this function.
    virtual void BeforeFile(std::uintmax_t /*fileSize*/) {}
    // After every file: files handled so far, their total, bytes of the files handled so far.
    virtual void FileDone(std::size_t /*done*/, std::size_t /*total*/, std::uintmax_t /*bytes*/) {}
    // While the next file is still being read, every kWaitStep: pending events. Cancellation
    // is polled right after.
    virtual void Waiting() {}
    // A device that could not be completed; the next device follows.
    virtual void DeviceFailed(std::size_t /*device*/, const std::exception& /*error*/) {}
    // After every device, failed or not.
    virtual void DeviceDone(std::size_t /*device*/) {}
    // What the system can still give, asked on the reading threads before they read a file
    // ahead of BeforeFile (at most every LogReadAhead::kRoomAge): ReadMemoryRoom() unless
    // replaced. Must be safe to call from any thread.
    virtual MemoryRoom ReadAheadRoom();
    // Whether the load gives the heap's freed pages back to the system when the files are in
    // (ReturnFreedHeap); a caller that ends right after the load need not.
    virtual bool ReturnHeapAfterFiles() { return true; }
};

enum class LogLoadOutcome { Completed, Cancelled };

struct LogLoadResult {
    LogLoadOutcome outcome = LogLoadOutcome::Completed;
    std::vector<LogLoadFailure> failures; // in load order
    std::size_t loaded = 0;               // files read without failure
    std::uintmax_t bytes = 0;             // size of the files handled
};

// Loads selection.files in order into target, then builds every device of selection.devices.
// Stops early (outcome Cancelled) when the observer asks; the target then holds a partial load
// and the files read ahead are dropped. workers: threads that read files, the calling thread
// among them (LogReadWorkers() when 0; with 1 the calling thread reads every file itself).
LogLoadResult RunLogLoad(const LogFileSelection& selection, LogLoadTarget& target,
                         LogLoadObserver& observer, std::size_t workers = 0);
LogLoadResult RunLogLoad(const LogFileSelection& selection, LogLoadTarget& target);

// The reading threads of a load started before the load itself: they read and parse the first
// files (a few hundred, some tens of megabytes, as memory allows) while the caller still builds
// what takes them. Dropped unused, it stops the threads and frees what they read.
class LogLoadHeadStart {
public:
    // selection and observer must outlive the head start; workers as RunLogLoad takes them.
    LogLoadHeadStart(const LogFileSelection& selection, LogLoadObserver& observer,
                     std::size_t workers = 0);
    ~LogLoadHeadStart();
    LogLoadHeadStart(const LogLoadHeadStart&) = delete;
    LogLoadHeadStart& operator=(const LogLoadHeadStart&) = delete;

    // Files its threads have read so far (for tests).
    std::size_t filesRead() const;

    struct State;

private:
    friend LogLoadResult RunLogLoad(const LogFileSelection&, LogLoadTarget&, LogLoadObserver&,
                                    LogLoadHeadStart&);
    std::unique_ptr<State> state_;
};

// RunLogLoad with the head start's threads and what they have read; the head start is spent.
// For another selection than the head start's, an ordinary load.
LogLoadResult RunLogLoad(const LogFileSelection& selection, LogLoadTarget& target,
                         LogLoadObserver& observer, LogLoadHeadStart& start);

// The failures as the file-error list shows them: path, message, empty line per file.
std::vector<std::string> FailureLines(const std::vector<LogLoadFailure>& failures);

} // namespace korvex
