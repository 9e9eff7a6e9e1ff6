// What the main window adds to the core: its controls, their styles and
// states, and the wiring of the IMEI box and the buttons to the commands.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "download/socket_window_win32.h"
#include "main/main_window_win32.h"
#include "settings/profile_settings_win32.h"
#include "support/cp1252.h"
#include "support/message_box_script.h"
#include "support/save_dialog_driver.h"
#include "support/test_files.h"
#include "support/test_folder_win32.h"
#include "support/test_socket.h"
#include "support/win32_test_support.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

using test::WindowText;

HHOOK gRefusingHook = nullptr;

// Refuses to create the socket notification window.
LRESULT CALLBACK RefuseNotificationWindow(int code, WPARAM wParam, LPARAM lParam) {
    const char* name = code == HCBT_CREATEWND
                           ? reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszName
                           : nullptr;
    const bool refused =
        name && !IS_INTRESOURCE(name) && std::string(name) == kNotificationWindowCaption;
    return refused ? 1 : CallNextHookEx(gRefusingHook, code, wParam, lParam);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::DeleteProgramFile(kSettingsFileName);
        main_ = test::OpenShownMainWindow();
        ASSERT_NE(main_, nullptr);
        window_ = main_->Handle();
    }
    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
        test::DeleteProgramFile(kSettingsFileName);
    }
    HWND Control(MainControlId id) { return main_->Control(id); }
    bool Enabled(MainControlId id) { return IsWindowEnabled(Control(id)) != FALSE; }
    void Click(MainControlId id) { SendMessageA(Control(id), BM_CLICK, 0, 0); }

    MainWindow* main_ = nullptr;
    HWND window_ = nullptr;
};

TEST_F(MainWindowTest, OpensWithItsControlsInTabOrderAndSaveDisabled) {
    EXPECT_EQ(WindowText(window_), "Q u o r v e l ");
    std::vector<int> ids;  // z-order is the tab order
    for (HWND c = GetWindow(window_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        ids.push_back(GetDlgCtrlID(c));
    }
    EXPECT_EQ(ids, (std::vector<int>{kLb1Id, kTx1Id, kLbiId, kTx2Id, kCm1Id, kCm2Id, kCm3Id, kCm4Id,
                                     kPxiId}));
    EXPECT_TRUE(GetWindowLongA(Control(kTx1Id), GWL_STYLE) & ES_NUMBER);
    EXPECT_TRUE(GetWindowLongA(Control(kTx2Id), GWL_STYLE) & ES_MULTILINE);
    EXPECT_EQ(LOWORD(SendMessageA(window_, DM_GETDEFID, 0, 0)), kCm1Id);
    for (MainControlId id : {kCm1Id, kCm3Id, kCm4Id}) EXPECT_TRUE(Enabled(id));
    EXPECT_FALSE(Enabled(kCm2Id));
    EXPECT_TRUE(SendMessageA(window_, WM_GETICON, ICON_BIG, 0) ||
                GetClassLongPtrA(window_, GCLP_HICON));
}

TEST_F(MainWindowTest, EnableCommandsSwitchesTheFourButtonsAndThePointer) {
    for (bool enable : {false, true}) {
        main_->EnableCommands(enable);
        for (MainControlId id : {kCm1Id, kCm2Id, kCm3Id, kCm4Id}) EXPECT_EQ(Enabled(id), enable);
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, enable ? IDC_ARROW : IDC_APPSTARTING));
    }
}

