// Tests of the Windows-1252 helpers: upper case rules and UTF-8 conversion.
#include <gtest/gtest.h>

#include "document/Text.h"

namespace zx {
namespace {

TEST(Text, AnsiAndAsciiUpperCase) {
    struct Case {
        unsigned char in, ansi, ascii;
    };
    const Case cases[] = {
        {'a', 'A', 'A'},    {'z', 'Z', 'Z'},    {'A', 'A', 'A'},    {'{', '{', '{'},
        {'@', '@', '@'},    {'1', '1', '1'},    {0xE4, 0xC4, 0xE4}, // ä
        {0xF6, 0xD6, 0xF6}, {0xFC, 0xDC, 0xFC}, {0xE0, 0xC0, 0xE0}, {0xFE, 0xDE, 0xFE},
        {0xDF, 0xDF, 0xDF}, // ß stays
        {0xF7, 0xF7, 0xF7}, // division sign
        {0xFF, 0x9F, 0xFF}, {0x9A, 0x8A, 0x9A}, {0x9C, 0x8C, 0x9C}, {0x9E, 0x8E, 0x9E},
        {0xB5, 0xB5, 0xB5}, // micro sign has no upper case here
        {0xC4, 0xC4, 0xC4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(static_cast<unsigned char>(AnsiUpperChar(static_cast<char>(c.in))), c.ansi)
            << std::hex << int(c.in);
        EXPECT_EQ(static_cast<unsigned char>(AsciiUpperChar(static_cast<char>(c.in))), c.ascii)
            << std::hex << int(c.in);
    }
    EXPECT_EQ(AnsiUpper("stra\xDF"
                        "e \xFC"
                        "ber"),
              "STRA\xDF"
              "E \xDC"
              "BER");
    EXPECT_EQ(AsciiUpper("stra\xDF"
                         "e \xFC"
                         "ber"),
              "STRA\xDF"
              "E \xFC"
              "BER");
}

TEST(Text, Utf8Conversion) {
    struct Case {
        const char* name;
        std::string cp1252;
        std::string utf8;
    };
    const Case cases[] = {
        {"ASCII", "Haus", "Haus"},
        {"umlauts", "R\xE4tsel \xD6l \xDF", "R\xC3\xA4tsel \xC3\x96l \xC3\x9F"},
        {"euro sign", "\x80", "\xE2\x82\xAC"},
        {"typographic quotes", "\x84x\x93", "\xE2\x80\x9Ex\xE2\x80\x9C"},
        {"Y diaeresis", "\x9F", "\xC5\xB8"},
        {"non-breaking space", "\xA0", "\xC2\xA0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8) << c.name;
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.name;
    }
}

TEST(Text, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Text, Utf8WithoutWindows1252FormBecomesQuestionMarks) {
    struct Case {
        const char* name;
        std::string utf8;
        std::string cp1252;
    };
    const Case cases[] = {
        {"CJK", "\xE6\x97\xA5\xE6\x9C\xAC", "??"},
        {"emoji",
         "a\xF0\x9F\x98\x80"
         "b",
         "a?b"},
        {"stray continuation byte",
         "a\x80"
         "b",
         "a?b"},
        {"sequence cut at the end", "a\xC3", "a?"},
        {"sequence cut by ASCII",
         "\xE2\x82"
         "A",
         "??A"},
        {"overlong slash", "\xC0\xAF", "??"},
        {"surrogate", "\xED\xA0\x80", "???"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????"},
        {"invalid lead byte", "\xFF", "?"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.name;
}

} // namespace
} // namespace zx
