#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shared/handles_win32.h"
#include "support/message_box_probe.h"
#include "support/win32_test_support.h"
#include "ui/captions.h"
#include "ui/message_box_win32.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

using test::SeenMessageBox;

int Show(const std::string& prompt, int style, const std::string& title, HICON icon) {
    return ShowMessage(GetActiveWindow(), prompt, style, title, icon);
}

bool InDisplayFont(const test::SeenControl& control) {
    return control.fontFace == kDisplayFontFace && control.fontWeight == 500;
}

TEST(ShowMessage, RedressesTheButtonsTextAndIconOfEachStyle) {
    const HICON programIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    ASSERT_NE(programIcon, nullptr);
    struct Case {
        int style;
        HICON icon;
        int press;
        std::vector<std::pair<std::string, bool>> buttons;  // caption, in the display font
        int result;
        int shownIcon;  // 0 none, 1 the system's, 2 the caller's
    };
    const Case cases[] = {
        {MB_YESNO | MB_ICONQUESTION, nullptr, IDNO, {{"&C\xE2", true}, {"&Kh\xA4ng", true}}, 7, 1},
        {MB_OKCANCEL | MB_ICONINFORMATION,
         programIcon,
         IDOK,
         {{"\x98\xE2ng", true}, {"Cancel", false}},
         1,
         2},
        {MB_ABORTRETRYIGNORE,
         programIcon,
         IDRETRY,
         {{"&Abort", false}, {"&Retry", false}, {"&Ignore", false}},
         IDRETRY,
         0},
    };
    const std::string prompt = "a\r\nbc";
    for (const Case& c : cases) {
        int result = -1;
        const SeenMessageBox seen = test::ShowAndAnswer(
            [&] { return Show(prompt, c.style, "T", c.icon); }, c.press, &result);
        EXPECT_EQ(result, c.result) << c.style;
        EXPECT_EQ(seen.systemTitle, "");
        EXPECT_EQ(seen.text.text, ReformatPrompt(prompt));
        EXPECT_TRUE(InDisplayFont(seen.text)) << seen.text.fontFace;
        ASSERT_EQ(seen.buttons.size(), c.buttons.size()) << c.style;
        for (std::size_t i = 0; i < c.buttons.size(); ++i) {
            EXPECT_EQ(seen.buttons[i].text, c.buttons[i].first) << c.style;
            EXPECT_EQ(InDisplayFont(seen.buttons[i]), c.buttons[i].second) << c.style << i;
        }
        EXPECT_EQ(seen.icon == nullptr ? 0 : seen.icon == programIcon ? 2 : 1, c.shownIcon);
    }
}

TEST(ShowMessage, TheTitleIsDrawnIntoTheCaptionActiveOrNot) {
    const auto pixelsOf = [](const std::string& title, bool active) {
        const COLORREF colour = GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
        int pixels = 0;
        test::MessageBoxAnswerer answerer([&](HWND box) {
            if (!active) SendMessageA(box, WM_NCACTIVATE, FALSE, 0);
            pixels = test::CaptionPixelsOfColour(box, colour);
            return IDOK;
        });
        Show("The same prompt.", MB_OK, title, nullptr);
        return pixels;
    };
    ASSERT_NE(GetSysColor(COLOR_CAPTIONTEXT), GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    for (bool active : {true, false}) {
        EXPECT_GT(pixelsOf("WWWWWWWWWW", active), pixelsOf("", active) + 30) << active;
    }
}

TEST(ShowMessage, TheBoxIsOwnedAndModalWhicheverWindowIsActive) {
    UniqueWindow windows[2];
    for (UniqueWindow& window : windows) {
        window.Reset(CreateWindowExA(0, "STATIC", "w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                     100, nullptr, nullptr, nullptr, nullptr));
    }
    HWND owner = windows[0].Get();
    SetActiveWindow(windows[1].Get());
    bool ownedAndModal = false;
    test::MessageBoxAnswerer answerer([&](HWND box) {
        ownedAndModal = GetWindow(box, GW_OWNER) == owner && !IsWindowEnabled(owner);
        return IDOK;
    });
    EXPECT_EQ(ShowMessage(owner, "x", MB_OK, "t", nullptr), IDOK);
    EXPECT_TRUE(ownedAndModal);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

HHOOK gRefusingHook = nullptr;

LRESULT CALLBACK RefuseDialogs(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND &&
        reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszClass == MAKEINTATOM(32770)) {
        return 1;
    }
    return CallNextHookEx(gRefusingHook, code, wParam, lParam);
}

// A hook installed before the box's own hears its events (and refuses the
// box here); no hook is left behind to re-dress the system's next box.
TEST(ShowMessage, ChainsItsHookAndRemovesItWhenTheBoxNeverOpens) {
    gRefusingHook = SetWindowsHookExA(WH_CBT, RefuseDialogs, nullptr, GetCurrentThreadId());
    ASSERT_NE(gRefusingHook, nullptr);
    {
        test::MessageBoxAnswerer unexpected([](HWND) { return IDNO; });  // should it open
        EXPECT_EQ(Show("never shown", MB_YESNO, "t", nullptr), 0);
    }
    UnhookWindowsHookEx(gRefusingHook);
    int result = 0;
    const SeenMessageBox plain = test::ShowAndAnswer(
        [] { return MessageBoxA(nullptr, "plain", "System", MB_OK); }, IDOK, &result);
    ASSERT_EQ(plain.buttons.size(), 1u);
    EXPECT_EQ(plain.buttons[0].text, "OK");
    EXPECT_EQ(plain.systemTitle, "System");
}

TEST(ShowMessage, ManyBoxesHoldNoMoreGdiObjectsThanOne) {
    int result = 0;
    const auto showOne = [&] {
        test::ShowAndAnswer([] { return Show("x", MB_YESNO, "Th\xA4ng b\xC0o", nullptr); }, IDYES,
                            &result);
    };
    showOne();
    const int before = test::GdiObjectCount();
    for (int i = 0; i < 50; ++i) showOne();
    EXPECT_LE(test::GdiObjectCount(), before + 5);
}

}  // namespace
}  // namespace quorvel
