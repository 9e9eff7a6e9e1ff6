// Helpers for tests of the real windows under Wine.
#pragma once

#include <windows.h>

#include <string>

#include "main/main_window_win32.h"
#include "shared/window_text_win32.h"

namespace quorvel::test {

// Opens F1 as the program does, shows it and handles what it posted; null
// when it cannot be opened.
MainWindow* OpenShownMainWindow();

using quorvel::WindowText;
// The class name of a window, as the system reports it.
std::string ClassName(HWND window);
// The face name of the font a control uses (asked in-process).
std::string FontFace(HWND control);
// Full path of a file in the program folder (the test program's folder).
std::string ProgramFilePath(const char* fileName);
// Deletes a file in the program folder, if it is there.
void DeleteProgramFile(const char* fileName);

}  // namespace quorvel::test
