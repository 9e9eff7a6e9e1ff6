// The options dialog's window procedure and its title drawing.
#include "options/options_title_win32.h"

#include "options/options_captions.h"
#include "shared/handles_win32.h"
#include "ui/caption_text_win32.h"

namespace quorvel {
namespace {

// The width of the title rectangle in the caption bar, in pixels.
constexpr int kTitleWidth = 200;

WNDPROC gPrevOptionsWndProc = nullptr;  // PrevOptionsWndProc
CaptionState gOptionsCaption;

// The title sits inside the sizing-frame metrics, without indent.
void DrawOptionsTitle(HWND window, bool active) {
    UniqueWindowDc dc(window);
    if (!dc) return;
    RECT rect;
    rect.left = GetSystemMetrics(SM_CXFRAME);
    rect.top = GetSystemMetrics(SM_CYFRAME);
    rect.right = rect.left + kTitleWidth;
    rect.bottom = rect.top + GetSystemMetrics(SM_CYCAPTION) - 1;
    DrawCaptionText(dc.Get(), rect, OptionsTitle(), true,
                    active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
}

}  // namespace

bool InstallOptionsWindowProc(HWND dialog) {
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OptionsWindowProc)));
    if (!previous) return false;
    gPrevOptionsWndProc = previous;
    gOptionsCaption = CaptionState(dialog);
    KeepOwnCaptionDrawing(dialog);
    return true;
}

void RestoreOptionsWindowProc(HWND dialog) {
    if (!gPrevOptionsWndProc) return;
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gPrevOptionsWndProc));
    gPrevOptionsWndProc = nullptr;
}

LRESULT CALLBACK OptionsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The procedure can only be reached while installed; the guard keeps a
    // stray call after the restore from jumping through null.
    if (!gPrevOptionsWndProc) return DefWindowProcA(window, message, wParam, lParam);
    const LRESULT result = CallWindowProcA(gPrevOptionsWndProc, window, message, wParam, lParam);
    if (message == WM_NCPAINT || message == WM_NCACTIVATE) {
        DrawOptionsTitle(window, gOptionsCaption.After(message, wParam));
    }
    return result;
}

}  // namespace quorvel
