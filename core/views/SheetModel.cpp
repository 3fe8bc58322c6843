#include "core/views/SheetModel.h"

#include <algorithm>

namespace korvex {

std::uint16_t Sheet::Style(const SheetStyle& style)
{
    const auto it = std::find(styles.begin(), styles.end(), style);
    if (it != styles.end())
        return static_cast<std::uint16_t>(it - styles.begin());
    styles.push_back(style);
    return static_cast<std::uint16_t>(styles.size() - 1);
}

void Sheet::SetColumnWidth(int column, double characters)
{
    if (column < 0)
        return;
    if (columnWidths.size() <= static_cast<std::size_t>(column))
        columnWidths.resize(static_cast<std::size_t>(column) + 1, 0.0);
    columnWidths[static_cast<std::size_t>(column)] = characters;
}

std::string DecimalsFormat(int decimals)
{
    std::string format = "0";
    if (decimals > 0) {
        format += '.';
        format.append(static_cast<std::size_t>(std::min(decimals, 30)), '0');
    }
    return format;
}

std::string SheetName(std::string_view wanted)
{
    std::string name;
    for (char c : wanted)
        name += std::string_view("[]:*?/\\").find(c) == std::string_view::npos ? c : '_';
    while (!name.empty() && name.front() == '\'')
        name.erase(name.begin());
    while (!name.empty() && name.back() == '\'')
        name.pop_back();
    // 31 characters, not bytes: never cut a UTF-8 sequence.
    std::size_t characters = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if ((static_cast<unsigned char>(name[i]) & 0xC0) == 0x80)
            continue;
        if (++characters > 31) {
            name.resize(i);
            break;
        }
    }
    return name.empty() ? std::string("Sheet") : name;
}

} // namespace korvex
