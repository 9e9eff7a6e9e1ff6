#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shared/handles_win32.h"
#include "support/test_files.h"
#include "support/test_folder_win32.h"
#include "ui/safe_save_win32.h"

namespace quorvel {
namespace {

using Entries = std::vector<std::string>;

class ResultFilesTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return folder_.PathOf(name); }

    test::TestFolder folder_{"result-files"};
    WindowsResultFiles files_;
};

// Over a read-only hidden file, which is then neither; past a file and a
// folder that have the temporary names, which stay as they were.
TEST_F(ResultFilesTest, WritesTheTextAloneOverWhateverWasThere) {
    const DWORD kReadOnlyHidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    test::WriteTestFile(Path("result.txt"), std::string(5000, 'x'));
    ASSERT_TRUE(SetFileAttributesA(Path("result.txt").c_str(), kReadOnlyHidden));
    test::WriteTestFile(Path("~qv1.tmp"), "not ours");
    ASSERT_TRUE(CreateDirectoryA(Path("~qv2.tmp").c_str(), nullptr));
    const std::string text("new\0\xFF\r\nlast", 10);
    EXPECT_EQ(SaveReplacing(files_, Path("result.txt"), text), SaveOutcome::kSaved);
    EXPECT_EQ(test::ReadTestFile(Path("result.txt")), text);
    EXPECT_EQ(GetFileAttributesA(Path("result.txt").c_str()) & kReadOnlyHidden, 0u);
    EXPECT_EQ(test::ReadTestFile(Path("~qv1.tmp")), "not ours");
    EXPECT_EQ(folder_.Entries(), (Entries{"result.txt", "~qv1.tmp", "~qv2.tmp"}));
}

// Another program has the file open and shares neither writing nor deleting,
// as an editor holding it would.
TEST_F(ResultFilesTest, AFailureLeavesTheFolderAsItWas) {
    test::WriteTestFile(Path("held.txt"), "old\r\n");
    ASSERT_TRUE(SetFileAttributesA(Path("held.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(CreateDirectoryA(Path("folder.txt").c_str(), nullptr));
    UniqueFile holder(CreateFileA(Path("held.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    const std::pair<const char*, SaveOutcome> cases[] = {
        {"missing\\result.txt", SaveOutcome::kFolderRefused},
        {"folder.txt", SaveOutcome::kReplaceFailed},
        {"held.txt", SaveOutcome::kReplaceFailed},
    };
    for (const auto& [name, outcome] : cases) {
        EXPECT_EQ(SaveReplacing(files_, Path(name), "new"), outcome) << name;
        EXPECT_EQ(folder_.Entries(), (Entries{"folder.txt", "held.txt"})) << name;
    }
    EXPECT_EQ(test::ReadTestFile(Path("held.txt")), "old\r\n");
    EXPECT_TRUE(GetFileAttributesA(Path("held.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
}

}  // namespace
}  // namespace quorvel
