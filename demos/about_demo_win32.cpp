// Opens the main window and clicks its caption button with the mouse, as a
// user would, for a screenshot of the About message taken from outside:
//   about_demo READY TAKEN
// Once the About message is on screen it writes READY, holding the screen
// area "x y width height" of the caption bar's right end (for a zoomed
// picture of the button); when the file TAKEN appears it closes the message
// and the window and ends with 0. It ends with 1 when no About message
// opened, 2 when no screenshot was taken within half a minute.
#include <windows.h>

#include <cstdio>
#include <string>

#include "demo_signals_win32.h"
#include "main/caption_button_win32.h"
#include "main/main_window_win32.h"

namespace {

using quorvel::MainWindow;
using quorvel::test::FileExists;
using quorvel::test::FindShownDialog;

constexpr UINT kTickMilliseconds = 100;
constexpr int kTicksForTheMessage = 50;
constexpr int kTicksForTheShot = 300;
constexpr int kMargin = 4;

const char* gReadyFile = nullptr;
const char* gTakenFile = nullptr;
HWND gMain = nullptr;
int gTicks = 0;
int gResult = 0;

// The caption bar from a little left of the button to the window's right edge.
std::string CaptionArea() {
    const quorvel::CaptionButtonPlace place = quorvel::GetCaptionButtonRect(gMain);
    const long left = place.window.left + place.button.left - kMargin;
    const long top = place.window.top;
    const long right = place.window.right;
    const long bottom = place.window.top + place.button.bottom + kMargin;
    char area[64] = {};
    std::snprintf(area, sizeof area, "%ld %ld %ld %ld\n", left, top, right - left, bottom - top);
    return area;
}

// Written under another name and then renamed, so that the script never
// reads it half-written.
void WriteReadyFile() {
    const std::string area = CaptionArea();
    const std::string partial = std::string(gReadyFile) + ".partial";
    HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, area.data(), static_cast<DWORD>(area.size()), &written, nullptr);
    CloseHandle(file);
    MoveFileA(partial.c_str(), gReadyFile);
}

void ClickCaptionButton() {
    const quorvel::CaptionButtonPlace place = quorvel::GetCaptionButtonRect(gMain);
    SetCursorPos(place.window.left + (place.button.left + place.button.right) / 2,
                 place.window.top + (place.button.top + place.button.bottom) / 2);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

void End(int result) {
    gResult = result;
    DestroyWindow(gMain);
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindShownDialog();
    if (!box) {
        if (++gTicks == 5) ClickCaptionButton();  // once the window has painted
        if (gTicks > kTicksForTheMessage) End(1);
        return;
    }
    if (!FileExists(gReadyFile)) {
        // Without a window manager a box may open inactive; the shot is
        // taken once it is in front and has repainted.
        if (GetForegroundWindow() != box && ++gTicks < kTicksForTheMessage) {
            SetForegroundWindow(box);
            return;
        }
        WriteReadyFile();
        gTicks = 0;
        return;
    }
    const bool timedOut = ++gTicks > kTicksForTheShot;
    if (FileExists(gTakenFile) || timedOut) {
        gResult = timedOut ? 2 : 0;
        SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        PostMessageA(gMain, WM_CLOSE, 0, 0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    gReadyFile = argv[1];
    gTakenFile = argv[2];
    MainWindow* main = MainWindow::Open(GetModuleHandleA(nullptr));
    if (!main) return 1;
    gMain = main->Handle();
    SetWindowPos(gMain, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(gMain);
    const UINT_PTR timer = SetTimer(nullptr, 0, kTickMilliseconds, OnTick);
    quorvel::RunMessageLoop(gMain);
    KillTimer(nullptr, timer);
    return gResult;
}
