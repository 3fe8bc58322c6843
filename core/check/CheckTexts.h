#pragma once

// The function check's own texts in the six languages: per rule what was seen and its likely
// causes, and the headings of the incident list. Kept apart from the program's numbered texts so
// that a rule brings its texts with it.

#include <string_view>

namespace korvex {

// The text of key ("night-circulation", "missing-days-failed", "heading-rule", ...) in the current
// language; empty for an unknown key.
const char* CheckText(std::string_view key);

} // namespace korvex
