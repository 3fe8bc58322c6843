#include "core/logdata/LogReadAhead.h"

#include "core/logdata/LoadFaults.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace korvex {

std::size_t LogReadWorkers()
{
    if (const char* forced = std::getenv("KORVEX_READ_WORKERS")) {
        const std::string_view text(forced);
        std::size_t n = 0;
        bool digits = !text.empty() && text.size() <= 2;
        for (char c : text) {
            digits = digits && c >= '0' && c <= '9';
            n = n * 10 + static_cast<std::size_t>(c - '0');
        }
        if (digits && n >= 1 && n <= 64)
            return n;
    }
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp<std::size_t>(cores, 1, 8);
}

LogReadAhead::LogReadAhead(std::vector<std::string> paths, std::vector<std::uint64_t> sizes,
                           std::size_t threads, MemoryRoomProbe memory)
    : paths_(std::move(paths)), sizes_(std::move(sizes)),
      threadCount_(std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(paths_.size(), 1))),
      memory_(std::move(memory)), results_(paths_.size()), unparsed_(paths_.size(), 0)
{
    try {
        LoadFaultPoint(LoadFault::ThreadList);
        threads_.reserve(threadCount_);
        for (std::size_t i = 0; i < threadCount_; ++i) {
            LoadFaultPoint(LoadFault::StartThread);
            threads_.emplace_back([this] { work(); });
        }
    } catch (...) {
        // Threads that could not start leave the work to those that did; none at all cannot be.
        if (threads_.empty())
            throw;
    }
}

LogReadAhead::~LogReadAhead()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    room_.notify_all();
    for (std::thread& t : threads_)
        t.join();
}

void LogReadAhead::admit(std::size_t index)
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        admitted_ = std::max(admitted_, index + 1);
    }
    room_.notify_all();
}

std::size_t LogReadAhead::taken() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return taken_;
}

bool LogReadAhead::fitsInMemory(std::size_t index)
{
    if (!memory_)
        return true;
    const auto now = std::chrono::steady_clock::now();
    if (!roomKnown_ || now - roomAt_ > kRoomAge) {
        // Asked under the lock, but at most once per kRoomAge: a few files read from /proc.
        try {
            roomSeen_ = memory_();
        } catch (const std::exception&) {
            roomSeen_ = MemoryRoom{};
        }
        roomAt_ = now;
        roomKnown_ = true;
    }
    // The files read ahead and not yet taken still hold (or will hold) their memory.
    const std::uint64_t size = index < sizes_.size() ? sizes_[index] : 0;
    return LoadFitsInMemory(aheadBytes_ + size, roomSeen_);
}

bool LogReadAhead::mayTake(std::size_t index)
{
    if (index < admitted_)
        return true;
    // Ahead of the loading thread's check: only while the files read ahead stay small in number
    // and size, and only what fits in memory. The file the loading thread needs next is read
    // whatever its size.
    const std::size_t maxFiles = 4 * threadCount_ + 4;
    const std::uint64_t size = index < sizes_.size() ? sizes_[index] : 0;
    if (index != delivered_ && (index >= delivered_ + maxFiles || aheadBytes_ + size > kAheadBytes))
        return false;
    return fitsInMemory(index);
}

void LogReadAhead::work()
{
    LogFileBuffer buffer;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        room_.wait(lock, [this] { return stop_ || (taken_ < paths_.size() && mayTake(taken_)); });
        if (stop_)
            return;
        const std::size_t index = taken_++;
        aheadBytes_ += index < sizes_.size() ? sizes_[index] : 0;
        lock.unlock();

        std::unique_ptr<ParsedLogFile> parsed;
        try {
            ParsedLogFile file = ReadAndParseLogFile(paths_[index], buffer, &stop_);
            LoadFaultPoint(LoadFault::ReadAheadResult);
            parsed = std::make_unique<ParsedLogFile>(std::move(file));
        } catch (const std::exception&) {
            // Out of memory: the loading thread reads this file itself.
            parsed.reset();
        }
        // A large file's buffer is not kept for the day files that follow.
        if (buffer.size() > (4u << 20))
            buffer.release();

        // Nothing is allocated under the lock: memory running out here would end the program.
        lock.lock();
        if (parsed)
            results_[index] = std::move(parsed);
        else
            unparsed_[index] = 1;
        if (index == delivered_)
            ready_.notify_all();
    }
}

LogReadAhead::Next LogReadAhead::next(std::chrono::milliseconds wait,
                                      std::unique_ptr<ParsedLogFile>& out)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (delivered_ >= paths_.size())
        return Next::NotYet;
    if (!ready_.wait_for(lock, wait, [this] {
            return results_[delivered_] != nullptr || unparsed_[delivered_] != 0;
        }))
        return Next::NotYet;
    const bool readHere = unparsed_[delivered_] != 0;
    out = std::move(results_[delivered_]);
    aheadBytes_ -= delivered_ < sizes_.size() ? sizes_[delivered_] : 0;
    ++delivered_;
    lock.unlock();
    room_.notify_all();
    return readHere ? Next::ReadHere : Next::Parsed;
}

} // namespace korvex
