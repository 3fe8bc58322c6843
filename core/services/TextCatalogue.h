#pragma once

#include "core/services/TextId.h"

#include <string>
#include <string_view>

namespace korvex {

// Six blocks of 176 numbered texts, compiled in, held as UTF-8.
enum TextBlock : int {
    BlockGerman = 0,
    BlockEnglish = 1,
    BlockFrench = 2,
    BlockSpanish = 3,
    BlockItalian = 4,
    BlockPortuguese = 5,
};

constexpr int kTextBlockCount = 6;
constexpr int kTextRowCount = 176;

// Text of the current block. An id outside 0..175 throws std::out_of_range.
const std::string& Text(TextId id);

// Text of a given block (the two-language start-up message needs this). Throws
// std::out_of_range for a block outside 0..5 or an id outside 0..175.
const std::string& TextOf(int block, TextId id);

// The current block; German until a language is selected. A block outside 0..5 throws
// std::out_of_range and leaves the current block as it was.
int CurrentTextBlock();
void SelectTextBlock(int block);

// LanguageNumber 0..7 to its block: 2 and 7 English, 3 French, 4 Spanish, 5 Italian,
// 6 Portuguese, everything else German.
int TextBlockForLanguage(int languageNumber);
void SelectLanguage(int languageNumber);

// True when the text equals that row, byte for byte, in any of the six blocks; false for an
// id outside 0..175.
bool MatchesAnyLanguage(std::string_view text, TextId id);

// The settings file error in English, a blank line, the same in German.
std::string TwoLanguageSettingsErrorText();

// Captions of the language actions, never translated; index = LanguageNumber 1..7, anything
// else throws std::out_of_range.
const std::string& LanguageCaption(int languageNumber);

} // namespace korvex
