#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "imei/scramble.h"

namespace quorvel {
namespace {

TEST(KeyHash, ShiftedXorOfEveryCharacter) {
    // Worked out separately from h ^= c * 2^a ^ c * 2^b.
    const std::pair<std::string, std::int32_t> cases[] = {
        {"", 0},
        {"RowanKite", 418182016},
        {"SableMint", 415293952},
        {std::string(30, '\xFF'), 332680586},  // a and b wrap; 8-bit codes count unsigned
    };
    for (const auto& [key, hash] : cases) EXPECT_EQ(KeyHash(key), hash) << key;
}

// The native records builder and the 32-bit Windows reader must draw the
// same sequence; this suite runs in both builds.
TEST(ScrambleText, FixedVectorsAreTheSameOnEveryPlatform) {
    EXPECT_EQ(ScrambleText("RowanKite", "352099"), "%56%z`");
    EXPECT_EQ(ScrambleText("SableMint", "Nokia|6600|NHL-10"), "~i{bjP~r,%o?nLQrt");
}

TEST(ScrambleText, RoundTripsPrintableTextAndDropsTheRest) {
    std::string everyByte;
    std::string printable;
    for (int c = 0; c < 256; ++c) everyByte.push_back(static_cast<char>(c));
    for (int c = 32; c <= 126; ++c) printable += std::string(8, static_cast<char>(c));
    for (const char* key : {"", "RowanKite", "\xFF\x80 long key"}) {
        const std::string scrambled = ScrambleText(key, everyByte + printable);
        EXPECT_TRUE(IsPrintableText(scrambled)) << key;
        EXPECT_EQ(UnscrambleText(key, scrambled), everyByte.substr(32, 95) + printable) << key;
    }
    EXPECT_FALSE(IsPrintableText("\x1F") || IsPrintableText("\x7F"));
}

}  // namespace
}  // namespace quorvel
