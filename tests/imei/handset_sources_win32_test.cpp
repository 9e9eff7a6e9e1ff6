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
    EXPECT_EQ(LookupTac("35209900", sources).fields, "Alcatel|One Touch 332|");
    test::WriteTestFile(test::ProgramFilePath("quorvel.dat"), "999999000000006=M\xB6T\xB6R\r\n");
    EXPECT_EQ(LookupTac("99999900", sources).fields, "M|T|R");
    test::DeleteProgramFile(kUserDatabaseFileName);
}

}  // namespace quorvel
