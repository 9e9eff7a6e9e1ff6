// WindowSubclass: hands the window's messages to its object, chains to the
// previous procedure, and leaves the window by Remove or when its window is
// destroyed first.
#include <windows.h>
#include <gtest/gtest.h>

#include "shared/handles_win32.h"

namespace quorvel {

struct CountingWindow {
    LRESULT CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_USER) ++userMessages;
        return CallPreviousProcedure(window, message, wParam, lParam);
    }
    int userMessages = 0;
};
using CountingSubclass = WindowSubclass<CountingWindow, &CountingWindow::CountingProc>;

TEST(WindowSubclass, ChainsAndEndsByRemoveOrWithItsWindow) {
    for (bool windowGoesFirst : {false, true}) {
        UniqueWindow window(
            CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
        CountingWindow counting;
        CountingSubclass subclass(counting);
        ASSERT_TRUE(subclass.Install(window.Get()));
        EXPECT_EQ(CountingSubclass::Find(window.Get()), &counting);
        SendMessageA(window.Get(), WM_USER, 0, 0);
        EXPECT_EQ(counting.userMessages, 1);
        // The static control's own answer, not the default procedure's 0.
        EXPECT_EQ(SendMessageA(window.Get(), WM_GETDLGCODE, 0, 0), DLGC_STATIC);
        const HWND handle = window.Get();
        windowGoesFirst ? window.Reset() : subclass.Remove();
        EXPECT_EQ(CountingSubclass::Find(handle), nullptr);
        EXPECT_FALSE(subclass.Installed()) << windowGoesFirst;
    }
}

}  // namespace quorvel
