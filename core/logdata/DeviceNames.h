#pragma once

#include <string>
#include <string_view>

namespace korvex {

// The two characters of a log file path that name the device: they start at the 1-based
// position length - 11 (at least 5), as in ...10080515.csv.
std::string DeviceNumberText(std::string_view path);
// DeviceNumberText as a decimal number, or -1 when it is not one.
int DeviceNumberFromPath(std::string_view path);

// Whether a header's device cell is the standard name of the number: empty, or, without
// trailing digits and blanks, the number's type name in any catalogue language.
bool IsStandardDeviceName(std::string_view name, int number);
// The number's standard display name in the current language ("Heating circuit 3",
// "BusID 7"). Throws KorvexError(Text(TextId::DataStructureNoMemory)) for a negative number.
std::string StandardDisplayName(int number);

} // namespace korvex
