#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shared/text.h"

namespace quorvel {
namespace {

TEST(TextHelpers, TrimCaseSplitAndBackslash) {
    const std::pair<const char*, const char*> trims[] = {
        {"  35 20 ", "35 20"}, {"   ", ""}, {"\t35 ", "\t35"}};
    for (const auto& [text, trimmed] : trims) EXPECT_EQ(TrimSpaces(text), trimmed) << text;
    EXPECT_EQ(TrimSpaces("\t 35\t", " \t"), "35");
    // Only A-Z and a-z change; bytes above 0x7F stay as they are.
    EXPECT_EQ(AsciiLower("AZaz@[\xC0"), "azaz@[\xC0");
    EXPECT_EQ(AsciiUpper("AZaz`{\xE0"), "AZAZ`{\xE0");
    using Parts = std::vector<std::string>;
    EXPECT_EQ(SplitText("a\r\nb\r\n", kCrLf), (Parts{"a", "b", ""}));
    EXPECT_EQ(SplitText("", kCrLf), (Parts{""}));
    const std::pair<const char*, const char*> paths[] = {
        {"C:\\Quorvel", "C:\\Quorvel\\"}, {"C:\\", "C:\\"}, {"", "\\"}};
    for (const auto& [path, folder] : paths) EXPECT_EQ(AddBackslash(path), folder) << path;
}

}  // namespace
}  // namespace quorvel
