#pragma once

// Reading threads for a load: they read and parse the files of a list ahead of the loading
// thread, which takes the results in list order and applies them to its data sets (and, rather
// than wait for one, reads small files itself). The threads touch nothing but the file and their
// own result, so the data sets see exactly the calls of a one-by-one load.

#include "core/logdata/LoadMemory.h"
#include "core/logdata/ParsedLogFile.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace korvex {

// The number of reading threads of a load: KORVEX_READ_WORKERS when it holds a number from 1 to
// 64, else one per core (at least 1, at most 8). With 1 the loading thread reads the files itself.
std::size_t LogReadWorkers();

// What the system can still give, asked on the reading threads (so it must be safe there).
using MemoryRoomProbe = std::function<MemoryRoom()>;

class LogReadAhead {
public:
    // File bytes read but not yet taken by the loading thread, beyond the file it waits for.
    // Parsed, an ordinary log takes three to five times its size (kLoadBytesPerFileByte at
    // most); this keeps the files read ahead within a few tens of megabytes, however large.
    static constexpr std::uint64_t kAheadBytes = 8ull << 20;

    // A memory figure older than this is asked again before a file is read ahead.
    static constexpr std::chrono::milliseconds kRoomAge{50};

    // sizes: the files' sizes in bytes (0 when unknown), for the bounds on reading ahead.
    // memory: what the system can still give; a file the loading thread has not admitted yet is
    // read ahead only when it fits, together with the files read ahead and not yet taken.
    // Without a probe memory is not asked. helpBytes: while the loading thread waits in next(),
    // it reads files up to this size itself (0: it only waits). Throws when not one thread can
    // be started.
    LogReadAhead(std::vector<std::string> paths, std::vector<std::uint64_t> sizes,
                 std::size_t threads, MemoryRoomProbe memory = {}, std::uint64_t helpBytes = 0);
    // Stops the threads (a file being read or parsed is dropped part-way) and discards what is
    // queued.
    ~LogReadAhead();
    LogReadAhead(const LogReadAhead&) = delete;
    LogReadAhead& operator=(const LogReadAhead&) = delete;

    // The loading thread's own check passed for the file at index: it is read whatever the
    // memory figure says.
    void admit(std::size_t index);

    // How far the threads may read ahead of the loading thread, in files and in file bytes (the
    // file it waits for aside). By default 4 files per thread and 8 more (the loading thread
    // reads too), and kAheadBytes; a load that has not begun to take files may allow more.
    void setAheadLimit(std::size_t files, std::uint64_t bytes);
    void restoreAheadLimit() { setAheadLimit(4 * threadCount_ + 8, kAheadBytes); }

    enum class Next {
        NotYet,   // still being read
        Parsed,   // out holds the file
        ReadHere, // a thread could not parse it: the loading thread reads it itself
    };
    // The next file in list order, waiting at most `wait` for it.
    Next next(std::chrono::milliseconds wait, std::unique_ptr<ParsedLogFile>& out);

    // Files handed to reading threads so far, and those of them the loading thread read itself
    // (for tests).
    std::size_t taken() const;
    std::size_t helped() const;
    // Files read and waiting for the loading thread (for tests).
    std::size_t waiting() const;

private:
    void work();
    bool help(std::unique_lock<std::mutex>& lock);
    std::unique_ptr<ParsedLogFile> parse(std::size_t index, LogFileBuffer& buffer);
    void store(std::size_t index, std::unique_ptr<ParsedLogFile> parsed);
    bool mayTake(std::size_t index);
    bool fitsInMemory(std::size_t index);

    const std::vector<std::string> paths_;
    const std::vector<std::uint64_t> sizes_;
    const std::size_t threadCount_;
    const MemoryRoomProbe memory_;
    const std::uint64_t helpBytes_;
    LogFileBuffer helpBuffer_; // the loading thread's, while it helps
    mutable std::mutex mutex_;
    std::condition_variable ready_; // a result arrived
    std::condition_variable room_;  // the loading thread took one, or stop
    std::vector<std::unique_ptr<ParsedLogFile>> results_;
    std::vector<std::uint8_t> unparsed_; // a thread gave up on the file (out of memory)
    std::size_t admitted_ = 0;           // files below this index passed the loading thread's check
    MemoryRoom roomSeen_;                // the last memory figure, and when it was asked
    std::chrono::steady_clock::time_point roomAt_{};
    bool roomKnown_ = false;
    std::size_t taken_ = 0;        // files handed to a thread
    std::size_t helped_ = 0;       // of them, read by the loading thread
    std::size_t delivered_ = 0;    // files handed to the loading thread
    std::uint64_t aheadBytes_ = 0; // sizes of files taken by threads but not yet delivered
    std::size_t aheadFilesLimit_;
    std::uint64_t aheadBytesLimit_ = kAheadBytes;
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

} // namespace korvex
