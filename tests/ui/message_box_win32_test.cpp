#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "main/analyze_messages.h"
#include "main/startup_messages.h"
#include "shared/data_resource_win32.h"
#include "shared/handles_win32.h"
#include "shared/window_text_win32.h"
#include "support/message_box_probe.h"
#include "ui/captions.h"
#include "ui/display_font.h"
#include "ui/display_font_win32.h"
#include "ui/message_box_win32.h"
#include "ui/message_prompt.h"

namespace quorvel {

static HHOOK gRefusingHook = nullptr;

static LRESULT CALLBACK RefuseDialogs(int code, WPARAM wParam, LPARAM lParam) {
    const bool dialog =
        code == HCBT_CREATEWND &&
        reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszClass == MAKEINTATOM(32770);
    return dialog ? 1 : CallNextHookEx(gRefusingHook, code, wParam, lParam);
}

// The display font installed for a test, as the program installs it.
static bool InstallDisplayFont(DisplayFontInstallation& displayFont) {
    return displayFont.Extract(
               LoadDataResource(GetModuleHandleA(nullptr), kDisplayFontResourceId)) &&
           displayFont.Register();
}

// Each box is owned by its owner, which it keeps disabled, while another
// window is active; its title is drawn into the caption bar, not given to
// the system; the text and the OK, Yes and No buttons get the display font
// and those buttons Vietnamese captions; the caller's icon replaces the
// system's.
TEST(ShowMessage, RedressesTheBoxOfEachStyleForItsOwner) {
    // The titles are drawn in the display font, as in the program; without it
    // they would be in whichever face the system puts in its place.
    DisplayFontInstallation displayFont;
    ASSERT_TRUE(InstallDisplayFont(displayFont));
    const HICON programIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    UniqueWindow owner(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                                       nullptr, nullptr, nullptr));
    UniqueWindow active(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                                        nullptr, nullptr, nullptr));
    struct Case {
        int style, press, result;
        HICON icon;
        const char *title, *buttons;  // captions, '*' after those in the display font
    };
    const Case cases[] = {
        {MB_YESNO | MB_ICONQUESTION, IDNO, 7, nullptr, "", "&C\xE2* &Kh\xA4ng* "},
        {MB_OKCANCEL | MB_ICONINFORMATION, IDOK, 1, programIcon, "WWWWWWWWWW",
         "\x98\xE2ng* Cancel "},
    };
    int titlePixels[2] = {};
    for (const Case& c : cases) {
        SetActiveWindow(active.Get());
        test::SeenMessageBox seen;
        test::MessageBoxAnswerer answerer([&](HWND box) {
            seen = test::SeeMessageBox(box);
            EXPECT_FALSE(IsWindowEnabled(owner.Get()));
            titlePixels[c.icon != nullptr] =
                test::CaptionPixelsOfColour(box, GetSysColor(COLOR_CAPTIONTEXT));
            return c.press;
        });
        EXPECT_EQ(ShowMessage(owner.Get(), "a\r\nbc", c.style, c.title, c.icon), c.result);
        EXPECT_EQ(seen.owner, owner.Get());
        EXPECT_EQ(seen.systemTitle, "");
        EXPECT_EQ(seen.text.text, ReformatPrompt("a\r\nbc"));
        std::string buttons;
        for (const test::SeenControl& b : seen.buttons) {
            buttons += b.text + (b.fontFace == kDisplayFontFace ? "* " : " ");
        }
        EXPECT_EQ(buttons, c.buttons);
        EXPECT_EQ(seen.text.fontFace, kDisplayFontFace);
        EXPECT_NE(seen.icon, nullptr);
        EXPECT_EQ(seen.icon == programIcon, c.icon != nullptr);
    }
    EXPECT_GT(titlePixels[1], titlePixels[0] + 30);
}

// The system lays a box out for its own font; in the display font that it is
// drawn with, each line of the text still fits on one line of the box, above
// the button, which stays inside the box (the Vietnamese wrong-length message
// once broke before "số.").
TEST(ShowMessage, LaysTheTextOutForTheFontItIsDrawnWith) {
    DisplayFontInstallation displayFont;
    ASSERT_TRUE(InstallDisplayFont(displayFont));
    const std::string prompts[] = {AnalyzeMessagesFor(Language::Vietnamese).wrongLength,
                                   NetworkEventsUnavailableMessage(Language::Vietnamese)};
    for (const std::string& prompt : prompts) {
        RECT lines = {}, control = {}, button = {}, client = {};
        test::MessageBoxAnswerer answerer([&](HWND box) {
            HWND text = FindWindowExA(box, nullptr, "Static", nullptr);
            while ((GetWindowLongA(text, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                text = FindWindowExA(box, text, "Static", nullptr);
            }
            GetWindowRect(text, &control);
            GetWindowRect(GetDlgItem(box, IDOK), &button);
            GetClientRect(box, &client);
            MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
            UniqueWindowDc dc(text);
            ScopedSelection font(dc.Get(),
                                 reinterpret_cast<HGDIOBJ>(SendMessageA(text, WM_GETFONT, 0, 0)));
            std::string shown = WindowText(text);
            DrawTextA(dc.Get(), shown.data(), -1, &lines,
                      DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
            return IDOK;
        });
        ShowMessage(nullptr, prompt, kStyleExclamationOk, "", nullptr);
        ASSERT_TRUE(answerer.Answered());
        EXPECT_LE(lines.right, control.right - control.left) << prompt;
        EXPECT_LE(lines.bottom, control.bottom - control.top) << prompt;
        EXPECT_LE(control.bottom, button.top) << prompt;
        EXPECT_LE(button.bottom, client.bottom) << prompt;
    }
}

// Without the display font (its failure is reported at start-up) the box
// keeps the system's captions and font, which read without it.
TEST(ShowMessage, KeepsTheSystemsCaptionsWithoutTheDisplayFont) {
    test::SeenMessageBox seen;
    test::MessageBoxAnswerer answerer(
        [&](HWND box) { return seen = test::SeeMessageBox(box), IDOK; });
    EXPECT_EQ(ShowMessage(nullptr, "a", kStyleExclamationOk, "Quorvel", nullptr), kResultOk);
    ASSERT_EQ(seen.buttons.size(), 1u);
    EXPECT_EQ(seen.buttons[0].text, "OK");
    EXPECT_NE(seen.text.fontFace, kDisplayFontFace);
}

// A hook installed before the box's own hears its events (and refuses the
// box here); no hook is left behind to re-dress the system's next box.
TEST(ShowMessage, ChainsItsHookAndRemovesItWhenTheBoxNeverOpens) {
    gRefusingHook = SetWindowsHookExA(WH_CBT, RefuseDialogs, nullptr, GetCurrentThreadId());
    {
        test::MessageBoxAnswerer unexpected([](HWND) { return IDNO; });  // should it open
        EXPECT_EQ(ShowMessage(nullptr, "never shown", MB_YESNO, "t", nullptr), 0);
    }
    UnhookWindowsHookEx(gRefusingHook);
    std::string button;
    test::MessageBoxAnswerer answerer(
        [&](HWND box) { return button = test::SeeMessageBox(box).buttons.at(0).text, IDOK; });
    MessageBoxA(nullptr, "plain", "System", MB_OK);
    EXPECT_EQ(button, "OK");
}

}  // namespace quorvel
