#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "main/analyze_command.h"
#include "main/result_text.h"
#include "support/fake_main_view.h"
#include "support/fake_settings.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

using test::FakeMainView;

constexpr int kNo = 7;
constexpr int kOk = 1;

class AnalyzeCommandTest : public ::testing::Test {
protected:
    void Run(const std::string& typed, std::deque<int> answers = {}) {
        view.imeiBox = typed;
        view.answers = std::move(answers);
        RunAnalyzeCommand(view, settings, lookup);
        EXPECT_TRUE(view.answers.empty()) << "fewer message boxes than expected";
    }

    // The calls after the result box was emptied.
    std::vector<std::string> CallsAfterClearing() const {
        EXPECT_FALSE(view.log.empty());
        EXPECT_EQ(view.log.front(), "TX2=");
        return std::vector<std::string>(view.log.begin() + 1, view.log.end());
    }

    FakeMainView view;
    test::FakeSettings settings;
    std::vector<std::string> looked;
    TacLookup lookup = [this](const std::string& tac) {
        looked.push_back(tac);
        if (tac == "35209900") return std::string("Nokia|6600|NHL-10");
        if (tac == "35000000") return std::string("Maker||");
        return std::string(kUnknownLookupResult);
    };
};

const std::string kBabt = "BABT, Great Britain (British Approvals Board for Telecommunications)";

TEST_F(AnalyzeCommandTest, TrimsTheBoxAndAnalysesAKnownImeiWithSeparators) {
    Run(" 35-209900-176148-1 ");
    EXPECT_EQ(view.imeiBox, "35-209900-176148-1");
    EXPECT_EQ(looked, std::vector<std::string>{"35209900"});
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.resultBox,
              "Input IMEI: 35-209900-176148-1\r\n\r\n[Local information]\r\n"
              "Manufacturer: Nokia\r\nModel type: 6600\r\nReference: NHL-10\r\n"
              "Issued by: " +
                  kBabt + "\r\n");
    EXPECT_EQ(CallsAfterClearing(), (std::vector<std::string>{"TX1=35-209900-176148-1", "disable",
                                                              "TX2=" + view.resultBox, "enable"}));
}

TEST_F(AnalyzeCommandTest, SlashesAndBlanksInsideAreSeparatorsToo) {
    Run("35 209900-176148/1");
    EXPECT_EQ(looked, std::vector<std::string>{"35209900"});
    EXPECT_EQ(view.resultBox.rfind("Input IMEI: 35 209900-176148/1\r\n", 0), 0u);
}

TEST_F(AnalyzeCommandTest, WrongLengthShowsTheMessageAndLeavesTheResultEmpty) {
    const char* inputs[] = {"35209900176148",    "3520990017614811", "", "   ", "35 2099 00176148",
                            "352099\t001761481", "35.209900176148"};
    for (const char* input : inputs) {
        view = FakeMainView();
        Run(input, {kOk});
        ASSERT_EQ(view.messages.size(), 1u) << input;
        EXPECT_EQ(view.messages[0].prompt, "Invalid IMEI. The IMEI should be 15-digit number.");
        EXPECT_EQ(view.messages[0].style, 0x30);
        EXPECT_EQ(view.messages[0].title, "Warning");
        EXPECT_EQ(view.resultBox, "") << input;
        EXPECT_TRUE(looked.empty());
        for (const std::string& call : view.log) {
            EXPECT_TRUE(call != "disable" && call != "enable") << "buttons touched for " << input;
        }
    }
}

TEST_F(AnalyzeCommandTest, ANonDigitAmongTheFirstFourteenIsReportedAsWrongLength) {
    for (const char* input : {"35209900176x481", "A52099001761481", "3520990017614a2"}) {
        view = FakeMainView();
        Run(input, {kOk});
        ASSERT_EQ(view.messages.size(), 1u) << input;
        EXPECT_EQ(view.messages[0].style, 0x30);
        EXPECT_EQ(view.messages[0].prompt.find('{'), std::string::npos);
        EXPECT_EQ(view.resultBox, "");
    }
}

TEST_F(AnalyzeCommandTest, WrongCheckDigitDeclinedEndsWithAnEmptyResult) {
    Run("352099001761482", {kNo});
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].prompt,
              "Invalid IMEI. The last check digit should be {1}.\r\nDo you want to correct it?");
    EXPECT_EQ(view.messages[0].style, 0x24);
    EXPECT_EQ(view.imeiBox, "352099001761482");
    EXPECT_EQ(view.resultBox, "");
    EXPECT_TRUE(looked.empty());
    EXPECT_EQ(CallsAfterClearing(), (std::vector<std::string>{"TX1=352099001761482", "message"}));
}

TEST_F(AnalyzeCommandTest, AnyAnswerButYesDeclinesTheCorrection) {
    Run("352099001761482", {2});  // Cancel
    EXPECT_EQ(view.resultBox, "");
    EXPECT_EQ(view.imeiBox, "352099001761482");
}

TEST_F(AnalyzeCommandTest, WrongCheckDigitAcceptedCorrectsTheBoxAndAddsTheValidLine) {
    Run("352099001761482", {kResultYes});
    EXPECT_EQ(view.imeiBox, "352099001761481");
    EXPECT_EQ(view.resultBox.rfind("Input IMEI: 352099001761482\r\n"
                                   "Valid IMEI: 352099001761481\r\n\r\n[Local information]\r\n",
                                   0),
              0u);
    EXPECT_EQ(looked, std::vector<std::string>{"35209900"});
    EXPECT_EQ(view.log.back(), "enable");
}

