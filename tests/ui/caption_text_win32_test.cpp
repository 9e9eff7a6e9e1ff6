#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shared/handles_win32.h"
#include "support/canvas.h"
#include "support/win32_test_support.h"
#include "ui/caption_text_win32.h"

namespace quorvel {
namespace {

constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr COLORREF kOpaqueBackground = RGB(200, 0, 0);
constexpr COLORREF kCallersTextColour = RGB(1, 2, 3);
const std::string kTitle = "Th\xA4ng b\xC0o";

// A canvas of the background colour with a caller's DC state that the
// drawing must not depend on.
class CallersCanvas : public test::Canvas {
public:
    CallersCanvas(int width, int height) : test::Canvas(width, height, kBackground) {
        SetBkMode(Dc(), OPAQUE);
        SetBkColor(Dc(), kOpaqueBackground);
        SetTextColor(Dc(), kCallersTextColour);
    }
};

bool IsMixOf(COLORREF pixel, COLORREF a, COLORREF b) {
    auto between = [](int v, int x, int y) { return v >= std::min(x, y) && v <= std::max(x, y); };
    return between(GetRValue(pixel), GetRValue(a), GetRValue(b)) &&
           between(GetGValue(pixel), GetGValue(a), GetGValue(b)) &&
           between(GetBValue(pixel), GetBValue(a), GetBValue(b));
}

RECT DrawnBy(const std::string& text, const RECT& rect, int canvasHeight = 40) {
    CallersCanvas canvas(300, canvasHeight);
    DrawCaptionText(canvas.Dc(), rect, text, true, COLOR_CAPTIONTEXT);
    return canvas.Drawn();
}

TEST(DrawCaptionText, DrawsInTheSystemColourOverTheBackgroundAndRestoresTheDc) {
    for (int colourIndex : {COLOR_CAPTIONTEXT, COLOR_INACTIVECAPTIONTEXT, COLOR_HIGHLIGHT}) {
        CallersCanvas canvas(300, 30);
        HGDIOBJ callersFont = SelectObject(canvas.Dc(), GetStockObject(ANSI_VAR_FONT));
        DrawCaptionText(canvas.Dc(), RECT{5, 2, 205, 22}, kTitle, true, colourIndex);

        // Glyph edges may be smoothed: every pixel drawn is a mix of the
        // background and the system colour, never the caller's colours.
        const COLORREF colour = GetSysColor(colourIndex);
        int inTextColour = 0;
        for (COLORREF pixel : canvas.Pixels()) {
            EXPECT_TRUE(IsMixOf(pixel, kBackground, colour)) << colourIndex << " " << pixel;
            inTextColour += pixel == colour;
        }
        EXPECT_GT(inTextColour, 10) << colourIndex;
        EXPECT_EQ(GetTextColor(canvas.Dc()), kCallersTextColour);
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), GetStockObject(ANSI_VAR_FONT));
        // The background mode stays transparent: that is what callers expect.
        EXPECT_EQ(GetBkMode(canvas.Dc()), TRANSPARENT);
        SelectObject(canvas.Dc(), callersFont);
    }
}

// The same text drawn by hand with a display font of the given weight.
std::vector<COLORREF> ReferenceDrawing(const std::string& text, int weight) {
    CallersCanvas canvas(300, 30);
    UniqueFont font = CreateDisplayFont(weight);
    ScopedSelection selection(canvas.Dc(), font.Get());
    SetBkMode(canvas.Dc(), TRANSPARENT);
    SetTextColor(canvas.Dc(), GetSysColor(COLOR_CAPTIONTEXT));
    RECT rect = {5, 2, 205, 22};
    std::string buffer = text;
    DrawTextExA(canvas.Dc(), buffer.data(), static_cast<int>(buffer.size()), &rect,
                DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS, nullptr);
    return canvas.Pixels();
}

TEST(DrawCaptionText, BoldUsesWeight700AndOtherwise500) {
    const std::string text = "Bold or not: WMWMWM";
    // Without this the comparison below could not tell the weights apart.
    ASSERT_NE(ReferenceDrawing(text, 700), ReferenceDrawing(text, 500));
    for (bool bold : {true, false}) {
        CallersCanvas canvas(300, 30);
        DrawCaptionText(canvas.Dc(), RECT{5, 2, 205, 22}, text, bold, COLOR_CAPTIONTEXT);
        EXPECT_EQ(canvas.Pixels(), ReferenceDrawing(text, bold ? 700 : 500)) << bold;
    }
}

TEST(DrawCaptionText, OneLineVerticallyCentredAndClippedToTheRectangle) {
    // A taller rectangle moves the line down by half the difference.
    const RECT low = DrawnBy("Hg", RECT{10, 0, 290, 40}, 60);
    const RECT lower = DrawnBy("Hg", RECT{10, 0, 290, 60}, 60);
    EXPECT_EQ(lower.top - low.top, 10);
    EXPECT_GT(low.top, 5);
    EXPECT_EQ(low.left, lower.left);

    // Line breaks do not start a second line (which would begin a whole line
    // height lower); they may show as a glyph of their own.
    const RECT one = DrawnBy("AB", RECT{10, 0, 290, 40});
    const RECT broken = DrawnBy("AB\r\nAB", RECT{10, 0, 290, 40});
    EXPECT_LT(broken.bottom - broken.top, one.bottom - one.top + 3);

    // A title wider than its rectangle is cut at the right edge, not wrapped.
    const RECT clipped = DrawnBy(std::string(60, 'W'), RECT{10, 4, 60, 36});
    EXPECT_GE(clipped.left, 10);
    EXPECT_LE(clipped.right, 60);
    EXPECT_GE(clipped.right, 55);
    EXPECT_LE(clipped.bottom - clipped.top, one.bottom - one.top + 2);
}

TEST(DrawCaptionText, ExpandsTabs) {
    const RECT spaced = DrawnBy("A B", RECT{0, 0, 300, 40});
    const RECT tabbed = DrawnBy("A\tB", RECT{0, 0, 300, 40});
    // Tab stops are eight average characters apart.
    EXPECT_GT(tabbed.right - spaced.right, 15);
}

TEST(DrawCaptionText, LeavesNoGdiObjectBehind) {
    CallersCanvas canvas(300, 30);
    DrawCaptionText(canvas.Dc(), RECT{0, 0, 300, 30}, kTitle, true, COLOR_CAPTIONTEXT);
    const int before = test::GdiObjectCount();
    for (int i = 0; i < 300; ++i) {
        DrawCaptionText(canvas.Dc(), RECT{0, 0, 300, 30}, kTitle, i % 2 == 0, COLOR_CAPTIONTEXT);
    }
    EXPECT_LE(test::GdiObjectCount(), before + 2);
}

}  // namespace
}  // namespace quorvel
