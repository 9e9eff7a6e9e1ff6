// MainWindowProc, the main window's subclass: the "i" push button drawn into
// its caption bar and the About item of its system menu, both of which open
// the About message.
#pragma once

#include <windows.h>

#include "ui/caption_button.h"

namespace quorvel {

inline constexpr UINT kAboutCommandId = 1010;
inline constexpr const char* kAboutMenuText = "&About Quorvel...";

// Appends a separator and "&About Quorvel..." (kAboutCommandId) to the
// window's system menu.
void AddAboutToSystemMenu(HWND window);

// Gives the picture control its image of the "i" and subclasses the window
// with MainWindowProc, keeping its previous procedure (PrevMainWndProc). One
// main window at a time.
void InstallMainWindowProc(HWND window, HWND picture);

// Puts the previous procedure back and drops the image; for the window's
// destruction, while the picture control still exists.
void RestoreMainWindowProc(HWND window);

// Every message that it does not consume goes to the previous procedure.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Where the button is, computed from the window's present size.
struct CaptionButtonPlace {
    RECT window;       // the window rectangle, in screen coordinates
    PixelRect button;  // the button, in window coordinates
};
CaptionButtonPlace GetCaptionButtonRect(HWND window);

// Draws the button's frame in the state and the picture control's image
// over it, black being transparent.
void DrawCaptionButton(HWND window, CaptionButtonState state, const PixelRect& button);

// A client-area point packed in a message parameter (x low, y high, both
// signed) in screen coordinates.
POINT PointToScreen(HWND window, LPARAM point);

}  // namespace quorvel
