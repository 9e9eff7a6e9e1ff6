#include "support/screenshot_signal_win32.h"

#include <string>

namespace quorvel::test {
namespace {

constexpr UINT kTickMilliseconds = 100;
constexpr int kTicksToWait = 300;
constexpr int kTicksToComeToFront = 10;

// Timer callbacks carry no object: the one signal of the program.
ScreenshotSignal* gSignal = nullptr;

bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (!IsWindowVisible(window) || std::string(name) != "#32770") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

ScreenshotSignal::ScreenshotSignal(const char* readyFile, const char* takenFile, int pressId)
    : readyFile_(readyFile),
      takenFile_(takenFile),
      pressId_(pressId),
      timer_(SetTimer(nullptr, 0, kTickMilliseconds, OnTick)) {
    gSignal = this;
}

ScreenshotSignal::~ScreenshotSignal() {
    KillTimer(nullptr, timer_);
    gSignal = nullptr;
}

void CALLBACK ScreenshotSignal::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (gSignal) gSignal->Tick();
}

void ScreenshotSignal::Tick() {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    if (!FileExists(readyFile_)) {
        // Without a window manager a new process's dialog may open inactive;
        // the shot is taken once it is in front and has repainted.
        if (GetForegroundWindow() != dialog && ++ticks_ < kTicksToComeToFront) {
            SetForegroundWindow(dialog);
            return;
        }
        CloseHandle(CreateFileA(readyFile_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        ticks_ = 0;
        return;
    }
    timedOut_ = ++ticks_ > kTicksToWait;
    if (FileExists(takenFile_) || timedOut_) {
        SendMessageA(GetDlgItem(dialog, pressId_), BM_CLICK, 0, 0);
    }
}

}  // namespace quorvel::test
