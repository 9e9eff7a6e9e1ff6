#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "shared/handles_win32.h"
#include "support/test_files.h"
#include "support/test_folder_win32.h"
#include "ui/safe_save_win32.h"

namespace quorvel {
namespace {

using test::ReadTestFile;
using Entries = std::vector<std::string>;

constexpr DWORD kReadOnlyHidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

std::string EveryByte() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    return bytes + "\r\nlast line without an end";
}

class ResultFilesTest : public ::testing::Test {
protected:
    test::TestFolder folder_{"result-files"};
    WindowsResultFiles files_;
};

TEST_F(ResultFilesTest, WritesTheTextAloneOverWhateverWasThere) {
    struct Case {
        const char* name;
        std::optional<std::string> old;  // the file there before, if any
        DWORD oldAttributes;
        std::string text;
    };
    const Case cases[] = {
        {"new file", std::nullopt, 0, EveryByte()},
        {"empty text", std::nullopt, 0, ""},
        {"over a longer file", std::string(5000, 'x'), 0, "short\r\n"},
        {"over a read-only hidden file", std::string("old"), kReadOnlyHidden, "new\r\n"},
        {"over a read-only file with nothing", std::string("old"), FILE_ATTRIBUTE_READONLY, ""},
    };
    for (const Case& c : cases) {
        const std::string path = folder_.PathOf("result.txt");
        if (c.old) {
            test::WriteTestFile(path, *c.old);
            ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.oldAttributes | FILE_ATTRIBUTE_ARCHIVE));
        }
        EXPECT_EQ(SaveReplacing(files_, path, c.text), SaveOutcome::kSaved) << c.name;
        EXPECT_EQ(ReadTestFile(path), c.text) << c.name;
        EXPECT_EQ(GetFileAttributesA(path.c_str()) & kReadOnlyHidden, 0u) << c.name;
        EXPECT_EQ(folder_.Entries(), Entries{"result.txt"}) << c.name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
}

TEST_F(ResultFilesTest, LeavesFilesOfItsTemporaryNamesAlone) {
    const std::string path = folder_.PathOf("result.txt");
    test::WriteTestFile(folder_.PathOf("~qv1.tmp"), "not ours");
    ASSERT_TRUE(CreateDirectoryA(folder_.PathOf("~qv2.tmp").c_str(), nullptr));
    EXPECT_EQ(SaveReplacing(files_, path, "text"), SaveOutcome::kSaved);
    EXPECT_EQ(ReadTestFile(path), "text");
    EXPECT_EQ(ReadTestFile(folder_.PathOf("~qv1.tmp")), "not ours");
    EXPECT_EQ(folder_.Entries(), (Entries{"result.txt", "~qv1.tmp", "~qv2.tmp"}));
}

TEST_F(ResultFilesTest, AFailureLeavesTheFolderAsItWas) {
    const std::string held = folder_.PathOf("held.txt");
    test::WriteTestFile(held, "old\r\n");
    ASSERT_TRUE(SetFileAttributesA(held.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(CreateDirectoryA(folder_.PathOf("folder.txt").c_str(), nullptr));
    // Another program has the file open and shares neither writing nor
    // deleting, as an editor holding it would.
    UniqueFile holder(CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(holder.Get(), INVALID_HANDLE_VALUE);

    struct Case {
        const char* name;
        std::string path;
        SaveOutcome outcome;
    };
    const Case cases[] = {
        {"missing folder", folder_.PathOf("missing\\result.txt"), SaveOutcome::kFolderRefused},
        // Not even an administrator may make files there.
        {"folder refusing new files", "Z:\\proc\\self\\result.txt", SaveOutcome::kFolderRefused},
        {"a folder of that name", folder_.PathOf("folder.txt"), SaveOutcome::kReplaceFailed},
        {"file in use", held, SaveOutcome::kReplaceFailed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SaveReplacing(files_, c.path, "new"), c.outcome) << c.name;
        EXPECT_EQ(folder_.Entries(), (Entries{"folder.txt", "held.txt"})) << c.name;
    }
    EXPECT_EQ(ReadTestFile(held), "old\r\n");
    EXPECT_EQ(GetFileAttributesA(held.c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));

    holder.Reset();
    EXPECT_EQ(SaveReplacing(files_, held, "new"), SaveOutcome::kSaved);
    EXPECT_EQ(ReadTestFile(held), "new");
}

}  // namespace
}  // namespace quorvel
