#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

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

using test::FontFace;
using test::WindowText;
using C = OptionsControl;

constexpr C kCaptioned[] = {C::Lb1, C::Ck1, C::Ck2, C::Cm1, C::Cm2,
                            C::Cm3, C::Fr1, C::Cki, C::Lb2, C::Lb3};
constexpr C kProxyFields[] = {C::Lb2, C::Tx1, C::Lb3, C::Tx2};

std::string SettingsFileText() {
    return test::ReadTestFile(ProfileSettings::FilePath()).value_or("");
}

bool SettingsFileExists() {
    return GetFileAttributesA(ProfileSettings::FilePath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The file's lines, without their line ends.
std::vector<std::string> SettingsFileLines() {
    std::vector<std::string> lines;
    std::istringstream text(SettingsFileText());
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

// A key as the modal loop hands it to the dialog: through IsDialogMessageA,
// and to the control itself when the dialog does not take it.
void PressKey(HWND dialog, HWND control, WPARAM key) {
    SetFocus(control);
    MSG message = {control, WM_KEYDOWN, key, 0x00010001, 0, {0, 0}};
    if (!IsDialogMessageA(dialog, &message)) DispatchMessageA(&message);
}

void Click(HWND dialog, C control) { SendMessageA(OptionsItem(dialog, control), BM_CLICK, 0, 0); }

bool Enabled(HWND dialog, C control) { return IsWindowEnabled(OptionsItem(dialog, control)); }

int SelectedEntry(HWND dialog) {
    return static_cast<int>(SendMessageA(OptionsItem(dialog, C::Cb1), CB_GETCURSEL, 0, 0));
}

// The pixels of the dialog's title rectangle in its caption bar.
std::vector<COLORREF> TitlePixels(HWND dialog) {
    const int left = GetSystemMetrics(SM_CXFRAME);
    const int top = GetSystemMetrics(SM_CYFRAME);
    test::Canvas canvas(200, GetSystemMetrics(SM_CYCAPTION) - 1, RGB(0, 0, 0));
    UniqueWindowDc dc(dialog);
    BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), dc.Get(), left, top, SRCCOPY);
    return canvas.Pixels();
}

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

    // Presses Options on the main window and runs script on the dialog from
    // inside its modal loop. The script returns the button that ends the
    // dialog if it is still open (IDCANCEL ends it without writing).
    void WithOptionsDialog(const std::function<int(HWND dialog)>& script) {
        test::MessageBoxAnswerer answerer(script);
        SendMessageA(main_->Control(kCm4Id), BM_CLICK, 0, 0);
        EXPECT_TRUE(answerer.Answered()) << "the options dialog did not open";
    }

    std::vector<std::string> MainWindowCaptions() {
        std::vector<std::string> texts;
        for (MainControlId id : {kLb1Id, kLbiId, kCm1Id, kCm2Id, kCm3Id, kCm4Id}) {
            texts.push_back(WindowText(main_->Control(id)));
        }
        return texts;
    }

    MainWindow* main_ = nullptr;
};

TEST_F(OptionsDialogTest, FirstOpeningWithoutASettingsFile) {
    WithOptionsDialog([&](HWND dialog) {
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), main_->Handle());
        EXPECT_FALSE(IsWindowEnabled(main_->Handle())) << "not modal";
        EXPECT_EQ(WindowText(dialog), "");
        EXPECT_EQ(OptionsTitle(), "Options");
        HWND list = OptionsItem(dialog, C::Cb1);
        EXPECT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(GetFocus(), list);
        return IDOK;
    });
    EXPECT_FALSE(SettingsFileExists()) << "OK without changes wrote the file";
    EXPECT_TRUE(IsWindowEnabled(main_->Handle()));
}

