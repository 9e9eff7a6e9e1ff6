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
    const std::pair<std::string, std::string> cases[] = {
        {"F\xC3\xBCr", "F\xFCr"},
        {"\xE2\x82\xAC 5", "\x80 5"},
        {"\xE4\xB8\xAD", "?"},             // a letter the code page lacks
        {"\xF0\x9F\x98\x80!", "?!"},       // four bytes, outside the BMP
        {"F\xFCr", "F\xFCr"},              // not UTF-8: taken as Windows-1252
        {"\xC3", "\xC3"},                  // cut short
        {"\xC0\xAF", "\xC0\xAF"},          // overlong form of "/"
        {"\xED\xA0\x80", "\xED\xA0\x80"},  // a surrogate
        {"\xE2\x82", "\xE2\x82"},
    };
    for (const auto& [utf8, cp1252] : cases) EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
}

TEST(TextEncoding, EncodeUtf8OfEveryLength) {
    EXPECT_EQ(EncodeUtf8(U"A\u00FC\u20AC\U0001F600"), "A\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(DecodeUtf8("A\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80"), U"A\u00FC\u20AC\U0001F600");
}

}  // namespace
}  // namespace quorvel
