#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/fake_result_files.h"
#include "ui/safe_save.h"

namespace quorvel {
namespace {

using test::FakeResultFiles;

const std::string kTarget = "C:\\results\\phone.txt";
const std::string kFirstTemporary = "C:\\results\\~qv1.tmp";
const std::string kOldBytes = "old result\r\n";
const std::string kNewBytes = "Input IMEI: 35 209900 176148 1\r\n\xA4\xFC\x98 end";

TEST(TemporaryPathBeside, IsInTheFolderOfTheChosenFile) {
    struct Case {
        const char* path;
        int attempt;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\results\\phone.txt", 1, "C:\\results\\~qv1.tmp"},
        {"C:\\results\\phone.txt", 42, "C:\\results\\~qv42.tmp"},
        {"Z:/tmp/phone.txt", 2, "Z:/tmp/~qv2.tmp"},
        {"C:\\a/b\\c.txt", 3, "C:\\a/b\\~qv3.tmp"},
        {"C:\\a\\b/c.txt", 3, "C:\\a\\b/~qv3.tmp"},
        {"C:\\phone.txt", 1, "C:\\~qv1.tmp"},
        {"phone.txt", 1, "~qv1.tmp"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TemporaryPathBeside(c.path, c.attempt), c.expected) << c.path;
    }
}

// Each case starts from a folder that may hold the chosen file and files of
// the temporary names, and ends with what the folder holds.
TEST(SaveReplacing, LeavesTheNewTextOrTheOldFileAndNothingElse) {
    struct Case {
        const char* name;
        std::map<std::string, std::string> before;
        bool refuseNewFiles;
        int bytesBeforeWriteFails;
        bool refuseReplace;
        SaveOutcome outcome;
        std::map<std::string, std::string> after;
    };
    const std::string second = "C:\\results\\~qv2.tmp";
    const Case cases[] = {
        {"new file", {}, false, -1, false, SaveOutcome::kSaved, {{kTarget, kNewBytes}}},
        {"over an existing file",
         {{kTarget, kOldBytes}},
         false,
         -1,
         false,
         SaveOutcome::kSaved,
         {{kTarget, kNewBytes}}},
        {"a temporary name is taken",
         {{kFirstTemporary, "someone else's"}},
         false,
         -1,
         false,
         SaveOutcome::kSaved,
         {{kFirstTemporary, "someone else's"}, {kTarget, kNewBytes}}},
        {"folder refuses new files",
         {{kTarget, kOldBytes}},
         true,
         -1,
         false,
         SaveOutcome::kFolderRefused,
         {{kTarget, kOldBytes}}},
        {"write stops part-way",
         {{kTarget, kOldBytes}},
         false,
         5,
         false,
         SaveOutcome::kWriteFailed,
         {{kTarget, kOldBytes}}},
        {"write of nothing fails", {}, false, 0, false, SaveOutcome::kWriteFailed, {}},
        {"replace refused",
         {{kTarget, kOldBytes}, {second, "kept"}},
         false,
         -1,
         true,
         SaveOutcome::kReplaceFailed,
         {{kTarget, kOldBytes}, {second, "kept"}}},
    };
    for (const Case& c : cases) {
        FakeResultFiles files;
        files.files = c.before;
        files.refuseNewFiles = c.refuseNewFiles;
        files.bytesBeforeWriteFails = c.bytesBeforeWriteFails;
        files.refuseReplace = c.refuseReplace;
        EXPECT_EQ(SaveReplacing(files, kTarget, kNewBytes), c.outcome) << c.name;
        EXPECT_EQ(files.files, c.after) << c.name;
    }
}

TEST(SaveReplacing, WritesTheBytesUnchangedEvenWhenEmpty) {
    for (const std::string& text : {std::string(), std::string("\r\n"), kNewBytes}) {
        FakeResultFiles files;
        EXPECT_EQ(SaveReplacing(files, kTarget, text), SaveOutcome::kSaved);
        EXPECT_EQ(files.files, (std::map<std::string, std::string>{{kTarget, text}}));
    }
}

TEST(SaveReplacing, GivesUpWhenEveryTemporaryNameIsTaken) {
    FakeResultFiles files;
    for (int attempt = 1; attempt <= kTemporaryNameAttempts; ++attempt) {
        files.files[TemporaryPathBeside(kTarget, attempt)] = "taken";
    }
    const auto before = files.files;
    EXPECT_EQ(SaveReplacing(files, kTarget, kNewBytes), SaveOutcome::kFolderRefused);
    EXPECT_EQ(files.files, before);
    EXPECT_EQ(files.calls.size(), static_cast<std::size_t>(kTemporaryNameAttempts));
}

TEST(SaveReplacing, NeverWritesTheChosenFileAsItsOwnTemporaryFile) {
    FakeResultFiles files;
    EXPECT_EQ(SaveReplacing(files, kFirstTemporary, kNewBytes), SaveOutcome::kSaved);
    EXPECT_EQ(files.calls, (std::vector<std::string>{
                               "write C:\\results\\~qv2.tmp",
                               "replace C:\\results\\~qv2.tmp " + kFirstTemporary,
                           }));
    EXPECT_EQ(files.files, (std::map<std::string, std::string>{{kFirstTemporary, kNewBytes}}));
}

}  // namespace
}  // namespace quorvel
