#pragma once

// Texts of the function check looked up by key, one per text block in the blocks' order:
// German, English, French, Spanish, Italian, Portuguese.

#include "core/services/TextCatalogue.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace korvex {

struct KeyedText {
    const char* key;
    std::array<const char*, kTextBlockCount> texts;
};

// The text of key in block; empty for an unknown key or block.
template <std::size_t N>
const char* FindKeyedText(const KeyedText (&rows)[N], int block, std::string_view key)
{
    if (block < 0 || block >= kTextBlockCount)
        return "";
    for (const KeyedText& row : rows)
        if (key == row.key)
            return row.texts[static_cast<std::size_t>(block)];
    return "";
}

} // namespace korvex
