#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/fake_result_files.h"
#include "ui/safe_save.h"

namespace quorvel {
namespace {

using Folder = std::map<std::string, std::string>;

const std::string kTarget = "C:\\results\\phone.txt";
const std::string kTemporary1 = "C:\\results\\~qv1.tmp";
const std::string kTemporary2 = "C:\\results\\~qv2.tmp";
const std::string kNew = "IMEI\r\n\xA4\xFC\x98";

TEST(SafeSave, TheTemporaryFileIsInTheFolderOfTheChosenFile) {
    const struct {
        const char* path;
        int attempt;
        const char* expected;
    } cases[] = {{"C:\\results\\phone.txt", 42, "C:\\results\\~qv42.tmp"},
                 {"C:\\a/b\\c.txt", 3, "C:\\a/b\\~qv3.tmp"},
                 {"C:\\a\\b/c.txt", 3, "C:\\a\\b/~qv3.tmp"},
                 {"phone.txt", 1, "~qv1.tmp"}};
    for (const auto& c : cases) EXPECT_EQ(TemporaryPathBeside(c.path, c.attempt), c.expected);
}

// Faults: none (-), the folder refuses new files (n), the write stops after
// two bytes (w), the replace is refused (r). Whatever fails, the old file is
// as it was and no temporary file of ours is left.
TEST(SafeSave, LeavesTheNewTextOrTheOldFileAndNothingElse) {
    const struct {
        Folder before;
        char fault;
        SaveOutcome outcome;
        Folder after;
    } cases[] = {
        {{}, '-', SaveOutcome::kSaved, {{kTarget, kNew}}},
        {{{kTarget, "old"}}, '-', SaveOutcome::kSaved, {{kTarget, kNew}}},
        {{{kTemporary1, "other"}},
         '-',
         SaveOutcome::kSaved,
         {{kTemporary1, "other"}, {kTarget, kNew}}},
        {{{kTarget, "old"}}, 'n', SaveOutcome::kFolderRefused, {{kTarget, "old"}}},
        {{{kTarget, "old"}}, 'w', SaveOutcome::kWriteFailed, {{kTarget, "old"}}},
        {{{kTarget, "old"}, {kTemporary2, "x"}},
         'r',
         SaveOutcome::kReplaceFailed,
         {{kTarget, "old"}, {kTemporary2, "x"}}},
    };
    for (const auto& c : cases) {
        test::FakeResultFiles files;
        files.files = c.before;
        files.refuseNewFiles = c.fault == 'n';
        files.bytesBeforeWriteFails = c.fault == 'w' ? 2 : -1;
        files.refuseReplace = c.fault == 'r';
        EXPECT_EQ(SaveReplacing(files, kTarget, kNew), c.outcome) << c.fault;
        EXPECT_EQ(files.files, c.after) << c.fault;
    }
}

TEST(SafeSave, GivesUpAfterTheLastNameAndNeverUsesTheChosenFileItself) {
    test::FakeResultFiles files;
    for (int attempt = 1; attempt <= kTemporaryNameAttempts; ++attempt) {
        files.files[TemporaryPathBeside(kTarget, attempt)] = "taken";
    }
    const Folder before = files.files;
    EXPECT_EQ(SaveReplacing(files, kTarget, kNew), SaveOutcome::kFolderRefused);
    EXPECT_EQ(files.files, before);
    EXPECT_EQ(files.calls.size(), static_cast<std::size_t>(kTemporaryNameAttempts));

    test::FakeResultFiles chosen;
    EXPECT_EQ(SaveReplacing(chosen, kTemporary1, ""), SaveOutcome::kSaved);
    EXPECT_EQ(chosen.calls.front(), "write " + kTemporary2);
    EXPECT_EQ(chosen.files, (Folder{{kTemporary1, ""}}));
}

}  // namespace
}  // namespace quorvel
