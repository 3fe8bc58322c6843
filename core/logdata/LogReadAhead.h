#pragma once

// Reading threads for a load: they read and parse the files of a list ahead of the loading
// thread, which takes the results in list order and applies them to its data sets. The threads
// touch nothing but the file and their own result, so the data sets see exactly the calls of a
// one-by-one load.

#include "core/logdata/ParsedLogFile.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace korvex {

// The number of reading threads of a load: KORVEX_READ_WORKERS when it holds a number from 1 to
// 64, else one per core (at least 1, at most 8). With 1 the loading thread reads the files itself.
std::size_t LogReadWorkers();

class LogReadAhead {
public:
    // File bytes read but not yet taken by the loading thread, beyond the file it waits for.
    // Parsed, a file takes about five times its size at most; this keeps the files read ahead
    // within a few tens of megabytes, however large they are.
    static constexpr std::uint64_t kAheadBytes = 8ull << 20;

    // sizes: the files' sizes in bytes (0 when unknown), for the bound on reading ahead.
    LogReadAhead(std::vector<std::string> paths, std::vector<std::uint64_t> sizes,
                 std::size_t threads);
    // Stops the threads (a file being parsed is dropped part-way) and discards what is queued.
    ~LogReadAhead();
    LogReadAhead(const LogReadAhead&) = delete;
    LogReadAhead& operator=(const LogReadAhead&) = delete;

    // The next file in list order, waiting at most `wait` for it; null when it is not ready yet.
    std::unique_ptr<ParsedLogFile> next(std::chrono::milliseconds wait);

private:
    void work();
    bool mayTake(std::size_t index) const;

    const std::vector<std::string> paths_;
    const std::vector<std::uint64_t> sizes_;
    const std::size_t threadCount_;
    std::mutex mutex_;
    std::condition_variable ready_; // a result arrived
    std::condition_variable room_;  // the loading thread took one, or stop
    std::vector<std::unique_ptr<ParsedLogFile>> results_;
    std::size_t taken_ = 0;        // files handed to a thread
    std::size_t delivered_ = 0;    // files handed to the loading thread
    std::uint64_t aheadBytes_ = 0; // sizes of files taken by threads but not yet delivered
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

} // namespace korvex
