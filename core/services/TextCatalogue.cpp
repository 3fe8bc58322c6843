#include "core/services/TextCatalogue.h"

#include "core/services/TextCatalogueBlocks.h"

#include <array>
#include <stdexcept>

namespace korvex {

static_assert(static_cast<int>(TextId::YieldSourceIntegral) == kTextRowCount - 1, "one name per row");

namespace {

using Block = std::array<std::string, kTextRowCount>;
using Catalogue = std::array<Block, kTextBlockCount>;

// Built on first use so that a lookup from another translation unit's static initialiser
// still finds every block filled.
const Catalogue& Blocks()
{
    static const Catalogue catalogue = [] {
        const std::array<std::span<const char* const, kTextRowCount>, kTextBlockCount> sources = {
            detail::GermanTexts(),  detail::EnglishTexts(), detail::FrenchTexts(),
            detail::SpanishTexts(), detail::ItalianTexts(), detail::PortugueseTexts(),
        };
        Catalogue result;
        for (int block = 0; block < kTextBlockCount; ++block) {
            for (int row = 0; row < kTextRowCount; ++row)
                result[block][row] = sources[block][row];
        }
        return result;
    }();
    return catalogue;
}

int g_currentBlock = BlockGerman;

void CheckRow(int row)
{
    if (row < 0 || row >= kTextRowCount)
        throw std::out_of_range("Text row " + std::to_string(row) + " outside 0.." +
                                std::to_string(kTextRowCount - 1));
}

void CheckBlock(int block)
{
    if (block < 0 || block >= kTextBlockCount)
        throw std::out_of_range("Text block " + std::to_string(block) + " outside 0.." +
                                std::to_string(kTextBlockCount - 1));
}

} // namespace

const std::string& Text(TextId id)
{
    const int row = static_cast<int>(id);
    CheckRow(row);
    return Blocks()[g_currentBlock][row];
}

const std::string& TextOf(int block, TextId id)
{
    const int row = static_cast<int>(id);
    CheckBlock(block);
    CheckRow(row);
    return Blocks()[block][row];
}

int CurrentTextBlock()
{
    return g_currentBlock;
}

void SelectTextBlock(int block)
{
    CheckBlock(block);
    g_currentBlock = block;
}

int TextBlockForLanguage(int languageNumber)
{
    switch (languageNumber) {
        case 2:
        case 7:
            return BlockEnglish;
        case 3:
            return BlockFrench;
        case 4:
            return BlockSpanish;
        case 5:
            return BlockItalian;
        case 6:
            return BlockPortuguese;
        default:
            return BlockGerman;
    }
}

void SelectLanguage(int languageNumber)
{
    g_currentBlock = TextBlockForLanguage(languageNumber);
}

bool MatchesAnyLanguage(std::string_view text, TextId id)
{
    const int row = static_cast<int>(id);
    if (row < 0 || row >= kTextRowCount)
        return false;
    for (const Block& block : Blocks()) {
        if (block[row] == text)
            return true;
    }
    return false;
}

std::string TwoLanguageSettingsErrorText()
{
    return TextOf(BlockEnglish, TextId::SettingsFileAccessFailed) + "\n\n" +
           TextOf(BlockGerman, TextId::SettingsFileAccessFailed);
}

const std::string& LanguageCaption(int languageNumber)
{
    static const std::array<std::string, 8> captions = {
        "",        "Deutsch",  "English (GB)", "Français",
        "Español", "Italiano", "Português",    "English (US)",
    };
    if (languageNumber < 1 || languageNumber > 7)
        throw std::out_of_range("Language number " + std::to_string(languageNumber) +
                                " outside 1..7");
    return captions[languageNumber];
}

} // namespace korvex
