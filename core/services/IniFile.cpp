#include "core/services/IniFile.h"

#include "core/services/Cp1252.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace korvex {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

std::string_view Unquote(std::string_view v)
{
    if (v.size() >= 2 && IsQuote(v.front()) && v.front() == v.back())
        return v.substr(1, v.size() - 2);
    return v;
}

// The text that reads back as exactly this value: line breaks cannot be stored and become
// blanks; a value that the reader would trim or unquote is protected by an extra pair of quotes.
std::string StorableValue(std::string_view value)
{
    std::string v(value);
    for (char& c : v)
        if (c == '\r' || c == '\n')
            c = ' ';
    const bool needsQuotes =
        !v.empty() && (IsBlank(v.front()) || IsBlank(v.back()) ||
                       (v.size() >= 2 && IsQuote(v.front()) && v.front() == v.back()));
    return needsQuotes ? '"' + v + '"' : v;
}

bool HasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

std::optional<long long> ParseInteger(std::string_view s)
{
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        const std::string_view digits = s.substr(2);
        unsigned long long v = 0;
        const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
        if (r.ec != std::errc() || r.ptr != digits.data() + digits.size())
            return std::nullopt;
        return static_cast<long long>(v);
    }
    std::string_view digits = s;
    if (!digits.empty() && digits[0] == '+')
        digits.remove_prefix(1);
    if (digits.empty() || digits[0] == '+')
        return std::nullopt;
    long long v = 0;
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v, 10);
    if (r.ec != std::errc() || r.ptr != digits.data() + digits.size())
        return std::nullopt;
    return v;
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Temporary files of writes that were killed before their rename ("." + base + ".XXXXXX"). Only
// called under the lock, so no write of ours is using one.
void RemoveStaleTemporaries(const std::string& dir, const std::string& base)
{
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return;
    const std::string prefix = "." + base + ".";
    std::vector<std::string> stale;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name = e->d_name;
        if (name.size() == prefix.size() + 6 && name.substr(0, prefix.size()) == prefix)
            stale.emplace_back(name);
    }
    ::closedir(d);
    const std::string folder = dir.back() == '/' ? dir : dir + '/';
    for (const std::string& name : stale)
        ::unlink((folder + name).c_str());
}

// Temporary file in the same folder, synced, then renamed over the target, so that a crash
// leaves either the old or the new file, never a half-written one.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes)
{
    std::string target = path;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        // Replace the file the link points to, not the link.
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    const std::size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string tmp = (slash == std::string::npos ? std::string() : dir) + "." + base + ".XXXXXX";

    const int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        return false;
    mode_t mode = 0;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(tmp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    RemoveStaleTemporaries(dir, base);
    return true;
}

} // namespace

void IniFile::Document::parse(std::string_view bytes)
{
    lines.clear();
    utf8 = bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom;
    if (utf8)
        bytes.remove_prefix(kUtf8Bom.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        Line line;
        if (end == std::string_view::npos) {
            end = bytes.size();
        } else {
            const std::size_t eolLength =
                bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1;
            line.eol = std::string(bytes.substr(end, eolLength));
        }
        const std::string_view raw = bytes.substr(pos, end - pos);
        line.text = utf8 ? std::string(raw) : Cp1252ToUtf8(raw);
        pos = end + line.eol.size();
        lines.push_back(std::move(line));
    }
    index();
}

void IniFile::Document::index()
{
    sections.clear();
    byName.clear();
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t current = kNone; // kNone also for keys of a repeated section, which never count
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view t = Trim(lines[i].text);
        if (t.empty() || t[0] == ';')
            continue;
        if (t[0] == '[') {
            const std::size_t close = t.rfind(']');
            if (close != std::string_view::npos) {
                const std::string name = Lower(Trim(t.substr(1, close - 1)));
                if (byName.count(name)) {
                    current = kNone;
                } else {
                    current = sections.size();
                    byName.emplace(name, current);
                    Section s;
                    s.name = std::string(Trim(t.substr(1, close - 1)));
                    s.lastKeyLine = i;
                    sections.push_back(std::move(s));
                }
                continue;
            }
        }
        const std::size_t eq = t.find('=');
        if (eq == std::string_view::npos || current == kNone)
            continue;
        const std::string_view key = Trim(t.substr(0, eq));
        if (key.empty())
            continue;
        Section& s = sections[current];
        s.lastKeyLine = i;
        s.keys.try_emplace(Lower(key),
                           Key{std::string(key), i, std::string(Unquote(Trim(t.substr(eq + 1))))});
    }
}

