// Window procedure of the IMEI box TX1 (a subclass of the edit control).
#include "main/imei_box_win32.h"

#include "imei/imei.h"

namespace quorvel {
namespace {

void SelectAll(HWND imeiBox) { SendMessageA(imeiBox, EM_SETSEL, 0, -1); }

}  // namespace

LRESULT ImeiBox::ImeiBoxWindowProc(HWND imeiBox, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CHAR:
            // The separator goes in as if pasted, replacing the selection; the
            // key itself then reaches the control, which refuses it as a
            // non-digit, so the separator is inserted once.
            if (wParam < 0x100 && IsImeiSeparator(static_cast<char>(wParam))) {
                const char separator[2] = {static_cast<char>(wParam), '\0'};
                SendMessageA(imeiBox, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(separator));
            }
            break;
        case WM_SETFOCUS: {
            LRESULT result = CallPreviousProcedure(imeiBox, message, wParam, lParam);
            SelectAll(imeiBox);
            return result;
        }
        case WM_LBUTTONDOWN:
            // A click that brings the focus would otherwise place the caret and
            // drop the selection made on focus.
            if (GetFocus() != imeiBox) {
                LRESULT result = CallPreviousProcedure(imeiBox, message, wParam, lParam);
                SelectAll(imeiBox);
                return result;
            }
            break;
        default:
            break;
    }
    return CallPreviousProcedure(imeiBox, message, wParam, lParam);
}

}  // namespace quorvel
