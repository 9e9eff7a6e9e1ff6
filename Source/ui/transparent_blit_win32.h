// Copies an image onto a device context, leaving the destination as it was
// wherever the image has its transparent colour.
#pragma once

#include <windows.h>

namespace quorvel {

// Copies width x height pixels from (sourceX, sourceY) of source to (x, y) of
// destination, except the pixels of the transparent colour. A destination
// with the C1_TRANSPARENT capability does it with its background mode;
// every other one through masks.
void TransparentBlit(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                     int sourceY, COLORREF transparent);

// The two ways, for destinations that report the capability and for those
// that do not. The first restores the destination's background mode and
// colour; the second leaves the source's background colour as it found it
// and creates and deletes its own contexts and bitmaps.
void BlitWithTransparentBackground(HDC destination, int x, int y, int width, int height, HDC source,
                                   int sourceX, int sourceY, COLORREF transparent);
void BlitThroughMasks(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                      int sourceY, COLORREF transparent);

}  // namespace quorvel
