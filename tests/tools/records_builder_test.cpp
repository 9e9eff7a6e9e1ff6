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

TEST(RecordsBuilder, OneRecordPerTacAndPerPrefixNamingTheMostCommonModel) {
    const RecordsBuild build = BuildHandsetRecords(
        "notice\ntac,name,aka\ntac, name ,name,aka\n\t35209903,Nokia,6600,\"7610,NHL-10,RH-51\"\n"
        "35209901,Alcatel,OT 332,\n35209902,NOKIA,6600 ,RH-51\n35209900,Alcatel,OT 332,\n"
        "35209904,nokia,6600,\n49015400,Siemens,S45,\"S45i,\"\"quoted\"\"\"\n"
        "49015499,Siemens,ME45,ME-45\n 01020300 ,Motorola,V3,\n35209904,Later,Row,\n"
        "0102030,Short,TAC,\n0102030x,Bad,TAC,\n01020399,,,\n\n01020400,Too\n");
    std::string records;
    for (const HandsetRecord& r : build.records)
        records += r.tac + " " + r.manufacturer + "|" + r.modelType + "|" + r.reference + ";";
    // Three Nokia rows against two Alcatel ones, whatever their case, spelled
    // as the lowest TAC spells it, with the first model code in TAC order;
    // each TAC from its first row; a tie goes to the lowest TAC.
    EXPECT_EQ(records,
              "010203 Motorola|V3|;01020300 Motorola|V3|;352099 NOKIA|6600|RH-51;"
              "35209900 Alcatel|OT 332|;35209901 Alcatel|OT 332|;35209902 NOKIA|6600|RH-51;"
              "35209903 Nokia|6600|NHL-10;35209904 nokia|6600|RH-51;490154 Siemens|S45|;"
              "49015400 Siemens|S45|;49015499 Siemens|ME45|ME-45;");
    EXPECT_EQ(build.rowsUsed, 9u);
    EXPECT_EQ(build.rowsSkipped, 4u) << "a blank line is no row";
}

TEST(RecordsBuilder, TheCommittedResourceIsWhatTheBuilderMakes) {
    const std::string rebuilt =
        EncodeHandsetRecords(BuildHandsetRecords(SourceFile("data/tacdb.csv")).records);
    EXPECT_TRUE(SourceFile("Source/resources/handset_records.bin") == rebuilt)
        << "run quorvel-records-builder data/tacdb.csv Source/resources/handset_records.bin";
}

// quorvel-cli's index of the records answers as a search of them does.
TEST(HandsetIndex, AgreesWithTheSearchOnRealAndDamagedRecords) {
    const std::string own = EncodeBuiltInRecord("35209901", "A"),
                      prefix = EncodeBuiltInRecord("352099", "N");
    std::vector<std::string> tacs = {"35209901", "35209900", "00352099"};
    const std::vector<TacRecord> rows = ReadTacDatabase(SourceFile("data/tacdb.csv")).records;
    for (std::size_t k = 0; k < rows.size(); k += 37)
        tacs.push_back(k % 2 ? rows[k].tac : rows[k].tac.substr(0, 6) + "99");
    for (const std::string& records : {BuiltInRecordBytes(), own.substr(0, own.size() - 1) + prefix,
                                       own.substr(0, 8) + own.substr(9) + prefix,
                                       prefix + own + EncodeBuiltInRecord("35209901", "Later")}) {
        HandsetIndex index(records, std::make_unique<std::istringstream>("35111100=U\r\n"));
        for (const std::string& tac : tacs) {
            const SourceAnswer expected = SearchBuiltInRecords(records, tac);
            const SourceAnswer answer = index.SearchBuiltIn(tac);
            ASSERT_EQ(
                answer.tac.value_or("-") + (expected.tac ? "" : answer.prefix.value_or("-")),
                expected.tac.value_or("-") + (expected.tac ? "" : expected.prefix.value_or("-")))
                << tac;
        }
        EXPECT_EQ(index.SearchUserFile("35111100").tac, "U");  // from the start every time
        EXPECT_EQ(index.SearchUserFile("35111100").tac, "U");
    }
}

}  // namespace
}  // namespace quorvel
