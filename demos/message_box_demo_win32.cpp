// Shows a Vietnamese question with Yes and No, for a screenshot taken from
// outside: message_box_demo READY TAKEN
// Once the box is on screen it creates the file READY; when the file TAKEN
// appears it answers No and ends with 0 (1 when the box did not answer No,
// 2 when no screenshot was taken within half a minute).
#include <windows.h>

#include "main/main_window_win32.h"
#include "screenshot_pause_win32.h"
#include "ui/message_box_win32.h"
#include "ui/message_prompt.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    // The main window installs the display font for as long as it is open,
    // as in the program; the box is shown over it.
    quorvel::MainWindow* mainWindow = quorvel::MainWindow::Open(GetModuleHandleA(nullptr));
    if (!mainWindow) return 2;
    ShowWindow(mainWindow->Handle(), SW_SHOW);
    quorvel::PumpPendingMessages(mainWindow->Handle());
    int result = 0;
    const bool taken =
        quorvel::test::PauseForScreenshot(argv[1], argv[2], IDNO, [&result, mainWindow] {
            result = quorvel::ShowMessage(mainWindow->Handle(),
                                          "S\xE7 IMEI kh\xA4ng h\xEDp l\xD6. \x98"
                                          "\xE8 d\xAAi c\xEF"
                                          "a s\xE7 IMEI ph\xB6i l\xAA 15 ch\xF6 s\xE7.",
                                          quorvel::kStyleQuestionYesNo, "Th\xA4ng b\xC0o", nullptr);
        });
    mainWindow->Close();
    if (!taken) return 2;
    return result == quorvel::kResultNo ? 0 : 1;
}
