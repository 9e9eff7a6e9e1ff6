// Fonts of the display face that the program creates itself, and the title
// that it draws into the caption bar of a re-dressed window.
#pragma once

#include <windows.h>

#include <string>

#include "shared/handles_win32.h"

namespace quorvel {

// Weights of the display fonts the program creates: relabelled controls and
// caption titles use the normal one, bold titles add kBoldExtraWeight.
inline constexpr int kDisplayFontWeight = 500;
inline constexpr int kBoldExtraWeight = 200;

// A font of the face "QuorvelFont", height 8, the given weight, every other
// parameter 0. When the face is not installed the system substitutes one.
UniqueFont CreateDisplayFont(int weight);

// Whether fonts of the display face are drawn in it: false when the face is
// not installed and the system puts another in its place.
bool IsDisplayFaceInstalled();

// Draws one line of text into rect of dc in the display font, weight 500 or
// 700 when bold, in the system colour colourIndex (COLOR_CAPTIONTEXT, ...):
// transparent background (left so afterwards), vertically centred,
// left-aligned, tabs expanded, clipped to rect. The text colour and font of
// dc are restored afterwards.
void DrawCaptionText(HDC dc, const RECT& rect, const std::string& text, bool bold, int colourIndex);

// Where the desktop composition draws the non-client area itself (Windows
// Vista and later), what the program draws into a caption bar is never shown:
// this turns that off for window (DwmSetWindowAttribute, loaded at run time).
// Where dwmapi.dll or the function is missing, as on older systems, nothing
// changes; Wine has no composition, so there it changes nothing either.
void KeepOwnCaptionDrawing(HWND window);

// Whether the system drew a window's caption bar active: as the last
// WM_NCACTIVATE told it, and before the first one, whether the window is in
// front. The thread's active window is no guide: with another program in
// front it is still the window, under an inactive bar.
class CaptionState {
public:
    explicit CaptionState(HWND window = nullptr)
        : active_(window && GetForegroundWindow() == window) {}
    // The state to draw the title in once message has been handled.
    bool After(UINT message, WPARAM wParam) {
        if (message == WM_NCACTIVATE) active_ = wParam != 0;
        return active_;
    }

private:
    bool active_;
};

}  // namespace quorvel
