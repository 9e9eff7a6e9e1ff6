// The text of a window as bytes (ANSI), for the shell and its tests.
#pragma once

#include <windows.h>

#include <string>

namespace quorvel {

std::string WindowText(HWND window);

}  // namespace quorvel
