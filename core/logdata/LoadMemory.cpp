#include "core/logdata/LoadMemory.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <sstream>
#include <string_view>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace korvex {

namespace {

// Asked before every file of a load: plain reads into one buffer, without stream objects. The
// files of /proc and /sys report a size of 0 or 4096 whatever they hold, so reading goes on to
// the end.
bool ReadFile(const std::string& path, std::string& text)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    text.clear();
    char chunk[4096];
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got > 0) {
            text.append(chunk, static_cast<std::size_t>(got));
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        ok = got == 0;
        break;
    }
    ::close(fd);
    return ok;
}

bool ParseUnsigned(std::string_view text, std::uint64_t& value)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.remove_suffix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end != text.data();
}

std::optional<std::uint64_t> MemAvailable(const std::string& procDir)
{
    std::string text;
    if (!ReadFile(procDir + "/meminfo", text))
        return std::nullopt;
    constexpr std::string_view key = "MemAvailable:";
    const std::size_t at = text.find(key);
    if (at == std::string::npos)
        return std::nullopt;
    const std::size_t lineEnd = text.find('\n', at);
    std::string_view line =
        std::string_view(text).substr(at + key.size(), lineEnd - at - key.size());
    // "    123456 kB"
    const std::size_t unit = line.find("kB");
    std::uint64_t kib = 0;
    if (unit == std::string_view::npos || !ParseUnsigned(line.substr(0, unit), kib))
        return std::nullopt;
    return kib * 1024;
}

// The process's cgroup v2 path ("0::/user.slice/..."), empty when it has none.
std::string CgroupPath(const std::string& procDir)
{
    std::string text;
    if (!ReadFile(procDir + "/self/cgroup", text))
        return {};
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("0::", 0) == 0)
            return line.substr(3);
    }
    return {};
}

// The value of a "key value" line of a flat-keyed file such as memory.stat.
std::optional<std::uint64_t> KeyedValue(const std::string& text, std::string_view key)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = std::string_view(text).substr(at, end - at);
        std::uint64_t value = 0;
        if (line.size() > key.size() && line.substr(0, key.size()) == key &&
            line[key.size()] == ' ' && ParseUnsigned(line.substr(key.size() + 1), value))
            return value;
        at = end + 1;
    }
    return std::nullopt;
}

// What one cgroup folder can still give: memory.max less what it uses. memory.current counts the
// page cache too, which a long-running group fills up to its limit; the inactive part of it is
// given back on demand, so it does not count as used. Empty without a limit.
std::optional<std::uint64_t> CgroupRoom(const std::string& folder)
{
    std::string maxText, currentText;
    if (!ReadFile(folder + "/memory.max", maxText) ||
        !ReadFile(folder + "/memory.current", currentText))
        return std::nullopt;
    std::uint64_t limit = 0, current = 0;
    if (!ParseUnsigned(maxText, limit) || !ParseUnsigned(currentText, current))
        return std::nullopt; // "max": no limit
    std::string stat;
    if (ReadFile(folder + "/memory.stat", stat)) {
        if (const auto inactiveFile = KeyedValue(stat, "inactive_file"))
            current -= std::min(*inactiveFile, current);
    }
    return limit > current ? limit - current : 0;
}

} // namespace

MemoryRoom ReadMemoryRoom(const std::string& procDir, const std::string& cgroupRoot)
{
    MemoryRoom room;
    room.available = MemAvailable(procDir);
    std::string path = CgroupPath(procDir);
    if (path.empty() || path.front() != '/' || path.find("..") != std::string::npos)
        return room;
    // A limit further up (a container, a user slice) binds this process too.
    while (true) {
        if (const auto here = CgroupRoom(cgroupRoot + path))
            room.cgroup = std::min(*here, room.cgroup.value_or(*here));
        if (path.size() <= 1)
            break;
        const std::size_t slash = path.find_last_of('/');
        path.resize(slash == 0 ? 1 : slash);
    }
    return room;
}

std::uint64_t LoadMemoryNeed(std::uint64_t fileSize)
{
    constexpr std::uint64_t kMaxSize =
        (std::numeric_limits<std::uint64_t>::max() - kLoadMemoryMargin) / kLoadBytesPerFileByte;
    return std::min(fileSize, kMaxSize) * kLoadBytesPerFileByte + kLoadMemoryMargin;
}

bool LoadFitsInMemory(std::uint64_t fileSize, const MemoryRoom& room)
{
    const std::uint64_t need = LoadMemoryNeed(fileSize);
    return (!room.available || *room.available >= need) && (!room.cgroup || *room.cgroup >= need);
}

} // namespace korvex
