#include <gtest/gtest.h>

#include <sstream>

#include "builtin_records.h"
#include "cli/handset_index.h"
#include "imei/handset_database.h"
#include "records/records_builder.h"
#include "support/test_files.h"
#include "tacdb_csv.h"

namespace quorvel {
namespace {

std::string SourceFile(const std::string& path) {
    return ReadFileBytes(QUORVEL_SOURCE_DIR "/" + path).value_or("");
}

// Both handset lists of the repository go through the builder: the resource
// it makes is the committed one, byte for byte. 281 TACs are in both lists,
// 14 of them under another maker.
TEST(RecordsBuilder, TheCommittedResourceIsWhatTheBuilderMakes) {
    const RecordsBuild build =
        BuildHandsetRecords(SourceFile("data/tacdb.csv"), SourceFile("data/samsung-tacs.csv"));
    EXPECT_TRUE(SourceFile("Source/resources/handset_records.bin") ==
                EncodeHandsetRecords(build.records))
        << "run quorvel-records-builder data/tacdb.csv data/samsung-tacs.csv "
           "Source/resources/handset_records.bin";
    EXPECT_EQ(build.samsungTacsInTacdb, 281u);
    EXPECT_EQ(build.otherMakerTacs.size(), 14u);
}

// The short form: codes grouped by stem, a bare stem first in its group,
// cut to 31 characters at a group or a tail with "...".
TEST(RecordsBuilder, ModelTypeOfCodes) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"SM-S908B", "SM-S908E", "SM-S908N", "SM-S908U", "SM-S908U1", "SM-S908W", "SM-S9080",
          "SC-52C", "SCG14"},
         "SM-S908B/E/N/U/U1/W..."},
        {{"SM-A025M", "SM-A022F", "SM-A022G", "SCV33"}, "SM-A025M, SM-A022F/G, SCV33"},
        {{"SM-N900P", "SM-N900", "SM-N900T"}, "SM-N900/P/T"},
        {{"SM-S901B", "SM-S901E", "SM-S901N", "SM-S901U", "SM-S901U1", "SM-S901W", "SM-S906B",
          "SM-S906E"},
         "SM-S901B/E/N/U/U1/W, SM-S906B/E"},
        {{"SM-A305F", "SM-A305FN", "SM-A305G", "SM-A305GN", "SM-A305GT", "SM-A305N", "SM-A305YN",
          "SM-A305DSX", "SM-A3050"},
         "SM-A305F/FN/G/GN/GT/N/YN/DSX..."},
        {{std::string(40, 'X')}, std::string(28, 'X') + "..."},
    };
    for (const auto& [codes, expected] : cases) EXPECT_EQ(ModelTypeOfCodes(codes), expected);
}

// Real TACs of each list and lines of a user file, through the lookup over
// the committed records and through quorvel-cli's index of them.
TEST(BuiltInRecords, AnswerForTheirOwnTacsAndTheUserFileForTheRest) {
    const std::string user =
        "350139980000006=Learnt\xB6One\xB6L-1\r\n350139670000001=Learnt\xB6Loses\xB6-\r\n"
        "353999=Hand\xB6Written\xB6H-6\r\n";
    const std::string path = test::PerTestFileName("records_builder_test-", ".dat");
    test::WriteTestFile(path, user);
    FileHandsetSources sources(BuiltInRecordBytes(), path);
    HandsetIndex index(BuiltInRecordBytes(), std::make_unique<std::istringstream>(user));
    const TacMatch tac8 = TacMatch::kTac8, userFile = TacMatch::kUserFile,
                   unknown = TacMatch::kNone;
    const std::tuple<std::string, std::string, TacMatch> cases[] = {
        {"35209900", "Alcatel|One Touch 332|", tac8},
        // Samsung's, in a block whose rows of tacdb.csv are all Nokia 3310.
        {"35013967", "Samsung|SM-S908B/E/N/U/U1/W...|SM-S908B", tac8},
        {"35066600", "Siemens|SL45i|", tac8},  // Samsung's too: tacdb.csv wins
        {"35001390", "Samsung|SM-A336B/M/E/N, SM-A3360|SM-A336B", tac8},  // on two lines
        {"35013999", kUnknownLookupResult, unknown},
        {"12312312", kUnknownLookupResult, unknown},  // a placeholder
        {"35013998", "Learnt|One|L-1", userFile},
        {"35013997", kUnknownLookupResult, unknown},  // a sibling of the learnt TAC
        {"35399950", "Hand|Written|H-6", userFile},
        {"35399900", "Sony Ericsson|T610|", tac8},
    };
    for (const auto& [tac, fields, matchedBy] : cases) {
        for (HandsetSources* from : std::initializer_list<HandsetSources*>{&sources, &index}) {
            const TacAnswer answer = LookupTac(tac, *from);
            EXPECT_EQ(answer.fields + " " + TacMatchName(answer.matchedBy),
                      fields + " " + TacMatchName(matchedBy));
        }
    }
    std::remove(path.c_str());
}

// quorvel-cli's index of the records answers as a search of them does.
TEST(HandsetIndex, AgreesWithTheSearch) {
    const std::string records = BuiltInRecordBytes();
    HandsetIndex index(records, nullptr);
    const std::vector<TacRecord> rows = ReadTacDatabase(SourceFile("data/tacdb.csv")).records;
    for (std::size_t k = 0; k < rows.size(); k += 37) {
        for (const std::string& tac : {rows[k].tac, rows[k].tac.substr(0, 6) + "99",
                                       "0" + rows[k].tac.substr(1), rows[k].tac.substr(0, 6)}) {
            ASSERT_EQ(index.SearchBuiltIn(tac), SearchBuiltInRecords(records, tac)) << tac;
        }
    }
}

}  // namespace
}  // namespace quorvel
