#include <gtest/gtest.h>

#include <string>

#include "cp1252.h"

namespace quorvel {
namespace {

TEST(Utf8ToWindows1252, ConvertsOrReplacesEachCharacter) {
    const struct {
        const char* name;
        std::string utf8;
        std::string expected;
    } cases[] = {
        {"ascii", "Nokia 3310 (NHM-5NX)", "Nokia 3310 (NHM-5NX)"},
        {"latin-1 letters", "K\xC3\xA9vin L\xC3\xB6sungen", "K\xE9vin L\xF6sungen"},
        {"no-break space and y-diaeresis", "\xC2\xA0\xC3\xBF", "\xA0\xFF"},
        {"euro sign", "\xE2\x82\xAC 5", "\x80 5"},
        {"trade mark and dashes", "X\xE2\x84\xA2\xE2\x80\x94\xE2\x80\x93", "X\x99\x97\x96"},
        {"s caron and y diaeresis", "\xC5\xA0\xC5\xB8", "\x8A\x9F"},
        {"C1 control has no byte", "a\xC2\x81z", "a?z"},
        {"CJK letter is one replacement", "\xE4\xB8\xAD", "?"},
        {"four-byte character", "\xF0\x9F\x98\x80!", "?!"},
        {"stray continuation byte", "a\x80z", "a?z"},
        {"truncated sequence at the end", "ab\xC3", "ab?"},
        {"truncated sequence before ascii", "\xE2\x82(", "?\?("},
        {"overlong slash", "\xC0\xAF", "??"},
        {"surrogate", "\xED\xA0\x80", "???"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????"},
        {"invalid lead byte", "\xFF\xFE", "??"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToWindows1252(c.utf8), c.expected) << c.name;
}

TEST(Utf8ToWindows1252, EveryLatin1CharacterKeepsItsByte) {
    for (unsigned code = 0xA0; code <= 0xFF; ++code) {
        const std::string utf8 = {static_cast<char>(0xC0 | (code >> 6)),
                                  static_cast<char>(0x80 | (code & 0x3F))};
        EXPECT_EQ(Utf8ToWindows1252(utf8), std::string(1, static_cast<char>(code)))
            << "U+00" << std::hex << code;
    }
}

}  // namespace
}  // namespace quorvel
