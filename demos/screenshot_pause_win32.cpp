#include "screenshot_pause_win32.h"

#include <windows.h>

#include "demo_signals_win32.h"

namespace quorvel::test {
namespace {

constexpr UINT kTickMilliseconds = 100;
constexpr int kTicksToWait = 300;
constexpr int kTicksToBringToFront = 10;

struct Pause {
    const char* readyFile;
    const char* takenFile;
    int pressId;
    int ticks = 0;
    bool timedOut = false;
};

Pause* gPause = nullptr;

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindShownDialog();
    if (!dialog || !gPause) return;
    Pause& pause = *gPause;
    if (!FileExists(pause.readyFile)) {
        // Without a window manager a new process's dialog may open inactive;
        // the shot is taken once it is in front and has repainted.
        if (GetForegroundWindow() != dialog && ++pause.ticks < kTicksToBringToFront) {
            SetForegroundWindow(dialog);
            return;
        }
        CloseHandle(CreateFileA(pause.readyFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        pause.ticks = 0;
        return;
    }
    pause.timedOut = ++pause.ticks > kTicksToWait;
    if (FileExists(pause.takenFile) || pause.timedOut) {
        SendMessageA(GetDlgItem(dialog, pause.pressId), BM_CLICK, 0, 0);
    }
}

}  // namespace

bool PauseForScreenshot(const char* readyFile, const char* takenFile, int pressId,
                        const std::function<void()>& show) {
    Pause pause{readyFile, takenFile, pressId};
    gPause = &pause;
    const UINT_PTR timer = SetTimer(nullptr, 0, kTickMilliseconds, OnTick);
    show();
    KillTimer(nullptr, timer);
    gPause = nullptr;
    return !pause.timedOut;
}

}  // namespace quorvel::test
