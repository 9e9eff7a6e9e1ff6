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

bool InDisplayFont(const test::SeenControl& control) {
    return control.fontFace == kDisplayFontFace && control.fontWeight == 500;
}

// Each box is owned by its owner, which it keeps disabled, while another
// window is active; its title is drawn into the caption bar, not given to
// the system; OK, Yes and No are relabelled in the display font.
TEST(ShowMessage, RedressesTheBoxOfEachStyleForItsOwner) {
    const HICON programIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    UniqueWindow owner(CreateWindowExA(0, "STATIC", "w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                       200, 100, nullptr, nullptr, nullptr, nullptr));
    UniqueWindow active(CreateWindowExA(0, "STATIC", "w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                        200, 100, nullptr, nullptr, nullptr, nullptr));
    struct Case {
        int style;
        HICON icon;
        int press;
        std::vector<std::pair<std::string, bool>> buttons;  // caption, in the display font
        int result;
        bool programIconShown;
        const char* title;
    };
    const Case cases[] = {
        {MB_YESNO | MB_ICONQUESTION,
         nullptr,
         IDNO,
         {{"&C\xE2", true}, {"&Kh\xA4ng", true}},
         7,
         false,
         ""},
        {MB_OKCANCEL | MB_ICONINFORMATION,
         programIcon,
         IDOK,
         {{"\x98\xE2ng", true}, {"Cancel", false}},
         1,
         true,
         "WWWWWWWWWW"},
    };
    int titlePixels[2] = {};
    for (const Case& c : cases) {
        SetActiveWindow(active.Get());
        test::SeenMessageBox seen;
        bool ownerEnabled = true;
        test::MessageBoxAnswerer answerer([&](HWND box) {
            seen = test::SeeMessageBox(box);
            ownerEnabled = IsWindowEnabled(owner.Get());
            titlePixels[c.programIconShown] =
                test::CaptionPixelsOfColour(box, GetSysColor(COLOR_CAPTIONTEXT));
            return c.press;
        });
        EXPECT_EQ(ShowMessage(owner.Get(), "a\r\nbc", c.style, c.title, c.icon), c.result);
        EXPECT_EQ(seen.owner, owner.Get());
        EXPECT_FALSE(ownerEnabled);
        EXPECT_EQ(seen.systemTitle, "");
        EXPECT_EQ(seen.text.text, ReformatPrompt("a\r\nbc"));
        EXPECT_TRUE(InDisplayFont(seen.text)) << seen.text.fontFace;
        ASSERT_EQ(seen.buttons.size(), c.buttons.size());
        for (std::size_t i = 0; i < c.buttons.size(); ++i) {
            EXPECT_EQ(seen.buttons[i].text, c.buttons[i].first);
            EXPECT_EQ(InDisplayFont(seen.buttons[i]), c.buttons[i].second) << i;
        }
        EXPECT_NE(seen.icon, nullptr);
        EXPECT_EQ(seen.icon == programIcon, c.programIconShown);
    }
    EXPECT_GT(titlePixels[1], titlePixels[0] + 30);
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
    {
        test::MessageBoxAnswerer unexpected([](HWND) { return IDNO; });  // should it open
        EXPECT_EQ(ShowMessage(nullptr, "never shown", MB_YESNO, "t", nullptr), 0);
    }
    UnhookWindowsHookEx(gRefusingHook);
    int result = 0;
    const test::SeenMessageBox plain = test::ShowAndAnswer(
        [] { return MessageBoxA(nullptr, "plain", "System", MB_OK); }, IDOK, &result);
    ASSERT_EQ(plain.buttons.size(), 1u);
    EXPECT_EQ(plain.buttons[0].text, "OK");
}

}  // namespace
}  // namespace quorvel
