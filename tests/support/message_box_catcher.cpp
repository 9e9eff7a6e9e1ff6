#include "support/message_box_catcher.h"

#include "support/win32_test_support.h"

namespace quorvel::test {
namespace {

// The one catcher of the test thread; tests run one at a time.
MessageBoxCatcher* gCatcher = nullptr;

constexpr int kMessageTextId = 0xFFFF;  // the static text of a message box

// Windows and Wine give the icon different control ids: look for the control.
bool ShowsAnIcon(HWND box) {
    for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child;
         child = FindWindowExA(box, child, "Static", nullptr)) {
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON && (style & WS_VISIBLE)) return true;
    }
    return false;
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher(int button)
    : button_(button), hook_(SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId())) {
    gCatcher = this;
}

MessageBoxCatcher::~MessageBoxCatcher() { gCatcher = nullptr; }

LRESULT CALLBACK MessageBoxCatcher::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && gCatcher && ClassName(window) == "#32770") {
        gCatcher->seen_.push_back({WindowText(window),
                                   WindowText(GetDlgItem(window, kMessageTextId)),
                                   ShowsAnIcon(window)});
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(gCatcher->button_, BN_CLICKED), 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace quorvel::test
