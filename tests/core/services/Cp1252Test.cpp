#include "core/services/Cp1252.h"

#include <gtest/gtest.h>

using namespace korvex;

TEST(Cp1252, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(std::string(1, static_cast<char>(b)))),
                  std::string(1, static_cast<char>(b)))
            << b;
}

TEST(Cp1252, MapsTheSpecialBytes)
{
    EXPECT_EQ(Cp1252ToUtf8("\xB0"
                           "C"),
              "°C");
    EXPECT_EQ(Cp1252ToUtf8("\x80\xE4\xDF\x9F"), "€äßŸ");
    EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(Utf8ToCp1252("T1[°C] ä €"), "T1[\xB0"
                                          "C] \xE4 \x80");
}

TEST(Cp1252, UnmappableAndInvalidInputBecomesQuestionMarks)
{
    EXPECT_EQ(Utf8ToCp1252("a→b😀c"), "a?b?c");
    EXPECT_EQ(Utf8ToCp1252("\x80x"), "?x");         // stray continuation byte
    EXPECT_EQ(Utf8ToCp1252("x\xC3"), "x?");         // truncated at the end
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");      // overlong
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???"); // surrogate
    EXPECT_EQ(Utf8ToCp1252("\xF8\x88\x80\x80\x80z"), "?????z");
}