// Typed separators are let in; Enter presses Analyze, whose box answers it;
// tabbing into the IMEI box selects it all; Clear empties both boxes.
TEST_F(MainWindowTest, TheImeiBoxEnterAndClear) {
    HWND imeiBox = Control(kTx1Id);
    SetFocus(imeiBox);
    for (char c : std::string("35 209900-176148/2x.")) SendMessageA(imeiBox, WM_CHAR, WPARAM(c), 1);
    EXPECT_EQ(WindowText(imeiBox), "35 209900-176148/2");
    test::MessageBoxScript script({IDYES});
    PostMessageA(imeiBox, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PumpPendingMessages(window_);
    EXPECT_EQ(WindowText(imeiBox), "35 209900-176148/1");
    EXPECT_EQ(WindowText(Control(kTx2Id)).rfind("Input IMEI: 35 209900-176148/2\r\n", 0), 0u);
    EXPECT_TRUE(Enabled(kCm2Id));
    SendMessageA(imeiBox, EM_SETSEL, 2, 9);  // a separator replaces the selection
    SendMessageA(imeiBox, WM_CHAR, '-', 1);
    EXPECT_EQ(WindowText(imeiBox), "35--176148/1");
    SetFocus(Control(kCm4Id));
    PostMessageA(Control(kCm4Id), WM_KEYDOWN, VK_TAB, 0x000F0001);
    PumpPendingMessages(window_);
    ASSERT_EQ(GetFocus(), imeiBox);
    EXPECT_EQ(SendMessageA(imeiBox, EM_GETSEL, 0, 0), MAKELRESULT(0, 12));
    SetFocus(Control(kCm4Id));
    Click(kCm3Id);
    EXPECT_EQ(WindowText(imeiBox) + WindowText(Control(kTx2Id)), "");
    EXPECT_FALSE(Enabled(kCm2Id));
    EXPECT_EQ(GetFocus(), imeiBox);
}

// Save asks with the dialog of the language, owned by the window.
TEST_F(MainWindowTest, SaveWritesTheResultBoxToTheFileChosen) {
    test::TestFolder folder("saved-results");
    const std::string result = "Input IMEI: 35\r\n\xA4\xFC", path = folder.PathOf("result.txt");
    SetWindowTextA(Control(kTx2Id), result.c_str());
    main_->EnableCommands(true);
    WriteSetting(kSettingsSection, kLanguageIdKey, "0");
    const auto seen = test::AnswerSaveDialog([&] { Click(kCm2Id); }, {path.c_str(), {}});
    EXPECT_EQ(seen.owner, window_);
    EXPECT_EQ(seen.systemTitle, " ");  // the Vietnamese dialog's
    EXPECT_EQ(test::ReadTestFile(path).value_or(""), result);
}

// The page of a look-up comes from a server on 127.0.0.1. Its login box is
// owned by the window and modal, also while another thread's window is in
// front, and the window may close under it.
TEST_F(MainWindowTest, ALookUpsBoxIsModalToTheWindowWhichMayCloseUnderIt) {
    int port = 0;
    auto served =
        test::ServeOnLoopback({{"HTTP/1.0 200 OK\r\n\r\nLogin for on-line services"}}, &port);
    WriteSetting(kSettingsSection, kServiceHostKey, "127.0.0.1:" + std::to_string(port));
    WriteSetting(kSettingsSection, kGetOnlineImeiKey, "1");
    // Another thread's window in front: this thread has no active window then.
    DWORD frontThread = 0;
    HANDLE frontShown = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread front([&] {
        HWND other = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 50,
                                     50, nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(other);
        frontThread = GetCurrentThreadId();
        SetEvent(frontShown);
        for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;) DispatchMessageA(&message);
        DestroyWindow(other);
    });
    WaitForSingleObject(frontShown, 5000);
    CloseHandle(frontShown);
    bool ownedAndModal = false;
    test::MessageBoxAnswerer answerer([&](HWND box) {
        ownedAndModal = GetWindow(box, GW_OWNER) == window_ && !IsWindowEnabled(window_);
        SendMessageA(window_, WM_CLOSE, 0, 0);  // the box closes with its owner
        return IDOK;
    });
    SetWindowTextA(Control(kTx1Id), "352099001761481");
    Click(kCm1Id);
    for (int i = 0; i < 250 && IsWindow(window_); ++i) {
        PumpPendingMessages(nullptr);
        Sleep(20);
    }
    EXPECT_TRUE(ownedAndModal);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_NE(served.get().at(0).request.find("s=352099001761481 "), std::string::npos);
    PostThreadMessageA(frontThread, WM_QUIT, 0, 0);
    front.join();
}

// A start-up that could not set up the network events says so in the
// interface language, in a box like every other (its title drawn, the
// system's empty), and the window opens all the same.
TEST(MainWindowStartUp, ReportsNetworkEventsItCouldNotSetUpInTheInterfaceLanguage) {
    WriteSetting(kSettingsSection, kLanguageIdKey, "0");
    gRefusingHook =
        SetWindowsHookExA(WH_CBT, RefuseNotificationWindow, nullptr, GetCurrentThreadId());
    test::MessageBoxScript script({IDOK});
    MainWindow* main = test::OpenShownMainWindow();
    UnhookWindowsHookEx(gRefusingHook);
    test::DeleteProgramFile(kSettingsFileName);
    ASSERT_NE(main, nullptr);
    main->Close();
    ASSERT_EQ(script.Seen().size(), 1u);
    EXPECT_EQ(script.Seen()[0].title + "|" + script.Seen()[0].systemTitle, "Quorvel|");
    EXPECT_EQ(script.Seen()[0].text,
              ReformatPrompt(test::Cp1252(
                  "Quorvel kh¤ng thÓ thiÕt lËp viÖc nhËn sø kiÖn mÁng (Unable to create a "
                  "necessary window).\r\n\r\nCh§¥ng trØnh tiÕp tóc chÁy, nh§ng mãi lÇn lÊy "
                  "th¤ng tin trøc tuyÕn ¢Òu thÊt bÁi.")));
}

}  // namespace
}  // namespace quorvel