std::string IniFile::Document::serialize() const
{
    std::string out;
    if (utf8)
        out += kUtf8Bom;
    for (const Line& line : lines) {
        out += utf8 ? line.text : Utf8ToCp1252(line.text);
        out += line.eol;
    }
    return out;
}

const IniFile::Key* IniFile::Document::find(std::string_view section, std::string_view key) const
{
    const auto s = byName.find(Lower(Trim(section)));
    if (s == byName.end())
        return nullptr;
    const auto& keys = sections[s->second].keys;
    const auto k = keys.find(Lower(Trim(key)));
    return k == keys.end() ? nullptr : &k->second;
}

bool IniFile::Document::set(std::string_view section, std::string_view key, std::string_view value)
{
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || HasLineBreak(section) || key.empty() || HasLineBreak(key) ||
        key.find('=') != std::string_view::npos || key[0] == '[' || key[0] == ';')
        return false;
    const std::string stored = StorableValue(value);
    const auto s = byName.find(Lower(section));
    if (s != byName.end()) {
        Section& sec = sections[s->second];
        auto k = sec.keys.find(Lower(key));
        if (k != sec.keys.end()) {
            // Keep the key as spelt in the file.
            std::string& text = lines[k->second.line].text;
            const std::string_view t = Trim(text);
            text = std::string(Trim(t.substr(0, t.find('=')))) + '=' + stored;
            k->second.value = std::string(Unquote(Trim(stored)));
            return true;
        }
        const std::size_t at = sec.lastKeyLine + 1;
        if (at == lines.size() && lines.back().eol.empty())
            lines.back().eol = "\r\n";
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at),
                     Line{std::string(key) + '=' + stored, "\r\n"});
        // Shift the index instead of rebuilding it: saving many fields stays linear.
        for (Section& other : sections) {
            if (other.lastKeyLine >= at)
                ++other.lastKeyLine;
            for (auto& entry : other.keys)
                if (entry.second.line >= at)
                    ++entry.second.line;
        }
        Section& target = sections[s->second];
        target.lastKeyLine = at;
        target.keys.try_emplace(Lower(key),
                                Key{std::string(key), at, std::string(Unquote(Trim(stored)))});
        return true;
    }
    if (!lines.empty() && lines.back().eol.empty())
        lines.back().eol = "\r\n";
    lines.push_back(Line{'[' + std::string(section) + ']', "\r\n"});
    lines.push_back(Line{std::string(key) + '=' + stored, "\r\n"});
    Section added;
    added.name = std::string(section);
    added.lastKeyLine = lines.size() - 1;
    added.keys.try_emplace(
        Lower(key), Key{std::string(key), added.lastKeyLine, std::string(Unquote(Trim(stored)))});
    byName.emplace(Lower(section), sections.size());
    sections.push_back(std::move(added));
    return true;
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

IniFile::~IniFile()
{
    unlock();
}

IniFile::ReadResult IniFile::readDocument(const std::string& path, Document& out)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            out = Document{};
            return ReadResult::Ok;
        }
        return ReadResult::Failed;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && static_cast<std::uint64_t>(st.st_size) > kMaxFileSize) {
        ::close(fd);
        return ReadResult::TooLarge;
    }
    std::string bytes;
    char buf[65536];
    ReadResult result = ReadResult::Ok;
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result = ReadResult::Failed; // also a folder in the file's place (EISDIR)
            break;
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > kMaxFileSize) {
            result = ReadResult::TooLarge; // grew while being read
            break;
        }
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    // Every line costs far more in memory than its bytes.
    if (result == ReadResult::Ok &&
        static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) > kMaxLines)
        result = ReadResult::TooLarge;
    if (result == ReadResult::Ok &&
        static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r')) > kMaxLines)
        result = ReadResult::TooLarge;
    if (result == ReadResult::Ok)
        out.parse(bytes);
    return result;
}

