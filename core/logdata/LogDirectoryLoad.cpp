#include "core/logdata/LogDirectoryLoad.h"

#include <filesystem>
#include <system_error>

namespace korvex {

LogLoadResult RunLogLoad(const LogFileSelection& selection, LogLoadTarget& target,
                         LogLoadObserver& observer)
{
    LogLoadResult result;
    const std::size_t total = selection.files.size();
    std::size_t done = 0;
    for (const LogFileEntry& file : selection.files) {
        if (observer.CancelRequested()) {
            result.outcome = LogLoadOutcome::Cancelled;
            return result;
        }
        std::error_code ec;
        std::uintmax_t size = std::filesystem::file_size(file.path, ec);
        if (ec)
            size = 0;
        observer.BeforeFile(size);
        result.bytes += size;
        try {
            target.AddLogFile(file.path);
            ++result.loaded;
        } catch (const std::exception& e) {
            result.failures.push_back({file.path, e.what()});
        }
        observer.FileDone(++done, total, result.bytes);
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
