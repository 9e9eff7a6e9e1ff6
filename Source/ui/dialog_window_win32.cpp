// The dressing of re-dressed dialogs: its subclass procedure and the title
// strip it draws.
#include "ui/dialog_window_win32.h"

#include <string>
#include <utility>

#include "shared/window_text_win32.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

// The width of the title strip in the caption bar, in pixels.
constexpr int kTitleWidth = 200;

// The title strip: its top-left corner inside the frame of the dialog's
// kind, one caption bar high less a pixel.
RECT TitleStrip(TitleFrame frame) {
    const bool sizing = frame == TitleFrame::kSizing;
    RECT rect;
    rect.left = sizing ? GetSystemMetrics(SM_CXFRAME) : GetSystemMetrics(SM_CXDLGFRAME) + 2;
    rect.top = GetSystemMetrics(sizing ? SM_CYFRAME : SM_CYDLGFRAME);
    rect.right = rect.left + kTitleWidth;
    rect.bottom = rect.top + GetSystemMetrics(SM_CYCAPTION) - 1;
    return rect;
}

void DrawTitleStrip(HWND window, const DialogDress& dress, bool active) {
    UniqueWindowDc dc(window);
    if (!dc) return;
    DrawCaptionText(dc.Get(), TitleStrip(dress.frame), dress.title, true,
                    active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
}

}  // namespace

DressedDialog::DressedDialog(HWND dialog, DialogDress dress)
    : dress_(std::move(dress)), caption_(dialog) {}

DressedDialog* DressedDialog::Dress(HWND dialog, DialogDress dress) {
    if (DressedDialog* dressed = Of(dialog)) return dressed;
    auto* dressed = new DressedDialog(dialog, std::move(dress));
    if (!dressed->subclass_.Install(dialog)) {
        delete dressed;
        return nullptr;
    }
    KeepOwnCaptionDrawing(dialog);
    return dressed;
}

HFONT DressedDialog::Font() {
    if (!font_) font_ = CreateDisplayFont(kDisplayFontWeight);
    return font_.Get();
}

void DressedDialog::WhenShown(HWND dialog, void (*step)(HWND dialog)) {
    if (IsWindowVisible(dialog)) {
        step(dialog);
    } else {
        whenShown_ = step;
    }
}

LRESULT DressedDialog::DialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ++running_;
    const LRESULT result = CallPreviousProcedure(window, message, wParam, lParam);
    if (!destroyed_) AfterPrevious(window, message, wParam);
    if (--running_ == 0 && destroyed_) delete this;
    return result;
}

void DressedDialog::AfterPrevious(HWND window, UINT message, WPARAM wParam) {
    switch (message) {
        case WM_NCPAINT:
        case WM_NCACTIVATE:
            DrawTitleStrip(window, dress_, caption_.After(message, wParam));
            break;
        case WM_CTLCOLORBTN:
            if (!dress_.relabelsSaveButton) break;
            if (HWND save =
                    FindChildWithCaption(window, "Button", kSaveButtonRelabel.systemCaption)) {
                RelabelControl(save, kSaveButtonRelabel.replacement, Font());
            }
            break;
        case WM_SHOWWINDOW:
            // Sent before the dialog becomes visible.
            if (wParam && whenShown_) std::exchange(whenShown_, nullptr)(window);
            break;
        case WM_NCDESTROY:
            // The controls are gone: their font can go with the dressing.
            destroyed_ = true;
            break;
        default:
            break;
    }
}

HFONT DialogFont(HWND dialog) {
    DressedDialog* dressed = DressedDialog::Of(dialog);
    return dressed ? dressed->Font() : nullptr;
}

HWND FindChildWithCaption(HWND parent, const char* className, const char* caption) {
    // FindWindowExA compares captions without regard to case; they must match
    // exactly here, so each child of the class is compared by its bytes.
    for (HWND child = FindWindowExA(parent, nullptr, className, nullptr); child;
         child = FindWindowExA(parent, child, className, nullptr)) {
        if (WindowText(child) == caption) return child;
    }
    return nullptr;
}

void RelabelControl(HWND control, const char* caption, HFONT font) {
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace quorvel
