#include <gtest/gtest.h>

#include <sstream>

#include "builtin_records.h"
#include "cli/handset_index.h"
#include "imei/handset_database.h"
#include "records/records_builder.h"
#include "tacdb_csv.h"

namespace quorvel {
namespace {

std::string SourceFile(const std::string& path) {
    return ReadFileBytes(QUORVEL_SOURCE_DIR "/" + path).value_or("");
}

// The whole handset list of the repository goes through the builder: the
// resource it makes is the committed one, byte for byte.
TEST(RecordsBuilder, TheCommittedResourceIsWhatTheBuilderMakes) {
    const std::string rebuilt =
        EncodeHandsetRecords(BuildHandsetRecords(SourceFile("data/tacdb.csv")).records);
    EXPECT_TRUE(SourceFile("Source/resources/handset_records.bin") == rebuilt)
        << "run quorvel-records-builder data/tacdb.csv Source/resources/handset_records.bin";
}

// quorvel-cli's index of the records answers as a search of them does, and
// searches the user file from its start every time.
TEST(HandsetIndex, AgreesWithTheSearch) {
    const std::string records = BuiltInRecordBytes();
    HandsetIndex index(records, std::make_unique<std::istringstream>("35111100=U\r\n"));
    const std::vector<TacRecord> rows = ReadTacDatabase(SourceFile("data/tacdb.csv")).records;
    for (std::size_t k = 0; k < rows.size(); k += 37) {
        for (const std::string& tac :
             {rows[k].tac, rows[k].tac.substr(0, 6) + "99", "0" + rows[k].tac.substr(1)}) {
            const SourceAnswer expected = SearchBuiltInRecords(records, tac);
            const SourceAnswer answer = index.SearchBuiltIn(tac);
            ASSERT_EQ(answer.tac.value_or(answer.prefix.value_or("-")),
                      expected.tac.value_or(expected.prefix.value_or("-")))
                << tac;
        }
        ASSERT_EQ(index.SearchUserFile("35111100").tac, "U");
    }
}

}  // namespace
}  // namespace quorvel
