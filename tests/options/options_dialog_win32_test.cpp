#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "main/main_window_win32.h"
#include "options/options_captions.h"
#include "options/options_dialog_win32.h"
#include "options/options_texts.h"
#include "options/options_title_win32.h"
#include "settings/profile_settings_win32.h"
#include "shared/handles_win32.h"
#include "support/canvas.h"
#include "support/message_box_probe.h"
#include "support/test_files.h"
#include "support/win32_test_support.h"
#include "ui/captions.h"

namespace quorvel {
namespace {

using test::WindowText;
using C = OptionsControl;

// A key as the modal loop hands it to the dialog: through IsDialogMessageA,
// and to the control itself when the dialog does not take it.
void PressKey(HWND dialog, C control, WPARAM key) {
    SetFocus(OptionsItem(dialog, control));
    MSG message = {OptionsItem(dialog, control), WM_KEYDOWN, key, 0x00010001, 0, {0, 0}};
    if (!IsDialogMessageA(dialog, &message)) DispatchMessageA(&message);
}

void Click(HWND dialog, C control) { SendMessageA(OptionsItem(dialog, control), BM_CLICK, 0, 0); }

bool Enabled(HWND dialog, C control) { return IsWindowEnabled(OptionsItem(dialog, control)); }

std::string SettingsFile() { return test::ReadTestFile(ProfileSettings::FilePath()).value_or("-"); }

class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::DeleteProgramFile(kSettingsFileName);
        main_ = test::OpenShownMainWindow();
        ASSERT_NE(main_, nullptr);
    }
    void TearDown() override {
        if (main_) main_->Close();
        test::DeleteProgramFile(kSettingsFileName);
    }

    // Presses Options and runs script on the dialog inside its modal loop;
    // the button script returns ends the dialog if it is still open (IDCANCEL
    // ends it without writing).
    void WithOptionsDialog(const std::function<int(HWND dialog)>& script) {
        test::MessageBoxAnswerer answerer(script);
        SendMessageA(main_->Control(kCm4Id), BM_CLICK, 0, 0);
        EXPECT_TRUE(answerer.Answered()) << "the options dialog did not open";
    }

    MainWindow* main_ = nullptr;
};

TEST_F(OptionsDialogTest, OpensOwnedAndModalWithTheFocusOnTheList) {
    WithOptionsDialog([&](HWND dialog) {
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), main_->Handle());
        EXPECT_FALSE(IsWindowEnabled(main_->Handle()));
        EXPECT_EQ(WindowText(dialog), "");
        EXPECT_EQ(OptionsTitle(), "Options");
        EXPECT_EQ(GetFocus(), OptionsItem(dialog, C::Cb1));
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(dialog, GWLP_WNDPROC)),
                  OptionsWindowProc);
        return IDOK;
    });
    EXPECT_EQ(SettingsFile(), "-") << "OK without changes wrote the file";
    EXPECT_TRUE(IsWindowEnabled(main_->Handle()));
}

// Opened on stored settings, in twips converted to pixels (a control in the
// frame at its place in the client area), fonts, and TAB past disabled ones.
TEST_F(OptionsDialogTest, ControlsSitAtTheirPlacesWithTheirFontsAndTabStops) {
    WriteSetting(kSettingsSection, kProxyUsedKey, "1");
    WriteSetting(kSettingsSection, kProxyPortKey, "8888");
    WithOptionsDialog([&](HWND dialog) {
        UniqueWindowDc screen(nullptr);
        const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSX);
        RECT client, port;
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, MulDiv(5565, dpi, 1440));
        EXPECT_EQ(client.bottom, MulDiv(3990, dpi, 1440));
        GetWindowRect(OptionsItem(dialog, C::Tx2), &port);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&port), 2);
        EXPECT_EQ(port.left, MulDiv(4080, dpi, 1440));
        EXPECT_EQ(port.top, MulDiv(2340, dpi, 1440));
        EXPECT_EQ(port.right - port.left, MulDiv(735, dpi, 1440));
        EXPECT_EQ(test::FontFace(OptionsItem(dialog, C::Lb3)), kDisplayFontFace);
        EXPECT_EQ(test::FontFace(OptionsItem(dialog, C::Cb1)), kDisplayFontFace);
        EXPECT_NE(test::FontFace(OptionsItem(dialog, C::Tx2)), kDisplayFontFace);
        EXPECT_EQ(WindowText(OptionsItem(dialog, C::Tx2)), "8888");
        EXPECT_FALSE(Enabled(dialog, C::Cm3)) << "nothing to apply yet";
        const C stops[] = {C::Cb1, C::Ck1, C::Cki, C::Tx1, C::Tx2, C::Cm1, C::Cm2, C::Cb1};
        for (std::size_t i = 1; i < std::size(stops); ++i) {
            HWND next = GetNextDlgTabItem(dialog, OptionsItem(dialog, stops[i - 1]), FALSE);
            EXPECT_EQ(next, OptionsItem(dialog, stops[i])) << i;
        }
        return IDCANCEL;
    });
}

