#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "main/analyze_messages.h"
#include "main/startup_messages.h"
#include "shared/data_resource_win32.h"
#include "support/message_box_probe.h"
#include "support/win32_test_support.h"
#include "ui/display_font.h"
#include "ui/display_font_win32.h"
#include "ui/message_box_win32.h"
#include "ui/message_prompt.h"

namespace quorvel {

// Each box is owned by its owner, which it keeps disabled, while another
// window is active; its title is drawn into the caption bar, not given to
// the system; the text and the OK, Yes and No buttons get the display font
// and those buttons Vietnamese captions; the caller's icon replaces the
// system's. The system lays the box out for its own font: in the display
// font each line of the text still fits on one line, above the buttons,
// which stay inside the box (the wrong-length message once broke before
// "số."). Without the display font (its failure is reported at start-up)
// the box keeps the system's captions and font, which read without it.
TEST(ShowMessage, RedressesTheBoxOfEachStyleForItsOwnerAndItsFont) {
    DisplayFontInstallation displayFont;
    ASSERT_TRUE(
        displayFont.Extract(LoadDataResource(GetModuleHandleA(nullptr), kDisplayFontResourceId)) &&
        displayFont.Register());
    const HICON programIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    UniqueWindow owner(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                                       nullptr, nullptr, nullptr));
    UniqueWindow active(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                                        nullptr, nullptr, nullptr));
    struct Case {
        int style, press, result;
        HICON icon;
        const char* title;
        std::string prompt;
        // The text and the buttons, '*' after those in the display font, and
        // the icon: the system's (s) or the caller's (c).
        const char* shown;
    };
    const Case cases[] = {
        {MB_YESNO | MB_ICONQUESTION, IDNO, 7, nullptr, "",
         AnalyzeMessagesFor(Language::Vietnamese).wrongLength, "text* &C\xE2* &Kh\xA4ng* s"},
        {MB_OKCANCEL | MB_ICONINFORMATION, IDOK, 1, programIcon, "WWWWWWWWWW",
         NetworkEventsUnavailableMessage(Language::Vietnamese), "text* \x98\xE2ng* Cancel c"},
        {kStyleExclamationOk, IDOK, 1, nullptr, "", "a", "text OK s"},  // without the display font
    };
    int titlePixels[3] = {};
    for (const Case& c : cases) {
        const int row = static_cast<int>(&c - cases);
        if (row == 2) displayFont.Remove();
        SetActiveWindow(active.Get());
        test::SeenMessageBox seen;
        RECT lines = {}, text = {}, button = {}, client = {};
        test::MessageBoxAnswerer answerer([&](HWND box) {
            seen = test::SeeMessageBox(box);
            EXPECT_FALSE(IsWindowEnabled(owner.Get()));
            titlePixels[row] = test::CaptionPixelsOfColour(box, GetSysColor(COLOR_CAPTIONTEXT));
            HWND control = GetDlgItem(box, 0xFFFF);  // the text, in Windows' and Wine's boxes
            GetWindowRect(control, &text);
            GetWindowRect(GetDlgItem(box, c.press), &button);
            GetClientRect(box, &client);
            MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
            UniqueWindowDc dc(control);
            ScopedSelection font(
                dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
            DrawTextA(dc.Get(), test::WindowText(control).c_str(), -1, &lines,
                      DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
            return c.press;
        });
        EXPECT_EQ(ShowMessage(owner.Get(), c.prompt, c.style, c.title, c.icon), c.result);
        EXPECT_EQ(seen.owner, owner.Get());
        EXPECT_EQ(seen.systemTitle + "|" + seen.text.text, "|" + ReformatPrompt(c.prompt));
        std::string shown = seen.text.fontFace == kDisplayFontFace ? "text*" : "text";
        for (const test::SeenControl& b : seen.buttons)
            shown += " " + b.text + (b.fontFace == kDisplayFontFace ? "*" : "");
        EXPECT_EQ(shown + (seen.icon == programIcon ? " c" : seen.icon ? " s" : " -"), c.shown);
        EXPECT_TRUE(lines.right <= text.right - text.left &&
                    lines.bottom <= text.bottom - text.top && text.bottom <= button.top &&
                    button.bottom <= client.bottom)
            << row;
    }
    EXPECT_GT(titlePixels[1], titlePixels[0] + 30);
}

static HHOOK gRefusingHook = nullptr;

static LRESULT CALLBACK RefuseDialogs(int code, WPARAM wParam, LPARAM lParam) {
    const bool dialog =
        code == HCBT_CREATEWND &&
        reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszClass == MAKEINTATOM(32770);
    return dialog ? 1 : CallNextHookEx(gRefusingHook, code, wParam, lParam);
}

// A hook installed before the box's own hears its events (and refuses the
// box here); a box that never opened gives 0.
TEST(ShowMessage, ChainsItsHookAndGivesNothingWhenTheBoxNeverOpens) {
    gRefusingHook = SetWindowsHookExA(WH_CBT, RefuseDialogs, nullptr, GetCurrentThreadId());
    test::MessageBoxAnswerer unexpected([](HWND) { return IDNO; });  // should it open
    EXPECT_EQ(ShowMessage(nullptr, "never shown", MB_YESNO, "t", nullptr), 0);
    UnhookWindowsHookEx(gRefusingHook);
}

}  // namespace quorvel
