#include "support/canvas.h"

#include <algorithm>

namespace quorvel::test {
namespace {

// DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
DWORD ToDib(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
COLORREF FromDib(DWORD p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

}  // namespace

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height), fill_(fill) {
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

COLORREF Canvas::Pixel(int x, int y) const { return FromDib(bits_[y * width_ + x]); }

std::vector<COLORREF> Canvas::Pixels() const {
    std::vector<COLORREF> all;
    for (int i = 0; i < width_ * height_; ++i) all.push_back(FromDib(bits_[i]));
    return all;
}

int Canvas::CountOf(COLORREF colour) const {
    const std::vector<COLORREF> all = Pixels();
    return static_cast<int>(std::count(all.begin(), all.end(), colour));
}

RECT Canvas::Drawn() const {
    RECT bounds = {width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (Pixel(x, y) == fill_) continue;
            bounds.left = std::min<LONG>(bounds.left, x);
            bounds.top = std::min<LONG>(bounds.top, y);
            bounds.right = std::max<LONG>(bounds.right, x + 1);
            bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
        }
    }
    return bounds.right ? bounds : RECT{0, 0, 0, 0};
}

}  // namespace quorvel::test
