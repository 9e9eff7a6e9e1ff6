// The Analyze command, the IMEI box and Clear on the real main window.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "main/main_window_win32.h"
#include "settings/profile_settings_win32.h"
#include "support/message_box_script.h"
#include "support/win32_test_support.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

using test::MessageBoxScript;
using test::WindowText;

class AnalyzeWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::DeleteProgramFile(kSettingsFileName);
        test::DeleteProgramFile(kUserDatabaseFileName);
        main_ = test::OpenShownMainWindow();
        ASSERT_NE(main_, nullptr);
        imeiBox_ = main_->Control(kTx1Id);
        resultBox_ = main_->Control(kTx2Id);
    }
    void TearDown() override {
        if (main_) main_->Close();
        PumpPendingMessages(nullptr);
        test::DeleteProgramFile(kSettingsFileName);
        test::DeleteProgramFile(kUserDatabaseFileName);
    }

    void Type(const std::string& keys) {
        for (char c : keys) {
            SendMessageA(imeiBox_, WM_CHAR, static_cast<unsigned char>(c), 1);
        }
    }

    // Presses Analyze with the IMEI box holding text, answering the message
    // boxes with buttons in order.
    MessageBoxScript Analyze(const std::string& text, std::vector<int> buttons = {}) {
        SetWindowTextA(imeiBox_, text.c_str());
        MessageBoxScript script(std::move(buttons));
        SendMessageA(main_->Control(kCm1Id), BM_CLICK, 0, 0);
        PumpPendingMessages(main_->Handle());
        EXPECT_EQ(script.Unanswered(), 0u);
        return script;
    }

    bool Enabled(MainControlId id) { return IsWindowEnabled(main_->Control(id)) != FALSE; }

    std::pair<int, int> Selection() {
        DWORD start = 0, end = 0;
        SendMessageA(imeiBox_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }

    MainWindow* main_ = nullptr;
    HWND imeiBox_ = nullptr;
    HWND resultBox_ = nullptr;
};

const char* const kWrongLength = "Invalid IMEI. The IMEI should be 15-digit number.";

TEST_F(AnalyzeWindowTest, TypingLetsDigitsAndTheThreeSeparatorsInOnce) {
    SetFocus(imeiBox_);
    Type("35 209900-176148/1");
    EXPECT_EQ(WindowText(imeiBox_), "35 209900-176148/1");
    Type("x.A");
    EXPECT_EQ(WindowText(imeiBox_), "35 209900-176148/1");
    // A separator replaces the selection, as a paste would.
    SendMessageA(imeiBox_, EM_SETSEL, 2, 9);
    Type("-");
    EXPECT_EQ(WindowText(imeiBox_), "35--176148/1");
}

TEST_F(AnalyzeWindowTest, PastingLettersIsPossible) {
    ASSERT_TRUE(OpenClipboard(main_->Handle()));
    EmptyClipboard();
    const char text[] = "IMEI 35209900";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    std::memcpy(GlobalLock(memory), text, sizeof text);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);  // the clipboard owns it now
    CloseClipboard();
    SetWindowTextA(imeiBox_, "");
    SendMessageA(imeiBox_, WM_PASTE, 0, 0);
    EXPECT_EQ(WindowText(imeiBox_), "IMEI 35209900");
}

