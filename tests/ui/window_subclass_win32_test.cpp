// WindowSubclass: chains to the previous procedure, restores it, and leaves
// when its window is destroyed first.
#include <windows.h>
#include <gtest/gtest.h>

#include "shared/handles_win32.h"

namespace quorvel {
namespace {

int gUserMessages = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) ++gUserMessages;
    return WindowSubclass::CallPrevious(CountingProc, window, message, wParam, lParam);
}

TEST(WindowSubclass, ChainsAndEndsByRestoreOrWithItsWindow) {
    for (bool windowGoesFirst : {false, true}) {
        UniqueWindow window(
            CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(window);
        const LONG_PTR original = GetWindowLongPtrA(window.Get(), GWLP_WNDPROC);
        WindowSubclass subclass;
        ASSERT_TRUE(subclass.Install(window.Get(), CountingProc));
        gUserMessages = 0;
        SendMessageA(window.Get(), WM_USER, 0, 0);
        EXPECT_EQ(gUserMessages, 1);
        // The static control's own answer, not the default procedure's 0.
        EXPECT_EQ(SendMessageA(window.Get(), WM_GETDLGCODE, 0, 0), DLGC_STATIC);
        if (windowGoesFirst) {
            window.Reset();
        } else {
            subclass.Restore();
            EXPECT_EQ(GetWindowLongPtrA(window.Get(), GWLP_WNDPROC), original);
        }
        EXPECT_FALSE(subclass.Installed()) << windowGoesFirst;
    }
}

}  // namespace
}  // namespace quorvel
