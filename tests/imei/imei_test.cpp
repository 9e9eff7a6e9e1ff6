#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "imei/imei.h"

namespace quorvel {
namespace {

// An independent Luhn computation: the digit that makes the whole 15-digit
// number pass the Luhn test, found by trying all ten.
char LuhnCompletion(const std::string& first14) {
    for (char candidate = '0'; candidate <= '9'; ++candidate) {
        const std::string number = first14 + candidate;
        int sum = 0;
        for (std::size_t k = 0; k < number.size(); ++k) {
            int digit = number[number.size() - 1 - k] - '0';
            if (k % 2 == 1) digit = digit * 2 % 10 + digit * 2 / 10;
            sum += digit;
        }
        if (sum % 10 == 0) return candidate;
    }
    return '?';
}

TEST(CheckDigit, KnownValues) {
    const std::pair<const char*, const char*> cases[] = {
        {"490154203237518", "8"}, {"000000000000000", "0"}, {"350000000000000", "6"},
        {"123456789012345", "7"}, {"352099001761482", "1"}, {"35209900176148", "1"},
    };
    for (const auto& [imei, digit] : cases) {
        ASSERT_TRUE(CheckDigit(imei).has_value()) << imei;
        EXPECT_EQ(*CheckDigit(imei), digit) << imei;
    }
}

TEST(CheckDigit, AgreesWithAnIndependentLuhnComputation) {
    std::uint32_t state = 12345;
    for (int n = 0; n < 5000; ++n) {
        std::string imei;
        for (int k = 0; k < 15; ++k) {
            state = state * 1103515245u + 12345u;
            imei.push_back(static_cast<char>('0' + (state >> 16) % 10));
        }
        ASSERT_EQ(CheckDigit(imei), std::string(1, LuhnCompletion(imei.substr(0, 14)))) << imei;
    }
}

TEST(CheckDigit, FailsOnNonDigitsAmongTheFirstFourteenOrShortText) {
    EXPECT_TRUE(CheckDigit("35209900176148x").has_value());  // the 15th is not read
    EXPECT_FALSE(CheckDigit("3520990017614a1").has_value());
    EXPECT_FALSE(CheckDigit("a52099001761481").has_value());
    EXPECT_FALSE(CheckDigit("35 099001761481").has_value());
    EXPECT_FALSE(CheckDigit("3520990017614").has_value());
    EXPECT_FALSE(CheckDigit("").has_value());
}

TEST(ImeiText, Separators) {
    const std::pair<const char*, const char*> removals[] = {
        {"35-209900-176148-1", "352099001761481"},
        {"35 2099/00-17", "3520990017"},
        {"35_20.99\t", "35_20.99\t"},  // nothing else is removed
        {" -/", ""},
    };
    for (const auto& [text, imei] : removals) EXPECT_EQ(RemoveImeiSeparators(text), imei) << text;
}

TEST(ImeiText, CorrectionReplacesTheLastCharacterOfTheNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"352099001761482", "352099001761481"},
        {"35-209900-176148-2", "35-209900-176148-1"},
        {"35-209900-176148-2-", "35-209900-176148-1-"},  // a trailing separator stays
        {"35/209900/17614 8 2 /", "35/209900/17614 8 1 /"},
    };
    for (const auto& [typed, corrected] : cases) {
        EXPECT_EQ(CorrectedImeiText(typed, '1'), corrected) << typed;
    }
}

TEST(ApprovalBody, EveryRowAndTheUnknownOnes) {
    const std::pair<const char*, const char*> cases[] = {
        {"010000",
         "PTCRB GSM-NA, USA (GSM North American PCS-1900 Type Certification Review Board)"},
        {"330000", "ART, France (Autorite de regulation des telecommunications)"},
        {"350000", "BABT, Great Britain (British Approvals Board for Telecommunications)"},
        {"44", "BABT, Great Britain (British Approvals Board for Telecommunications)"},
        {"459999", "NTA, Denmark (National Telecom Agency)"},
        {"490154", "RegTP, Germany (Regulierungsbehoerde F\xFCr Telekommunikation und Post)"},
        {"500000", "BZT-ETS Certification GmbH, Germany"},
        {"510000", "Cetecom ICT Services GmbH, Germany"},
        {"520000", "Cetecom GmbH, Germany"},
        {"340000", "unknown"},
        {"460000", "unknown"},
        {"530000", "unknown"},
        {"3", "unknown"},
        {"", "unknown"},
        {"x5", "unknown"},
        {" 35", "unknown"},
    };
    for (const auto& [tac, body] : cases) EXPECT_EQ(ApprovalBody(tac), body) << tac;
}

}  // namespace
}  // namespace quorvel
