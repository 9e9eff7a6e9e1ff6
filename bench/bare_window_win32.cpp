// The bare window: its class and its window procedure.
#include "bare_window_win32.h"

namespace quorvel::bench {
namespace {

constexpr const char* kBareWindowClass = "QuorvelBareWindow";

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND OpenBareWindow(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExA(instance, kBareWindowClass, &windowClass)) {
        windowClass.lpfnWndProc = BareWindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kBareWindowClass;
        if (!RegisterClassExA(&windowClass)) return nullptr;
    }
    return CreateWindowExA(0, kBareWindowClass, kBareWindowTitle,
                           WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                           CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
}

}  // namespace quorvel::bench
