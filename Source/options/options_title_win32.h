// OptionsWindowProc, the replacement window procedure of the options dialog:
// it draws OptionsTitle into the dialog's caption bar with the display font.
#pragma once

#include <windows.h>

namespace quorvel {

// Replaces the dialog window's procedure with OptionsWindowProc and keeps the
// previous one in PrevOptionsWndProc. False when the window cannot be
// subclassed. One options dialog is open at a time.
bool InstallOptionsWindowProc(HWND dialog);

// Puts PrevOptionsWndProc back as the dialog window's procedure.
void RestoreOptionsWindowProc(HWND dialog);

// Calls PrevOptionsWndProc first and returns its result for every message.
// After WM_NCPAINT and WM_NCACTIVATE it draws OptionsTitle, bold, into the
// left part of the caption bar, in the caption-text colour of the state the
// system drew the bar in (CaptionState).
LRESULT CALLBACK OptionsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quorvel
