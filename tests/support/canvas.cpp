#include "support/canvas.h"

#include <algorithm>

namespace quorvel::test {
namespace {

// DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
DWORD ToDib(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

}  // namespace

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<DWORD*>(bits);
    dc_.Reset(CreateCompatibleDC(nullptr));
    previous_ = SelectObject(dc_.Get(), bitmap_.Get());
    if (bits_) std::fill(bits_, bits_ + width * height, ToDib(fill));
}

Canvas::~Canvas() { SelectObject(dc_.Get(), previous_); }

COLORREF Canvas::Pixel(int x, int y) const {
    const DWORD p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Canvas::CountOf(COLORREF colour) const {
    return static_cast<int>(std::count_if(
        bits_, bits_ + width_ * height_, [&](DWORD p) { return (p & 0xFFFFFF) == ToDib(colour); }));
}

}  // namespace quorvel::test
