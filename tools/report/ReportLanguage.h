#pragma once

#include <string>
#include <vector>

namespace korvex::report {

// The catalogue block of a locale name such as "de_DE.UTF-8", "fr", "pt_BR@x": its language code
// among de, en, fr, es, it, pt; anything else (C, POSIX, nl_NL, empty) is English.
int BlockOfLocaleName(const std::string& locale);

// The language of a run without --language: the first set, non-empty one of LC_ALL, LC_MESSAGES
// and LANG, as the C library would choose the messages' locale. Null pointers count as unset.
int BlockOfEnvironment(const char* lcAll, const char* lcMessages, const char* lang);
int BlockOfEnvironment(); // of this process

// The block a valid "--language XX" among the arguments names, or -1. Usage errors are told in
// it even when another argument is wrong.
int BlockOfLanguageOption(const std::vector<std::string>& args);

} // namespace korvex::report
