#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "imei/handset_database.h"
#include "imei/handset_sources_win32.h"
#include "settings/settings_store.h"
#include "support/test_files.h"
#include "support/win32_test_support.h"

namespace quorvel {
namespace {

class ProgramHandsetSourcesTest : public ::testing::Test {
protected:
    void SetUp() override { test::DeleteProgramFile(kUserDatabaseFileName); }
    void TearDown() override { test::DeleteProgramFile(kUserDatabaseFileName); }

    ProgramHandsetSources sources_;
};

TEST_F(ProgramHandsetSourcesTest, TheRecordsAreTheModulesResource) {
    const std::optional<std::string> records = sources_.BuiltInRecords();
    ASSERT_TRUE(records.has_value());
    EXPECT_GT(records->size(), 200000u);
    EXPECT_EQ(records->substr(records->size() - 3), std::string(3, '\0'));
    EXPECT_EQ(LookupTac("352099", sources_), "Alcatel|One Touch 332|");
    EXPECT_EQ(LookupTac("351546", sources_), "Nokia|6600|NHL-10");
    EXPECT_EQ(LookupTac("999999", sources_), kUnknownLookupResult);
}

TEST_F(ProgramHandsetSourcesTest, TheUserFileIsInTheProgramFolder) {
    EXPECT_EQ(ProgramHandsetSources::UserFilePath(), test::ProgramFilePath("quorvel.dat"));
    EXPECT_EQ(sources_.UserFile(), std::nullopt);
    EXPECT_EQ(LookupTac("999999", sources_), kUnknownLookupResult);
    test::WriteTestFile(ProgramHandsetSources::UserFilePath(),

                        "352099001761481=User\xB6Loses\xB6To built-in\r\n"
                        "999999000000006=Maker \xFC\xB6Model\xB6Ref\r\n");
    EXPECT_EQ(LookupTac("999999", sources_), "Maker \xFC|Model|Ref");
    EXPECT_EQ(LookupTac("352099", sources_), "Alcatel|One Touch 332|");
}

TEST_F(ProgramHandsetSourcesTest, AUserFileThatCannotBeReadCountsAsEmpty) {
    ASSERT_TRUE(CreateDirectoryA(ProgramHandsetSources::UserFilePath().c_str(), nullptr));
    EXPECT_EQ(sources_.UserFile(), std::nullopt);
    EXPECT_EQ(LookupTac("999999", sources_), kUnknownLookupResult);
    RemoveDirectoryA(ProgramHandsetSources::UserFilePath().c_str());
}

}  // namespace
}  // namespace quorvel
