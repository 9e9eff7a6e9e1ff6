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

// Draws one line of text into rect of dc in the display font, weight 500 or
// 700 when bold, in the system colour colourIndex (COLOR_CAPTIONTEXT, ...):
// transparent background (left so afterwards), vertically centred,
// left-aligned, tabs expanded, clipped to rect. The text colour and font of
// dc are restored afterwards.
void DrawCaptionText(HDC dc, const RECT& rect, const std::string& text, bool bold, int colourIndex);

}  // namespace quorvel
