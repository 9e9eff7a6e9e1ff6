#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/fake_result_files.h"
#include "ui/safe_save.h"

namespace quorvel {

// What the faults leave is tested with the save command, over this fake and
// over the real files. The new file is "~qv1.tmp", "~qv2.tmp", ... in the
// chosen file's folder, never the chosen file itself; the folder refuses
// after 100 names taken.
TEST(SafeSave, TriesTemporaryNamesBesideTheChosenFile) {
    EXPECT_EQ(TemporaryPathBeside("C:\\a/b\\c.txt", 42), "C:\\a/b\\~qv42.tmp");
    EXPECT_EQ(TemporaryPathBeside("C:\\a\\b/c.txt", 3), "C:\\a\\b/~qv3.tmp");
    EXPECT_EQ(TemporaryPathBeside("phone.txt", 1), "~qv1.tmp");
    test::FakeResultFiles files;
    for (int attempt = 1; attempt <= 100; ++attempt)
        files.files[TemporaryPathBeside("C:\\results\\phone.txt", attempt)] = "taken";
    EXPECT_EQ(SaveReplacing(files, "C:\\results\\phone.txt", ""), SaveOutcome::kFolderRefused);
    EXPECT_EQ(files.calls.size(), 100u);
    test::FakeResultFiles chosen;
    const std::string qv1 = "C:\\results\\~qv1.tmp";
    EXPECT_EQ(SaveReplacing(chosen, qv1, ""), SaveOutcome::kSaved);
    EXPECT_EQ(chosen.calls.front(), "write C:\\results\\~qv2.tmp");
    EXPECT_EQ(chosen.files, (std::map<std::string, std::string>{{qv1, ""}}));
}

}  // namespace quorvel
