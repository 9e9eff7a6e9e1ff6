#include <gtest/gtest.h>

#include "text_encoding.h"

namespace quorvel {
namespace {

TEST(TextEncoding, Cp1252ToUtf8) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {"F\xFCr", "F\xC3\xBCr"},
        {"\x80", "\xE2\x82\xAC"},  // euro sign
        {"\x98", "\xCB\x9C"},      // small tilde
        {"\xB6", "\xC2\xB6"},      // pilcrow
        {"\x81", "\xC2\x81"},      // undefined: itself
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& [cp1252, utf8] : cases) EXPECT_EQ(Cp1252ToUtf8(cp1252), utf8);
}

TEST(TextEncoding, EveryByteSurvivesTheRoundTrip) {
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte.push_back(static_cast<char>(c));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(everyByte)), everyByte);
}

TEST(TextEncoding, Utf8ToCp1252) {
    const struct {
        const char* name;
        std::string utf8;
        std::string cp1252;
    } cases[] = {
        {"ascii", "Nokia 3310 (NHM-5NX)", "Nokia 3310 (NHM-5NX)"},
        {"latin-1 letters", "K\xC3\xA9vin L\xC3\xB6sungen", "K\xE9vin L\xF6sungen"},
        {"no-break space and y-diaeresis", "\xC2\xA0\xC3\xBF", "\xA0\xFF"},
        {"euro sign", "\xE2\x82\xAC 5", "\x80 5"},
        {"trade mark and dashes", "X\xE2\x84\xA2\xE2\x80\x94\xE2\x80\x93", "X\x99\x97\x96"},
        {"S caron and Y diaeresis", "\xC5\xA0\xC5\xB8", "\x8A\x9F"},
        {"undefined byte's control keeps it", "a\xC2\x81z", "a\x81z"},
        {"letter the code page lacks", "\xE4\xB8\xAD", "?"},
        {"four bytes, outside the BMP", "\xF0\x9F\x98\x80!", "?!"},
        // Bytes that are not UTF-8 are taken as Windows-1252.
        {"not UTF-8", "F\xFCr", "F\xFCr"},
        {"stray continuation byte", "a\x80z", "a\x80z"},
        {"cut short at the end", "ab\xC3", "ab\xC3"},
        {"cut short before ascii", "\xE2\x82(", "\xE2\x82("},
        {"overlong form of /", "\xC0\xAF", "\xC0\xAF"},
        {"surrogate", "\xED\xA0\x80", "\xED\xA0\x80"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\xF4\x90\x80\x80"},
        {"invalid lead bytes", "\xFF\xFE", "\xFF\xFE"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.name;
}

TEST(TextEncoding, EveryLatin1CharacterKeepsItsByte) {
    for (unsigned code = 0xA0; code <= 0xFF; ++code) {
        const std::string utf8 = {static_cast<char>(0xC0 | (code >> 6)),
                                  static_cast<char>(0x80 | (code & 0x3F))};
        EXPECT_EQ(Utf8ToCp1252(utf8), std::string(1, static_cast<char>(code)))
            << "U+00" << std::hex << code;
    }
}

TEST(TextEncoding, EncodeUtf8OfEveryLength) {
    EXPECT_EQ(EncodeUtf8(U"A\u00FC\u20AC\U0001F600"), "A\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(DecodeUtf8("A\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80"), U"A\u00FC\u20AC\U0001F600");
}

}  // namespace
}  // namespace quorvel
