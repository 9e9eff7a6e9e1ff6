// What the main window and its options dialog add to the core: their
// controls and states, the wiring of keys and buttons to the commands and
// the form, and the settings file.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "download/socket_window_win32.h"
#include "main/caption_button_win32.h"
#include "main/main_window_win32.h"
#include "main/startup_messages.h"
#include "options/options_dialog_win32.h"
#include "settings/profile_settings_win32.h"
#include "shared/handles_win32.h"
#include "support/test_files.h"
#include "support/test_socket.h"
#include "support/win32_test_support.h"
#include "ui/about_text.h"
#include "ui/captions.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

using test::WindowText;
using C = OptionsControl;

// Refuses to create the socket notification window. (CallNextHookEx ignores
// its hook argument.)
LRESULT CALLBACK RefuseNotificationWindow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const char* name = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszName;
        if (name && !IS_INTRESOURCE(name) && std::string(name) == kNotificationWindowCaption)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCursorPos(0, 0);  // away from the caption bar
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
    // Presses Options and runs script on the dialog inside its modal loop; the
    // button script returns ends the dialog if it is still open (IDCANCEL ends
    // it without writing).
    void WithOptionsDialog(const std::function<int(HWND dialog)>& script) {
        test::MessageBoxAnswerer answerer(script);
        Click(kCm4Id);
        EXPECT_TRUE(answerer.Answered()) << "the options dialog did not open";
    }

    MainWindow* main_ = nullptr;
    HWND window_ = nullptr;
};

// Opened: its controls in tab order, Save alone disabled; EnableCommands
// switches the four buttons and the pointer.
TEST_F(MainWindowTest, OpensWithItsControlsInTabOrderAndSwitchesTheButtons) {
    EXPECT_EQ(WindowText(window_), "Q u o r v e l ");
    std::vector<int> ids;  // z-order is the tab order; a disabled control's id is negative
    for (HWND c = GetWindow(window_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        ids.push_back(IsWindowEnabled(c) ? GetDlgCtrlID(c) : -GetDlgCtrlID(c));
    }
    EXPECT_EQ(ids, (std::vector<int>{kLb1Id, kTx1Id, kLbiId, kTx2Id, kCm1Id, -kCm2Id, kCm3Id,
                                     kCm4Id, kPxiId}));
    EXPECT_NE(GetClassLongPtrA(window_, GCLP_HICON), 0u);
    EXPECT_TRUE(GetWindowLongA(Control(kTx2Id), GWL_STYLE) & ES_MULTILINE);  // the result's lines
    for (bool enable : {false, true}) {
        main_->EnableCommands(enable);
        for (MainControlId id : {kCm1Id, kCm2Id, kCm3Id, kCm4Id}) EXPECT_EQ(Enabled(id), enable);
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, enable ? IDC_ARROW : IDC_APPSTARTING));
    }
}

