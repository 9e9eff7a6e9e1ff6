// Shows the main window and the options dialog over it, in the language of
// the settings file beside the program, for a screenshot taken from outside:
// options_dialog_demo READY TAKEN
// Once the dialog is on screen it creates the file READY; when the file TAKEN
// appears it presses Cancel and ends with 0 (1 when the windows could not be
// opened, 2 when no screenshot was taken within half a minute).
#include <windows.h>

#include "main/main_window_win32.h"
#include "screenshot_pause_win32.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    quorvel::MainWindow* main = quorvel::MainWindow::Open(GetModuleHandleA(nullptr));
    if (!main) return 1;
    ShowWindow(main->Handle(), SW_SHOW);
    quorvel::PumpPendingMessages(main->Handle());
    const bool taken =
        quorvel::test::PauseForScreenshot(argv[1], argv[2], IDCANCEL, [main] { main->Options(); });
    main->Close();
    return taken ? 0 : 2;
}
