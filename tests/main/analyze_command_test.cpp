#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "main/analyze_command.h"
#include "main/result_text.h"
#include "support/fake_main_view.h"
#include "support/fake_settings.h"

namespace quorvel {
namespace {

const std::string kBabt =
    "Issued by: BABT, Great Britain (British Approvals Board for Telecommunications)\r\n";
const std::string kHead = "\r\n[Local information]\r\n";

test::FakeMainView Analyze(const char* languageId, const char* getOnline, const std::string& typed,
                           std::deque<int> answers) {
    test::FakeMainView view;
    test::FakeSettings settings;
    settings.Set(kLanguageIdKey, languageId);
    settings.Set(kGetOnlineImeiKey, getOnline);
    view.imeiBox = typed;
    view.resultBox = "earlier result";
    view.answers = answers;
    RunAnalyzeCommand(view, settings, [](const std::string& tac) -> std::string {
        if (tac == "35209900") return "Nokia|6600|NHL-10";
        if (tac == "35000000") throw std::runtime_error("unreadable");
        return kUnknownLookupResult;
    });
    EXPECT_TRUE(view.answers.empty()) << typed;
    return view;
}

// The message boxes and the busy switch, in order.
TEST(AnalyzeCommand, AsksAndSwitchesTheButtonsAsTheTextAndSettingsRequire) {
    const std::string en = "enable", off = "disable", w = "Warning|", vi = "Th\xA4ng b\xC0o|";
    const std::string length = "box 48 " + w + "Invalid IMEI. The IMEI should be 15-digit number.";
    const std::string digit = "box 36 " + w + "Invalid IMEI. The last check digit should be {";
    const std::string correct = "}.\r\nDo you want to correct it?";
    const std::string search = "box 36 " + w +
                               "The information for this IMEI was not found in the local "
                               "database.\r\nDo you want to search from the Internet?";
    const std::string viLength = "box 48 " + vi +
                                 "S\xE7 IMEI kh\xA4ng h\xEDp l\xD6. \x98\xE8 d\xAAi c\xEF" +
                                 "a s\xE7 IMEI ph\xB6i l\xAA 15 ch\xF6 s\xE7.";
    const std::string viDigit = "box 36 " + vi +
                                "S\xE7 IMEI kh\xA4ng h\xEDp l\xD6. Ch\xF6 s\xE7 cu\xE7i c\xEEng "
                                "ph\xB6i l\xAA {1}.\r\nB\xC1n c\xE2 mu\xE7n s\xF5" +
                                "a th\xAAnh s\xE7 IMEI h\xEDp l\xD6 kh\xA4ng?";
    const std::string viSearch = "box 36 " + vi +
                                 "Kh\xA4ng c\xE2 th\xA4ng tin v\xD2 s\xE7 IMEI trong CSDL c\xEF" +
                                 "a ch\xA7\xA5ng tr\xD8nh.\r\nB\xC1n c\xE2 mu\xE7n t\xD8m th\xA4ng "
                                 "tin IMEI t\xF4 Internet kh\xA4ng?";
    const std::string online = "online 490154203237518";
    const std::tuple<const char*, const char*, const char*, std::deque<int>,
                     std::vector<std::string>>
        cases[] = {
            {"", "", "35209900176148", {1}, {length}},
            {"00", "", "3520990017614811", {1}, {length}},
            {"1", "", "352099-00176148", {1}, {length}},
            {"", "", "35209900176x481", {1}, {length}},
            {"", "", "352099001761482", {2}, {digit + "1" + correct}},
            {"", "", "352099001761482", {6}, {digit + "1" + correct, off, en}},
            {"", "", "490154203237518", {7}, {off, search, en}},
            {"", "0", "490154203237519", {6, 6}, {digit + "8" + correct, off, search, online}},
            {"", "1", "352099001761481", {}, {off, "online 352099001761481"}},
            {"", "1", "490154203237518", {}, {off, online}},
            {"", " 1", "352099001761481", {}, {off, en}},
            {"", "", "350000000000006", {7}, {off, search, en}},  // a failed lookup: unknown
            {"0", "", "35209900176148", {1}, {viLength}},
            {"0", "", "352099001761482", {7}, {viDigit}},
            {"0", "", "490154203237518", {7}, {off, viSearch, en}},
        };
    for (const auto& [languageId, getOnline, typed, answers, expected] : cases) {
        EXPECT_EQ(Analyze(languageId, getOnline, typed, answers).log, expected) << typed;
    }
}

TEST(AnalyzeCommand, WritesTheTrimmedOrCorrectedTextAndTheLocalResult) {
    const std::string nokia =
        kHead + "Manufacturer: Nokia\r\nModel type: 6600\r\nReference: NHL-10\r\n";
    const std::string unknown =
        kHead + "Manufacturer: unknown\r\nModel type: unknown\r\nReference: unknown\r\n";
    const std::tuple<const char*, int, const char*, std::string> cases[] = {
        {" 35-209900-176148-1 ", 0, "35-209900-176148-1",
         "Input IMEI: 35-209900-176148-1\r\n" + nokia + kBabt},
        {"35 209900-176148/2", 6, "35 209900-176148/1",
         "Input IMEI: 35 209900-176148/2\r\nValid IMEI: 35 209900-176148/1\r\n" + nokia + kBabt},
        {" 352099001761482", 7, "352099001761482", ""},
        {"3520990017614 ", 1, "3520990017614", ""},
        {"350000000000006", 7, "350000000000006",
         "Input IMEI: 350000000000006\r\n" + unknown + kBabt},
        {"490154203237518", 7, "490154203237518",
         "Input IMEI: 490154203237518\r\n" + unknown +
             "Issued by: RegTP, Germany (Regulierungsbehoerde F\xFCr Telekommunikation und "
             "Post)\r\n"},
    };
    for (const auto& [typed, answer, imei, result] : cases) {
        const test::FakeMainView view =
            Analyze("0", "", typed, answer ? std::deque{answer} : std::deque<int>{});
        EXPECT_EQ(view.imeiBox, imei);
        EXPECT_EQ(view.resultBox, result) << typed;
    }
}

TEST(LocalResultText, EmptyFieldsShowNotAvailableMissingOnesHaveNoLine) {
    const std::pair<const char*, std::string> cases[] = {
        {"Maker||", "Manufacturer: Maker\r\nModel type: N/A\r\nReference: N/A\r\n"},
        {"A||C|D", "Manufacturer: A\r\nModel type: N/A\r\nReference: C\r\n"},
        {"Maker", "Manufacturer: Maker\r\n"},
        {"", ""},
    };
    for (const auto& [fields, lines] : cases) {
        EXPECT_EQ(LocalResultText("x", std::nullopt, fields, "352099"),
                  "Input IMEI: x\r\n" + kHead + lines + kBabt);
    }
}

}  // namespace
}  // namespace quorvel
