#include "core/logdata/LogDirectoryLoad.h"

#include "core/logdata/LoadHeap.h"
#include "core/logdata/LogReadAhead.h"
#include "core/logdata/ParsedLogFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <numeric>
#include <string_view>
#include <system_error>
#include <thread>

namespace korvex {

void LogLoadTarget::AddParsedLogFile(const ParsedLogFile& file)
{
    AddLogFile(file.path);
}

MemoryRoom LogLoadObserver::ReadAheadRoom()
{
    return ReadMemoryRoom();
}

namespace {

// The size of a regular file, 0 for anything else or what cannot be asked. Relative to its
// folder, opened once for all its files: a stat by the whole path walks every folder above it
// again, a third of the time of the stat.
class FolderSizes {
public:
    FolderSizes() = default;
    ~FolderSizes() { closeFolder(); }
    FolderSizes(const FolderSizes&) = delete;
    FolderSizes& operator=(const FolderSizes&) = delete;

    std::uint64_t sizeOf(const std::string& path)
    {
        const std::size_t slash = path.rfind('/');
        if (slash != std::string::npos && slash + 1 < path.size()) {
            const std::string_view folder(path.data(), slash + 1);
            if (folder != folder_) {
                closeFolder();
                folder_.assign(folder);
                fd_ = ::open(folder_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            }
            struct stat info {};
            if (fd_ >= 0)
                return ::fstatat(fd_, path.c_str() + slash + 1, &info, 0) == 0 &&
                               S_ISREG(info.st_mode)
                           ? static_cast<std::uint64_t>(info.st_size)
                           : 0;
        }
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(path, ec);
        return ec ? 0 : static_cast<std::uint64_t>(size);
    }

private:
    void closeFolder()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

    std::string folder_;
    int fd_ = -1;
};

std::vector<std::uint64_t> FileSizes(const LogFileSelection& selection)
{
    const std::size_t count = selection.files.size();
    std::vector<std::uint64_t> sizes(count, 0);
    // A size not had stays 0, unknown: it only bounds the reading ahead.
    const auto ask = [&](std::size_t from, std::size_t to) noexcept {
        try {
            FolderSizes folders;
            for (std::size_t i = from; i < to; ++i)
                sizes[i] = folders.sizeOf(selection.files[i].path);
        } catch (const std::exception&) {
        }
    };
    // Before the files can be read: a second thread asks for half of them.
    constexpr std::size_t kShared = 256;
    std::thread helper;
    std::size_t own = count;
    if (count >= kShared) {
        try {
            helper = std::thread(ask, count / 2, count);
            own = count / 2;
        } catch (const std::system_error&) {
        }
    }
    ask(0, own);
    if (helper.joinable())
        helper.join();
    return sizes;
}

// The next file from the reading threads, keeping the caller's events going while a thread
// still reads it; false when the load is cancelled meanwhile.
bool NextParsed(LogReadAhead& ahead, LogLoadObserver& observer, LogReadAhead::Next& state,
                std::unique_ptr<ParsedLogFile>& parsed)
{
    for (;;) {
        state = ahead.next(kWaitStep, parsed);
        if (state != LogReadAhead::Next::NotYet)
            return true;
        observer.Waiting();
        if (observer.CancelRequested())
            return false;
    }
}

// The largest file the loading thread reads itself while it waits: a few milliseconds of work,
// so that the caller's events keep going.
constexpr std::uint64_t kHelpBytes = 1u << 20;

// How far a head start reads before the load begins: about what a reading thread parses while a
// window is built, and still a few tens of megabytes of staged points.
constexpr std::size_t kHeadStartFiles = 512;
constexpr std::uint64_t kHeadStartBytes = 24u << 20;

// The reading threads of a load, or none when there is nothing to share out or no thread to be
// had (the files are then read on the loading thread, one by one).
std::unique_ptr<LogReadAhead> StartReading(const LogFileSelection& selection,
                                           const std::vector<std::uint64_t>& sizes,
                                           LogLoadObserver& observer, std::size_t workers)
{
    if (workers <= 1 || selection.files.size() <= 1)
        return nullptr;
    try {
        std::vector<std::string> paths;
        paths.reserve(selection.files.size());
        for (const LogFileEntry& file : selection.files)
            paths.push_back(file.path);
        // The loading thread reads too while it would wait: one thread fewer than workers.
        return std::make_unique<LogReadAhead>(
            std::move(paths), sizes, workers - 1, [&observer] { return observer.ReadAheadRoom(); },
            kHelpBytes);
    } catch (const std::exception&) {
        return nullptr;
    }
}

bool LoadFiles(const LogFileSelection& selection, LogLoadTarget& target, LogLoadObserver& observer,
               const std::vector<std::uint64_t>& sizes, LogReadAhead* ahead, LogLoadResult& result)
{
    const std::size_t total = selection.files.size();
    for (std::size_t i = 0; i < total; ++i) {
        if (observer.CancelRequested())
            return false;
        observer.BeforeFile(sizes[i]);
        result.bytes += sizes[i];
        try {
            LogReadAhead::Next state = LogReadAhead::Next::ReadHere;
            std::unique_ptr<ParsedLogFile> parsed;
            if (ahead) {
                ahead->admit(i);
                if (!NextParsed(*ahead, observer, state, parsed))
                    return false;
            }
            if (state == LogReadAhead::Next::Parsed)
                target.AddParsedLogFile(*parsed);
            else
                target.AddLogFile(selection.files[i].path);
            ++result.loaded;
        } catch (const std::exception& e) {
            result.failures.push_back({selection.files[i].path, e.what()});
        }
        observer.FileDone(i + 1, total, result.bytes);
    }
    return true;
}

} // namespace

struct LogLoadHeadStart::State {
    State(const LogFileSelection& files, std::vector<std::uint64_t> fileSizes)
        : selection(&files), sizes(std::move(fileSizes)),
          heap(ExpectedArrayBytes(std::accumulate(sizes.begin(), sizes.end(), std::uint64_t{0})))
    {}