TEST_F(AnalyzeWindowTest, TheBoxSelectsItsWholeTextWhenItGetsTheFocus) {
    SetWindowTextA(imeiBox_, "35-209900-176148-1");
    SetFocus(main_->Control(kCm4Id));
    SetFocus(imeiBox_);
    EXPECT_EQ(Selection(), std::make_pair(0, 18));

    // By tabbing: from the last button round to the IMEI box.
    SendMessageA(imeiBox_, EM_SETSEL, 3, 3);
    SetFocus(main_->Control(kCm4Id));
    PostMessageA(main_->Control(kCm4Id), WM_KEYDOWN, VK_TAB, 0x000F0001);
    PumpPendingMessages(main_->Handle());
    ASSERT_EQ(GetFocus(), imeiBox_);
    EXPECT_EQ(Selection(), std::make_pair(0, 18));

    // By a click.
    SetFocus(main_->Control(kCm3Id));
    SendMessageA(imeiBox_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageA(imeiBox_, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(GetFocus(), imeiBox_);
    EXPECT_EQ(Selection(), std::make_pair(0, 18));
}

TEST_F(AnalyzeWindowTest, TrimmedInputWithSeparatorsIsAnalysed) {
    MessageBoxScript script = Analyze(" 35-209900-176148-1 ");
    EXPECT_EQ(WindowText(imeiBox_), "35-209900-176148-1");
    EXPECT_EQ(
        WindowText(resultBox_),
        "Input IMEI: 35-209900-176148-1\r\n\r\n[Local information]\r\n"
        "Manufacturer: Alcatel\r\nModel type: One Touch 332\r\nReference: N/A\r\n"
        "Issued by: BABT, Great Britain (British Approvals Board for Telecommunications)\r\n");
    EXPECT_TRUE(script.Seen().empty());
    for (MainControlId id : {kCm1Id, kCm2Id, kCm3Id, kCm4Id}) EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(main_->IsBusy());
}

TEST_F(AnalyzeWindowTest, WrongLengthsGiveTheMessageAndAnEmptyResult) {
    for (const char* text : {"35209900176148", "3520990017614811", "35 2099 0017614"}) {
        SetWindowTextA(resultBox_, "old");
        MessageBoxScript script = Analyze(text, {IDOK});
        ASSERT_EQ(script.Seen().size(), 1u) << text;
        EXPECT_EQ(script.Seen()[0].text, ReformatPrompt(kWrongLength));
        EXPECT_EQ(script.Seen()[0].title, "Warning");
        EXPECT_EQ(WindowText(resultBox_), "") << text;
        EXPECT_FALSE(Enabled(kCm2Id)) << "Save stays disabled";
    }
}

TEST_F(AnalyzeWindowTest, CheckDigitCorrectionDeclinedThenAccepted) {
    {
        MessageBoxScript declined = Analyze("352099001761482", {IDNO});
        ASSERT_EQ(declined.Seen().size(), 1u);
        EXPECT_EQ(declined.Seen()[0].text,
                  ReformatPrompt("Invalid IMEI. The last check digit should be {1}.\r\n"
                                 "Do you want to correct it?"));
        EXPECT_EQ(declined.Seen()[0].buttons, (std::vector<std::string>{"&C\xE2", "&Kh\xA4ng"}));
        EXPECT_EQ(WindowText(imeiBox_), "352099001761482");
        EXPECT_EQ(WindowText(resultBox_), "");
    }

    MessageBoxScript accepted = Analyze("352099001761482", {IDYES});
    EXPECT_EQ(WindowText(imeiBox_), "352099001761481");
    EXPECT_EQ(WindowText(resultBox_)
                  .rfind("Input IMEI: 352099001761482\r\n"
                         "Valid IMEI: 352099001761481\r\n\r\n",
                         0),
              0u);
}

TEST_F(AnalyzeWindowTest, UnknownTacAsksAndNoBringsTheButtonsBack) {
    MessageBoxScript script = Analyze("990000000000002", {IDNO});
    ASSERT_EQ(script.Seen().size(), 1u);
    EXPECT_EQ(script.Seen()[0].text,
              ReformatPrompt("The information for this IMEI was not found in the local "
                             "database.\r\nDo you want to search from the Internet?"));
    EXPECT_NE(WindowText(resultBox_)
                  .find("Manufacturer: unknown\r\nModel type: unknown\r\n"
                        "Reference: unknown\r\nIssued by: unknown\r\n"),
              std::string::npos);
    for (MainControlId id : {kCm1Id, kCm2Id, kCm3Id, kCm4Id}) EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(AnalyzeWindowTest, VietnameseMessagesWithLanguageZero) {
    WriteSetting(kSettingsSection, kLanguageIdKey, "0");
    MessageBoxScript script = Analyze("3520990017614", {IDOK});
    ASSERT_EQ(script.Seen().size(), 1u);
    EXPECT_EQ(script.Seen()[0].title, "Th\xA4ng b\xC0o");
    EXPECT_EQ(script.Seen()[0].text.rfind("S\xE7 IMEI kh\xA4ng h\xEDp l\xD6.", 0), 0u);
}

TEST_F(AnalyzeWindowTest, GetOnlineImeiOneGoesOnlineWithoutAQuestion) {
    // Nothing listens on this port: the look-up fails with code 5.
    WriteSetting(kSettingsSection, kGetOnlineImeiKey, "1");
    WriteSetting(kSettingsSection, "ServiceHost", "127.0.0.1:9");
    MessageBoxScript script({IDOK});
    SetWindowTextA(imeiBox_, "352099001761481");
    SendMessageA(main_->Control(kCm1Id), BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && script.Seen().empty(); ++i) {
        PumpPendingMessages(main_->Handle());
        Sleep(20);
    }
    ASSERT_EQ(script.Seen().size(), 1u) << "only the failure, no question";
    EXPECT_NE(script.Seen()[0].text.find("<Unable to connect to the host>"), std::string::npos);
    EXPECT_NE(WindowText(resultBox_)
                  .find("Reference: N/A\r\n"
                        "Issued by: BABT, Great Britain (British Approvals "
                        "Board for Telecommunications)\r\n\r\n"
                        "[Information from 127.0.0.1:9]\r\n"),
              std::string::npos);
    for (MainControlId id : {kCm1Id, kCm2Id, kCm3Id, kCm4Id}) EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(AnalyzeWindowTest, ClearEmptiesBothBoxesAndDisablesSave) {
    Analyze("352099001761481");
    ASSERT_TRUE(Enabled(kCm2Id));
    SetFocus(main_->Control(kCm4Id));
    SendMessageA(main_->Control(kCm3Id), BM_CLICK, 0, 0);
    EXPECT_EQ(WindowText(imeiBox_), "");
    EXPECT_EQ(WindowText(resultBox_), "");
    EXPECT_FALSE(Enabled(kCm2Id));
    EXPECT_TRUE(Enabled(kCm1Id));
    EXPECT_EQ(GetFocus(), imeiBox_);
}

}  // namespace
}  // namespace quorvel
