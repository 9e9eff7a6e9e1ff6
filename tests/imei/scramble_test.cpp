#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "imei/scramble.h"

namespace quorvel {
namespace {

// The characters 32 to 126 of text, in order.
std::string PrintablePart(const std::string& text) {
    std::string printable;
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 32 && static_cast<unsigned char>(c) <= 126) {
            printable.push_back(c);
        }
    }
    return printable;
}

TEST(KeyHash, MatchesTheShiftedXorOfEveryCharacter) {
    // Values worked out separately from h ^= c * 2^a ^ c * 2^b.
    const std::pair<std::string, std::int32_t> cases[] = {
        {"", 0},
        {"A", 524416},
        {"RowanKite", 418182016},
        {"SableMint", 415293952},
        {std::string(30, '\xFF'), 332680586},  // a and b wrap; 8-bit codes count unsigned
    };
    for (const auto& [key, hash] : cases) EXPECT_EQ(KeyHash(key), hash) << key;
}

// The same bytes must come out of the native builder and the 32-bit Windows
// reader; this suite runs in both builds.
TEST(ScrambleText, FixedVectorIsTheSameOnEveryPlatform) {
    EXPECT_EQ(ScrambleText("RowanKite", "352099"), "%56%z`");
    EXPECT_EQ(ScrambleText("SableMint", "Nokia|6600|NHL-10"), "~i{bjP~r,%o?nLQrt");
    ScrambleGenerator generator;
    generator.Reset(-1);
    generator.Seed(KeyHash("RowanKite"));
    const std::uint32_t expected[] = {0xDA4F0AE5u, 0xFDFED474u, 0x0D32F796u, 0xE144815Au};
    for (std::uint32_t value : expected) EXPECT_EQ(generator.Next(), value);
}

TEST(ScrambleGenerator, ShiftsCoverZeroToNinetyFive) {
    ScrambleGenerator generator;
    generator.Reset(-1);
    generator.Seed(0);
    std::set<int> seen;
    for (int n = 0; n < 20000; ++n) {
        const int shift = generator.NextShift();
        ASSERT_GE(shift, 0);
        ASSERT_LE(shift, 95);
        seen.insert(shift);
    }
    EXPECT_EQ(seen.size(), 96u);
}

TEST(ScrambleText, RoundTripsPrintableTextAndDropsTheRest) {
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte.push_back(static_cast<char>(c));
    std::string allPrintableTwice;
    for (int c = 32; c <= 126; ++c) allPrintableTwice += std::string(2, static_cast<char>(c));
    const std::string texts[] = {
        "",
        "352099",
        "Nokia|6600|NHL-10",
        allPrintableTwice,
        everyByte,
        "Tab\there\r\n\xA6\xA4\xB6 and \xFC",
    };
    for (const char* key :
         {"", "RowanKite", "SableMint", "k", "\xFF\x80 long key of many letters"}) {
        for (const std::string& text : texts) {
            const std::string scrambled = ScrambleText(key, text);
            EXPECT_EQ(scrambled.size(), PrintablePart(text).size());
            EXPECT_EQ(PrintablePart(scrambled), scrambled) << "only printable characters";
            EXPECT_EQ(UnscrambleText(key, scrambled), PrintablePart(text)) << key;
        }
    }
}

TEST(ScrambleText, DependsOnTheKeyAndOnPosition) {
    EXPECT_NE(ScrambleText("RowanKite", "352099"), ScrambleText("SableMint", "352099"));
    const std::string same(40, '5');
    const std::string scrambled = ScrambleText("RowanKite", same);
    EXPECT_GT(std::set<char>(scrambled.begin(), scrambled.end()).size(), 10u);
    // A dropped character draws no value: the rest scrambles as if it were absent.
    EXPECT_EQ(ScrambleText("RowanKite",
                           "35\x01"
                           "2099"),
              ScrambleText("RowanKite", "352099"));
}

}  // namespace
}  // namespace quorvel
