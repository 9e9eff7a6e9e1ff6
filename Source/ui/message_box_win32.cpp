// The translated message box: ShowMessage and its CBT hook.
#include "ui/message_box_win32.h"

#include <string>
#include <utility>

#include "shared/handles_win32.h"
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

void RedressMessageBox(HWND box, DressedDialog& dressed, HICON newIcon) {
    const HFONT font = dressed.Font();
    if (HWND icon = IconControl(box); icon && newIcon) {
        SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(newIcon), 0);
    }
    if (HWND text = TextControl(box)) {
        SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
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
