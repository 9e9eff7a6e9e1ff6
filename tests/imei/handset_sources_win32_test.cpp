#include <windows.h>
#include <gtest/gtest.h>

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
    const std::optional<std::string_view> records = ProgramHandsetSources::BuiltInRecords();
    ASSERT_TRUE(records.has_value());
    EXPECT_GT(records->size(), 800000u);
    EXPECT_EQ(records->substr(records->size() - 3), std::string(3, '\0'));
    EXPECT_EQ(LookupTac("33003300", sources_).fields, "Alcatel|Pocketline Swing|");
    EXPECT_EQ(LookupTac("33003399", sources_).fields, "Alcatel|OT Easy|");
    EXPECT_EQ(LookupTac("99999999", sources_).fields, kUnknownLookupResult);
}

TEST_F(ProgramHandsetSourcesTest, TheUserFileIsInTheProgramFolder) {
    EXPECT_EQ(ProgramHandsetSources::UserFilePath(), test::ProgramFilePath("quorvel.dat"));
    EXPECT_EQ(LookupTac("99999900", sources_).fields, kUnknownLookupResult);
    test::WriteTestFile(ProgramHandsetSources::UserFilePath(),
                        "352099001761481=User\xB6Loses\xB6To built-in\r\n"
                        "999999000000006=Maker \xFC\xB6Model\xB6Ref\r\n");
    EXPECT_EQ(LookupTac("99999900", sources_).fields, "Maker \xFC|Model|Ref");
    EXPECT_EQ(LookupTac("35209900", sources_).fields, "Alcatel|One Touch 332|");
}

TEST_F(ProgramHandsetSourcesTest, AUserFileThatCannotBeReadCountsAsEmpty) {
    ASSERT_TRUE(CreateDirectoryA(ProgramHandsetSources::UserFilePath().c_str(), nullptr));
    EXPECT_EQ(LookupTac("99999900", sources_).fields, kUnknownLookupResult);
    RemoveDirectoryA(ProgramHandsetSources::UserFilePath().c_str());
}

}  // namespace
}  // namespace quorvel
