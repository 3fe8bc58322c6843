#include "core/logdata/DeviceNames.h"

#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"

#include <optional>

namespace korvex {

namespace {

// Catalogue text of the number's type name; none for the bus master and unknown numbers.
std::optional<TextId> TypeNameText(int number)
{
    if (number == 10 || number == 20)
        return TextId::SolarController;
    if (number >= 21 && number <= 29)
        return TextId::HeatingCircuit;
    if (number >= 30 && number <= 39)
        return TextId::FreshWater;
    if (number >= 40 && number <= 49)
        return TextId::Extension;
    return std::nullopt;
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
    const bool busMaster = number == 0;
    const std::optional<TextId> typeName = TypeNameText(number);
    if (!busMaster && !typeName)
        return false;
    while (!name.empty() && (name.back() == ' ' || (name.back() >= '0' && name.back() <= '9')))
        name.remove_suffix(1);
    if (busMaster)
        return name == "BusMaster";
    return MatchesAnyLanguage(name, *typeName);
}

std::string StandardDisplayName(int number)
{
    if (number < 0)
        throw KorvexError(Text(TextId::DataStructureNoMemory));
    if (number == 0)
        return "BusMaster";
    if (number == 10 || number == 20)
        return Text(TextId::SolarController);
    if (number >= 21 && number <= 29)
        return Text(TextId::HeatingCircuit) + " " + std::to_string(number - 20);
    if (number >= 30 && number <= 39)
        return Text(TextId::FreshWater) + " " + std::to_string(number - 30);
    if (number >= 40 && number <= 49)
        return Text(TextId::Extension) + " " + std::to_string(number - 40);
    return "BusID " + std::to_string(number);
}

} // namespace korvex
