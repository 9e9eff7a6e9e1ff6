// Entry point of Quorvel.exe: opens the main window and runs the message loop
// until it closes. The program takes no command line.
#include <windows.h>

#include "main/main_window_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    quorvel::MainWindow* mainWindow = quorvel::MainWindow::Open(instance);
    if (!mainWindow) {
        MessageBoxA(nullptr, "Quorvel could not open its main window.", "Quorvel",
                    MB_OK | MB_ICONSTOP);
        return 1;
    }
    HWND window = mainWindow->Handle();
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return quorvel::RunMessageLoop(window);
}
