// The Windows package as a user gets it: unpacked into an empty folder (the
// test's "unpacked" folder, filled by CTest before it), Quorvel.exe started
// from there opens its window and closes, and the folder then holds the
// unpacked files and nothing else.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/main_window_win32.h"
#include "support/test_files.h"
#include "support/win32_test_support.h"

namespace quorvel {

TEST(PackageTest, UnpackedProgramRunsAndLeavesOnlyItsFiles) {
    const std::vector<std::string> files = {"LICENSE-DATA.txt", "LICENSE-FONT.txt", "LICENSE.txt",
                                            "Quorvel.exe", "README.txt"};
    const std::string folder = test::ProgramFilePath("unpacked");
    ASSERT_EQ(test::FolderEntries(folder), files);
    // The user's notes are Windows text: Windows-1252 (the pilcrow 0xB6 of
    // the user file's format) and CR LF.
    const std::string notes = test::ReadTestFile(folder + "\\README.txt").value_or("");
    EXPECT_NE(notes.find("IMEI=manufacturer\xB6model type\xB6reference\r\n"), std::string::npos);

    // Started as Explorer starts it: from its own folder.
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION program = {};
    ASSERT_TRUE(CreateProcessA((folder + "\\Quorvel.exe").c_str(), nullptr, nullptr, nullptr, FALSE,
                               0, nullptr, folder.c_str(), &startup, &program));
    UniqueFile process(program.hProcess), thread(program.hThread);  // both closed by CloseHandle
    WaitForInputIdle(program.hProcess, 30000);  // Wine may take long to start it
    HWND window = nullptr;
    for (int i = 0; !window && i < 100; ++i, Sleep(100))
        window = FindWindowA(kMainWindowClass, kMainWindowTitle);
    EXPECT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(program.hProcess, 30000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(program.hProcess, 1);
    ASSERT_TRUE(ended);
    EXPECT_EQ(test::FolderEntries(folder), files);
}

}  // namespace quorvel
