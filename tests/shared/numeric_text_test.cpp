#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "shared/numeric_text.h"

namespace quorvel {
namespace {

struct NumericCase {
    const char* text;
    double value;
};

TEST(NumericValue, ReadsTheNumberAtTheStartOfTheText) {
    const NumericCase cases[] = {
        {"8080", 8080},     {"80x", 80},        {"", 0},
        {"abc", 0},         {" 8 0 8 0", 8080}, {"8080   ", 8080},
        {"\t80\n80", 8080}, {"-3", -3},         {"+12", 12},
        {"- 3", -3},        {"1e3", 1000},      {"1E3", 1000},
        {"1e-2", 0.01},     {"2.5e1x", 25},     {"1e", 1},
        {"1e+", 1},         {"80.5", 80.5},     {".5", 0.5},
        {"5.", 5},          {"1.2.3", 1.2},     {"&H1F", 31},
        {"&h1f", 31},       {"& H 1F", 31},     {"&O17", 15},
        {"&o778", 63},      {"&HFFFFFFFF", -1}, {"&H", 0},
        {"&X12", 0},        {"&HG", 0},         {"--3", 0},
        {"+-3", 0},         {"-", 0},           {".", 0},
        {"e5", 0},          {"\r80", 0},        {"x80", 0},
        {"1d2", 100},       {"0010", 10},       {"&H7FFFFFFF", 2147483647.0},
    };
    for (const NumericCase& c : cases) {
        EXPECT_DOUBLE_EQ(NumericValue(c.text), c.value) << "text: \"" << c.text << "\"";
    }
}

TEST(NumericValue, HexadecimalBeyondThirtyTwoBitsKeepsTheLowBits) {
    EXPECT_DOUBLE_EQ(NumericValue("&H100000001"), 1);
    EXPECT_DOUBLE_EQ(NumericValue("&H80000000"), -2147483648.0);
}

TEST(NumericValue, HugeExponentGivesInfinityNotUndefinedBehaviour) {
    EXPECT_TRUE(std::isinf(NumericValue("1e999")));
    EXPECT_GT(NumericValue("1e999"), 0);
    EXPECT_LT(NumericValue("-1e999"), 0);
    EXPECT_DOUBLE_EQ(NumericValue("1e-999"), 0);
}

struct RoundCase {
    double value;
    std::int32_t rounded;
};

TEST(RoundToInt32, RoundsHalvesToTheEvenNeighbour) {
    const RoundCase cases[] = {
        {80.5, 80},
        {81.5, 82},
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {80.49, 80},
        {80.51, 81},
        {-80.51, -81},
        {0, 0},
        {8080, 8080},
        {2147483647.0, 2147483647},
        {-2147483648.0, -2147483647 - 1},
    };
    for (const RoundCase& c : cases) {
        EXPECT_EQ(RoundToInt32(c.value), c.rounded) << "value: " << c.value;
    }
}

TEST(RoundToInt32, ClampsValuesBeyondThirtyTwoBits) {
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    const std::int32_t min = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(RoundToInt32(2147483647.4), max);
    EXPECT_EQ(RoundToInt32(2147483648.0), max);
    EXPECT_EQ(RoundToInt32(1e300), max);
    EXPECT_EQ(RoundToInt32(-2147483649.0), min);
    EXPECT_EQ(RoundToInt32(-std::numeric_limits<double>::infinity()), min);
    EXPECT_EQ(RoundToInt32(std::numeric_limits<double>::infinity()), max);
    EXPECT_EQ(RoundToInt32(std::nan("")), 0);
}

TEST(IntegerValue, CombinesTheScanAndTheRounding) {
    EXPECT_EQ(IntegerValue("8080"), 8080);
    EXPECT_EQ(IntegerValue("8080   "), 8080);
    EXPECT_EQ(IntegerValue("abc"), 0);
    EXPECT_EQ(IntegerValue("80.5"), 80);
    EXPECT_EQ(IntegerValue("81.5"), 82);
    EXPECT_EQ(IntegerValue("99999999999"), 2147483647);
    EXPECT_EQ(IntegerValue("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(IntegerValue("1e999"), 2147483647);
    EXPECT_EQ(IntegerValue("&HFFFF"), 65535);
}

}  // namespace
}  // namespace quorvel
