#include <windows.h>
#include <gtest/gtest.h>

#include "support/canvas.h"
#include "ui/transparent_blit_win32.h"

namespace quorvel {
namespace {

constexpr COLORREF kBackground = RGB(0, 160, 0);

// A memory bitmap cannot draw transparently itself: the masks are used, and
// the destination keeps its pixels exactly where the image is black.
TEST(TransparentBlit, KeepsTheBackgroundWhereTheImageIsBlack) {
    // '#' a letter colour, 'n' one step from black, '.' black.
    const char* const image[] = {"..#..", ".....", ".##..", "..#.n"};
    const auto colourOf = [](char c) {
        return c == '#' ? RGB(128, 0, 0) : c == 'n' ? RGB(1, 0, 0) : RGB(0, 0, 0);
    };
    test::Canvas source(5, 4, RGB(0, 0, 0));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) SetPixel(source.Dc(), x, y, colourOf(image[y][x]));
    }
    SetBkColor(source.Dc(), RGB(1, 2, 3));
    test::Canvas destination(12, 10, kBackground);
    TransparentBlit(destination.Dc(), 3, 4, 5, 4, source.Dc(), 0, 0, RGB(0, 0, 0));
    for (int y = 0; y < destination.Height(); ++y) {
        for (int x = 0; x < destination.Width(); ++x) {
            const bool inImage = x >= 3 && x < 8 && y >= 4 && y < 8 && image[y - 4][x - 3] != '.';
            ASSERT_EQ(destination.Pixel(x, y),
                      inImage ? colourOf(image[y - 4][x - 3]) : kBackground)
                << x << "," << y;
        }
    }
    EXPECT_EQ(GetBkColor(source.Dc()), RGB(1, 2, 3)) << "the source's background colour";
}

}  // namespace
}  // namespace quorvel