TEST_F(OptionsDialogTest, ControlsSitAtTheirPositionsInTabOrderWithTheirFonts) {
    WithOptionsDialog([&](HWND dialog) {
        UniqueWindowDc screen(nullptr);
        const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSX);
        auto pixels = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
        RECT client;
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, pixels(kOptionsClientWidthTwips));
        EXPECT_EQ(client.bottom, pixels(kOptionsClientHeightTwips));

        struct Place {
            C control;
            int left, top, width;  // twips in the dialog's client area
        };
        const Place places[] = {
            {C::Lb1, 360, 360, 1815},  {C::Cb1, 2280, 300, 2895},  {C::Ck1, 360, 780, 4815},
            {C::Ck2, 360, 1200, 4815}, {C::Fr1, 360, 1620, 4815},  {C::Cki, 660, 1920, 3975},
            {C::Lb2, 660, 2400, 735},  {C::Tx1, 1440, 2340, 1575}, {C::Lb3, 3480, 2400, 495},
            {C::Tx2, 4080, 2340, 735}, {C::Cm1, 1320, 3240, 1215}, {C::Cm2, 2640, 3240, 1215},
            {C::Cm3, 3960, 3240, 1215}};
        HWND child = GetWindow(dialog, GW_CHILD);
        for (const Place& place : places) {
            HWND control = OptionsItem(dialog, place.control);
            if (!control) {
                ADD_FAILURE() << "no control " << static_cast<int>(place.control);
                return IDCANCEL;
            }
            EXPECT_EQ(child, control) << "tab order at id " << static_cast<int>(place.control);
            RECT bounds;
            GetWindowRect(control, &bounds);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&bounds), 2);
            EXPECT_EQ(bounds.left, pixels(place.left)) << static_cast<int>(place.control);
            EXPECT_EQ(bounds.top, pixels(place.top)) << static_cast<int>(place.control);
            EXPECT_EQ(bounds.right - bounds.left, pixels(place.width));
            child = GetWindow(child, GW_HWNDNEXT);
        }
        for (C control : kCaptioned)
            EXPECT_EQ(FontFace(OptionsItem(dialog, control)), kDisplayFontFace);
        EXPECT_EQ(FontFace(OptionsItem(dialog, C::Cb1)), kDisplayFontFace);
        for (C box : {C::Tx1, C::Tx2})
            EXPECT_NE(FontFace(OptionsItem(dialog, box)), kDisplayFontFace);

        // TAB from the list skips the disabled controls.
        const C stops[] = {C::Cb1, C::Ck1, C::Cki, C::Cm1, C::Cm2, C::Cb1};
        for (std::size_t i = 1; i < std::size(stops); ++i) {
            HWND next = GetNextDlgTabItem(dialog, OptionsItem(dialog, stops[i - 1]), FALSE);
            EXPECT_EQ(next, OptionsItem(dialog, stops[i])) << i;
        }
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(dialog, GWLP_WNDPROC)),
                  OptionsWindowProc);
        return IDCANCEL;
    });
}

TEST_F(OptionsDialogTest, ApplyCreatesTheFileWithAllSixValuesAndTurnsItselfOff) {
    WithOptionsDialog([&](HWND dialog) {
        Click(dialog, C::Ck1);  // wired: its rule is the form's
        EXPECT_TRUE(Enabled(dialog, C::Ck2));
        EXPECT_TRUE(Enabled(dialog, C::Cm3));
        SetFocus(OptionsItem(dialog, C::Cm3));
        Click(dialog, C::Cm3);
        EXPECT_FALSE(Enabled(dialog, C::Cm3));
        EXPECT_EQ(GetFocus(), OptionsItem(dialog, C::Cb1)) << "the focus moves on from Apply";
        EXPECT_TRUE(IsWindowVisible(dialog)) << "Apply closed the dialog";
        return IDCANCEL;
    });
    EXPECT_EQ(SettingsFileLines(),
              (std::vector<std::string>{"[Settings]", "LanguageID=1", "GetOnlineIMEI=1",
                                        "AddMissingIMEI=0", "ProxyUsed=0",
                                        "ProxyAddress=", "ProxyPort="}));
}

TEST_F(OptionsDialogTest, TypingAndDeletingInThePortBoxLeavesApplyEnabled) {
    WithOptionsDialog([&](HWND dialog) {
        Click(dialog, C::Cki);
        HWND port = OptionsItem(dialog, C::Tx2);
        Click(dialog, C::Cm3);
        EXPECT_FALSE(Enabled(dialog, C::Cm3));
        SetFocus(port);
        SendMessageA(port, WM_CHAR, '8', 0);
        SendMessageA(port, WM_CHAR, VK_BACK, 0);
        EXPECT_EQ(WindowText(port), "");
        EXPECT_TRUE(Enabled(dialog, C::Cm3));
        return IDCANCEL;
    });
}

