// For the demo programs that show a message box for a screenshot taken from
// outside: the box to wait for, and the files through which they and the
// screenshot script signal each other.
#pragma once

#include <windows.h>

#include <string>

namespace quorvel::test {

inline bool FileExists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

inline BOOL CALLBACK NoteShownDialog(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (!IsWindowVisible(window) || std::string(name) != "#32770") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// A shown dialog box (a message box) of the calling thread; null when none.
inline HWND FindShownDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), NoteShownDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace quorvel::test
