#pragma once

#include <string>
#include <vector>

namespace korvex::report {

// korvex-report's own messages in the six catalogue languages. The English text is the key, with
// %1, %2, ... for the values; a text without a translation is told in English.
std::string MessageIn(int block, const std::string& english,
                      const std::vector<std::string>& values = {});
// In the language of the run (the catalogue's current block).
std::string Message(const std::string& english, const std::vector<std::string>& values = {});

// Every key, for the check that each has all its translations with the same values.
std::vector<std::string> MessageKeys();
// The translation only, or null when there is none.
const char* Translation(int block, const std::string& english);

// --help in a language (English is kReportUsage).
const char* HelpText(int block);

} // namespace korvex::report
