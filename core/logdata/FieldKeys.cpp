#include "core/logdata/FieldKeys.h"

#include "core/services/Cp1252.h"

namespace korvex {

namespace {

constexpr std::string_view kDay = "tag";
constexpr std::string_view kMonth = "monat";
constexpr std::string_view kYear = "jahr";
constexpr std::string_view kTotal = "ges";

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

// ASCII case-insensitive search; what is lower case.
std::size_t FindNoCase(std::string_view text, std::string_view what)
{
    if (what.size() > text.size())
        return std::string_view::npos;
    for (std::size_t i = 0; i + what.size() <= text.size(); ++i) {
        bool same = true;
        for (std::size_t k = 0; k < what.size() && same; ++k) {
            char a = text[i + k];
            if (a >= 'A' && a <= 'Z')
                a = static_cast<char>(a - 'A' + 'a');
            same = a == what[k];
        }
        if (same)
            return i;
    }
    return std::string_view::npos;
}

void ReplaceFirstNoCase(std::string& text, std::string_view what, std::string_view with)
{
    const std::size_t at = FindNoCase(text, what);
    if (at != std::string::npos)
        text.replace(at, what.size(), with);
}

void ReplaceFirst(std::string& text, std::string_view what, std::string_view with)
{
    const std::size_t at = text.find(what);
    if (at != std::string::npos)
        text.replace(at, what.size(), with);
}

// The unit group that holds the unit (as a substring of the group's text), or false.
bool UnitCategory(const std::string& unit, FieldCategory& category)
{
    static const std::string inputs = "[°C][°F]";
    static const std::string others =
        "[l/min][W][kW][kWh][kW/h][MBtu/h][MBtu][gal/min][psi][bar][kW/m²]";
    static const std::string outputs = "[%]";
    if (inputs.find(unit) != std::string::npos)
        category = FieldCategory::Inputs;
    else if (others.find(unit) != std::string::npos)
        category = FieldCategory::Others;
    else if (outputs.find(unit) != std::string::npos)
        category = FieldCategory::Outputs;
    else
        return false;
    return true;
}

// Yield columns: "Qday" -> "Ptag", "QYear" -> "Pjahr"; false for a running total.
bool NormaliseYieldName(std::string& name)
{
    ReplaceFirstNoCase(name, "sum", kTotal);
    ReplaceFirstNoCase(name, "day", kDay);
    ReplaceFirstNoCase(name, "year", kYear);
    ReplaceFirst(name, "Tag", kDay);
    ReplaceFirst(name, "Jahr", kYear);
    if (FindNoCase(name, kTotal) != std::string::npos)
        return false;
    name[0] = 'P';
    return true;
}

void NormaliseUnit(HeaderColumn& column)
{
    if (column.unit == "[W]") {
        column.unit = "[kW]";
        column.scale = 0.001f;
    } else if (column.unit == "[kW/h]") {
        column.unit = "[kWh]";
    } else if (column.unit == "[C]") {
        column.unit = "[°C]";
    } else if (column.unit == "[F]") {
        column.unit = "[°F]";
    }
}

} // namespace

std::string DaySumKey(std::string_view key)
{
    return std::string(key) + std::string(kDay);
}

std::string YearCounterKey(std::string_view key)
{
    return std::string(key) + std::string(kYear);
}

std::string MonthSumKey(std::string_view daySumKey)
{
    return std::string(daySumKey.substr(0, daySumKey.find(kDay))) + std::string(kMonth);
}

std::string RateKeyOfDaySum(std::string_view daySumKey)
{
    return std::string(daySumKey.substr(0, daySumKey.find(kDay)));
}

bool IsDaySumKey(std::string_view key)
{
    return Contains(key, kDay);
}

bool IsYearCounterKey(std::string_view key)
{
    return Contains(key, kYear);
}

bool IsMonthSumKey(std::string_view key)
{
    return Contains(key, kMonth);
}

bool IsPowerKey(std::string_view key)
{
    return !key.empty() && key.front() == 'P';
}

bool IsFlowKey(std::string_view key)
{
    return !key.empty() && key.front() == 'V';
}

HeaderColumn NormaliseHeaderColumn(std::string_view cell)
{
    HeaderColumn column;
    const std::size_t bracket = cell.find('[');
    if (bracket == std::string_view::npos)
        return column;
    column.name = Cp1252ToUtf8(cell.substr(0, bracket));
    column.unit = Cp1252ToUtf8(cell.substr(bracket));
    if (column.name.empty()) {
        column.kind = HeaderColumnKind::Unnamed;
        return column;
    }
    if (column.name[0] == 'Q') {
        if (!NormaliseYieldName(column.name)) {
            column.kind = HeaderColumnKind::RunningTotal;
            return column;
        }
        column.yield = true;
    } else if (column.name[0] == 'V') {
        const std::size_t apostrophe = column.name.find('\'', 1);
        if (apostrophe != std::string::npos)
            column.name.erase(apostrophe, 1);
    }
    NormaliseUnit(column);
    column.kind = UnitCategory(column.unit, column.category) ? HeaderColumnKind::Value
                                                             : HeaderColumnKind::UnknownUnit;
    return column;
}

} // namespace korvex
