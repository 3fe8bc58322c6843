#include "core/logdata/CommaCopy.h"

#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace korvex {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

std::string_view FileNameOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

void AppendCell(std::string& out, std::string_view cell)
{
    if (cell.find_first_of(",\"") == std::string_view::npos) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void AppendLine(std::string& out, std::string_view line)
{
    std::size_t start = 0;
    for (;;) {
        const std::size_t semicolon = line.find(';', start);
        AppendCell(out, line.substr(start, semicolon - start));
        if (semicolon == std::string_view::npos)
            break;
        out += ',';
        start = semicolon + 1;
    }
    out += kLineBreak;
}

[[noreturn]] void FailCreate()
{
    throw KorvexError(Text(TextId::CouldNotCreateFile));
}

} // namespace

std::string CommaCopyName(std::string_view logFilePath)
{
    std::string_view name = FileNameOf(logFilePath);
    name = name.substr(0, name.size() > 4 ? name.size() - 4 : 0);
    if (name.size() > 8)
        name = name.substr(name.size() - 8);
    std::string result(name);
    result += "c.csv";
    return result;
}

std::string CommaSeparatedText(std::string_view logText)
{
    std::string out;
    out.reserve(logText.size() + logText.size() / 8 + kLineBreak.size());
    std::size_t pos = 0;
    const std::size_t size = logText.size();
    while (pos < size) {
        std::size_t end = logText.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = size;
        AppendLine(out, logText.substr(pos, end - pos));
        if (end == size)
            break;
        pos = end + (logText[end] == '\r' && end + 1 < size && logText[end + 1] == '\n' ? 2 : 1);
        if (pos == size)
            out += kLineBreak; // the empty line after a final line break
    }
    return out;
}

void WriteCommaCopy(const std::string& logFilePath, const std::string& copyPath)
{
    std::string text;
    {
        std::ifstream in(logFilePath, std::ios::binary);
        if (!in) {
            std::error_code ec;
            const bool exists = std::filesystem::exists(logFilePath, ec);
            throw KorvexError(Text(TextId::ErrorOpeningFile) + (exists ? "\r\n\r\n" : "\n\n") +
                              std::string(FileNameOf(logFilePath)));
        }
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad())
            throw KorvexError(Text(TextId::ErrorOpeningFile) + "\r\n\r\n" +
                              std::string(FileNameOf(logFilePath)));
    }
    const std::string copy = CommaSeparatedText(text);

    std::ofstream out(copyPath, std::ios::binary | std::ios::trunc);
    if (!out)
        FailCreate();
    out.write(copy.data(), static_cast<std::streamsize>(copy.size()));
    out.close();
    if (!out) {
        std::error_code ec;
        std::filesystem::remove(copyPath, ec);
        FailCreate();
    }
}

std::string MakeCommaCopy(const std::string& logFilePath)
{
    std::error_code ec;
    const std::filesystem::path copyPath =
        std::filesystem::absolute(CommaCopyName(logFilePath), ec);
    if (ec)
        FailCreate(); // no usable working directory
    WriteCommaCopy(logFilePath, copyPath.string());
    return copyPath.string();
}

} // namespace korvex
