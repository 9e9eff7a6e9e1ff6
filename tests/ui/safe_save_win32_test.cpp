#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "shared/handles_win32.h"
#include "support/test_files.h"
#include "support/test_folder_win32.h"
#include "ui/safe_save_win32.h"

namespace quorvel {

// The text alone goes over a read-only hidden file, which is then neither,
// past a file and a folder of the temporary names, which stay. Each failure
// leaves the folder as it was: a missing folder, a folder of the name, and a
// read-only file another program holds open without sharing writing or
// deleting, as an editor would.
TEST(WindowsResultFiles, ReplacesTheFileOrLeavesTheFolderAsItWas) {
    test::TestFolder folder("result-files");
    const auto path = [&](const char* name) { return folder.PathOf(name); };
    const DWORD readOnlyHidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    for (const char* name : {"result.txt", "~qv1.tmp", "held.txt"})
        test::WriteTestFile(path(name), name);
    for (const char* name : {"result.txt", "held.txt"})
        SetFileAttributesA(path(name).c_str(), readOnlyHidden);
    for (const char* name : {"~qv2.tmp", "folder.txt"})
        CreateDirectoryA(path(name).c_str(), nullptr);
    UniqueFile holder(CreateFileA(path("held.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    WindowsResultFiles files;
    const std::string text("new\0\xFF\r\nlast", 10);
    const std::pair<const char*, SaveOutcome> cases[] = {
        {"result.txt", SaveOutcome::kSaved},
        {"missing\\result.txt", SaveOutcome::kFolderRefused},
        {"folder.txt", SaveOutcome::kReplaceFailed},
        {"held.txt", SaveOutcome::kReplaceFailed},
    };
    for (const auto& [name, outcome] : cases) {
        EXPECT_EQ(SaveReplacing(files, path(name), text), outcome) << name;
        EXPECT_EQ(folder.Entries().size(), 5u) << name;  // no file more or less
    }
    EXPECT_EQ(test::ReadTestFile(path("result.txt")), text);
    EXPECT_EQ(GetFileAttributesA(path("result.txt").c_str()) & readOnlyHidden, 0u);
    EXPECT_EQ(test::ReadTestFile(path("~qv1.tmp")), "~qv1.tmp");
    EXPECT_EQ(test::ReadTestFile(path("held.txt")), "held.txt");
    EXPECT_EQ(GetFileAttributesA(path("held.txt").c_str()) & readOnlyHidden, readOnlyHidden);
}

}  // namespace quorvel
