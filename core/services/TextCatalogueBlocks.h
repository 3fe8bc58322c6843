#pragma once

// The six compiled-in row tables behind TextCatalogue.cpp; nothing else should need them.

#include "core/services/TextCatalogue.h"

#include <span>

namespace korvex::detail {

std::span<const char* const, kTextRowCount> GermanTexts();
std::span<const char* const, kTextRowCount> EnglishTexts();
std::span<const char* const, kTextRowCount> FrenchTexts();
std::span<const char* const, kTextRowCount> SpanishTexts();
std::span<const char* const, kTextRowCount> ItalianTexts();
std::span<const char* const, kTextRowCount> PortugueseTexts();

} // namespace korvex::detail
