#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "main/caption_button_win32.h"
#include "support/message_box_probe.h"
#include "support/win32_test_support.h"
#include "ui/about_text.h"
#include "ui/message_prompt.h"

namespace quorvel {

// The system menu ends with a separator and About; the caption button's
// letter is drawn whole in dark red over the button (black is transparent);
// the press captures, a release on the button's top-left pixel opens About
// (owned, with the window's icon) and lets the mouse go.
TEST(CaptionButton, OpensAboutFromTheMenuAndItsDrawnButton) {
    SetCursorPos(0, 0);  // away from the caption bar
    HWND window = test::OpenShownMainWindow()->Handle();
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const auto showsAbout = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        test::SeenMessageBox box;
        std::string title;
        test::MessageBoxAnswerer answerer([&](HWND shown) {
            return box = test::SeeMessageBox(shown), title = test::DrawnTitle(shown), IDOK;
        });
        SendMessageA(window, message, wParam, lParam);
        // The CompanyName of the program's version record is its contact line.
        EXPECT_EQ(box.text.text,
                  ReformatPrompt(AboutText({1, 2, 0}, "Contact: quorvel@example.org")));
        EXPECT_EQ(title, kAboutTitle);
        EXPECT_EQ(box.owner, window);
        EXPECT_EQ(box.icon, reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON)));
    };
    HMENU menu = GetSystemMenu(window, FALSE);
    const int last = GetMenuItemCount(menu) - 1;
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(last), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About Quorvel...");
    EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(last - 1), MF_BYPOSITION) & MF_SEPARATOR);
    showsAbout(WM_SYSCOMMAND, GetMenuItemID(menu, last), 0);

    const CaptionButtonPlace place = GetCaptionButtonRect(window);
    const PixelRect& b = place.button;
    const RECT inside = {b.left + 2, b.top + 2, b.right - 2, b.bottom - 2};  // within the frame
    std::ptrdiff_t imagePixels = 0;
    for (std::string_view row : kCaptionImageRows)
        imagePixels += std::count(row.begin(), row.end(), '#');
    EXPECT_EQ(test::PixelsOfColour(window, inside, RGB(128, 0, 0)), imagePixels);
    EXPECT_EQ(test::PixelsOfColour(window, inside, RGB(0, 0, 0)), 0);
    const LPARAM centre = MAKELPARAM(place.window.left + (b.left + b.right) / 2,
                                     place.window.top + (b.top + b.bottom) / 2);
    SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, centre);
    EXPECT_EQ(GetCapture(), window);
    POINT corner = {place.window.left + b.left, place.window.top + b.top};
    ScreenToClient(window, &corner);
    showsAbout(WM_LBUTTONUP, 0, MAKELPARAM(corner.x, corner.y));
    EXPECT_NE(GetCapture(), window);
    DestroyWindow(window);
}

}  // namespace quorvel
