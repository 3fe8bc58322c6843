// libFuzzer target: any bytes as a hand-edited settings file, then one value written the way the
// program writes it. The value must read back as written, every other line must stay byte for
// byte, and every other key must keep its value in a fresh read of the written file.
#include "FuzzCheck.h"
#include "core/services/Cp1252.h"
#include "core/services/IniFile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

using namespace korvex;
using korvex::fuzz::Check;

namespace {

std::string gPath;

struct RawLine {
    std::string_view text;
    std::string_view eol;
    bool operator==(const RawLine&) const = default;
};

// The file's lines as bytes, split as the reader splits them.
std::vector<RawLine> SplitRaw(std::string_view bytes)
{
    std::vector<RawLine> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        RawLine line;
        if (end == std::string_view::npos) {
            end = bytes.size();
        } else {
            const bool crlf =
                bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
            line.eol = bytes.substr(end, crlf ? 2 : 1);
        }
        line.text = bytes.substr(pos, end - pos);
        pos = end + line.eol.size();
        lines.push_back(line);
    }
    return lines;
}

// A write replaces one line, or inserts one key line, or appends a section header and a key
// line (giving a last line without line break one first); nothing else may differ.
void CheckOnlyOneLineChanged(std::string_view before, std::string_view after)
{
    // A byte-order mark starts the file, not its first line.
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (before.substr(0, 3) == kBom) {
        Check(after.substr(0, 3) == kBom, "the byte-order mark stays");
        before.remove_prefix(3);
        after.remove_prefix(3);
    }
    std::vector<RawLine> b = SplitRaw(before);
    const std::vector<RawLine> a = SplitRaw(after);
    // Appending gives the last line a line break first; a last line still last is untouched.
    if (!b.empty() && b.back().eol.empty() && a.size() > b.size() && !(a.back() == b.back()) &&
        a[b.size() - 1].text == b.back().text && a[b.size() - 1].eol == "\r\n")
        b.back().eol = "\r\n";
    std::size_t prefix = 0;
    while (prefix < b.size() && prefix < a.size() && b[prefix] == a[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix + prefix < b.size() && suffix + prefix < a.size() &&
           b[b.size() - 1 - suffix] == a[a.size() - 1 - suffix])
        ++suffix;
    const std::size_t removed = b.size() - prefix - suffix;
    const std::size_t added = a.size() - prefix - suffix;
    Check((removed == 1 && added == 1) || (removed == 0 && (added == 1 || added == 2)),
          "a write changes one line or adds at most two");
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

using Values = std::map<std::string, std::string>;

Values AllValues(const IniFile& file)
{
    Values out;
    for (const IniFile::Entry& e : file.entries()) {
        const bool fresh = out.emplace(Lower(e.section) + '\x01' + Lower(e.key), e.value).second;
        Check(fresh, "each key is listed once");
        Check(file.readValue(e.section, e.key) == e.value, "a listed value reads back");
    }
    return out;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Values are what the program stores: any Windows-1252 text without line breaks.
std::string ValueFrom(std::string_view bytes)
{
    std::string v(bytes.substr(0, 24));
    for (char& c : v)
        if (c == '\r' || c == '\n')
            c = ' ';
    return Cp1252ToUtf8(v);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // tmpfs when there is one: every write syncs.
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    const auto dir = base / ("korvex-ini-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    gPath = (dir / "Korvex.ini").string();
    static const std::string keep = dir.string();
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(keep, ec);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    static const char* const kSections[] = {"Main",   "Child",  "Labels:3", "colors:default",
                                            "Dev:12", " MAIN ", "[x",       "Labels:Default"};
    static const char* const kKeys[] = {"Language", "LastUsedDir",  "T1[°C]", "PrintTitle",
                                        "k",        "HeaderWidth0", "a b",    "x"};
    const unsigned choice = data[0];
    const std::string_view section = kSections[choice & 7];
    const std::string_view key = kKeys[(choice >> 3) & 7];
    const bool grouped = (choice & 0x40) != 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string value = ValueFrom(bytes.substr(bytes.size() / 2));
    {
        std::ofstream out(gPath, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    IniFile file(gPath);
    Check(file.reload(), "any file can be read");
    Values expected = AllValues(file);
    expected[Lower(std::string(Trim(section))) + '\x01' + Lower(key)] = value;

    bool written = false;
    if (grouped) {
        Check(file.beginUpdate(), "an update can start");
        written = file.writeString(section, key, value);
        Check(file.readValue(section, key) == value, "a value reads back within an update");
        Check(file.endUpdate(), "an update can end");
    } else {
        written = file.writeString(section, key, value);
    }
    Check(written, "the write succeeds");
    Check(file.readValue(section, key) == value, "the value reads back as written");

    const std::string after = ReadFile(gPath);
    CheckOnlyOneLineChanged(bytes, after);

    IniFile again(gPath);
    Check(again.reload(), "the written file can be read");
    Check(again.readValue(section, key) == value, "the value reads back from disk");
    Check(AllValues(again) == expected, "every other key keeps its value");
    Check(AllValues(file) == expected, "memory holds what the file holds");
    return 0;
}
