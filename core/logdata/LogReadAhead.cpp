#include "core/logdata/LogReadAhead.h"

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
                           std::size_t threads)
    : paths_(std::move(paths)), sizes_(std::move(sizes)),
      threadCount_(std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(paths_.size(), 1))),
      results_(paths_.size())
{
    threads_.reserve(threadCount_);
    try {
        for (std::size_t i = 0; i < threadCount_; ++i)
            threads_.emplace_back([this] { work(); });
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

bool LogReadAhead::mayTake(std::size_t index) const
{
    // The file the loading thread needs next is always read; the others only while the files
    // read ahead stay small in number and size.
    if (index == delivered_)
        return true;
    const std::size_t maxFiles = 4 * threadCount_ + 4;
    const std::uint64_t size = index < sizes_.size() ? sizes_[index] : 0;
    return index < delivered_ + maxFiles && aheadBytes_ + size <= kAheadBytes;
}

void LogReadAhead::work()
{
    std::vector<char> buffer;
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
            parsed =
                std::make_unique<ParsedLogFile>(ReadAndParseLogFile(paths_[index], buffer, &stop_));
        } catch (const std::exception&) {
            // Out of memory: the loading thread reads this file itself.
            parsed.reset();
        }
        // A large file's buffer is not kept for the day files that follow.
        if (buffer.size() > (4u << 20))
            std::vector<char>().swap(buffer);

        lock.lock();
        if (!parsed) {
            parsed = std::make_unique<ParsedLogFile>();
            parsed->path = paths_[index];
            parsed->failure = LogFailure::Unparsed;
        }
        results_[index] = std::move(parsed);
        if (index == delivered_)
            ready_.notify_all();
    }
}

std::unique_ptr<ParsedLogFile> LogReadAhead::next(std::chrono::milliseconds wait)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (delivered_ >= paths_.size())
        return nullptr;
    if (!ready_.wait_for(lock, wait, [this] { return results_[delivered_] != nullptr; }))
        return nullptr;
    std::unique_ptr<ParsedLogFile> result = std::move(results_[delivered_]);
    aheadBytes_ -= delivered_ < sizes_.size() ? sizes_[delivered_] : 0;
    ++delivered_;
    lock.unlock();
    room_.notify_all();
    return result;
}

} // namespace korvex
