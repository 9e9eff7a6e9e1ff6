// A 32-bit memory bitmap for tests that draw, or copy a window's pixels, and
// then read the result back pixel by pixel.
#pragma once

#include <windows.h>

#include "shared/handles_win32.h"

namespace quorvel::test {

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    COLORREF Pixel(int x, int y) const;
    int CountOf(COLORREF colour) const;

private:
    int width_;
    int height_;
    DWORD* bits_ = nullptr;
    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace quorvel::test
