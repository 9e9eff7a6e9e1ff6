#include "ui/caption_button.h"

namespace quorvel {

PixelRect CaptionButtonRect(int windowWidth, int windowHeight, int clientHeight,
                            const CaptionMetrics& metrics) {
    const int buttonWidth = metrics.sizeWidth - 2;
    const int buttonHeight = metrics.sizeHeight - 4;
    PixelRect rect;
    // Four button widths and a gap from the right edge: past the close,
    // maximise and minimise buttons.
    rect.left = (windowWidth - 2 * metrics.edgeWidth) - 4 * buttonWidth - 5;
    // C++ division truncates toward zero, as the placement wants.
    rect.top = (windowHeight - clientHeight - 2 * metrics.edgeHeight - metrics.captionHeight) / 2 +
               metrics.edgeHeight + 2;
    rect.right = rect.left + buttonWidth;
    rect.bottom = rect.top + buttonHeight;
    return rect;
}

bool IsInside(const PixelRect& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

int LoWord(std::uint32_t value) { return static_cast<std::int16_t>(value & 0xFFFFu); }

int HiWord(std::uint32_t value) { return static_cast<std::int16_t>(value >> 16); }

PixelOffset CaptionImageOffset(const PixelRect& button, int imageWidth, int imageHeight,
                               CaptionButtonState state) {
    const int shift = state == kButtonPushed ? 1 : 0;
    return {(button.Width() - imageWidth) / 2 + shift, (button.Height() - imageHeight) / 2 + shift};
}

bool CaptionButtonTracker::Press(bool inside) {
    if (inside) held_ = true;
    return inside;
}

bool CaptionButtonTracker::Release(bool inside) {
    if (!held_) return false;
    held_ = false;
    return inside;
}

}  // namespace quorvel
