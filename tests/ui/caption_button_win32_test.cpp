#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "main/main_window_win32.h"
#include "settings/profile_settings_win32.h"
#include "support/canvas.h"
#include "support/message_box_probe.h"
#include "support/win32_test_support.h"
#include "ui/about_text.h"
#include "ui/caption_button_win32.h"
#include "ui/dialog_window_win32.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

constexpr COLORREF kLetter = RGB(128, 0, 0);

class CaptionButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::DeleteProgramFile(kSettingsFileName);
        SetCursorPos(0, 0);  // away from the caption bar
        MainWindow* main = test::OpenShownMainWindow();
        ASSERT_NE(main, nullptr);
        window_ = main->Handle();
        SetWindowPos(window_, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    }
    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
    }

    // A screen point of the button (its top-left pixel, or its centre).
    POINT ButtonPoint(bool centre) const {
        const CaptionButtonPlace place = GetCaptionButtonRect(window_);
        const PixelRect& b = place.button;
        return centre ? POINT{place.window.left + (b.left + b.right) / 2,
                              place.window.top + (b.top + b.bottom) / 2}
                      : POINT{place.window.left + b.left, place.window.top + b.top};
    }
    void Press() {
        const POINT p = ButtonPoint(true);
        SendMessageA(window_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
    }
    void ReleaseAt(POINT screen) {
        ScreenToClient(window_, &screen);
        SendMessageA(window_, WM_LBUTTONUP, 0, MAKELPARAM(screen.x, screen.y));
    }

    // Runs act and returns whether it showed the program's About box.
    template <typename Act>
    bool ShowsAbout(Act act) {
        test::SeenMessageBox box;
        SetDialogTitle("");
        test::MessageBoxAnswerer answerer([&](HWND shown) {
            box = test::SeeMessageBox(shown);
            return IDOK;
        });
        act();
        if (!answerer.Answered()) return false;
        // The CompanyName of the program's version record is its contact line.
        EXPECT_EQ(box.text.text,
                  ReformatPrompt(AboutText({1, 2, 0}, "Contact: quorvel@example.org")));
        EXPECT_EQ(DialogTitle(), kAboutTitle);
        EXPECT_EQ(box.owner, window_);
        EXPECT_EQ(box.icon, reinterpret_cast<HICON>(GetClassLongPtrA(window_, GCLP_HICON)));
        return true;
    }

    // The letter's pixels on screen and the left of the first of them.
    std::pair<int, int> Letter() const {
        const PixelRect button = GetCaptionButtonRect(window_).button;
        test::Canvas canvas(button.Width(), button.Height(), RGB(1, 2, 3));
        UniqueWindowDc dc(window_);
        BitBlt(canvas.Dc(), 0, 0, button.Width(), button.Height(), dc.Get(), button.left,
               button.top, SRCCOPY);
        int left = button.Width();
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); ++x) {
                if (canvas.Pixel(x, y) == kLetter) left = std::min(left, x);
            }
        }
        return {canvas.CountOf(kLetter), left};
    }

    HWND window_ = nullptr;
};

TEST_F(CaptionButtonTest, TheSystemMenuEndsWithASeparatorAndAbout) {
    HMENU menu = GetSystemMenu(window_, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 3) << "the system's own items stay";
    char text[64] = {};
    EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR,
              static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuItemID(menu, count - 1), kAboutCommandId);
    GetMenuStringA(menu, static_cast<UINT>(count - 1), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About Quorvel...");
    EXPECT_TRUE(ShowsAbout([&] { SendMessageA(window_, WM_SYSCOMMAND, kAboutCommandId, 0); }));
}

TEST_F(CaptionButtonTest, APressCapturesAndAReleaseOnTheButtonOpensAbout) {
    POINT client = {20, 20};
    ClientToScreen(window_, &client);
    for (bool onButton : {true, false}) {
        Press();
        EXPECT_EQ(GetCapture(), window_);
        EXPECT_EQ(ShowsAbout([&] { ReleaseAt(onButton ? ButtonPoint(false) : client); }), onButton);
        EXPECT_NE(GetCapture(), window_);
    }
}

TEST_F(CaptionButtonTest, TheLetterIsDrawnWholeAndOnePixelRighterWhilePushed) {
    int imagePixels = 0;
    for (const char* row : kCaptionImageRows) {
        for (const char* p = row; *p; ++p) imagePixels += *p == '#';
    }
    const auto [normalPixels, normalLeft] = Letter();
    EXPECT_EQ(normalPixels, imagePixels);
    Press();
    EXPECT_EQ(Letter(), std::make_pair(imagePixels, normalLeft + 1));
    ReleaseAt({0, 0});
}

// The watched window's procedure when WM_NCDESTROY, its last message, arrives.
HWND gWatched = nullptr;
LONG_PTR gProcedureAtNcDestroy = 0;

LRESULT CALLBACK NoteProcedureAtNcDestroy(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == gWatched && sent->message == WM_NCDESTROY) {
        gProcedureAtNcDestroy = GetWindowLongPtrA(sent->hwnd, GWLP_WNDPROC);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(CaptionButtonTest, ThePreviousProcedureIsBackWhenTheWindowCloses) {
    EXPECT_EQ(GetWindowLongPtrA(window_, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(MainWindowProc));
    const auto classProcedure = static_cast<LONG_PTR>(GetClassLongPtrA(window_, GCLP_WNDPROC));
    ASSERT_NE(classProcedure, reinterpret_cast<LONG_PTR>(MainWindowProc));
    gWatched = window_;
    UniqueHook hook(
        SetWindowsHookExA(WH_CALLWNDPROC, NoteProcedureAtNcDestroy, nullptr, GetCurrentThreadId()));
    DestroyWindow(window_);
    EXPECT_EQ(gProcedureAtNcDestroy, classProcedure);
}

}  // namespace
}  // namespace quorvel
