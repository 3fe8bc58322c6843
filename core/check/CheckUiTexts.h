#pragma once

// The program's texts for the function check in the six languages: the panel, its columns and
// count, the rules' display names and the settings dialog's captions. Kept out of the numbered
// catalogue so that adding one rebuilds only its users.

#include <string>
#include <string_view>

namespace korvex {

// The text of key in the current language ("panel-caption", "rule-stagnation", "role-pump",
// "threshold-NightCollector", ...); empty for an unknown key.
const char* CheckUiText(std::string_view key);
// The same in a given text block.
const char* CheckUiTextOf(int block, std::string_view key);

// The rule's name for people ("Stagnation"); the identifier itself for an unknown rule.
std::string RuleDisplayName(std::string_view rule);

// The panel's heading: how many incidents are listed.
std::string IncidentCountText(std::size_t count);

// Every key of the table, for the tests that check that each text fits its place.
std::string_view CheckUiTextKey(int index);
int CheckUiTextCount();

} // namespace korvex
