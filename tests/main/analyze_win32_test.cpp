// The Analyze command, the IMEI box and Clear on the real main window.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "imei/handset_database.h"
#include "main/main_window_win32.h"
#include "settings/profile_settings_win32.h"
#include "support/message_box_script.h"
#include "support/win32_test_support.h"

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

// The view's message box hands the answer back to the command: Yes corrects.
TEST_F(AnalyzeWindowTest, TheMessageBoxAnswerReachesTheCommand) {
    MessageBoxScript script = Analyze("352099001761482", {IDYES});
    ASSERT_EQ(script.Seen().size(), 1u);
    EXPECT_EQ(script.Seen()[0].title, "Warning");
    EXPECT_EQ(WindowText(imeiBox_), "352099001761481");
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
