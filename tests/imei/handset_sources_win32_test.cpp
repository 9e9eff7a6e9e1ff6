#include <gtest/gtest.h>

#include "imei/handset_database.h"
#include "imei/handset_sources_win32.h"
#include "support/test_files.h"
#include "support/win32_test_support.h"

namespace quorvel {

// The built-in records are the program's resource and the user file is
// quorvel.dat in the program folder.
TEST(ProgramHandsetSources, ReadsTheResourceAndTheUserFileInTheProgramFolder) {
    ProgramHandsetSources sources;
    const std::string userFile = test::ProgramFilePath("quorvel.dat");
    EXPECT_EQ(LookupTac("35209900", sources).fields, "Alcatel|One Touch 332|");
    test::WriteTestFile(userFile, "999999000000006=Maker \xFC\xB6Model\xB6Ref\r\n");
    EXPECT_EQ(LookupTac("99999900", sources).fields, "Maker \xFC|Model|Ref");
    test::DeleteProgramFile(kUserDatabaseFileName);
}

}  // namespace quorvel
