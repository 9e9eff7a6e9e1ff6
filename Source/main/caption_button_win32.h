// The main window's caption button: the "i" push button drawn into its
// caption bar, with the picture control PXi that holds the button's image,
// and the About item of its system menu. The main window owns one and hands
// it the messages it acts on; both open the About message.
#pragma once

#include <windows.h>

#include "shared/handles_win32.h"
#include "ui/caption_button.h"

namespace quorvel {

inline constexpr UINT kAboutCommandId = 1010;
inline constexpr const char* kAboutMenuText = "&About Quorvel...";

// Appends a separator and "&About Quorvel..." (kAboutCommandId) to the
// window's system menu.
void AddAboutToSystemMenu(HWND window);

// Where the button is, computed from the window's present size.
struct CaptionButtonPlace {
    RECT window;       // the window rectangle, in screen coordinates
    PixelRect button;  // the button, in window coordinates
};
CaptionButtonPlace GetCaptionButtonRect(HWND window);

// The mouse position of a non-client message, already in screen coordinates.
POINT ScreenPoint(LPARAM point);

// A client-area point packed in a message parameter (x low, y high, both
// signed) in screen coordinates.
POINT PointToScreen(HWND window, LPARAM point);

// The button of one window (CaptionButtonDown is its tracker's state). It is
// drawn and reacts from Install to Remove; points are in screen coordinates.
class CaptionButton {
public:
    // Gives the picture control its image of the "i" and has the window's
    // caption bar drawn by the program.
    void Install(HWND window, HWND picture);
    // Drops the image; for the window's destruction, while the picture
    // control still exists.
    void Remove();

    // Draws the button's frame in the state and the picture control's image
    // over it, black being transparent.
    void Draw(CaptionButtonState state) const;
    bool Contains(POINT point) const;
    // A left press on the caption: true when it was on the button, which then
    // captures the mouse and is drawn pushed; the press is the button's alone.
    bool Press(POINT point);
    // The mouse moved while the button may be held: drawn pushed over it.
    void Move(POINT point) const;
    // The left button went up: true when the held button was let go over
    // itself, which opens About.
    bool Release(POINT point);
    // Another window took the mouse (a message box, a window switch) while
    // the button was held: no release will come, so it is let go.
    void CaptureChanged(HWND capturing);

private:
    HWND window_ = nullptr;
    HWND picture_ = nullptr;        // PXi
    UniqueBitmap image_;            // the image PXi shows
    CaptionButtonTracker tracker_;  // CaptionButtonDown
};

}  // namespace quorvel
