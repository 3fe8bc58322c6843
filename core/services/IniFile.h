#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvex {

// Our own reader and writer of Windows-style initialisation files: Windows-1252 on disk, UTF-8
// in memory; sections and keys matched without regard to ASCII case; the first occurrence of a
// duplicate section or key wins on reading. A write changes only the one line it concerns (or
// appends it), keeps every other line as it was, and replaces the file atomically.
//
// Reading follows the usual private-profile rules: blanks around names, '=' and values are
// ignored, lines starting with ';' are comments, a value enclosed in matching double or single
// quotes loses them. A file starting with a UTF-8 byte-order mark is read and written as UTF-8.
//
// Writers serialise on an advisory lock (flock) on "<file>.lock" beside the file, so that two
// processes that write at once lose none of each other's keys. A file larger than kMaxFileSize,
// or with more than kMaxLines lines, is never read, and so never replaced either.
class IniFile {
public:
    static constexpr std::uint64_t kMaxFileSize = 16u << 20;
    static constexpr std::size_t kMaxLines = 1u << 20;

    explicit IniFile(std::string path);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const std::string& path() const { return path_; }

    // Re-reads the file from disk; a missing file reads as empty. False when the file exists
    // but cannot be read or is above the limits (tooLarge() then tells); memory then stays as
    // it was.
    bool reload();
    // Whether the last read of the file (reload or a write's re-read) refused it for its size.
    bool tooLarge() const { return tooLarge_; }

    // How long a write waits for another process's write to finish before it fails.
    void setLockTimeout(std::chrono::milliseconds timeout) { lockTimeout_ = timeout; }
    std::string lockPath() const { return path_ + ".lock"; }

    // Every value that reads count (first occurrence of each section and key), in file order,
    // with names as spelt in the file.
    struct Entry {
        std::string section;
        std::string key;
        std::string value;
        bool operator==(const Entry&) const = default;
    };
    std::vector<Entry> entries() const;

    std::optional<std::string> readValue(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Decimal or 0x hexadecimal; anything malformed gives the default.
    long long readInteger(std::string_view section, std::string_view key,
                          long long defaultValue) const;
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // A section counts as present when it holds at least one key.
    bool sectionExists(std::string_view section) const;
    bool valueExists(std::string_view section, std::string_view key) const;

    // Each write takes the lock and first re-reads the file, so that changes made meanwhile by
    // another window or process are kept. Each returns false when the file could not be
    // written, or when the section or key cannot be represented in the file (empty, a line
    // break, a key containing '=' or starting with '[' or ';'), or when the lock was not had in
    // time; memory and disk then stay as before.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    bool writeInteger(std::string_view section, std::string_view key, long long value);
    bool writeBool(std::string_view section, std::string_view key, bool value);

    // Groups many writes into one replacement of the file (one re-read, one sync): between
    // beginUpdate and endUpdate the writes change memory only and reads see them. endUpdate
    // writes the file; on failure it returns false and memory returns to the state before
    // beginUpdate. beginUpdate holds the lock until endUpdate; it returns false (and starts
    // nothing) when the lock is not had in time or the file cannot be read.
    bool beginUpdate();
    bool endUpdate();
    bool inUpdate() const { return updateDepth_ > 0; }

private:
    struct Line {
        std::string text; // UTF-8, without line end
        std::string eol;  // "\r\n", "\n", "\r", or "" for a last line without line break
    };
    struct Key {
        std::string name; // as spelt in the file
        std::size_t line = 0;
        std::string value; // unquoted, UTF-8
    };
    struct Section {
        std::string name;                          // as spelt in the file
        std::size_t lastKeyLine = 0;               // the header line while the section holds no key
        std::unordered_map<std::string, Key> keys; // by lower-case name, first occurrence
    };
    struct Document {
        std::vector<Line> lines;
        bool utf8 = false;             // file started with a UTF-8 byte-order mark
        std::vector<Section> sections; // first occurrence of each name
        std::unordered_map<std::string, std::size_t> byName; // lower-case name -> sections index
        void parse(std::string_view bytes);
        void index();
        std::string serialize() const;
        const Key* find(std::string_view section, std::string_view key) const;
        bool set(std::string_view section, std::string_view key, std::string_view value);
    };

    enum class ReadResult { Ok, Failed, TooLarge };
    static ReadResult readDocument(const std::string& path, Document& out);
    bool read(Document& out);
    bool lock();
    void unlock();
    bool store(std::string_view section, std::string_view key, std::string_view value);

    std::string path_;
    Document doc_;
    int updateDepth_ = 0;
    bool dirty_ = false;
    Document beforeUpdate_;
    bool tooLarge_ = false;
    int lockFd_ = -1;
    std::chrono::milliseconds lockTimeout_{5000};
};

} // namespace korvex
