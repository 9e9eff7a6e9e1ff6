// A 32-bit memory bitmap for tests that draw, or copy a window's pixels, and
// then read the result back pixel by pixel.
#pragma once

#include <windows.h>

#include <algorithm>

#include "shared/handles_win32.h"

namespace quorvel::test {

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
        std::fill(bits_, bits_ + width * height, Dib(fill));
    }

    HDC Dc() const { return dc_.Get(); }
    COLORREF Pixel(int x, int y) const {
        const DWORD p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int CountOf(COLORREF colour) const {
        return static_cast<int>(std::count_if(bits_, bits_ + width_ * height_, [&](DWORD p) {
            return (p & 0xFFFFFF) == Dib(colour);
        }));
    }

private:
    // DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
    static DWORD Dib(COLORREF c) {
        return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    HBITMAP NewBitmap() {
        BITMAPINFO info = {
            {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                                nullptr, 0);
    }

    int width_;
    int height_;
    DWORD* bits_ = nullptr;
    UniqueBitmap bitmap_{NewBitmap()};
    UniqueMemoryDc dc_{CreateCompatibleDC(nullptr)};
    ScopedSelection selection_{dc_.Get(), bitmap_.Get()};
};

}  // namespace quorvel::test
