#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

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

class CaptionButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::DeleteProgramFile(kSettingsFileName);
        SetCursorPos(0, 0);  // away from the caption bar
        MainWindow* main = test::OpenShownMainWindow();
        ASSERT_NE(main, nullptr);
        window_ = main->Handle();
        RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    }
    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
    }

    // Runs act and returns whether it showed the program's About box.
    template <typename Act>
    bool ShowsAbout(Act act) {
        test::SeenMessageBox box;
        test::MessageBoxAnswerer answerer([&](HWND shown) {
            box = test::SeeMessageBox(shown);
            return IDOK;
        });
        act();
        // The CompanyName of the program's version record is its contact line.
        EXPECT_EQ(box.text.text,
                  ReformatPrompt(AboutText({1, 2, 0}, "Contact: quorvel@example.org")));
        EXPECT_EQ(DialogTitle(), kAboutTitle);
        EXPECT_EQ(box.owner, window_);
        EXPECT_EQ(box.icon, reinterpret_cast<HICON>(GetClassLongPtrA(window_, GCLP_HICON)));
        return answerer.Answered();
    }

    HWND window_ = nullptr;
};

TEST_F(CaptionButtonTest, TheSystemMenuEndsWithASeparatorAndAbout) {
    HMENU menu = GetSystemMenu(window_, FALSE);
    const int last = GetMenuItemCount(menu) - 1;
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(last), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About Quorvel...");
    EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(last - 1), MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(
        ShowsAbout([&] { SendMessageA(window_, WM_SYSCOMMAND, GetMenuItemID(menu, last), 0); }));
}

// The letter is drawn whole in dark red (black is transparent), one pixel
// righter while pushed; the press captures, a release on the button's
// top-left pixel opens About and lets the mouse go.
TEST_F(CaptionButtonTest, APressPushesTheLetterAndAReleaseOnTheButtonOpensAbout) {
    const CaptionButtonPlace place = GetCaptionButtonRect(window_);
    const PixelRect& b = place.button;
    const auto letter = [&] {
        test::Canvas canvas(b.Width(), b.Height(), RGB(1, 2, 3));
        UniqueWindowDc dc(window_);
        BitBlt(canvas.Dc(), 0, 0, b.Width(), b.Height(), dc.Get(), b.left, b.top, SRCCOPY);
        int left = b.Width();
        for (int y = 0; y < b.Height(); ++y) {
            for (int x = 0; x < b.Width(); ++x) {
                if (canvas.Pixel(x, y) == RGB(128, 0, 0)) left = std::min(left, x);
            }
        }
        return std::make_pair(canvas.CountOf(RGB(128, 0, 0)), left);
    };
    int imagePixels = 0;
    for (const char* row : kCaptionImageRows)
        imagePixels += std::count(row, row + strlen(row), '#');
    const auto normal = letter();
    EXPECT_EQ(normal.first, imagePixels);
    const POINT centre = {place.window.left + (b.left + b.right) / 2,
                          place.window.top + (b.top + b.bottom) / 2};
    SendMessageA(window_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(GetCapture(), window_);
    EXPECT_EQ(letter(), std::make_pair(imagePixels, normal.second + 1));
    POINT corner = {place.window.left + b.left, place.window.top + b.top};
    ScreenToClient(window_, &corner);
    EXPECT_TRUE(ShowsAbout(
        [&] { SendMessageA(window_, WM_LBUTTONUP, 0, MAKELPARAM(corner.x, corner.y)); }));
    EXPECT_NE(GetCapture(), window_);
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
    gWatched = window_;
    UniqueHook hook(
        SetWindowsHookExA(WH_CALLWNDPROC, NoteProcedureAtNcDestroy, nullptr, GetCurrentThreadId()));
    DestroyWindow(window_);
    EXPECT_EQ(gProcedureAtNcDestroy, classProcedure);
}

}  // namespace
}  // namespace quorvel
