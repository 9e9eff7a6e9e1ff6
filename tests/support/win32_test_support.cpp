#include "support/win32_test_support.h"

#include "settings/profile_settings_win32.h"
#include "settings/settings_store.h"
#include "shared/program_folder_win32.h"
#include "shared/text.h"

namespace quorvel::test {

MainWindow* OpenShownMainWindow() {
    MainWindow* main = MainWindow::Open(GetModuleHandleA(nullptr));
    if (!main) return nullptr;
    ShowWindow(main->Handle(), SW_SHOW);
    PumpPendingMessages(main->Handle());
    return main;
}

std::string ClassName(HWND window) {
    char name[256] = {};
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<std::size_t>(length));
}

std::string FontFace(HWND control) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA logFont = {};
    if (!font || GetObjectA(font, sizeof logFont, &logFont) == 0) return std::string();
    return logFont.lfFaceName;
}

std::string ProgramFilePath(const char* fileName) {
    return AddBackslash(ProgramFolder()) + fileName;
}

void DeleteProgramFile(const char* fileName) { DeleteFileA(ProgramFilePath(fileName).c_str()); }

}  // namespace quorvel::test
