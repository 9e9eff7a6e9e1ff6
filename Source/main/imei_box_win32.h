// The IMEI box TX1: lets the three separators in despite its digits-only
// style, and selects its whole text whenever it receives the focus.
#pragma once

#include <windows.h>

#include "shared/handles_win32.h"

namespace quorvel {

// Subclasses the edit control, keeping its previous procedure in
// prevImeiBoxWndProc; the subclass removes itself when the control is destroyed.
void InstallImeiBoxBehaviour(WindowSubclass& prevImeiBoxWndProc, HWND imeiBox);

}  // namespace quorvel
