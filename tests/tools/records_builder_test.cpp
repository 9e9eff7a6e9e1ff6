#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "builtin_records.h"
#include "cli/handset_index.h"
#include "imei/handset_database.h"
#include "records/records_builder.h"
#include "text_encoding.h"

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
        {{"SM-A025M", "SM-A022F", "SM-A022G", "SCV33"}, "SM-A025M, SM-A022F/G, SCV33"},
        {{"SM-N900P", "SM-N900", "SM-N900T"}, "SM-N900/P/T"},
        {{"SM-S901B", "SM-S901E", "SM-S901N", "SM-S901U", "SM-S901U1", "SM-S901W", "SM-S906B",
          "SM-S906E"},
         "SM-S901B/E/N/U/U1/W, SM-S906B/E"},
        {{"SM-A305F", "SM-A305FN", "SM-A305G", "SM-A305GN", "SM-A305GT", "SM-A305N", "SM-A305YN",
          "SM-A305DSX", "SM-A3050"},
         "SM-A305F/FN/G/GN/GT/N/YN/DSX..."},
        {{"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"}, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01..."},
    };
    for (const auto& [codes, expected] : cases) EXPECT_EQ(ModelTypeOfCodes(codes), expected);
}

// The list's texts as the records hold them: Latin letters spelled in
// ASCII, typographic marks as theirs, blanks one space and none at the ends;
// and the reference: the first alternative name that is a model code (two
// to five capitals and digits from a capital, a hyphen, then capitals and
// digits holding a digit).
TEST(RecordsBuilder, FieldTextsAndModelCodes) {
    std::string latin1;
    for (int c = 0xC0; c <= 0xFF; ++c) latin1.push_back(static_cast<char>(c));
    const std::tuple<std::string (*)(const std::string&), std::string, std::string> cases[] = {
        {AsciiFieldText, Cp1252ToUtf8(latin1),
         "AAAAAeAAECEEEEIIIIDNOOOOOexOUUUUeYThssaaaaaeaaeceeeeiiiidnoooooe/ouuuueythy"},
        {AsciiFieldText,
         " \u2018a\u2019\u00B4\t\u201Cb\u201D\n\u2010\u2011\r\u2013\u2014\u00A0\u2026|\u2007\u20AC"
         "\u202Fc ",
         "'a'' \"b\" -- -- .../ c"},
        {ModelCode, "NHL, nhl-10, 1B-2, AB-C, ABCDEF-1, A-1, AB-, AB-1a, Ab-1, ZA09B-0, AB-9",
         "ZA09B-0"},
        {ModelCode, " AB-9 , X", "AB-9"},
    };
    for (const auto& [convert, text, expected] : cases) EXPECT_EQ(convert(text), expected) << text;
}

// Real TACs of each list and lines of a user file, through quorvel-cli's
// index of the committed records.
TEST(BuiltInRecords, AnswerForTheirOwnTacsAndTheUserFileForTheRest) {
    const std::string records = BuiltInRecordBytes();
    HandsetIndex index(records, std::make_unique<std::istringstream>(
                                    "350139980000006=Learnt\xB6One\xB6L-1\r\n350139670000001=Learnt"
                                    "\xB6Loses\xB6-\r\n353999=Hand\xB6Written\xB6H-6\r\n"));
    const std::pair<std::string, std::string> cases[] = {
        // Samsung's, in a block whose rows of tacdb.csv are all Nokia 3310.
        {"35013967", "Samsung|SM-S908B/E/N/U/U1/W...|SM-S908B tac8"},
        {"35066600", "Siemens|SL45i| tac8"},  // Samsung's too: tacdb.csv wins
        {"35001390", "Samsung|SM-A336B/M/E/N, SM-A3360|SM-A336B tac8"},  // on two lines
        {"35013999", kUnknownLookupResult + std::string(" none")},
        {"12312312", kUnknownLookupResult + std::string(" none")},  // a placeholder
        {"35013998", "Learnt|One|L-1 user-file"},
        {"35399950", "Hand|Written|H-6 user-file"},
    };
    for (const auto& [tac, expected] : cases) {
        const TacAnswer answer = LookupTac(tac, index);
        EXPECT_EQ(answer.fields + " " + TacMatchName(answer.matchedBy), expected);
    }
    EXPECT_EQ(index.SearchBuiltIn("350139"), std::nullopt);  // a key of six: no record has one
}

}  // namespace
}  // namespace quorvel
