// The options dialog's window procedure and its title drawing.
#include "options/options_title_win32.h"

#include "options/options_captions.h"
#include "shared/handles_win32.h"
#include "ui/caption_text_win32.h"

namespace quorvel {
namespace {

// The width of the title rectangle in the caption bar, in pixels.
constexpr int kTitleWidth = 200;

WindowSubclass gPrevOptionsWndProc;  // PrevOptionsWndProc
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
    if (!gPrevOptionsWndProc.Install(dialog, OptionsWindowProc)) return false;
    gOptionsCaption = CaptionState(dialog);
    KeepOwnCaptionDrawing(dialog);
    return true;
}

void RestoreOptionsWindowProc(HWND /*dialog*/) { gPrevOptionsWndProc.Restore(); }

LRESULT CALLBACK OptionsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The procedure can only be reached while installed; the guard keeps a
    // stray call after the restore from jumping through null.
    if (!gPrevOptionsWndProc.Installed()) return DefWindowProcA(window, message, wParam, lParam);
    const LRESULT result =
        WindowSubclass::CallPrevious(OptionsWindowProc, window, message, wParam, lParam);
    if (message == WM_NCPAINT || message == WM_NCACTIVATE) {
        DrawOptionsTitle(window, gOptionsCaption.After(message, wParam));
    }
    return result;
}

}  // namespace quorvel