// Clicks and typing reach the form (its rules are tested with it); Apply
// writes every value, stays open and hands the focus on.
TEST_F(OptionsDialogTest, ApplyWritesAllSixValuesAndTypingEnablesItAgain) {
    WithOptionsDialog([&](HWND dialog) {
        Click(dialog, C::Ck1);
        EXPECT_TRUE(Enabled(dialog, C::Ck2));
        SetFocus(OptionsItem(dialog, C::Cm3));
        Click(dialog, C::Cm3);
        EXPECT_FALSE(Enabled(dialog, C::Cm3));
        EXPECT_EQ(GetFocus(), OptionsItem(dialog, C::Cb1));
        EXPECT_EQ(SettingsFile(),
                  "[Settings]\r\nLanguageID=1\r\nGetOnlineIMEI=1\r\nAddMissingIMEI=0\r\n"
                  "ProxyUsed=0\r\nProxyAddress=\r\nProxyPort=\r\n");
        SendMessageA(OptionsItem(dialog, C::Tx2), WM_CHAR, '8', 0);
        SendMessageA(OptionsItem(dialog, C::Tx2), WM_CHAR, VK_BACK, 0);
        EXPECT_TRUE(Enabled(dialog, C::Cm3));
        EXPECT_TRUE(IsWindowVisible(dialog));
        return IDCANCEL;
    });
}

TEST_F(OptionsDialogTest, VietnameseAppliedSwitchesBothWindowsAndTheTitleAtOnce) {
    WithOptionsDialog([&](HWND dialog) {
        const auto titlePixels = [dialog] {
            test::Canvas canvas(200, GetSystemMetrics(SM_CYCAPTION) - 1, RGB(0, 0, 0));
            UniqueWindowDc dc(dialog);
            BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), dc.Get(),
                   GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME), SRCCOPY);
            return canvas.CountOf(GetSysColor(COLOR_CAPTIONTEXT));
        };
        const int english = titlePixels();
        PressKey(dialog, C::Cb1, VK_UP);
        Click(dialog, C::Cm3);
        EXPECT_EQ(WindowText(OptionsItem(dialog, C::Lb3)), "C\xE5ng:");
        EXPECT_EQ(WindowText(main_->Control(kCm1Id)),
                  "&Ph\xA1n t\xDB"
                  "ch");
        EXPECT_EQ(OptionsTitle(), "Tu\xF9 ch\xE3n");
        EXPECT_GT(titlePixels(), 0);
        EXPECT_NE(titlePixels(), english) << "the title was not painted again";
        return IDCANCEL;
    });
    EXPECT_EQ(ReadSetting(kSettingsSection, kLanguageIdKey), "0");
}

TEST_F(OptionsDialogTest, EveryWayOfClosingWritesOnlyThroughOk) {
    const std::pair<std::function<void(HWND)>, bool> ways[] = {
        {[](HWND d) { PressKey(d, C::Tx2, VK_ESCAPE); }, false},
        {[](HWND d) { SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
        {[](HWND d) { Click(d, C::Cm2); }, false},
        {[](HWND d) { PressKey(d, C::Tx2, VK_RETURN); }, true},
        {[](HWND d) { Click(d, C::Cm1); }, true},
    };
    for (std::size_t i = 0; i < std::size(ways); ++i) {
        const auto& [close, writes] = ways[i];
        test::DeleteProgramFile(kSettingsFileName);
        WithOptionsDialog([&](HWND dialog) {
            Click(dialog, C::Cki);
            SetWindowTextA(OptionsItem(dialog, C::Tx2), "3128");
            close(dialog);
            EXPECT_FALSE(IsWindowVisible(dialog)) << i;
            return IDCANCEL;
        });
        EXPECT_EQ(ReadSetting(kSettingsSection, kProxyPortKey), writes ? "3128" : "") << i;
    }
}

}  // namespace
}  // namespace quorvel