// Typed separators are let in; Enter presses Analyze, whose box answers it;
// the IMEI box selects it all when it gets the focus; Clear empties both boxes.
TEST_F(MainWindowTest, TheImeiBoxEnterAndClear) {
    HWND imeiBox = Control(kTx1Id);
    SetFocus(imeiBox);
    for (char c : std::string("35 209900-176148/2x.")) SendMessageA(imeiBox, WM_CHAR, WPARAM(c), 1);
    EXPECT_EQ(WindowText(imeiBox), "35 209900-176148/2");
    test::MessageBoxAnswerer yes([](HWND) { return IDYES; });
    PostMessageA(imeiBox, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PumpPendingMessages(window_);
    EXPECT_EQ(WindowText(imeiBox), "35 209900-176148/1");
    SendMessageA(imeiBox, EM_SETSEL, 2, 9);  // a separator replaces the selection
    SendMessageA(imeiBox, WM_CHAR, '-', 1);
    EXPECT_EQ(WindowText(imeiBox), "35--176148/1");
    SetFocus(Control(kCm4Id));
    SetFocus(imeiBox);
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
    const auto seen = test::AnswerSaveDialog([&] { Click(kCm2Id); }, path);
    EXPECT_EQ(seen.owner, window_);
    EXPECT_EQ(seen.systemTitle, " ");  // the Vietnamese dialog's
    EXPECT_EQ(test::ReadTestFile(path).value_or(""), result);
}

// The page of a look-up comes from a server on 127.0.0.1. Its login box is
// owned by the window and modal, also while another window is active, and
// the window may close under it.
TEST_F(MainWindowTest, ALookUpsBoxIsModalToTheWindowWhichMayCloseUnderIt) {
    int port = 0;
    auto served =
        test::ServeOnLoopback({{"HTTP/1.0 200 OK\r\n\r\nLogin for on-line services"}}, &port);
    WriteSetting(kSettingsSection, kServiceHostKey, "127.0.0.1:" + std::to_string(port));
    WriteSetting(kSettingsSection, kGetOnlineImeiKey, "1");
    UniqueWindow active = test::Popup();
    test::MessageBoxAnswerer answerer([&](HWND box) {
        EXPECT_TRUE(GetWindow(box, GW_OWNER) == window_ && !IsWindowEnabled(window_));
        SendMessageA(window_, WM_CLOSE, 0, 0);  // the box closes with its owner
        return IDOK;
    });
    SetWindowTextA(Control(kTx1Id), "352099001761481");
    SetActiveWindow(active.Get());
    Click(kCm1Id);
    for (int i = 0; i < 250 && IsWindow(window_); ++i) {
        PumpPendingMessages(nullptr);
        Sleep(20);
    }
    EXPECT_FALSE(IsWindow(window_));  // the box came and closed it
    EXPECT_NE(served.get().at(0).find("s=352099001761481 "), std::string::npos);
}

// The system menu ends with a separator and About; the caption button's
// letter is drawn whole in dark red over the button (black is transparent);
// the press captures and a release on the button's top-left pixel opens About
// (owned, with the window's icon).
TEST_F(MainWindowTest, OpensAboutFromTheMenuAndItsDrawnCaptionButton) {
    RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const auto showsAbout = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        test::SeenMessageBox box;
        std::string title;
        test::MessageBoxAnswerer answerer([&](HWND shown) {
            return box = test::SeeMessageBox(shown), title = test::DrawnTitle(shown), IDOK;
        });
        SendMessageA(window_, message, wParam, lParam);
        // The CompanyName of the program's version record is its contact line.
        EXPECT_EQ(
            box.text.text + title,
            ReformatPrompt(AboutText({1, 2, 0}, "Contact: quorvel@example.org")) + kAboutTitle);
        EXPECT_EQ(box.owner, window_);
        EXPECT_EQ(box.icon, reinterpret_cast<HICON>(GetClassLongPtrA(window_, GCLP_HICON)));
    };
    HMENU menu = GetSystemMenu(window_, FALSE);
    const int last = GetMenuItemCount(menu) - 1;
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(last), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About Quorvel...");
    EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(last - 1), MF_BYPOSITION) & MF_SEPARATOR);
    showsAbout(WM_SYSCOMMAND, GetMenuItemID(menu, last), 0);

    const CaptionButtonPlace place = GetCaptionButtonRect(window_);
    const PixelRect& b = place.button;
    const RECT inside = {b.left + 2, b.top + 2, b.right - 2, b.bottom - 2};  // within the frame
    std::ptrdiff_t imagePixels = 0;
    for (std::string_view row : kCaptionImageRows)
        imagePixels += std::count(row.begin(), row.end(), '#');
    EXPECT_EQ(test::PixelsOfColour(window_, inside, RGB(128, 0, 0)), imagePixels);
    EXPECT_EQ(test::PixelsOfColour(window_, inside, RGB(0, 0, 0)), 0);
    const LPARAM centre = MAKELPARAM(place.window.left + (b.left + b.right) / 2,
                                     place.window.top + (b.top + b.bottom) / 2);
    SendMessageA(window_, WM_NCLBUTTONDOWN, HTCAPTION, centre);
    EXPECT_EQ(GetCapture(), window_);
    POINT corner = {place.window.left + b.left, place.window.top + b.top};
    ScreenToClient(window_, &corner);
    showsAbout(WM_LBUTTONUP, 0, MAKELPARAM(corner.x, corner.y));
}

// A start-up that could not set up the network events says so in the
// interface language, in a box like every other (its title drawn, the
// system's empty), and the window opens all the same.
TEST(MainWindowStartUp, ReportsNetworkEventsItCouldNotSetUpInTheInterfaceLanguage) {
    WriteSetting(kSettingsSection, kLanguageIdKey, "0");
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseNotificationWindow, nullptr, GetCurrentThreadId());
    std::string seen;  // the drawn title, the system's, the text
    test::MessageBoxAnswerer answerer([&](HWND box) {
        seen += test::DrawnTitle(box) + "|" + WindowText(box) + "|" +
                test::SeeMessageBox(box).text.text;
        return IDOK;
    });
    MainWindow* main = test::OpenShownMainWindow();
    UnhookWindowsHookEx(hook);
    test::DeleteProgramFile(kSettingsFileName);
    ASSERT_NE(main, nullptr);
    main->Close();
    EXPECT_EQ(seen,
              "Quorvel||" + ReformatPrompt(NetworkEventsUnavailableMessage(Language::Vietnamese)));
}