TEST_F(OptionsDialogTest, VietnameseAppliedSwitchesBothWindowsAndTheTitleAtOnce) {
    ASSERT_EQ(MainWindowCaptions()[4], "&Clear");
    WithOptionsDialog([&](HWND dialog) {
        const std::vector<COLORREF> englishTitle = TitlePixels(dialog);
        PressKey(dialog, OptionsItem(dialog, C::Cb1), VK_UP);
        EXPECT_EQ(SelectedEntry(dialog), kVietnameseEntryPosition);
        EXPECT_TRUE(Enabled(dialog, C::Cm3)) << "choosing an entry is an edit";
        Click(dialog, C::Cm3);

        const OptionsCaptions& vi = OptionsCaptionsFor(Language::Vietnamese);
        const char* const expected[] = {vi.languageLabel,   vi.getOnlineCheck, vi.addMissingCheck,
                                        vi.okButton,        vi.cancelButton,   vi.applyButton,
                                        vi.connectionFrame, vi.useProxyCheck,  vi.proxyAddressLabel,
                                        vi.proxyPortLabel};
        for (std::size_t i = 0; i < std::size(kCaptioned); ++i) {
            EXPECT_EQ(WindowText(OptionsItem(dialog, kCaptioned[i])), expected[i]) << i;
        }
        EXPECT_EQ(OptionsTitle(), "Tu\xF9 ch\xE3n");
        const std::vector<COLORREF> vietnameseTitle = TitlePixels(dialog);
        EXPECT_NE(vietnameseTitle, englishTitle) << "the title was not painted again";
        EXPECT_GT(std::count(vietnameseTitle.begin(), vietnameseTitle.end(),
                             GetSysColor(COLOR_CAPTIONTEXT)),
                  0)
            << "no title drawn in the active caption-text colour";
        // Still the thread's active window, but its bar drawn inactive.
        SendMessageA(dialog, WM_NCACTIVATE, FALSE, 0);
        RedrawWindow(dialog, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        const std::vector<COLORREF> inactive = TitlePixels(dialog);
        EXPECT_EQ(std::count(inactive.begin(), inactive.end(), GetSysColor(COLOR_CAPTIONTEXT)), 0);
        const MainCaptions& main = MainCaptionsFor(Language::Vietnamese);
        EXPECT_EQ(
            MainWindowCaptions(),
            (std::vector<std::string>{main.enterImeiLabel, main.imeiTipLabel, main.analyzeButton,
                                      main.saveButton, main.clearButton, main.optionsButton}));
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_FALSE(Enabled(dialog, C::Cm3));
        return IDCANCEL;
    });
    EXPECT_EQ(ReadSetting(kSettingsSection, kLanguageIdKey), "0");
}

TEST_F(OptionsDialogTest, EveryWayOfClosingWritesOnlyThroughOk) {
    struct Way {
        const char* name;
        std::function<void(HWND dialog)> close;
        bool writes;
    };
    const Way ways[] = {
        {"Escape", [](HWND d) { PressKey(d, OptionsItem(d, C::Tx2), VK_ESCAPE); }, false},
        {"close box", [](HWND d) { SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
        {"Cancel", [](HWND d) { Click(d, C::Cm2); }, false},
        {"Enter", [](HWND d) { PressKey(d, OptionsItem(d, C::Tx2), VK_RETURN); }, true},
        {"OK", [](HWND d) { Click(d, C::Cm1); }, true},
    };
    for (const Way& way : ways) {
        test::DeleteProgramFile(kSettingsFileName);
        WithOptionsDialog([&](HWND dialog) {
            Click(dialog, C::Cki);
            SetWindowTextA(OptionsItem(dialog, C::Tx2), "3128");
            way.close(dialog);
            EXPECT_FALSE(IsWindowVisible(dialog)) << way.name << " left the dialog open";
            return IDCANCEL;
        });
        EXPECT_EQ(SettingsFileExists(), way.writes) << way.name;
        if (way.writes) {
            EXPECT_EQ(ReadSetting(kSettingsSection, kProxyPortKey), "3128") << way.name;
        }
    }
}

TEST_F(OptionsDialogTest, OpensWithTheStoredProxyAndNothingPending) {
    WriteSetting(kSettingsSection, kProxyUsedKey, "1");
    WriteSetting(kSettingsSection, kProxyAddressKey, "127.0.0.1");
    WriteSetting(kSettingsSection, kProxyPortKey, "8888");
    WithOptionsDialog([&](HWND dialog) {
        EXPECT_EQ(WindowText(OptionsItem(dialog, C::Tx2)), "8888");
        EXPECT_FALSE(Enabled(dialog, C::Cm3));
        return IDCANCEL;
    });
}

TEST(OptionsWindowProc, ChainsToThePreviousProcedureUntilRestored) {
    UniqueWindow window(CreateWindowExA(0, MAKEINTATOM(32770), "", WS_POPUP | WS_CAPTION, 0, 0, 200,
                                        100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(window);
    const LONG_PTR original = GetWindowLongPtrA(window.Get(), GWLP_WNDPROC);
    ASSERT_TRUE(InstallOptionsWindowProc(window.Get()));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window.Get(), GWLP_WNDPROC)),
              OptionsWindowProc);
    SetWindowTextA(window.Get(), "through the previous procedure");
    EXPECT_EQ(WindowText(window.Get()), "through the previous procedure");
    SendMessageA(window.Get(), WM_NCACTIVATE, TRUE, 0);
    RestoreOptionsWindowProc(window.Get());
    EXPECT_EQ(GetWindowLongPtrA(window.Get(), GWLP_WNDPROC), original);
}

}  // namespace
}  // namespace quorvel
