#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "support/canvas.h"
#include "ui/caption_text_win32.h"

namespace quorvel {
namespace {

constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr COLORREF kCallersTextColour = RGB(1, 2, 3);

// A title wider than its rectangle is cut at the right edge, in the colour of
// the index over a transparent background, bold thicker; the caller's DC
// state comes back.
TEST(DrawCaptionText, DrawsInTheColourWithinTheRectangleAndRestoresTheDc) {
    const COLORREF colour = GetSysColor(COLOR_HIGHLIGHT);
    int pixels[2] = {};
    for (bool bold : {false, true}) {
        test::Canvas canvas(300, 30, kBackground);
        SetBkMode(canvas.Dc(), OPAQUE);
        SetBkColor(canvas.Dc(), RGB(200, 0, 0));
        SetTextColor(canvas.Dc(), kCallersTextColour);
        HGDIOBJ callersFont = SelectObject(canvas.Dc(), GetStockObject(ANSI_VAR_FONT));
        DrawCaptionText(canvas.Dc(), RECT{5, 2, 105, 22}, std::string(40, 'H'), bold,
                        COLOR_HIGHLIGHT);
        pixels[bold] = canvas.CountOf(colour);
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 105; x < canvas.Width(); ++x) {
                ASSERT_EQ(canvas.Pixel(x, y), kBackground) << x << "," << y;
            }
        }
        EXPECT_EQ(canvas.CountOf(RGB(200, 0, 0)) + canvas.CountOf(kCallersTextColour), 0);
        EXPECT_EQ(GetTextColor(canvas.Dc()), kCallersTextColour);
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), GetStockObject(ANSI_VAR_FONT));
        EXPECT_EQ(GetBkMode(canvas.Dc()), TRANSPARENT);  // what callers expect
        SelectObject(canvas.Dc(), callersFont);
    }
    EXPECT_GT(pixels[false], 30);
    EXPECT_GT(pixels[true], pixels[false]);
}

}  // namespace
}  // namespace quorvel
