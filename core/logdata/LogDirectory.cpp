#include "core/logdata/LogDirectory.h"

#include "core/logdata/DeviceNames.h"

#include <dirent.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

namespace korvex {

namespace fs = std::filesystem;

namespace {

// A whole text as a decimal integer with an optional sign, within the int range.
bool ParseInteger(std::string_view text, int& out)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return false;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isdigit(c))
            return false;
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (negative)
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return false;
    out = static_cast<int>(value);
    return true;
}

bool EndsWithCsv(std::string_view name)
{
    if (name.size() < 4)
        return false;
    const std::string_view ext = name.substr(name.size() - 4);
    return ext[0] == '.' && std::tolower(static_cast<unsigned char>(ext[1])) == 'c' &&
           std::tolower(static_cast<unsigned char>(ext[2])) == 's' &&
           std::tolower(static_cast<unsigned char>(ext[3])) == 'v';
}

bool TwoDigits(std::string_view text, std::size_t at, int& out)
{
    if (at + 2 > text.size())
        return false;
    const unsigned char a = static_cast<unsigned char>(text[at]);
    const unsigned char b = static_cast<unsigned char>(text[at + 1]);
    if (!std::isdigit(a) || !std::isdigit(b))
        return false;
    out = (a - '0') * 10 + (b - '0');
    return true;
}

// yymmdd to a date; two-digit years are 2000 to 2099.
bool DateOfKey(int key, DayTime& day)
{
    if (key < 0 || key > 999999)
        return false;
    return TryEncodeDate(2000 + key / 10000, key / 100 % 100, key % 100, day);
}

LogFileEntry MakeEntry(std::string path, int sortKey)
{
    LogFileEntry entry;
    entry.sortKey = sortKey;
    const std::size_t n = path.size();
    // The same characters the reader and the analysis assign the file by.
    entry.deviceText = DeviceNumberText(path);
    int key = 0;
    if (n >= 10 && ParseInteger(std::string_view(path).substr(n - 10, 6), key) && key >= 0) {
        entry.nameKey = key;
        DayTime day = 0;
        if (DateOfKey(key, day))
            entry.day = day;
    }
    entry.path = std::move(path);
    return entry;
}

// The folder's entries as the system lists them: a path object per entry, split into its
// parts, took most of a scan's time before the files could be read.
class Collector {
public:
    explicit Collector(std::vector<LogFileEntry>& out) : out_(out) {}

    // The directory's files and those of its subdirectories down to depth further levels.
    // Returns false when dir itself could not be listed; unreadable subdirectories are passed.
    bool Collect(const std::string& dir, int depth)
    {
        const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(dir.c_str()), ::closedir);
        if (!folder)
            return false;
        const std::string prefix = dir.empty() || dir.back() == '/' ? dir : dir + '/';
        std::vector<std::string> subdirs;
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(folder.get())) {
            const std::string_view name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            // A link or an entry of unknown kind: what it leads to decides.
            bool directory = entry->d_type == DT_DIR;
            if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
                std::error_code typeError;
                directory = fs::is_directory(fs::path(prefix + entry->d_name), typeError);
                if (typeError)
                    continue;
            }
            if (directory) {
                if (depth > 0)
                    subdirs.push_back(prefix + entry->d_name);
            } else {
                names.emplace_back(name);
            }
        }
        // Listing order is the file system's; sort so that the scan is reproducible.
        std::sort(subdirs.begin(), subdirs.end());
        for (const std::string& sub : subdirs)
            Collect(sub, depth - 1);
        for (std::string& name : names) {
            int key = 0;
            if (LogFileSortKey(name, key))
                out_.push_back(MakeEntry(prefix + name, key));
        }
        return true;
    }

private:
    std::vector<LogFileEntry>& out_;
};

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

bool LogFileSortKey(std::string_view fileName, int& key)
{
    if (!EndsWithCsv(fileName))
        return false;
    const std::string_view stem = fileName.substr(0, fileName.size() - 4);
    if (stem.size() < 3)
        return false;
    return ParseInteger(stem.substr(2), key);
}

bool LogFileNameDate(std::string_view fileName, DayTime& day)
{
    const std::size_t dot = fileName.rfind('.');
    const std::string_view stem =
        dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
    int yy = 0, mm = 0, dd = 0;
    if (!TwoDigits(stem, 2, yy) || !TwoDigits(stem, 4, mm) || !TwoDigits(stem, 6, dd))
        return false;
    return TryEncodeDate(2000 + yy, mm, dd, day);
}

int DayKey(DayTime day)
{
    int year = 0, month = 0, dayOfMonth = 0;
    DecodeDate(day, year, month, dayOfMonth);
    return (year % 100) * 10000 + month * 100 + dayOfMonth;
}

LogDirectoryScan ScanLogDirectory(const std::string& dir)
{
    LogDirectoryScan scan;
    if (dir.empty())
        return scan;
    std::error_code ec;
    // Full paths, as the reader counts the device number's position from the path's end.
    const fs::path root = fs::absolute(fs::path(dir), ec);
    if (ec)
        return scan;
    if (!fs::is_directory(root, ec))
        return scan;

    std::vector<LogFileEntry> files;
    Collector collector(files);
    if (!collector.Collect(root.string(), 2)) {
        scan.status = ScanStatus::Unreadable;
        return scan;
    }
    scan.status = ScanStatus::Ok;

    std::sort(files.begin(), files.end(), [](const LogFileEntry& a, const LogFileEntry& b) {
        return a.sortKey != b.sortKey ? a.sortKey < b.sortKey : a.path < b.path;
    });

    // The range ends must carry a date; undatable names at either end are dropped.
    std::size_t first = 0;
    std::size_t last = files.size();
    DayTime lastDay = 0;
    while (last > first && !LogFileNameDate(FileNameOf(files[last - 1].path), lastDay))
        --last;
    DayTime firstDay = 0;
    while (first < last && !LogFileNameDate(FileNameOf(files[first].path), firstDay))
        ++first;
    if (first == last)
        return scan;

    scan.files.assign(std::make_move_iterator(files.begin() + static_cast<std::ptrdiff_t>(first)),
                      std::make_move_iterator(files.begin() + static_cast<std::ptrdiff_t>(last)));
    scan.firstDay = firstDay;
    scan.lastDay = lastDay;
    return scan;
}

LogFileSelection SelectLogFiles(const LogDirectoryScan& scan, DayTime from, DayTime to)
{
    LogFileSelection selection;
    const int fromKey = DayKey(from);
    const int toKey = DayKey(to);
    for (const LogFileEntry& entry : scan.files) {
        // Six name digits that are no number belong to no range; such a file is left out
        // instead of stopping the whole load.
        if (entry.nameKey < 0 || entry.nameKey < fromKey || entry.nameKey > toKey)
            continue;
        selection.files.push_back(entry);
        selection.devices.push_back(entry.deviceText);
    }
    std::sort(selection.devices.begin(), selection.devices.end());
    selection.devices.erase(std::unique(selection.devices.begin(), selection.devices.end()),
                            selection.devices.end());

    return selection;
}

} // namespace korvex
