#include <gtest/gtest.h>

#include <string>

#include "ui/message_prompt.h"

namespace quorvel {
namespace {

TEST(ReformatPrompt, PadsTheFirstLongestLineAndEndsEveryLine) {
    struct Case {
        const char* name;
        std::string prompt;
        std::string expected;
    };
    const Case cases[] = {
        {"one line", "abc", "abc       \r\n\r\n"},
        {"second line longer", "a\r\nbc", "a\r\nbc       \r\n\r\n"},
        {"first line longer", "abc\r\nd", "abc       \r\nd\r\n\r\n"},
        {"equal lines: only the first", "ab\r\ncd", "ab       \r\ncd\r\n\r\n"},
        {"longest in the middle", "a\r\nbcd\r\nef\r\nghi", "a\r\nbcd       \r\nef\r\nghi\r\n\r\n"},
        {"trailing CR LF keeps an empty last line", "abc\r\n", "abc       \r\n\r\n\r\n"},
        {"empty lines between", "a\r\n\r\nbb", "a\r\n\r\nbb       \r\n\r\n"},
        {"only line ends: line 0 padded", "\r\n\r\n", "       \r\n\r\n\r\n\r\n"},
        {"empty prompt", "", "       \r\n\r\n"},
        // Only CR LF splits: a lone LF or CR is a character of its line.
        {"lone LF and CR are characters", "ab\ncd\r\nxyz", "ab\ncd       \r\nxyz\r\n\r\n"},
        {"LF CR is not a line end", "a\n\rb", "a\n\rb       \r\n\r\n"},
        {"CR before CR LF", "ab\r\r\ncd", "ab\r       \r\ncd\r\n\r\n"},
        // Length counts bytes: Vietnamese codes are one character each.
        {"display font codes count once", "\xC0\xC1\xC2\r\nabcd",
         "\xC0\xC1\xC2\r\nabcd       \r\n\r\n"},
        {"NUL bytes are kept", std::string("a\0b", 3) + "\r\nc",
         std::string("a\0b", 3) + "       \r\nc\r\n\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReformatPrompt(c.prompt), c.expected) << c.name;
    }
}

TEST(ReformatPrompt, LongPromptKeepsEveryLineInOrder) {
    std::string prompt;
    std::string expected;
    for (int i = 0; i < 200; ++i) {
        const std::string line(static_cast<std::size_t>(i % 37), static_cast<char>('a' + i % 26));
        prompt += (i ? "\r\n" : "") + line;
        // Line 36 is the first of the longest (36 characters).
        expected += line + (i == 36 ? "       " : "") + "\r\n";
    }
    EXPECT_EQ(ReformatPrompt(prompt), expected + "\r\n");
}

TEST(MessageBoxButtons, VietnameseCaptionsAreTheDisplayFontCodes) {
    struct Case {
        const char* systemCaption;
        std::string bytes;
    };
    const Case cases[] = {
        {"OK", std::string{'\x98', '\xE2', 'n', 'g'}},
        {"&Yes", std::string{'&', 'C', '\xE2'}},
        {"&No", std::string{'&', 'K', 'h', '\xA4', 'n', 'g'}},
    };
    ASSERT_EQ(kMessageBoxButtonRelabels.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_STREQ(kMessageBoxButtonRelabels[i].systemCaption, cases[i].systemCaption);
        EXPECT_EQ(kMessageBoxButtonRelabels[i].replacement, cases[i].bytes) << i;
    }
    EXPECT_STREQ(kSaveButtonRelabel.systemCaption, "&Save");
    EXPECT_EQ(std::string(kSaveButtonRelabel.replacement), (std::string{'&', 'L', '\xA7', 'u'}));
}

}  // namespace
}  // namespace quorvel
