// The shared text helpers: case, splitting, paths, and the
// numbers that settings texts hold.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "shared/numeric_text.h"
#include "shared/text.h"

namespace quorvel {
namespace {

// (Trimming is tested through every text the commands and tools trim.)
TEST(TextHelpers, CaseSplitAndBackslash) {
    // Only A-Z and a-z change; bytes above 0x7F stay as they are.
    EXPECT_EQ(AsciiLower("AZaz@[\xC0"), "azaz@[\xC0");
    EXPECT_EQ(AsciiUpper("AZaz`{\xE0"), "AZAZ`{\xE0");
    EXPECT_EQ(SplitText("a\r\nb\r\n", kCrLf), (std::vector<std::string>{"a", "b", ""}));
    const std::pair<const char*, const char*> paths[] = {
        {"C:\\Quorvel", "C:\\Quorvel\\"}, {"C:\\", "C:\\"}, {"", "\\"}};
    for (const auto& [path, folder] : paths) EXPECT_EQ(AddBackslash(path), folder) << path;
}

TEST(NumericValue, ReadsTheNumberAtTheStartOfTheText) {
    // Each value with the texts that give it.
    const std::pair<double, std::vector<const char*>> cases[] = {
        {8080, {"8080", " 8 0 8 0", "\t80\n80", "8080x"}},
        {0, {"", "abc", "\r80", "--3", "+-3", "-", ".", "e5", "&H", "&X12", "&HG", "1e-999"}},
        {-3, {"-3", "- 3"}},
        {12, {"+12", "1.2e1", "12.e+0x", "1.2D1", "&HC.", "&hc", "& H C", "&O14", "&o148"}},
        {1000, {"1e3", "1E3", "1d3", "1e+3"}},
        {1, {"1e", "1e+", "&H100000001"}},
        {0.01, {"1e-2"}},
        {0.5, {".5", "0.5.3"}},
        {39615, {"&H9aBf"}},  // hex digits of both cases
        {-1, {"&HFFFFFFFF"}},
        {2147483647.0, {"&H7FFFFFFF"}},
        {-2147483648.0, {"&H80000000"}},
        {INFINITY, {"1e999"}},
        {-INFINITY, {"-1e999"}},
    };
    for (const auto& [value, texts] : cases)
        for (const char* text : texts) EXPECT_DOUBLE_EQ(NumericValue(text), value) << text;
}

TEST(RoundToInt32, HalvesToEvenAndClampsTo32Bits) {
    const std::pair<std::int32_t, std::vector<double>> cases[] = {
        {80, {80.5, 80.49, 79.51}},
        {82, {81.5}},
        {0, {-0.5, 0.5, std::nan("")}},
        {-2, {-1.5, -2.5}},
        {-81, {-80.51}},
        {INT32_MAX, {2147483647.4, 2147483648.0, 1e300, INFINITY}},
        {INT32_MIN, {-2147483648.0, -2147483649.0, -INFINITY}},
    };
    for (const auto& [rounded, values] : cases)
        for (double value : values) EXPECT_EQ(RoundToInt32(value), rounded) << value;
    EXPECT_EQ(IntegerValue(" 81.5x"), 82);
}

}  // namespace
}  // namespace quorvel
