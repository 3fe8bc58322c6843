// libFuzzer target: the comma copy of any log text. It ends, has one line per log line plus the
// one empty line after a final line break, and its cells, read back as comma-separated text,
// are the log's cells.
#include "FuzzCheck.h"
#include "core/logdata/CommaCopy.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace korvex;
using korvex::fuzz::Check;

namespace {

// The log's lines as the reader splits them (CR LF, lone CR, lone LF; a final break starts no
// line).
std::vector<std::string_view> LogLinesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        if (end == text.size())
            break;
        pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

std::vector<std::string> SplitSemicolons(std::string_view line)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t semicolon = line.find(';', start);
        cells.emplace_back(line.substr(start, semicolon - start));
        if (semicolon == std::string_view::npos)
            return cells;
        start = semicolon + 1;
    }
}

// Reads one comma-separated line with quoted cells; false when it is malformed.
bool SplitCommas(std::string_view line, std::vector<std::string>& cells)
{
    cells.clear();
    std::size_t i = 0;
    for (;;) {
        std::string cell;
        if (i < line.size() && line[i] == '"') {
            ++i;
            for (;;) {
                if (i >= line.size())
                    return false;
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                cell += line[i++];
            }
            if (i < line.size() && line[i] != ',')
                return false;
        } else {
            const std::size_t comma = line.find(',', i);
            const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
            cell.assign(line.substr(i, end - i));
            if (cell.find('"') != std::string::npos)
                return false;
            i = end;
        }
        cells.push_back(std::move(cell));
        if (i >= line.size())
            return true;
        ++i; // the comma
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string copy = CommaSeparatedText(text);

    const std::vector<std::string_view> in = LogLinesOf(text);
    const bool finalBreak = !text.empty() && (text.back() == '\n' || text.back() == '\r');
    // Every copy line ends with CR LF, and the cells hold neither CR nor LF.
    std::vector<std::string_view> out;
    std::size_t pos = 0;
    while (pos < copy.size()) {
        const std::size_t end = copy.find("\r\n", pos);
        Check(end != std::string::npos, "every copy line ends with CR LF");
        out.push_back(std::string_view(copy).substr(pos, end - pos));
        pos = end + 2;
    }
    Check(out.size() == in.size() + (finalBreak ? 1 : 0),
          "one copy line per log line, plus one after a final break");
    if (finalBreak)
        Check(out.back().empty(), "the extra line is empty");

    std::vector<std::string> cells;
    for (std::size_t i = 0; i < in.size(); ++i) {
        Check(out[i].find_first_of("\r\n") == std::string_view::npos, "no line break in a line");
        Check(SplitCommas(out[i], cells), "a copy line is well-formed comma-separated text");
        Check(cells == SplitSemicolons(in[i]), "the copy keeps every cell");
    }
    return 0;
}
