// Helpers for tests of the real windows under Wine.
#pragma once

#include <windows.h>

#include <string>

#include "main/main_window_win32.h"
#include "shared/program_folder_win32.h"
#include "shared/text.h"
#include "shared/window_text_win32.h"

namespace quorvel::test {

using quorvel::WindowText;

// Opens F1 as the program does, shows it and handles what it posted; null
// when it cannot be opened.
inline MainWindow* OpenShownMainWindow() {
    MainWindow* main = MainWindow::Open(GetModuleHandleA(nullptr));
    if (main) ShowWindow(main->Handle(), SW_SHOW);
    if (main) PumpPendingMessages(main->Handle());
    return main;
}

// The class name of a window, as the system reports it.
inline std::string ClassName(HWND window) {
    char name[256] = {};
    return std::string(name, static_cast<std::size_t>(GetClassNameA(window, name, sizeof name)));
}

// The face name of the font a control uses (asked in-process); empty when
// the control has the system font.
inline std::string FontFace(HWND control) {
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font.lfFaceName;
}

// Full path of a file in the program folder (the test program's folder).
inline std::string ProgramFilePath(const char* fileName) {
    return AddBackslash(ProgramFolder()) + fileName;
}

// Deletes a file in the program folder, if it is there.
inline void DeleteProgramFile(const char* fileName) {
    DeleteFileA(ProgramFilePath(fileName).c_str());
}

}  // namespace quorvel::test
