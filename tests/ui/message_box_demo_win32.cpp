// Shows a Vietnamese question with Yes and No, for a screenshot taken from
// outside: message_box_demo READY TAKEN
// Once the box is on screen it creates the file READY; when the file TAKEN
// appears it answers No and ends with 0 (1 when the box did not answer No,
// 2 when no screenshot was taken within half a minute).
#include <windows.h>

#include "support/demo_signals_win32.h"
#include "ui/message_box_win32.h"
#include "ui/message_prompt.h"

namespace {

using quorvel::test::FileExists;
using quorvel::test::FindShownDialog;

constexpr UINT kTickMilliseconds = 100;
constexpr int kTicksToWait = 300;

const char* gReadyFile = nullptr;
const char* gTakenFile = nullptr;
int gTicks = 0;
bool gTimedOut = false;

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindShownDialog();
    if (!box) return;
    if (!FileExists(gReadyFile)) {
        // Without a window manager a new process's box may open inactive;
        // the shot is taken once it is in front and has repainted.
        if (GetForegroundWindow() != box && ++gTicks < 10) {
            SetForegroundWindow(box);
            return;
        }
        CloseHandle(CreateFileA(gReadyFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        gTicks = 0;
        return;
    }
    gTimedOut = ++gTicks > kTicksToWait;
    if (FileExists(gTakenFile) || gTimedOut) {
        SendMessageA(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    gReadyFile = argv[1];
    gTakenFile = argv[2];
    const UINT_PTR timer = SetTimer(nullptr, 0, kTickMilliseconds, OnTick);
    const int result = quorvel::ShowMessage(
        "S\xE7 IMEI kh\xA4ng h\xEDp l\xD6. \x98"
        "\xE8 d\xAAi c\xEF"
        "a s\xE7 IMEI ph\xB6i l\xAA 15 ch\xF6 s\xE7.",
        quorvel::kStyleQuestionYesNo, "Th\xA4ng b\xC0o", nullptr);
    KillTimer(nullptr, timer);
    if (gTimedOut) return 2;
    return result == quorvel::kResultNo ? 0 : 1;
}
