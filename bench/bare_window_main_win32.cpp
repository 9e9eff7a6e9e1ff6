// quorvel_bare_window.exe: the bare window as a program of its own, shown and
// painted as Quorvel.exe shows its main window, then its message loop. The
// start-up benchmark measures Quorvel.exe against it:
//   quorvel_bare_window [--libraries NAME...]
// With --libraries it first loads the named libraries (those Quorvel.exe
// imports and it does not), so that their share of the start shows.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "bare_window_win32.h"
#include "shared/handles_win32.h"

namespace {

struct FreeLibraryRelease {
    static void Free(HMODULE library) { FreeLibrary(library); }
};
using UniqueLibrary = quorvel::UniqueHandle<HMODULE, FreeLibraryRelease>;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // Held for the run, as imported libraries are.
    std::vector<UniqueLibrary> libraries;
    if (__argc > 1 && std::strcmp(__argv[1], "--libraries") == 0) {
        for (int i = 2; i < __argc; ++i) libraries.emplace_back(LoadLibraryA(__argv[i]));
    }
    HWND window = quorvel::bench::OpenBareWindow(instance);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
