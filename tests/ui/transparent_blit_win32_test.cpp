#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "support/canvas.h"
#include "ui/transparent_blit_win32.h"

namespace quorvel {
namespace {

using test::Canvas;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kLetter = RGB(128, 0, 0);
constexpr COLORREF kNearBlack = RGB(1, 0, 0);
constexpr COLORREF kBackground = RGB(0, 160, 0);
constexpr int kX = 3;
constexpr int kY = 4;

// '#' the letter, 'n' a colour one step from black, '.' black.
const char* const kImage[] = {
    "..#..",
    ".....",
    ".##..",
    "..#.n",
};
constexpr int kWidth = 5;
constexpr int kHeight = 4;

COLORREF ImageColour(char c) { return c == '#' ? kLetter : c == 'n' ? kNearBlack : kBlack; }

void PaintImage(Canvas& source) {
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) SetPixel(source.Dc(), x, y, ImageColour(kImage[y][x]));
    }
}

void ByMasks(HDC destination, HDC source) {
    BlitThroughMasks(destination, kX, kY, kWidth, kHeight, source, 0, 0, kBlack);
}

// Every pixel of the destination after the copy: the image where it is not
// black, the background everywhere else.
void ExpectImageOverBackground(const Canvas& destination, const std::string& name) {
    for (int y = 0; y < destination.Height(); ++y) {
        for (int x = 0; x < destination.Width(); ++x) {
            COLORREF expected = kBackground;
            const int ix = x - kX;
            const int iy = y - kY;
            if (ix >= 0 && ix < kWidth && iy >= 0 && iy < kHeight && kImage[iy][ix] != '.') {
                expected = ImageColour(kImage[iy][ix]);
            }
            ASSERT_EQ(destination.Pixel(x, y), expected) << name << " at " << x << "," << y;
        }
    }
}

TEST(TransparentBlit, MasksKeepTheBackgroundWhereTheImageIsBlack) {
    Canvas source(kWidth, kHeight, kBlack);
    PaintImage(source);
    SetBkColor(source.Dc(), RGB(1, 2, 3));
    Canvas destination(12, 10, kBackground);
    ByMasks(destination.Dc(), source.Dc());
    ExpectImageOverBackground(destination, "masks");
    EXPECT_EQ(GetBkColor(source.Dc()), RGB(1, 2, 3))
        << "the source's background colour is restored";
}

TEST(TransparentBlit, ADeviceWithoutTheCapabilityGetsTheMasks) {
    Canvas source(kWidth, kHeight, kBlack);
    PaintImage(source);
    Canvas destination(12, 10, kBackground);
    ASSERT_EQ(GetDeviceCaps(destination.Dc(), 94) & 1, 0)
        << "a memory bitmap has no C1_TRANSPARENT";
    TransparentBlit(destination.Dc(), kX, kY, kWidth, kHeight, source.Dc(), 0, 0, kBlack);
    ExpectImageOverBackground(destination, "chosen");
}

TEST(TransparentBlit, TheBackgroundModeWayRestoresModeAndColour) {
    Canvas source(kWidth, kHeight, kBlack);
    PaintImage(source);
    Canvas destination(12, 10, kBackground);
    SetBkMode(destination.Dc(), OPAQUE);
    SetBkColor(destination.Dc(), RGB(7, 8, 9));
    BlitWithTransparentBackground(destination.Dc(), kX, kY, kWidth, kHeight, source.Dc(), 0, 0,
                                  kBlack);
    EXPECT_EQ(GetBkMode(destination.Dc()), OPAQUE);
    EXPECT_EQ(GetBkColor(destination.Dc()), RGB(7, 8, 9));
    // The letter arrives whatever the device does with the transparent colour.
    EXPECT_EQ(destination.Pixel(kX + 2, kY), kLetter);
    EXPECT_EQ(destination.Pixel(kX + 4, kY + 3), kNearBlack);
    EXPECT_EQ(destination.Pixel(0, 0), kBackground);
}

}  // namespace
}  // namespace quorvel
