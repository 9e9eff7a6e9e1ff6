// Transparent copies of the caption button's image.
#include "ui/transparent_blit_win32.h"

#include <utility>

#include "shared/handles_win32.h"

namespace quorvel {
namespace {

constexpr int kCaps1 = 94;                 // CAPS1, a printer-driver capability index
constexpr int kCapsTransparent = 1;        // C1_TRANSPARENT
constexpr int kTransparentBackground = 3;  // background mode of C1_TRANSPARENT devices

// A memory context compatible with a device and a bitmap selected into it
// for the life of the object.
class MemoryCanvas {
public:
    MemoryCanvas(HDC compatibleWith, UniqueBitmap bitmap)
        : dc_(CreateCompatibleDC(compatibleWith)),
          bitmap_(std::move(bitmap)),
          selection_(dc_.Get(), bitmap_.Get()) {}

    HDC Dc() const { return dc_.Get(); }

private:
    // Destroyed from the last member up: the bitmap is selected out, then
    // deleted, then its context.
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    ScopedSelection selection_;
};

UniqueBitmap MonochromeBitmap(int width, int height) {
    return UniqueBitmap(CreateBitmap(width, height, 1, 1, nullptr));
}

UniqueBitmap CompatibleBitmap(HDC dc, int width, int height) {
    return UniqueBitmap(CreateCompatibleBitmap(dc, width, height));
}

}  // namespace

void TransparentBlit(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                     int sourceY, COLORREF transparent) {
    if (GetDeviceCaps(destination, kCaps1) & kCapsTransparent) {
        BlitWithTransparentBackground(destination, x, y, width, height, source, sourceX, sourceY,
                                      transparent);
    } else {
        BlitThroughMasks(destination, x, y, width, height, source, sourceX, sourceY, transparent);
    }
}

void BlitWithTransparentBackground(HDC destination, int x, int y, int width, int height, HDC source,
                                   int sourceX, int sourceY, COLORREF transparent) {
    const int previousMode = SetBkMode(destination, kTransparentBackground);
    const COLORREF previousColour = SetBkColor(destination, transparent);
    BitBlt(destination, x, y, width, height, source, sourceX, sourceY, SRCCOPY);
    SetBkColor(destination, previousColour);
    SetBkMode(destination, previousMode);
}

void BlitThroughMasks(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                      int sourceY, COLORREF transparent) {
    MemoryCanvas colour(destination, CompatibleBitmap(destination, width, height));
    MemoryCanvas mask(destination, MonochromeBitmap(width, height));
    MemoryCanvas inverseMask(destination, MonochromeBitmap(width, height));
    MemoryCanvas result(destination, CompatibleBitmap(destination, width, height));

    // Copied to monochrome, pixels of the source's background colour become
    // 1 (white) and all others 0.
    const COLORREF previousColour = SetBkColor(source, transparent);
    BitBlt(mask.Dc(), 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);
    SetBkColor(source, previousColour);
    BitBlt(inverseMask.Dc(), 0, 0, width, height, mask.Dc(), 0, 0, NOTSRCCOPY);

    // The background where the image is transparent, black elsewhere ...
    BitBlt(result.Dc(), 0, 0, width, height, destination, x, y, SRCCOPY);
    BitBlt(result.Dc(), 0, 0, width, height, mask.Dc(), 0, 0, SRCAND);
    // ... and the image where it is opaque, black elsewhere; together, the
    // image over the background.
    BitBlt(colour.Dc(), 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);
    BitBlt(colour.Dc(), 0, 0, width, height, inverseMask.Dc(), 0, 0, SRCAND);
    BitBlt(result.Dc(), 0, 0, width, height, colour.Dc(), 0, 0, SRCINVERT);
    BitBlt(destination, x, y, width, height, result.Dc(), 0, 0, SRCCOPY);
}

}  // namespace quorvel
