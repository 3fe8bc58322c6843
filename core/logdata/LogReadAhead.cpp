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
                           std::size_t threads, MemoryRoomProbe memory, std::uint64_t helpBytes)
    : paths_(std::move(paths)), sizes_(std::move(sizes)),
      threadCount_(std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(paths_.size(), 1))),
      memory_(std::move(memory)), helpBytes_(helpBytes), results_(paths_.size()),
      unparsed_(paths_.size(), 0), aheadFilesLimit_(4 * threadCount_ + 8)
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

void LogReadAhead::setAheadLimit(std::size_t files, std::uint64_t bytes)
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        aheadFilesLimit_ = files;
        aheadBytesLimit_ = bytes;
    }
    room_.notify_all();
}

std::size_t LogReadAhead::taken() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return taken_;
}

std::size_t LogReadAhead::helped() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return helped_;
}

std::size_t LogReadAhead::waiting() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    std::size_t n = 0;
    for (std::size_t i = delivered_; i < results_.size(); ++i)
        n += results_[i] != nullptr || unparsed_[i] != 0 ? 1 : 0;
    return n;
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
    const std::uint64_t size = index < sizes_.size() ? sizes_[index] : 0;
    if (index != delivered_ &&
        (index >= delivered_ + aheadFilesLimit_ || aheadBytes_ + size > aheadBytesLimit_))
        return false;
    return fitsInMemory(index);
}

std::unique_ptr<ParsedLogFile> LogReadAhead::parse(std::size_t index, LogFileBuffer& buffer)
{
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
    return parsed;
}

// Under the lock. Nothing is allocated here: memory running out would end the program.
void LogReadAhead::store(std::size_t index, std::unique_ptr<ParsedLogFile> parsed)
{
    if (parsed)
        results_[index] = std::move(parsed);
    else
        unparsed_[index] = 1;
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
        std::unique_ptr<ParsedLogFile> parsed = parse(index, buffer);
        lock.lock();
        store(index, std::move(parsed));
        if (index == delivered_)
            ready_.notify_all();
    }
}

// The loading thread, while the file it needs is still being read, reads the next small file
// itself instead of sleeping: a core fewer is lent to a reading thread, and the files it reads
// need not travel between cores. False when there is nothing it may take.
bool LogReadAhead::help(std::unique_lock<std::mutex>& lock)
{
    if (helpBytes_ == 0 || taken_ >= paths_.size())
        return false;
    const std::size_t index = taken_;
    const std::uint64_t size = index < sizes_.size() ? sizes_[index] : 0;
    if (size == 0 || size > helpBytes_ || !mayTake(index))
        return false;
    ++taken_;
    ++helped_;
    aheadBytes_ += size;
    lock.unlock();
    std::unique_ptr<ParsedLogFile> parsed = parse(index, helpBuffer_);
    lock.lock();
    store(index, std::move(parsed));
    return true;
}

LogReadAhead::Next LogReadAhead::next(std::chrono::milliseconds wait,
                                      std::unique_ptr<ParsedLogFile>& out)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (delivered_ >= paths_.size())
        return Next::NotYet;
    const auto arrived = [this] {
        return results_[delivered_] != nullptr || unparsed_[delivered_] != 0;
    };
    const auto until = std::chrono::steady_clock::now() + wait;
    while (!arrived() && std::chrono::steady_clock::now() < until && help(lock)) {
    }
    if (!ready_.wait_until(lock, until, arrived))
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
