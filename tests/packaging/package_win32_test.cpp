// The Windows package as a user gets it: unpacked into an empty folder (the
// test's "unpacked" folder, filled by CTest before it), Quorvel.exe started
// from there analyses an IMEI through its window and closes, and the folder
// then holds the unpacked files and nothing else.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "main/main_window_win32.h"
#include "support/test_files.h"
#include "support/test_folder_win32.h"
#include "ui/handles_win32.h"

namespace quorvel {
namespace {

const std::vector<std::string> kPackageFiles = {"LICENSE-DATA.txt", "LICENSE-FONT.txt",
                                                "LICENSE.txt", "Quorvel.exe", "README.txt"};

// Long enough for Wine to start the program; a hung program fails the test.
constexpr UINT kAnswerMilliseconds = 30000;

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kAnswerMilliseconds,
                             &result)) {
        ADD_FAILURE() << "no answer to message " << message;
    }
    return static_cast<LRESULT>(result);
}

// The text of another process's control: only a sent WM_GETTEXT reads it.
std::string ControlText(HWND control) {
    std::string text(static_cast<std::size_t>(Send(control, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// The started program; ended if the test leaves it running. Process and
// thread handles are closed with CloseHandle, as files are.
struct StartedProgram {
    ~StartedProgram() {
        if (WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT)
            TerminateProcess(process.Get(), 1);
    }
    UniqueFile process;
    UniqueFile thread;
    DWORD id = 0;
};

HWND MainWindowOf(const StartedProgram& program) {
    WaitForInputIdle(program.process.Get(), kAnswerMilliseconds);
    for (int attempt = 0; attempt < 300; ++attempt) {
        HWND window = FindWindowA(kMainWindowClass, kMainWindowTitle);
        DWORD owner = 0;
        if (window && GetWindowThreadProcessId(window, &owner) && owner == program.id) {
            return window;
        }
        Sleep(100);
    }
    return nullptr;
}

TEST(PackageTest, UnpackedProgramAnalysesAnImeiAndLeavesOnlyItsFiles) {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    const std::string folder = std::string(current) + "\\unpacked";
    ASSERT_EQ(test::FolderEntries(folder), kPackageFiles);
    // The user's notes are Windows text: Windows-1252 (the pilcrow 0xB6 of
    // the user file's format) and CR LF.
    EXPECT_NE(test::ReadTestFile(folder + "\\README.txt")
                  .value_or("")
                  .find("IMEI=manufacturer\xB6model type\xB6reference\r\n"),
              std::string::npos);

    // Started as Explorer starts it: from its own folder.
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    const std::string exe = folder + "\\Quorvel.exe";
    ASSERT_TRUE(CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               folder.c_str(), &startup, &started));
    StartedProgram program;
    program.process.Reset(started.hProcess);
    program.thread.Reset(started.hThread);
    program.id = started.dwProcessId;
    HWND window = MainWindowOf(program);
    ASSERT_NE(window, nullptr);

    Send(GetDlgItem(window, kTx1Id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("352099001761481"));
    Send(GetDlgItem(window, kCm1Id), BM_CLICK, 0, 0);
    // The handset list's row 35209900: Alcatel, One Touch 332, no model code.
    EXPECT_EQ(ControlText(GetDlgItem(window, kTx2Id)),
              "Input IMEI: 352099001761481\r\n\r\n[Local information]\r\n"
              "Manufacturer: Alcatel\r\nModel type: One Touch 332\r\nReference: N/A\r\n"
              "Issued by: BABT, Great Britain (British Approvals Board for "
              "Telecommunications)\r\n");

    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(program.process.Get(), kAnswerMilliseconds), WAIT_OBJECT_0);
    EXPECT_EQ(test::FolderEntries(folder), kPackageFiles);
}

}  // namespace
}  // namespace quorvel
