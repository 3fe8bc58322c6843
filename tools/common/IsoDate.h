#pragma once

#include "core/services/DayTime.h"

#include <cctype>
#include <string_view>

namespace korvex {

// "YYYY-MM-DD" as a whole day; false for anything else, including impossible dates.
inline bool ParseIsoDate(std::string_view text, DayTime& day)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (int i = 0; i < lengths[p]; ++i) {
            const unsigned char c = static_cast<unsigned char>(text[starts[p] + i]);
            if (!std::isdigit(c))
                return false;
            parts[p] = parts[p] * 10 + (c - '0');
        }
    }
    return TryEncodeDate(parts[0], parts[1], parts[2], day);
}

// "YYYY-MM-DD hh:mm" as that minute; false for anything else, including impossible times.
inline bool ParseIsoDateMinute(std::string_view text, DayTime& at)
{
    if (text.size() != 16 || text[10] != ' ' || text[13] != ':')
        return false;
    DayTime day = 0;
    if (!ParseIsoDate(text.substr(0, 10), day))
        return false;
    int hm[2] = {0, 0};
    for (int p = 0; p < 2; ++p) {
        for (int i = 0; i < 2; ++i) {
            const unsigned char c = static_cast<unsigned char>(text[11 + 3 * p + i]);
            if (!std::isdigit(c))
                return false;
            hm[p] = hm[p] * 10 + (c - '0');
        }
    }
    if (hm[0] > 23 || hm[1] > 59)
        return false;
    at = day + EncodeTime(hm[0], hm[1]);
    return true;
}

} // namespace korvex