bool IniFile::read(Document& out)
{
    const ReadResult result = readDocument(path_, out);
    tooLarge_ = result == ReadResult::TooLarge;
    return result == ReadResult::Ok;
}

bool IniFile::lock()
{
    if (lockFd_ >= 0)
        return true;
    const std::string file = lockPath();
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + lockTimeout_;
    auto pause = std::chrono::microseconds(200);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            lockFd_ = fd;
            return true;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            return false;
        }
        std::this_thread::sleep_for(pause);
        // Short pauses: a writer that keeps writing releases the lock only briefly.
        pause = std::min(pause * 2, std::chrono::microseconds(2000));
    }
}

void IniFile::unlock()
{
    if (lockFd_ < 0)
        return;
    ::close(lockFd_); // releases the lock
    lockFd_ = -1;
}

bool IniFile::reload()
{
    Document fresh;
    if (!read(fresh))
        return false;
    doc_ = std::move(fresh);
    return true;
}

std::vector<IniFile::Entry> IniFile::entries() const
{
    std::vector<std::pair<std::size_t, Entry>> byLine;
    for (const Section& s : doc_.sections)
        for (const auto& k : s.keys)
            byLine.push_back({k.second.line, Entry{s.name, k.second.name, k.second.value}});
    std::sort(byLine.begin(), byLine.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Entry> out;
    out.reserve(byLine.size());
    for (auto& e : byLine)
        out.push_back(std::move(e.second));
    return out;
}

std::optional<std::string> IniFile::readValue(std::string_view section, std::string_view key) const
{
    if (const Key* k = doc_.find(section, key))
        return k->value;
    return std::nullopt;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const
{
    const Key* k = doc_.find(section, key);
    return k ? k->value : std::string(defaultValue);
}

long long IniFile::readInteger(std::string_view section, std::string_view key,
                               long long defaultValue) const
{
    const Key* k = doc_.find(section, key);
    if (!k)
        return defaultValue;
    return ParseInteger(k->value).value_or(defaultValue);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::sectionExists(std::string_view section) const
{
    const auto s = doc_.byName.find(Lower(Trim(section)));
    return s != doc_.byName.end() && !doc_.sections[s->second].keys.empty();
}

bool IniFile::valueExists(std::string_view section, std::string_view key) const
{
    return doc_.find(section, key) != nullptr;
}

bool IniFile::store(std::string_view section, std::string_view key, std::string_view value)
{
    if (updateDepth_ > 0) {
        if (!doc_.set(section, key, value))
            return false;
        dirty_ = true;
        return true;
    }
    if (!lock())
        return false;
    Document fresh;
    bool ok = read(fresh) && fresh.set(section, key, value);
    std::string bytes;
    if (ok) {
        bytes = fresh.serialize();
        ok = ReplaceFileAtomically(path_, bytes);
    }
    unlock();
    if (!ok)
        return false;
    // Memory holds what the file now holds (characters outside the code page became '?').
    doc_.parse(bytes);
    return true;
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    return store(section, key, value);
}

bool IniFile::writeInteger(std::string_view section, std::string_view key, long long value)
{
    return store(section, key, std::to_string(value));
}

bool IniFile::writeBool(std::string_view section, std::string_view key, bool value)
{
    return store(section, key, value ? "1" : "0");
}

bool IniFile::beginUpdate()
{
    if (updateDepth_ > 0) {
        ++updateDepth_;
        return true;
    }
    if (!lock())
        return false;
    Document fresh;
    if (!read(fresh)) {
        unlock();
        return false;
    }
    beforeUpdate_ = std::move(doc_);
    doc_ = std::move(fresh);
    updateDepth_ = 1;
    dirty_ = false;
    return true;
}

bool IniFile::endUpdate()
{
    if (updateDepth_ == 0)
        return false;
    if (--updateDepth_ > 0)
        return true;
    bool ok = true;
    if (dirty_) {
        const std::string bytes = doc_.serialize();
        ok = ReplaceFileAtomically(path_, bytes);
        if (ok)
            doc_.parse(bytes);
        else
            doc_ = std::move(beforeUpdate_);
    }
    beforeUpdate_ = Document{};
    dirty_ = false;
    unlock();
    return ok;
}

} // namespace korvex
