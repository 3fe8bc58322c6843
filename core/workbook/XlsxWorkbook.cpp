#include "core/workbook/XlsxWorkbook.h"

#include <xlsxwriter.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace korvex {

namespace {

namespace fs = std::filesystem;

void Check(lxw_error error, const char* what)
{
    if (error != LXW_NO_ERROR)
        throw SheetError(std::string(what) + ": " + lxw_strerror(error));
}

// Creates an empty file beside the target under a name no other writer uses. Creating it here
// reports an unwritable folder with the system's reason before any work is done.
fs::path TemporaryFile(const fs::path& target)
{
    static std::atomic<unsigned> counter{0};
    fs::path temp = target;
    temp.replace_filename("." + target.filename().string() + "." + std::to_string(::getpid()) +
                          "." + std::to_string(counter++) + ".part");
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        throw SheetError(target.string() + ": " + std::strerror(errno));
    ::close(fd);
    return temp;
}

class XlsxFile {
public:
    explicit XlsxFile(const std::string& path)
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_FALSE; // merged headings need the cells kept
        options.use_zip64 = LXW_FALSE;
        workbook_ = workbook_new_opt(path.c_str(), &options);
        if (workbook_ == nullptr)
            throw SheetError("the workbook cannot be started");
    }
    XlsxFile(const XlsxFile&) = delete;
    XlsxFile& operator=(const XlsxFile&) = delete;
    ~XlsxFile()
    {
        if (workbook_ != nullptr)
            workbook_close(workbook_); // frees it; the caller removes the file
    }

    void AddSheet(const Sheet& sheet)
    {
        if (workbook_validate_sheet_name(workbook_, sheet.name.c_str()) != LXW_NO_ERROR)
            throw SheetError("the sheet name \"" + sheet.name + "\" is not accepted");
        lxw_worksheet* ws = workbook_add_worksheet(workbook_, sheet.name.c_str());
        if (ws == nullptr)
            throw SheetError("the sheet \"" + sheet.name + "\" cannot be added");
        std::vector<lxw_format*> formats;
        formats.reserve(sheet.styles.size());
        for (const SheetStyle& style : sheet.styles)
            formats.push_back(Format(style));

        for (std::size_t c = 0; c < sheet.columnWidths.size(); ++c)
            if (sheet.columnWidths[c] > 0)
                Check(worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                           sheet.columnWidths[c], nullptr),
                      "column width");
        for (std::size_t r = 0; r < sheet.rows.size(); ++r)
            WriteRow(ws, static_cast<lxw_row_t>(r), sheet.rows[r], formats);
        for (const SheetMerge& merge : sheet.merges)
            Merge(ws, sheet, merge, formats);
        if (sheet.frozenRows > 0 || sheet.frozenColumns > 0)
            worksheet_freeze_panes(ws, static_cast<lxw_row_t>(sheet.frozenRows),
                                   static_cast<lxw_col_t>(sheet.frozenColumns));
    }

    void Close()
    {
        lxw_workbook* workbook = std::exchange(workbook_, nullptr);
        Check(workbook_close(workbook), "the workbook cannot be written");
    }

private:
    lxw_format* Format(const SheetStyle& style)
    {
        if (style.numberFormat.empty() && !style.bold)
            return nullptr;
        auto [it, added] = formats_.try_emplace({style.numberFormat, style.bold}, nullptr);
        if (added) {
            it->second = workbook_add_format(workbook_);
            if (it->second == nullptr)
                throw SheetError("no memory for a cell format");
            if (!style.numberFormat.empty())
                format_set_num_format(it->second, style.numberFormat.c_str());
            if (style.bold)
                format_set_bold(it->second);
        }
        return it->second;
    }

    static void WriteRow(lxw_worksheet* ws, lxw_row_t r, const std::vector<SheetCell>& row,
                         const std::vector<lxw_format*>& formats)
    {
        for (std::size_t c = 0; c < row.size(); ++c) {
            const SheetCell& cell = row[c];
            lxw_format* format = formats.at(cell.style);
            const auto col = static_cast<lxw_col_t>(c);
            switch (cell.kind) {
                case SheetCell::Kind::Empty:
                    if (format != nullptr)
                        Check(worksheet_write_blank(ws, r, col, format), "a blank cell");
                    break;
                case SheetCell::Kind::Text:
                    Check(worksheet_write_string(ws, r, col, cell.text.c_str(), format),
                          "a text cell");
                    break;
                case SheetCell::Kind::Number:
                case SheetCell::Kind::DateTime:
                    Check(worksheet_write_number(ws, r, col, cell.number, format), "a number cell");
                    break;
            }
        }
    }

    // The merged range shows the first cell's text in the first cell's style.
    static void Merge(lxw_worksheet* ws, const Sheet& sheet, const SheetMerge& merge,
                      const std::vector<lxw_format*>& formats)
    {
        if (merge.row < 0 || static_cast<std::size_t>(merge.row) >= sheet.rows.size() ||
            merge.firstColumn < 0 || merge.lastColumn <= merge.firstColumn)
            throw SheetError("a merged range lies outside the sheet");
        const std::vector<SheetCell>& row = sheet.rows[static_cast<std::size_t>(merge.row)];
        const std::size_t first = static_cast<std::size_t>(merge.firstColumn);
        const SheetCell empty;
        const SheetCell& cell = first < row.size() ? row[first] : empty;
        lxw_format* format = formats.at(cell.style);
        Check(worksheet_merge_range(
                  ws, static_cast<lxw_row_t>(merge.row), static_cast<lxw_col_t>(merge.firstColumn),
                  static_cast<lxw_row_t>(merge.row), static_cast<lxw_col_t>(merge.lastColumn),
                  cell.kind == SheetCell::Kind::Text ? cell.text.c_str() : "", format),
              "a merged range");
    }

    lxw_workbook* workbook_ = nullptr;
    std::map<std::pair<std::string, bool>, lxw_format*> formats_;
};

} // namespace

void WriteXlsxWorkbook(const std::vector<Sheet>& sheets, const std::string& path)
{
    if (sheets.empty())
        throw SheetError("a workbook needs a sheet");
    const fs::path target(path);
    const fs::path temp = TemporaryFile(target);
    std::error_code ec;
    try {
        XlsxFile file(temp.string());
        for (const Sheet& sheet : sheets)
            file.AddSheet(sheet);
        file.Close();
    } catch (...) {
        fs::remove(temp, ec);
        throw;
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw SheetError(path + ": " + ec.message());
    }
}

} // namespace korvex
