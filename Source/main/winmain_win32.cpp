// Entry point of Quorvel.exe: opens the main window and runs the message loop
// until it closes. The program takes no command line.
#include <windows.h>

#include "main/main_window_win32.h"
#include "main/startup_messages.h"
#include "settings/profile_settings_win32.h"
#include "ui/message_box_win32.h"
#include "ui/message_prompt.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    quorvel::MainWindow* mainWindow = quorvel::MainWindow::Open(instance);
    if (!mainWindow) {
        quorvel::ShowMessage(nullptr,
                             quorvel::MainWindowUnavailableMessage(
                                 quorvel::CurrentLanguage(quorvel::ProgramSettings())),
                             quorvel::kStyleCriticalOk, quorvel::kStartupFailureTitle, nullptr);
        return 1;
    }
    HWND window = mainWindow->Handle();
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return quorvel::RunMessageLoop(window);
}
