// The subclass procedure of re-dressed dialogs and what each dialog keeps.
#include "ui/dialog_window_win32.h"

#include <map>
#include <string>

#include "shared/handles_win32.h"
#include "shared/window_text_win32.h"
#include "ui/caption_text_win32.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

// The width of the title rectangle in the caption bar, in pixels.
constexpr int kTitleWidth = 200;

struct DressedDialog {
    WindowSubclass prevDialogWndProc;
    std::string title;
    UniqueFont font;  // made on first use
    CaptionState caption;
};

std::string gDialogTitle;
// Usually one entry; two when a message box opens over the Save As dialog.
std::map<HWND, DressedDialog> gDressedDialogs;

DressedDialog* Find(HWND window) {
    auto found = gDressedDialogs.find(window);
    return found == gDressedDialogs.end() ? nullptr : &found->second;
}

void DrawTitle(HWND window, const std::string& title, bool active) {
    UniqueWindowDc dc(window);
    if (!dc) return;
    RECT rect;
    rect.left = GetSystemMetrics(SM_CXDLGFRAME) + 2;
    rect.top = GetSystemMetrics(SM_CYDLGFRAME);
    rect.right = rect.left + kTitleWidth;
    rect.bottom = rect.top + GetSystemMetrics(SM_CYCAPTION) - 1;
    DrawCaptionText(dc.Get(), rect, title, true,
                    active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
}

}  // namespace

void SetDialogTitle(const std::string& title) { gDialogTitle = title; }

const std::string& DialogTitle() { return gDialogTitle; }

bool DressDialog(HWND dialog) {
    if (Find(dialog)) return true;
    // The record comes first: the procedure may be called as soon as it is set.
    DressedDialog& dressed = gDressedDialogs[dialog];
    dressed.title = gDialogTitle;
    dressed.caption = CaptionState(dialog);
    if (dressed.prevDialogWndProc.Install(dialog, DialogWindowProc)) {
        KeepOwnCaptionDrawing(dialog);
        return true;
    }
    gDressedDialogs.erase(dialog);
    return false;
}

HFONT DialogFont(HWND dialog) {
    DressedDialog* dressed = Find(dialog);
    if (!dressed) return nullptr;
    if (!dressed->font) dressed->font = CreateDisplayFont(kDisplayFontWeight);
    return dressed->font.Get();
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

LRESULT CALLBACK DialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DressedDialog* dressed = Find(window);
    if (!dressed) return DefWindowProcA(window, message, wParam, lParam);
    const LRESULT result =
        WindowSubclass::CallPrevious(DialogWindowProc, window, message, wParam, lParam);
    // The previous procedure may have run a nested dialog: look the record up
    // again rather than trusting the one found before.
    dressed = Find(window);
    if (!dressed) return result;
    switch (message) {
        case WM_NCPAINT:
        case WM_NCACTIVATE:
            DrawTitle(window, dressed->title, dressed->caption.After(message, wParam));
            break;
        case WM_CTLCOLORBTN:
            if (HWND save =
                    FindChildWithCaption(window, "Button", kSaveButtonRelabel.systemCaption)) {
                RelabelControl(save, kSaveButtonRelabel.replacement, DialogFont(window));
            }
            break;
        case WM_NCDESTROY:
            // The controls are gone: their font can go with the record.
            gDressedDialogs.erase(window);
            break;
        default:
            break;
    }
    return result;
}

}  // namespace quorvel