// A key as the modal loop hands it to the dialog: through IsDialogMessageA,
// and to the control itself when the dialog does not take it.
void PressKey(HWND dialog, C control, WPARAM key) {
    SetFocus(OptionsItem(dialog, control));
    MSG message = {OptionsItem(dialog, control), WM_KEYDOWN, key, 0x00010001, 0, {0, 0}};
    if (!IsDialogMessageA(dialog, &message)) DispatchMessageA(&message);
}

void ClickItem(HWND dialog, C id) { SendMessageA(OptionsItem(dialog, id), BM_CLICK, 0, 0); }

// A value reads back as written, 8-bit bytes and all, up to 254 characters.
TEST_F(MainWindowTest, SettingsReadBackAsWrittenUpTo254Characters) {
    for (const std::string& value :
         {std::string("Ti\xD5ng Vi\xD6t \x98\xE2ng"), std::string(254, 'a') + "b"}) {
        WriteSetting(kSettingsSection, kProxyAddressKey, value);
        EXPECT_EQ(ReadSetting(kSettingsSection, kProxyAddressKey), value.substr(0, 254));
    }
}

// Opened on stored settings, owned and modal, without a system title (its
// own is drawn), captions in the display font. Clicks, keys and typing reach
// the form (its rules are tested with it); Apply writes every value, switches
// both windows and the drawn title to the language chosen, stays open and
// hands the focus on.
TEST_F(MainWindowTest, OptionsDialogIsOwnedAndModalAndWritesOnlyThroughOkOrApply) {
    WriteSetting(kSettingsSection, kProxyPortKey, "8888");
    WithOptionsDialog([&](HWND dialog) {
        EXPECT_TRUE(GetWindow(dialog, GW_OWNER) == window_ && !IsWindowEnabled(window_));
        EXPECT_EQ(GetFocus(), OptionsItem(dialog, C::Cb1));
        EXPECT_EQ(test::FontFace(OptionsItem(dialog, C::Lb3)), kDisplayFontFace);
        EXPECT_NE(test::FontFace(OptionsItem(dialog, C::Tx2)), kDisplayFontFace);
        EXPECT_EQ(WindowText(dialog) + "|" + WindowText(OptionsItem(dialog, C::Tx2)), "|8888");
        const int english = test::CaptionPixelsOfColour(dialog, GetSysColor(COLOR_CAPTIONTEXT));
        PressKey(dialog, C::Cb1, VK_UP);
        for (C item : {C::Ck1, C::Ck2, C::Cm3}) ClickItem(dialog, item);  // Apply has the focus
        EXPECT_EQ(test::ReadTestFile(test::ProgramFilePath("quorvel.ini")).value_or(""),
                  "[Settings]\r\nProxyPort=8888\r\nLanguageID=0\r\nGetOnlineIMEI=1\r\n"
                  "AddMissingIMEI=1\r\nProxyUsed=0\r\nProxyAddress=\r\n");
        EXPECT_EQ(WindowText(OptionsItem(dialog, C::Lb3)) + WindowText(Control(kCm1Id)),
                  "C\xE5ng:&Ph\xA1n t\xDB\x63h");
        EXPECT_NE(test::CaptionPixelsOfColour(dialog, GetSysColor(COLOR_CAPTIONTEXT)), english)
            << "the title was not painted again";
        EXPECT_EQ(GetFocus(), OptionsItem(dialog, C::Cb1));
        // A digit typed and taken back marks the values changed: Apply, which
        // disabled itself, is enabled again.
        SendMessageA(OptionsItem(dialog, C::Tx2), WM_CHAR, '8', 0);
        SendMessageA(OptionsItem(dialog, C::Tx2), WM_CHAR, VK_BACK, 0);
        EXPECT_TRUE(IsWindowEnabled(OptionsItem(dialog, C::Cm3)));
        return IDCANCEL;
    });

    // Escape (Cancel's id) and the close box close without writing; Enter
    // (OK's id) applies first.
    const std::pair<std::function<void(HWND)>, const char*> ways[] = {
        {[](HWND d) { PressKey(d, C::Tx2, VK_ESCAPE); }, "|"},
        {[](HWND d) { SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, "|"},
        {[](HWND d) { PressKey(d, C::Tx2, VK_RETURN); }, "1|3128"},
    };
    for (const auto& [close, written] : ways) {
        test::DeleteProgramFile(kSettingsFileName);
        WithOptionsDialog([&](HWND dialog) {
            ClickItem(dialog, C::Cki);
            SetWindowTextA(OptionsItem(dialog, C::Tx2), "3128");
            close(dialog);
            EXPECT_FALSE(IsWindowVisible(dialog)) << "left open";
            return IDCANCEL;
        });
        EXPECT_EQ(ReadSetting(kSettingsSection, kProxyUsedKey) + "|" +
                      ReadSetting(kSettingsSection, kProxyPortKey),
                  written);
    }
}

}  // namespace
}  // namespace quorvel
