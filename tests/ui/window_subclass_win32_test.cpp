#include <windows.h>
#include <gtest/gtest.h>

#include "shared/handles_win32.h"

namespace quorvel {
namespace {

int gUserMessages = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    gUserMessages += message == WM_USER;
    return WindowSubclass::CallPrevious(CountingProc, window, message, wParam, lParam);
}

// A subclass chains to the previous procedure (the static control's own
// answer, not the default procedure's 0) and ends by its restore, which puts
// the previous one back, or with its window.
TEST(WindowSubclass, ChainsAndEndsByRestoreOrWithItsWindow) {
    for (bool windowGoesFirst : {false, true}) {
        UniqueWindow window(
            CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
        const LONG_PTR original = GetWindowLongPtrA(window.Get(), GWLP_WNDPROC);
        WindowSubclass subclass;
        ASSERT_TRUE(subclass.Install(window.Get(), CountingProc));
        gUserMessages = 0;
        SendMessageA(window.Get(), WM_USER, 0, 0);
        EXPECT_EQ(gUserMessages, 1);
        EXPECT_EQ(SendMessageA(window.Get(), WM_GETDLGCODE, 0, 0), DLGC_STATIC);
        windowGoesFirst ? window.Reset() : subclass.Restore();
        EXPECT_TRUE(windowGoesFirst || GetWindowLongPtrA(window.Get(), GWLP_WNDPROC) == original);
        EXPECT_FALSE(subclass.Installed()) << windowGoesFirst;
    }
}

}  // namespace
}  // namespace quorvel
