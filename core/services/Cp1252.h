#pragma once

#include <string>
#include <string_view>

namespace korvex {

// Windows-1252 <-> UTF-8 at every file boundary. All 256 byte values round-trip: the five
// bytes that Windows-1252 leaves undefined map to the C1 control characters of the same value.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters that Windows-1252 cannot hold become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

} // namespace korvex
