#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// Our own reader and writer of Windows-style initialisation files: Windows-1252 on disk, UTF-8
// in memory; sections and keys matched without regard to ASCII case; the first occurrence of a
// duplicate section or key wins on reading. A write changes only the one line it concerns (or
// appends it), keeps every other line as it was, and replaces the file atomically.
class IniFile {
public:
    explicit IniFile(std::string path);

    const std::string& path() const { return path_; }

    // Re-reads the file from disk; a missing file reads as empty. False when the file exists
    // but cannot be read.
    bool reload();

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

    // Each returns false when the file could not be written; memory and disk then stay as before.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    bool writeInteger(std::string_view section, std::string_view key, long long value);
    bool writeBool(std::string_view section, std::string_view key, bool value);

private:
    std::string path_;
    std::vector<std::string> lines_;  // UTF-8, without line ends
    bool finalLineBreak_ = true;
};

} // namespace korvex