    const LogFileSelection* selection = nullptr;
    std::vector<std::uint64_t> sizes;
    LoadHeapTuning heap;
    std::unique_ptr<LogReadAhead> ahead;
};

namespace {

// What a load holds while it reads: the heap kept, the files' sizes and the reading threads.
std::unique_ptr<LogLoadHeadStart::State>
BeginReading(const LogFileSelection& selection, LogLoadObserver& observer, std::size_t workers)
{
    auto state = std::make_unique<LogLoadHeadStart::State>(selection, FileSizes(selection));
    state->ahead =
        StartReading(selection, state->sizes, observer, workers == 0 ? LogReadWorkers() : workers);
    return state;
}

} // namespace

LogLoadHeadStart::LogLoadHeadStart(const LogFileSelection& selection, LogLoadObserver& observer,
                                   std::size_t workers)
    : state_(BeginReading(selection, observer, workers))
{
    if (state_->ahead)
        state_->ahead->setAheadLimit(kHeadStartFiles, kHeadStartBytes);
}

LogLoadHeadStart::~LogLoadHeadStart() = default;

std::size_t LogLoadHeadStart::filesRead() const
{
    return state_ && state_->ahead ? state_->ahead->waiting() : 0;
}

namespace {

// After the files: the heap's spare pages back to the system (unless the caller ends right
// after), then every device completed.
LogLoadResult FinishLoad(const LogFileSelection& selection, LogLoadTarget& target,
                         LogLoadObserver& observer, bool completed, LogLoadResult result)
{
    if (observer.ReturnHeapAfterFiles())
        ReturnFreedHeap();
    if (!completed) {
        result.outcome = LogLoadOutcome::Cancelled;
        return result;
    }
    for (std::size_t device = 0; device < selection.devices.size(); ++device) {
        if (observer.CancelRequested()) {
            result.outcome = LogLoadOutcome::Cancelled;
            return result;
        }
        try {
            target.BuildDeviceView(device);
        } catch (const std::exception& e) {
            observer.DeviceFailed(device, e);
        }
        observer.DeviceDone(device);
    }
    return result;
}

// Every file, read by the threads of state, which ends with the files (its heap with it); then
// the devices.
LogLoadResult LoadAndFinish(const LogFileSelection& selection, LogLoadTarget& target,
                            LogLoadObserver& observer,
                            std::unique_ptr<LogLoadHeadStart::State> state)
{
    LogLoadResult result;
    const bool completed =
        LoadFiles(selection, target, observer, state->sizes, state->ahead.get(), result);
    state.reset();
    return FinishLoad(selection, target, observer, completed, std::move(result));
}

} // namespace

LogLoadResult RunLogLoad(const LogFileSelection& selection, LogLoadTarget& target,
                         LogLoadObserver& observer, std::size_t workers)
{
    return LoadAndFinish(selection, target, observer, BeginReading(selection, observer, workers));
}

LogLoadResult RunLogLoad(const LogFileSelection& selection, LogLoadTarget& target,
                         LogLoadObserver& observer, LogLoadHeadStart& start)
{
    std::unique_ptr<LogLoadHeadStart::State> state = std::move(start.state_);
    if (!state || state->selection != &selection) {
        // Spent already, or begun for another selection: its threads stop, an ordinary load.
        state.reset();
        return RunLogLoad(selection, target, observer);
    }
    if (state->ahead)
        state->ahead->restoreAheadLimit();
    return LoadAndFinish(selection, target, observer, std::move(state));
}

LogLoadResult RunLogLoad(const LogFileSelection& selection, LogLoadTarget& target)
{
    LogLoadObserver quiet;
    return RunLogLoad(selection, target, quiet);
}

std::vector<std::string> FailureLines(const std::vector<LogLoadFailure>& failures)
{
    std::vector<std::string> lines;
    lines.reserve(failures.size() * 3);
    for (const LogLoadFailure& f : failures) {
        lines.push_back(f.path);
        lines.push_back(f.message);
        lines.emplace_back();
    }
    return lines;
}

} // namespace korvex
