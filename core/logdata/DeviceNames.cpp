#include "core/logdata/DeviceNames.h"

#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"

namespace korvex {

namespace {

constexpr int kTextNoMemory = 97;

// Catalogue row of the number's type name, 0 for the bus master, -1 when it has none.
int TypeNameRow(int number)
{
    if (number == 0)
        return 0;
    if (number == 10 || number == 20)
        return 141;
    if (number >= 21 && number <= 29)
        return 142;
    if (number >= 30 && number <= 39)
        return 143;
    if (number >= 40 && number <= 49)
        return 144;
    return -1;
}

} // namespace

std::string DeviceNumberText(std::string_view path)
{
    const long long length = static_cast<long long>(path.size());
    long long position = length - 11; // 1-based
    if (position < 5)
        position = 5;
    const auto start = static_cast<std::size_t>(position - 1);
    if (start >= path.size())
        return std::string();
    return std::string(path.substr(start, 2));
}

int DeviceNumberFromPath(std::string_view path)
{
    const std::string text = DeviceNumberText(path);
    if (text.empty())
        return -1;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool IsStandardDeviceName(std::string_view name, int number)
{
    if (name.empty())
        return true;
    const int row = TypeNameRow(number);
    if (row < 0)
        return false;
    while (!name.empty() && (name.back() == ' ' || (name.back() >= '0' && name.back() <= '9')))
        name.remove_suffix(1);
    if (row == 0)
        return name == "BusMaster";
    return MatchesAnyLanguage(name, row);
}

std::string StandardDisplayName(int number)
{
    if (number < 0)
        throw KorvexError(Text(kTextNoMemory));
    if (number == 0)
        return "BusMaster";
    if (number == 10 || number == 20)
        return Text(141);
    if (number >= 21 && number <= 29)
        return Text(142) + " " + std::to_string(number - 20);
    if (number >= 30 && number <= 39)
        return Text(143) + " " + std::to_string(number - 30);
    if (number >= 40 && number <= 49)
        return Text(144) + " " + std::to_string(number - 40);
    return "BusID " + std::to_string(number);
}

} // namespace korvex
