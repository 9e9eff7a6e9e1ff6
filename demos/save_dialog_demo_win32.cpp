// Shows the Vietnamese Save As dialog, for a screenshot taken from outside:
// save_dialog_demo READY TAKEN
// Once the dialog is on screen it creates the file READY; when the file TAKEN
// appears it cancels the dialog and ends with 0 (1 when the dialog gave a
// path, 2 when no screenshot was taken within half a minute).
#include <windows.h>

#include <string>

#include "screenshot_pause_win32.h"
#include "shared/data_resource_win32.h"
#include "ui/display_font.h"
#include "ui/display_font_win32.h"
#include "ui/save_dialog_win32.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    // The display font, as the program installs it at start-up.
    quorvel::DisplayFontInstallation font;
    if (font.Extract(quorvel::LoadDataResource(GetModuleHandleA(nullptr),
                                               quorvel::kDisplayFontResourceId))) {
        font.Register();
    }
    std::string path;
    const bool taken = quorvel::test::PauseForScreenshot(
        argv[1], argv[2], IDCANCEL, [&path] { path = quorvel::SaveDialogVietnamese(nullptr); });
    if (!taken) return 2;
    return path.empty() ? 0 : 1;
}
