#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "imei/imei.h"

namespace quorvel {
namespace {

TEST(CheckDigit, LuhnOverTheFirstFourteenDigits) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"490154203237518", "8"}, {"000000000000000", "0"}, {"350000000000000", "6"},
        {"123456789012345", "7"}, {"35209900176148", "1"},  {"35209900176148x", "1"},
        {"99999999999999", "4"},  {"3520990017614a1", {}},  {"a52099001761481", {}},
        {"35 099001761481", {}},  {"3520990017614", {}},    {"", {}},
    };
    for (const auto& [imei, digit] : cases) EXPECT_EQ(CheckDigit(imei), digit) << imei;
}

TEST(ImeiText, SeparatorsAndCorrection) {
    const std::pair<const char*, const char*> removals[] = {
        {"35-209900-176148-1", "352099001761481"},
        {"35 2099/00", "35209900"},
        {"3_5.\t", "3_5.\t"}};
    for (const auto& [text, imei] : removals) EXPECT_EQ(RemoveImeiSeparators(text), imei) << text;
    const std::pair<const char*, const char*> corrections[] = {
        {"352099001761482", "352099001761481"}, {"35-2 8 2-/ ", "35-2 8 1-/ "}, {"- /", "- /"}};
    for (const auto& [typed, fixed] : corrections) {
        EXPECT_EQ(CorrectedImeiText(typed, '1'), fixed) << typed;
    }
}

TEST(ApprovalBody, EveryRowAndTheUnknownOnes) {
    const char* const babt = "BABT, Great Britain (British Approvals Board for Telecommunications)";
    const std::pair<const char*, const char*> cases[] = {
        {"010000",
         "PTCRB GSM-NA, USA (GSM North American PCS-1900 Type Certification Review Board)"},
        {"330000", "ART, France (Autorite de regulation des telecommunications)"},
        {"350000", babt},
        {"44", babt},
        {"459999", "NTA, Denmark (National Telecom Agency)"},
        {"490154", "RegTP, Germany (Regulierungsbehoerde F\xFCr Telekommunikation und Post)"},
        {"500000", "BZT-ETS Certification GmbH, Germany"},
        {"510000", "Cetecom ICT Services GmbH, Germany"},
        {"520000", "Cetecom GmbH, Germany"},
    };
    for (const auto& [tac, body] : cases) EXPECT_EQ(ApprovalBody(tac), body) << tac;
    for (const char* tac : {"340000", "460000", "530000", "000000", "990000", "3", ""}) {
        EXPECT_EQ(ApprovalBody(tac), "unknown") << tac;
    }
}

}  // namespace
}  // namespace quorvel
