// The yardstick of the start-up benchmark: a bare Win32 window, one class and
// one window with no controls, which closes its thread's message loop when
// it is destroyed.
#pragma once

#include <windows.h>

namespace quorvel::bench {

// The title the benchmark finds the bare window by.
inline constexpr const char* kBareWindowTitle = "Bare window";

// Creates the bare window, not shown yet; null when it cannot be made.
HWND OpenBareWindow(HINSTANCE instance);

}  // namespace quorvel::bench
