#include "core/workbook/DayWorkbook.h"

#include "core/views/LogSheet.h"
#include "core/workbook/XlsxWorkbook.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace korvex {

namespace {

namespace fs = std::filesystem;

std::string_view FileNameOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view NameStem(std::string_view logFilePath)
{
    std::string_view name = FileNameOf(logFilePath);
    name = name.substr(0, name.size() > 4 ? name.size() - 4 : 0);
    return name.size() > 8 ? name.substr(name.size() - 8) : name;
}

// "10080515" -> "15.05.2008", for a log none of whose timestamps reads.
std::string DayFromName(std::string_view stem)
{
    if (stem.size() != 8 || stem.find_first_not_of("0123456789") != std::string_view::npos)
        return std::string(stem);
    return std::string(stem.substr(6, 2)) + "." + std::string(stem.substr(4, 2)) + ".20" +
           std::string(stem.substr(2, 2));
}

} // namespace

std::string KorvexCacheFolder()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/')
        return (fs::path(cache) / "Halvo" / "Korvex").string();
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return (fs::path(home) / ".cache" / "Halvo" / "Korvex").string();
    return std::string();
}

std::string DayWorkbookName(std::string_view logFilePath)
{
    return std::string(NameStem(logFilePath)) + ".xlsx";
}

std::string WriteDayWorkbook(const std::string& logFilePath, const std::string& folder)
{
    std::string bytes;
    {
        std::ifstream in(logFilePath, std::ios::binary);
        if (!in)
            throw SheetError(logFilePath + ": cannot be read");
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad())
            throw SheetError(logFilePath + ": cannot be read");
    }
    std::vector<Sheet> sheets;
    sheets.push_back(LogDaySheet(bytes, DayFromName(NameStem(logFilePath))));

    if (folder.empty())
        throw SheetError("no folder for the workbook");
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw SheetError(folder + ": " + ec.message());
    const std::string path = (fs::path(folder) / DayWorkbookName(logFilePath)).string();
    WriteXlsxWorkbook(sheets, path);
    return path;
}

std::string TryDayWorkbook(const std::string& logFilePath)
{
    try {
        return WriteDayWorkbook(logFilePath, KorvexCacheFolder());
    } catch (const SheetError&) {
        return std::string();
    } catch (const std::bad_alloc&) {
        return std::string();
    }
}

} // namespace korvex
