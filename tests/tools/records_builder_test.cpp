#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "builtin_records.h"
#include "cli/handset_index.h"
#include "imei/handset_database.h"
#include "records/records_builder.h"
#include "tacdb_csv.h"

namespace quorvel {
namespace {

const char* const kHeader =
    "Osmocom TAC database under CC-BY-SA v3.0 (c) Harald Welte 2016\n"
    "tac,name,name,contributor,comment,gsmarena,gsmarena,aka\n";

std::string Row(const std::string& tac, const std::string& maker, const std::string& model,
                const std::string& aka = "") {
    return tac + "," + maker + "," + model + ",someone,,,," + aka + "\n";
}

std::string Fields(const HandsetRecord& record) {
    return record.tac + " " + record.manufacturer + "|" + record.modelType + "|" + record.reference;
}

TEST(AsciiFieldText, KeepsOnlyWhatScramblingCarries) {
    const std::pair<const char*, const char*> cases[] = {
        {"Keller AG f\xC3\xBCr Druckmesstechnik", "Keller AG fuer Druckmesstechnik"},
        {"M&N Logistik-L\xC3\xB6sungen", "M&N Logistik-Loesungen"},
        {"K\xC3\xA9vin \xC3\x85ngstr\xC3\xB6m Stra\xC3\x9F"
         "e",
         "Kevin Angstroem Strasse"},
        {"  One\tTouch\xC2\xA0  332  ", "One Touch 332"},
        {"A|B", "A/B"},
        {"\xE2\x80\x9CQuote\xE2\x80\x9D \xE2\x80\x93 x\xE2\x80\xA6", "\"Quote\" - x..."},
        {"\xFC", "ue"},  // not UTF-8: read as Windows-1252
        {"", ""},
    };
    for (const auto& [utf8, ascii] : cases) EXPECT_EQ(AsciiFieldText(utf8), ascii) << utf8;
}

TEST(ModelCode, FirstCodeOfTheAlternativeNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"7610,Calimero,NHL-10,NHL-10 (DCT-4),RH-51", "NHL-10"},
        {"1610+,1611,1611+,NHE-5NX", "NHE-5NX"},
        {" RM-235 ,RM-236", "RM-235"},
        {"GT-S5230 Star,SGH-S5230", "SGH-S5230"},
        {"1101801-BV,A3618s", ""},   // starts with a digit
        {"C2-03 Touch,Type", ""},    // holds a space
        {"X-1,ABCDEF-1,Ab-12", ""},  // head too short, too long, lowercase
        {"AB-CD", ""},               // no digit after the hyphen
    };
    for (const auto& [names, code] : cases) EXPECT_EQ(ModelCode(names), code) << names;
}

TEST(BuildHandsetRecords, OneRecordPerPrefixNamingTheMostCommonModel) {
    const std::string csv =
        std::string(kHeader) + Row("35209903", "Nokia", "6600", "\"7610,NHL-10,RH-51\"") +
        Row("35209901", "Alcatel", "OT 332") + Row("35209902", "NOKIA", "6600 ", "RH-51") +
        Row("35209900", "Alcatel", "OT 332") + Row("35209904", "nokia", "6600") +
        Row("49015400", "Siemens", "S45", "\"S45i,\"\"quoted\"\"\"") +
        Row("49015499", "Siemens", "ME45", "ME-45") + Row(" 01020300 ", "Motorola", "V3") +
        Row("35209904", "Later", "Row") + Row("0102030", "Short", "TAC") +
        Row("0102030x", "Bad", "TAC") + Row("01020399", "", "") + "\n01020400,Too,Few\n";
    const RecordsBuild build = BuildHandsetRecords(csv);
    std::vector<std::string> records;
    for (const HandsetRecord& record : build.records) records.push_back(Fields(record));
    EXPECT_EQ(records, std::vector<std::string>({
                           "010203 Motorola|V3|",
                           "01020300 Motorola|V3|",
                           // three Nokia rows against two Alcatel ones, whatever
                           // their case; spelled as the lowest TAC, 35209902, spells
                           // it, and with the first model code in TAC order
                           "352099 NOKIA|6600|RH-51",
                           // each TAC names its own handset, from its first row,
                           // with its own model code or else its model's
                           "35209900 Alcatel|OT 332|",
                           "35209901 Alcatel|OT 332|",
                           "35209902 NOKIA|6600|RH-51",
                           "35209903 Nokia|6600|NHL-10",
                           "35209904 nokia|6600|RH-51",
                           // a tie goes to the lowest TAC
                           "490154 Siemens|S45|",
                           "49015400 Siemens|S45|",
                           "49015499 Siemens|ME45|ME-45",
                       }));
    EXPECT_EQ(build.rowsUsed, 9u);
    EXPECT_EQ(build.rowsSkipped, 4u) << "a blank line is no row";
}

TEST(BuildHandsetRecords, RefusesAListWithoutItsHeaderOrWithBadQuoting) {
    EXPECT_THROW(BuildHandsetRecords(Row("35209903", "Nokia", "6600")), CsvError);
    EXPECT_THROW(BuildHandsetRecords(std::string(kHeader) + "\"3520\"9903,Nokia,6600,,,,,\n"),
                 CsvError);
}

std::string SourceFile(const std::string& path) {
    return ReadFileBytes(QUORVEL_SOURCE_DIR "/" + path).value_or("");
}

TEST(RealRecords, TheCommittedResourceIsWhatTheBuilderMakes) {
    const std::string committed = SourceFile("Source/resources/handset_records.bin");
    const std::string rebuilt =
        EncodeHandsetRecords(BuildHandsetRecords(SourceFile("data/tacdb.csv")).records);
    ASSERT_EQ(committed.size(), rebuilt.size());
    EXPECT_TRUE(committed == rebuilt) << "run quorvel-records-builder data/tacdb.csv "
                                         "Source/resources/handset_records.bin";
}

// quorvel-cli's index of the records answers as a search of them does.
TEST(HandsetIndex, AgreesWithTheSearchOnRealAndDamagedRecords) {
    const std::string own = EncodeBuiltInRecord("35209901", "Alcatel|OT 332|");
    const std::string prefix = EncodeBuiltInRecord("352099", "Nokia|6600|NHL-10");
    const std::string damaged[] = {
        BuiltInRecordBytes(),
        own.substr(0, own.size() - 1) + prefix,
        own.substr(0, 8) + own.substr(9) + prefix,
        "x" + own + prefix,
        prefix + own + EncodeBuiltInRecord("35209901", "Later"),
        EncodeBuiltInRecord("3520990", "Seven") + prefix + own + std::string(3, '\0')};
    std::vector<std::string> tacs = {"35209901", "35209900", "00352099"};
    for (int n = 0; n < 100000000; n += 99991) tacs.push_back(std::to_string(10000000 + n));
    for (const std::string& records : damaged) {
        HandsetIndex index(records, std::make_unique<std::istringstream>("35111100=A\r\n"));
        for (const std::string& tac : tacs) {
            const SourceAnswer expected = SearchBuiltInRecords(records, tac);
            const SourceAnswer answer = index.SearchBuiltIn(tac);
            ASSERT_EQ(answer.tac, expected.tac) << tac;
            if (!expected.tac) {
                ASSERT_EQ(answer.prefix, expected.prefix) << tac;
            }
        }
        EXPECT_EQ(index.SearchUserFile("35111100").tac, "A");  // from the start every time
        EXPECT_EQ(index.SearchUserFile("35111100").tac, "A");
    }
}

}  // namespace
}  // namespace quorvel
