// korvex-report's binding of the workbook library: loaded at the first workbook, not at every
// start. Binding it at the start (and the cryptography library it brings) took longer than the
// scan of a year's folder; most runs never write a workbook.
//
// Each function the workbook code calls is defined here with the library's own declaration and
// hands on to the library's function. A library that cannot be loaded starts no workbook:
// workbook_new_opt gives null, which the workbook code reports.

#include <xlsxwriter.h>

#include <dlfcn.h>

namespace {

void* Library()
{
    static void* const handle =
        ::dlopen("libxlsxwriter.so." LXW_SOVERSION, RTLD_NOW | RTLD_LOCAL);
    return handle;
}

// The library's own function of that name (looked up in the library, never in this program).
template <class Function>
Function Resolve(const char* name)
{
    void* const library = Library();
    return library ? reinterpret_cast<Function>(::dlsym(library, name)) : nullptr;
}

} // namespace

// Each forwarder looks its function up once; fallback is what it gives without the library.
#define KORVEX_FORWARD(name, fallback, ...)                                                        \
    static const auto real = Resolve<decltype(&name)>(#name);                                      \
    if (!real)                                                                                     \
        return fallback;                                                                           \
    return real(__VA_ARGS__)

extern "C" {

lxw_workbook* workbook_new_opt(const char* filename, lxw_workbook_options* options)
{
    KORVEX_FORWARD(workbook_new_opt, nullptr, filename, options);
}

lxw_error workbook_close(lxw_workbook* workbook)
{
    KORVEX_FORWARD(workbook_close, LXW_ERROR_CREATING_XLSX_FILE, workbook);
}

lxw_error workbook_validate_sheet_name(lxw_workbook* workbook, const char* sheetname)
{
    KORVEX_FORWARD(workbook_validate_sheet_name, LXW_ERROR_CREATING_XLSX_FILE, workbook,
                   sheetname);
}

lxw_worksheet* workbook_add_worksheet(lxw_workbook* workbook, const char* sheetname)
{
    KORVEX_FORWARD(workbook_add_worksheet, nullptr, workbook, sheetname);
}

lxw_format* workbook_add_format(lxw_workbook* workbook)
{
    KORVEX_FORWARD(workbook_add_format, nullptr, workbook);
}

void format_set_bold(lxw_format* format)
{
    KORVEX_FORWARD(format_set_bold, , format);
}

void format_set_num_format(lxw_format* format, const char* num_format)
{
    KORVEX_FORWARD(format_set_num_format, , format, num_format);
}

char* lxw_strerror(lxw_error error_num)
{
    static char unknown[] = "the workbook library cannot be loaded";
    KORVEX_FORWARD(lxw_strerror, unknown, error_num);
}

void worksheet_freeze_panes(lxw_worksheet* worksheet, lxw_row_t row, lxw_col_t col)
{
    KORVEX_FORWARD(worksheet_freeze_panes, , worksheet, row, col);
}

lxw_error worksheet_merge_range(lxw_worksheet* worksheet, lxw_row_t first_row,
                                lxw_col_t first_col, lxw_row_t last_row, lxw_col_t last_col,
                                const char* string, lxw_format* format)
{
    KORVEX_FORWARD(worksheet_merge_range, LXW_ERROR_CREATING_XLSX_FILE, worksheet, first_row,
                   first_col, last_row, last_col, string, format);
}

lxw_error worksheet_set_column(lxw_worksheet* worksheet, lxw_col_t first_col, lxw_col_t last_col,
                               double width, lxw_format* format)
{
    KORVEX_FORWARD(worksheet_set_column, LXW_ERROR_CREATING_XLSX_FILE, worksheet, first_col,
                   last_col, width, format);
}

lxw_error worksheet_write_blank(lxw_worksheet* worksheet, lxw_row_t row, lxw_col_t col,
                                lxw_format* format)
{
    KORVEX_FORWARD(worksheet_write_blank, LXW_ERROR_CREATING_XLSX_FILE, worksheet, row, col,
                   format);
}

lxw_error worksheet_write_number(lxw_worksheet* worksheet, lxw_row_t row, lxw_col_t col,
                                 double number, lxw_format* format)
{
    KORVEX_FORWARD(worksheet_write_number, LXW_ERROR_CREATING_XLSX_FILE, worksheet, row, col,
                   number, format);
}

lxw_error worksheet_write_string(lxw_worksheet* worksheet, lxw_row_t row, lxw_col_t col,
                                 const char* string, lxw_format* format)
{
    KORVEX_FORWARD(worksheet_write_string, LXW_ERROR_CREATING_XLSX_FILE, worksheet, row, col,
                   string, format);
}

} // extern "C"
