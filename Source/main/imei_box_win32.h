// The IMEI box TX1: lets the three separators in despite its digits-only
// style, and selects its whole text whenever it receives the focus.
#pragma once

#include <windows.h>

#include "shared/handles_win32.h"

namespace quorvel {

class ImeiBox {
public:
    ImeiBox() : subclass_(*this) {}

    // Subclasses the edit control with ImeiBoxWindowProc; the subclass
    // leaves with the control, or with this object.
    void Install(HWND imeiBox) { subclass_.Install(imeiBox); }

private:
    LRESULT ImeiBoxWindowProc(HWND imeiBox, UINT message, WPARAM wParam, LPARAM lParam);

    WindowSubclass<ImeiBox, &ImeiBox::ImeiBoxWindowProc> subclass_;  // PrevImeiBoxWndProc
};

}  // namespace quorvel
