// The IMEI box TX1: lets the three separators in despite its digits-only
// style, and selects its whole text whenever it receives the focus.
#pragma once

#include <windows.h>

namespace quorvel {

// Subclasses the edit control; the subclass removes itself when the control
// is destroyed.
void InstallImeiBoxBehaviour(HWND imeiBox);

}  // namespace quorvel
