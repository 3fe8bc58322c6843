#pragma once

// The desktop entry and the AppStream metadata of the installed program, written at build time
// so that their translated texts follow the text catalogue.

#include <string>
#include <string_view>

namespace korvex::dist {

// A value of a desktop-entry key: backslash, line breaks and tabs escaped; with asListItem also
// ';', which separates the items of a list value.
std::string DesktopValue(std::string_view text, bool asListItem = false);

// Text for XML element content and attribute values.
std::string XmlText(std::string_view text);

std::string DesktopEntry();
std::string Metainfo();

} // namespace korvex::dist
