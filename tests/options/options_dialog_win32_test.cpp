#include <windows.h>
#include <gtest/gtest.h>

#include <functional>

#include "options/options_dialog_win32.h"
#include "settings/profile_settings_win32.h"
#include "support/message_box_probe.h"
#include "support/test_files.h"
#include "support/win32_test_support.h"
#include "ui/captions.h"

namespace quorvel {

using test::ReadTestFile;
using test::WindowText;
using C = OptionsControl;

// A key as the modal loop hands it to the dialog: through IsDialogMessageA,
// and to the control itself when the dialog does not take it.
static void PressKey(HWND dialog, C control, WPARAM key) {
    SetFocus(OptionsItem(dialog, control));
    MSG message = {OptionsItem(dialog, control), WM_KEYDOWN, key, 0x00010001, 0, {0, 0}};
    if (!IsDialogMessageA(dialog, &message)) DispatchMessageA(&message);
}

static void Click(HWND dialog, C id) { SendMessageA(OptionsItem(dialog, id), BM_CLICK, 0, 0); }

static std::string SettingsFile() { return ReadTestFile(ProfileSettings::FilePath()).value_or(""); }

// Presses Options and runs script on the dialog inside its modal loop; the
// button script returns ends the dialog if it is still open (IDCANCEL ends it
// without writing).
static void WithOptionsDialog(MainWindow& main, const std::function<int(HWND dialog)>& script) {
    test::MessageBoxAnswerer answerer(script);
    SendMessageA(main.Control(kCm4Id), BM_CLICK, 0, 0);
    EXPECT_TRUE(answerer.Answered()) << "the options dialog did not open";
}

// Opened on stored settings, owned and modal, without a system title (its
// own is drawn), captions in the display font; OK unchanged writes nothing.
TEST(OptionsDialog, OpensOwnedAndModalWithItsControlsAndWritesOnlyThroughOkOrApply) {
    test::DeleteProgramFile(kSettingsFileName);
    MainWindow& main = *test::OpenShownMainWindow();
    WriteSetting(kSettingsSection, kProxyUsedKey, "1");
    WriteSetting(kSettingsSection, kProxyPortKey, "8888");
    const std::string stored = SettingsFile();
    WithOptionsDialog(main, [&](HWND dialog) {
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), main.Handle());
        EXPECT_FALSE(IsWindowEnabled(main.Handle()));
        EXPECT_EQ(WindowText(dialog), "");
        EXPECT_EQ(GetFocus(), OptionsItem(dialog, C::Cb1));
        EXPECT_EQ(test::FontFace(OptionsItem(dialog, C::Lb3)), kDisplayFontFace);
        EXPECT_NE(test::FontFace(OptionsItem(dialog, C::Tx2)), kDisplayFontFace);
        EXPECT_EQ(WindowText(OptionsItem(dialog, C::Tx2)), "8888");
        return IDOK;
    });
    EXPECT_EQ(SettingsFile(), stored);

    // Clicks, keys and typing reach the form (its rules are tested with it);
    // Apply writes every value, switches both windows and the drawn title to
    // the language chosen, stays open and hands the focus on.
    test::DeleteProgramFile(kSettingsFileName);
    WithOptionsDialog(main, [&](HWND dialog) {
        const int english = test::CaptionPixelsOfColour(dialog, GetSysColor(COLOR_CAPTIONTEXT));
        PressKey(dialog, C::Cb1, VK_UP);
        Click(dialog, C::Ck1);
        SetFocus(OptionsItem(dialog, C::Cm3));
        Click(dialog, C::Cm3);
        EXPECT_EQ(SettingsFile(),
                  "[Settings]\r\nLanguageID=0\r\nGetOnlineIMEI=1\r\nAddMissingIMEI=0\r\n"
                  "ProxyUsed=0\r\nProxyAddress=\r\nProxyPort=\r\n");
        EXPECT_EQ(WindowText(OptionsItem(dialog, C::Lb3)), "C\xE5ng:");
        EXPECT_EQ(WindowText(main.Control(kCm1Id)), "&Ph\xA1n t\xDB\x63h");
        EXPECT_NE(test::CaptionPixelsOfColour(dialog, GetSysColor(COLOR_CAPTIONTEXT)), english)
            << "the title was not painted again";
        EXPECT_FALSE(IsWindowEnabled(OptionsItem(dialog, C::Cm3)));
        EXPECT_EQ(GetFocus(), OptionsItem(dialog, C::Cb1));
        SendMessageA(OptionsItem(dialog, C::Tx2), WM_CHAR, '8', 0);
        SendMessageA(OptionsItem(dialog, C::Tx2), WM_CHAR, VK_BACK, 0);
        EXPECT_TRUE(IsWindowEnabled(OptionsItem(dialog, C::Cm3)));
        EXPECT_TRUE(IsWindowVisible(dialog));
        return IDCANCEL;
    });

    const std::pair<std::function<void(HWND)>, const char*> ways[] = {
        {[](HWND d) { PressKey(d, C::Tx2, VK_ESCAPE); }, ""},
        {[](HWND d) { SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, ""},
        {[](HWND d) { Click(d, C::Cm2); }, ""},
        {[](HWND d) { PressKey(d, C::Tx2, VK_RETURN); }, "3128"},
        {[](HWND d) { Click(d, C::Cm1); }, "3128"},
    };
    for (const auto& [close, port] : ways) {
        test::DeleteProgramFile(kSettingsFileName);
        WithOptionsDialog(main, [&](HWND dialog) {
            Click(dialog, C::Cki);
            SetWindowTextA(OptionsItem(dialog, C::Tx2), "3128");
            close(dialog);
            EXPECT_FALSE(IsWindowVisible(dialog)) << "left open";
            return IDCANCEL;
        });
        EXPECT_EQ(ReadSetting(kSettingsSection, kProxyPortKey), port);
    }
    main.Close();
    test::DeleteProgramFile(kSettingsFileName);
}

}  // namespace quorvel
