#include <gtest/gtest.h>

#include "main/analyze_messages.h"

namespace quorvel {
namespace {

TEST(AnalyzeMessages, WrongCheckDigitPutsTheDigitBetweenBraces) {
    EXPECT_EQ(WrongCheckDigitMessage(Language::English, "7"),
              "Invalid IMEI. The last check digit should be {7}.\r\nDo you want to correct it?");
    const std::string vietnamese = WrongCheckDigitMessage(Language::Vietnamese, "1");
    EXPECT_EQ(vietnamese.rfind("S\xE7 IMEI kh\xA4ng h\xEDp l\xD6. Ch\xF6", 0), 0u);
    EXPECT_NE(vietnamese.find(" l\xAA {1}.\r\nB\xC1n c\xE2 mu\xE7n s\xF5"
                              "a "),
              std::string::npos);
    EXPECT_EQ(vietnamese.substr(vietnamese.size() - 6), "kh\xA4ng?");
}

TEST(AnalyzeMessages, EachLanguageHasItsOwnSet) {
    EXPECT_STREQ(AnalyzeMessagesFor(Language::English).title, "Warning");
    const AnalyzeMessages& vietnamese = AnalyzeMessagesFor(Language::Vietnamese);
    EXPECT_STREQ(vietnamese.title, "Th\xA4ng b\xC0o");
    // 0x98 then 0xE8, and 0xA7 then 0xA5: a literal split wrongly merges them.
    EXPECT_NE(std::string(vietnamese.wrongLength)
                  .find(". \x98\xE8 d\xAAi c\xEF"
                        "a s"),
              std::string::npos);
    EXPECT_NE(std::string(vietnamese.notFoundLocally).find("ch\xA7\xA5ng tr\xD8nh.\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace quorvel