TEST_F(AnalyzeCommandTest, CorrectionKeepsTheTypedSeparators) {
    Run("35-209900-176148-2", {kResultYes});
    EXPECT_EQ(view.imeiBox, "35-209900-176148-1");
    // A separator typed after the last digit stays in place; the digit changes.
    view = FakeMainView();
    Run("35209900176148 2-", {kResultYes});
    EXPECT_EQ(view.imeiBox, "35209900176148 1-");
    EXPECT_NE(view.resultBox.find("Valid IMEI: 35209900176148 1-\r\n"), std::string::npos);
}

TEST_F(AnalyzeCommandTest, UnknownTacAsksToSearchOnlineAndNoEndsLocally) {
    Run("490154203237518", {kNo});
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].prompt,
              "The information for this IMEI was not found in the local database.\r\n"
              "Do you want to search from the Internet?");
    EXPECT_EQ(view.messages[0].style, 0x24);
    EXPECT_NE(view.resultBox.find("Manufacturer: unknown\r\nModel type: unknown\r\n"
                                  "Reference: unknown\r\n"),
              std::string::npos);
    EXPECT_EQ(view.log.back(), "enable");
}

TEST_F(AnalyzeCommandTest, UnknownTacAnsweredYesStartsTheOnlineLookupWithButtonsDisabled) {
    Run("49015420323751-9", {kResultYes, kResultYes});
    EXPECT_EQ(view.log.back(), "online 490154203237518") << "the corrected IMEI goes on-line";
    view = FakeMainView();
    Run("490154203237518", {kResultYes});
    EXPECT_EQ(view.log.back(), "online 490154203237518");
    int enables = 0;
    for (const std::string& call : view.log) enables += call == "enable";
    EXPECT_EQ(enables, 0);
}

TEST_F(AnalyzeCommandTest, GetOnlineImeiOneGoesOnlineWithoutAskingEvenWhenKnown) {
    settings.Set(kGetOnlineImeiKey, "1");
    Run("352099001761481");
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.log.back(), "online 352099001761481");
    view = FakeMainView();
    Run("490154203237518");
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.log.back(), "online 490154203237518");
}

TEST_F(AnalyzeCommandTest, OtherGetOnlineValuesAskOnlyForUnknownTacs) {
    for (const char* value : {"", "0", "01", "10", "1 ", "yes", " 1"}) {
        settings.Set(kGetOnlineImeiKey, value);
        view = FakeMainView();
        Run("352099001761481");
        EXPECT_TRUE(view.messages.empty()) << value;
        EXPECT_EQ(view.log.back(), "enable") << value;
    }
}

TEST_F(AnalyzeCommandTest, EmptyFieldsShowNotAvailable) {
    Run("350000000000006");
    EXPECT_NE(view.resultBox.find("Manufacturer: Maker\r\nModel type: N/A\r\nReference: N/A\r\n"),
              std::string::npos);
}

TEST_F(AnalyzeCommandTest, AFailingLookupCountsAsUnknown) {
    lookup = [](const std::string&) -> std::string { throw std::runtime_error("unreadable"); };
    Run("352099001761481", {kNo});
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].style, 0x24);
    EXPECT_NE(view.resultBox.find("Manufacturer: unknown\r\n"), std::string::npos);
}

TEST_F(AnalyzeCommandTest, VietnameseMessagesForLanguageZeroOnly) {
    settings.Set(kLanguageIdKey, "0");
    Run("35209900176148", {kOk});
    Run("352099001761482", {kNo});
    Run("490154203237518", {kNo});
    ASSERT_EQ(view.messages.size(), 3u);
    const std::string title = "Th\xA4ng b\xC0o";
    for (const auto& message : view.messages) EXPECT_EQ(message.title, title);
    EXPECT_EQ(view.messages[0].prompt,
              "S\xE7 IMEI kh\xA4ng h\xEDp l\xD6. \x98\xE8 d\xAAi c\xEF"
              "a s\xE7 IMEI ph\xB6i l\xAA 15 "
              "ch\xF6 s\xE7.");
    EXPECT_EQ(
        view.messages[1].prompt,
        "S\xE7 IMEI kh\xA4ng h\xEDp l\xD6. Ch\xF6 s\xE7 cu\xE7i c\xEEng ph\xB6i l\xAA {1}.\r\n"
        "B\xC1n c\xE2 mu\xE7n s\xF5"
        "a th\xAAnh s\xE7 IMEI h\xEDp l\xD6 kh\xA4ng?");
    EXPECT_EQ(
        view.messages[2].prompt,
        "Kh\xA4ng c\xE2 th\xA4ng tin v\xD2 s\xE7 IMEI trong CSDL c\xEF"
        "a ch\xA7\xA5ng "
        "tr\xD8nh.\r\nB\xC1n c\xE2 mu\xE7n t\xD8m th\xA4ng tin IMEI t\xF4 Internet kh\xA4ng?");
    // The result labels stay English in both languages.
    EXPECT_NE(view.resultBox.find("[Local information]"), std::string::npos);

    for (const char* english : {"00", "1", "", "2"}) {
        settings.Set(kLanguageIdKey, english);
        view = FakeMainView();
        Run("35209900176148", {kOk});
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].title, "Warning") << english;
    }
}

TEST_F(AnalyzeCommandTest, TheLanguageIsReadOnceAtTheStart) {
    Run("490154203237518", {kNo});
    EXPECT_EQ(settings.reads, 2);  // LanguageID, then GetOnlineIMEI
}

}  // namespace
}  // namespace quorvel
