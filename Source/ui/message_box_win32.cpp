// The translated message box: ShowMessage and its CBT hook.
#include "ui/message_box_win32.h"

#include <algorithm>
#include <string>
#include <utility>

#include "shared/handles_win32.h"
#include "shared/window_text_win32.h"
#include "ui/caption_text_win32.h"
#include "ui/dialog_window_win32.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

constexpr const char* kDialogClass = "#32770";

static_assert(kStyleCriticalOk == (MB_OK | MB_ICONHAND) &&
                  kStyleQuestionYesNo == (MB_YESNO | MB_ICONQUESTION) &&
                  kStyleExclamationOk == (MB_OK | MB_ICONEXCLAMATION) &&
                  kStyleInformationOk == (MB_OK | MB_ICONASTERISK),
              "the message box styles");
static_assert(kResultOk == IDOK && kResultYes == IDYES && kResultNo == IDNO,
              "the message box results");

// A box that ShowMessage is opening, as its hook dresses it.
struct OpeningBox {
    std::string title;
    HICON icon;  // null keeps the system's
    // Installed by ShowMessage; removed by the hook when the box activates,
    // or by ShowMessage when the box never did.
    UniqueHook hook;
};

// The box being opened, for MessageBoxHookProc: a hook procedure gets no
// context of its own from Windows.
OpeningBox* gOpeningBox = nullptr;

bool IsDialog(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return std::string(name) == kDialogClass;
}

LONG StaticType(HWND control) { return GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK; }

// The box's icon control when it shows an icon. Wine keeps an empty icon
// control in boxes whose style has no icon (Windows creates none), so an
// icon control counts only while it holds the system's icon.
HWND IconControl(HWND box) {
    for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child;
         child = FindWindowExA(box, child, "Static", nullptr)) {
        if (StaticType(child) == SS_ICON && SendMessageA(child, STM_GETICON, 0, 0)) return child;
    }
    return nullptr;
}

HWND TextControl(HWND box) {
    for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child;
         child = FindWindowExA(box, child, "Static", nullptr)) {
        if (StaticType(child) != SS_ICON) return child;
    }
    return nullptr;
}

// How a static text control draws its text: broken at CR LF and, where a
// line is wider than the control, between words.
constexpr UINT kStaticTextFlags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void MoveChild(HWND parent, HWND child, int dx, int dy) {
    const RECT rect = ChildRect(parent, child);
    SetWindowPos(child, nullptr, rect.left + dx, rect.top + dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The system laid the box out for its own font, before the display font was
// set: drawn in that wider font, a line would break before its last word. The
// text control takes the size its font needs, lines breaking only where the
// box would be wider than the screen; text and icon stay centred on each
// other, the buttons keep their distance below them and stay centred, and the
// box changes size about its centre.
void FitTextToItsFont(HWND box) {
    HWND text = TextControl(box);
    if (!text) return;
    const RECT textRect = ChildRect(box, text);
    const int width = textRect.right - textRect.left;
    const int height = textRect.bottom - textRect.top;
    RECT boxRect;
    GetWindowRect(box, &boxRect);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(box, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const int besideText = boxRect.right - boxRect.left - width;
    RECT needed = {0, 0, monitor.rcWork.right - monitor.rcWork.left - besideText, 0};
    if (needed.right < width) needed.right = width;
    {
        UniqueWindowDc dc(text);
        ScopedSelection font(dc.Get(),
                             reinterpret_cast<HGDIOBJ>(SendMessageA(text, WM_GETFONT, 0, 0)));
        std::string lines = WindowText(text);
        DrawTextA(dc.Get(), lines.data(), static_cast<int>(lines.size()), &needed,
                  kStaticTextFlags | DT_CALCRECT);
    }
    // Never narrower than the system made it: that width may be the buttons'.
    const int newWidth = std::max(width, static_cast<int>(needed.right));
    const int newHeight = needed.bottom;
    if (newWidth == width && newHeight == height) return;
    // Text and icon share a band as high as the higher of them.
    HWND icon = IconControl(box);
    const RECT iconRect = icon ? ChildRect(box, icon) : textRect;
    const int iconHeight = icon ? iconRect.bottom - iconRect.top : 0;
    const int bandTop = std::min(textRect.top, iconRect.top);
    const int dx = newWidth - width;
    const int dy = std::max(iconHeight, newHeight) - std::max(iconHeight, height);
    const int newBand = std::max(iconHeight, newHeight);
    SetWindowPos(text, nullptr, textRect.left, bandTop + (newBand - newHeight) / 2, newWidth,
                 newHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    if (icon) {
        SetWindowPos(icon, nullptr, iconRect.left, bandTop + (newBand - iconHeight) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (HWND button = FindWindowExA(box, nullptr, "Button", nullptr); button;
         button = FindWindowExA(box, button, "Button", nullptr)) {
        MoveChild(box, button, dx / 2, dy);
    }
    SetWindowPos(box, nullptr, boxRect.left - dx / 2, boxRect.top - dy / 2,
                 boxRect.right - boxRect.left + dx, boxRect.bottom - boxRect.top + dy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void RedressMessageBox(HWND box, DressedDialog& dressed, HICON newIcon) {
    if (HWND icon = IconControl(box); icon && newIcon) {
        SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(newIcon), 0);
    }
    // The Vietnamese captions are codes of the display font: without it (its
    // failure was reported at start-up) they would read as other letters, so
    // the box keeps the system's captions and font.
    if (!IsDisplayFaceInstalled()) return;
    const HFONT font = dressed.Font();
    if (HWND text = TextControl(box)) {
        SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        dressed.WhenShown(box, FitTextToItsFont);
    }
    for (const ButtonRelabel& relabel : kMessageBoxButtonRelabels) {
        if (HWND button = FindChildWithCaption(box, "Button", relabel.systemCaption)) {
            RelabelControl(button, relabel.replacement, font);
        }
    }
}

}  // namespace

int ShowMessage(HWND owner, const std::string& prompt, int style, const std::string& title,
                HICON icon) {
    OpeningBox opening = {title, icon, UniqueHook()};
    // A box that a handler opens while this one is open is opened in turn.
    OpeningBox* const outer = std::exchange(gOpeningBox, &opening);
    opening.hook = UniqueHook(SetWindowsHookExA(WH_CBT, MessageBoxHookProc,
                                                GetModuleHandleA(nullptr), GetCurrentThreadId()));
    const std::string text = ReformatPrompt(prompt);
    const int result = MessageBoxA(owner, text.c_str(), "", static_cast<UINT>(style));
    // A box that could not be shown never activated: its hook is still there.
    opening.hook.Reset();
    gOpeningBox = outer;
    // Windows reports that failure as 0, Wine as -1; callers get 0 for both.
    return result > 0 ? result : 0;
}

LRESULT CALLBACK MessageBoxHookProc(int code, WPARAM wParam, LPARAM lParam) {
    OpeningBox* const opening = gOpeningBox;
    const LRESULT result =
        CallNextHookEx(opening ? opening->hook.Get() : nullptr, code, wParam, lParam);
    HWND activated = reinterpret_cast<HWND>(wParam);
    if (!opening || code != HCBT_ACTIVATE || !IsDialog(activated)) return result;
    if (DressedDialog* dressed = DressedDialog::Dress(activated, {opening->title})) {
        RedressMessageBox(activated, *dressed, opening->icon);
    }
    opening->hook.Reset();
    return result;
}

}  // namespace quorvel
