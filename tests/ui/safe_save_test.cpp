#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

#include "support/fake_result_files.h"
#include "ui/safe_save.h"

namespace quorvel {

using Folder = std::map<std::string, std::string>;
using O = SaveOutcome;

const std::string kTarget = "C:\\results\\phone.txt";
const std::string kQv1 = "C:\\results\\~qv1.tmp";
const std::string kQv2 = "C:\\results\\~qv2.tmp";
const std::string kNew = "IMEI\r\n\xA4\xFC\x98";

// Faults: none (-), the folder refuses new files (n), the write stops after
// two bytes (w), the replace is refused (r). Whatever fails, the old file is
// as it was and no temporary file of ours is left. The new file is
// "~qv1.tmp", "~qv2.tmp", ... in the chosen file's folder, never the chosen
// file itself; the folder refuses after 100 names taken.
TEST(SafeSave, LeavesTheNewTextOrTheOldFileAndNoTemporaryName) {
    const std::tuple<Folder, char, SaveOutcome, Folder> cases[] = {
        {{}, '-', O::kSaved, {{kTarget, kNew}}},
        {{{kTarget, "old"}}, '-', O::kSaved, {{kTarget, kNew}}},
        {{{kQv1, "other"}}, '-', O::kSaved, {{kQv1, "other"}, {kTarget, kNew}}},
        {{{kTarget, "old"}}, 'n', O::kFolderRefused, {{kTarget, "old"}}},
        {{{kTarget, "old"}}, 'w', O::kWriteFailed, {{kTarget, "old"}}},
        {{{kTarget, "old"}, {kQv2, "x"}}, 'r', O::kReplaceFailed, {{kTarget, "old"}, {kQv2, "x"}}},
    };
    for (const auto& [before, fault, outcome, after] : cases) {
        test::FakeResultFiles files;
        files.files = before;
        files.refuseNewFiles = fault == 'n';
        files.bytesBeforeWriteFails = fault == 'w' ? 2 : -1;
        files.refuseReplace = fault == 'r';
        EXPECT_EQ(SaveReplacing(files, kTarget, kNew), outcome) << fault;
        EXPECT_EQ(files.files, after) << fault;
    }
    EXPECT_EQ(TemporaryPathBeside("C:\\a/b\\c.txt", 42), "C:\\a/b\\~qv42.tmp");
    EXPECT_EQ(TemporaryPathBeside("C:\\a\\b/c.txt", 3), "C:\\a\\b/~qv3.tmp");
    EXPECT_EQ(TemporaryPathBeside("phone.txt", 1), "~qv1.tmp");
    test::FakeResultFiles files;
    for (int attempt = 1; attempt <= 100; ++attempt)
        files.files[TemporaryPathBeside(kTarget, attempt)] = "taken";
    EXPECT_EQ(SaveReplacing(files, kTarget, kNew), O::kFolderRefused);
    EXPECT_EQ(files.calls.size(), 100u);
    test::FakeResultFiles chosen;
    EXPECT_EQ(SaveReplacing(chosen, kQv1, ""), O::kSaved);
    EXPECT_EQ(chosen.calls.front(), "write " + kQv2);
    EXPECT_EQ(chosen.files, (Folder{{kQv1, ""}}));
}

}  // namespace quorvel
