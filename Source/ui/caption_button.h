// The "i" push button drawn into the main window's caption bar: where it sits,
// how a point is tested against it, where its image goes, and what a press,
// a move and a release of the left mouse button do to it.
#pragma once

#include <array>
#include <cstdint>

namespace quorvel {

// A rectangle as the platform has it: left and top inside, right and bottom
// just outside.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const PixelRect& a, const PixelRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

// The system metrics the button's place depends on.
struct CaptionMetrics {
    int sizeWidth = 0;      // SM_CXSIZE, a caption button's width
    int sizeHeight = 0;     // SM_CYSIZE, a caption button's height
    int edgeWidth = 0;      // SM_CXEDGE
    int edgeHeight = 0;     // SM_CYEDGE
    int captionHeight = 0;  // SM_CYCAPTION
};

// The button's rectangle in window coordinates (origin at the top-left corner
// of the whole window), just left of the minimise button. It depends on the
// window's present size, so it is computed afresh for every use.
PixelRect CaptionButtonRect(int windowWidth, int windowHeight, int clientHeight,
                            const CaptionMetrics& metrics);

// True when (x, y) lies in rect: left and top inclusive, right and bottom
// exclusive, as the platform's PtInRect tests.
bool IsInside(const PixelRect& rect, int x, int y);

// The low and high 16 bits of a message parameter, as signed numbers: a
// point's halves are negative left of or above their origin.
int LoWord(std::uint32_t value);
int HiWord(std::uint32_t value);

// Drawing states of the button (the platform's DFCS_PUSHED for pushed).
enum CaptionButtonState : unsigned { kButtonNormal = 0, kButtonPushed = 0x200 };

struct PixelOffset {
    int dx = 0;
    int dy = 0;
};

// Where the image goes inside the button: centred (halves truncated toward
// zero), and one pixel right of and below that while pushed.
PixelOffset CaptionImageOffset(const PixelRect& button, int imageWidth, int imageHeight,
                               CaptionButtonState state);

// The picture of the button: a small "i", one row of text a pixel row, '#'
// for the letter's colour and '.' for the transparent black around it.
inline constexpr int kCaptionImageWidth = 5;
inline constexpr int kCaptionImageHeight = 9;
inline constexpr std::array<const char*, kCaptionImageHeight> kCaptionImageRows = {{
    "..#..",
    ".....",
    ".##..",
    "..#..",
    "..#..",
    "..#..",
    "..#..",
    "..#..",
    ".###.",
}};

// What the main window does with the left mouse button and the caption
// button. Held from a press inside the button until the release, wherever
// the mouse goes in between (the window has the mouse captured).
class CaptionButtonTracker {
public:
    bool IsHeld() const { return held_; }

    // A left press on the caption: true when it was inside the button, which
    // is then held (and drawn pushed); the press is the button's alone.
    bool Press(bool inside);

    // The state to draw the held button in for a mouse at that place.
    CaptionButtonState Move(bool inside) const { return inside ? kButtonPushed : kButtonNormal; }

    // The release of a held button: it is no longer held, and true means it
    // was let go inside, which opens About.
    bool Release(bool inside);

    // The mouse capture went elsewhere while the button was held: no release
    // will come, so the button is let go without its command.
    void Abandon() { held_ = false; }

private:
    bool held_ = false;
};

}  // namespace quorvel
