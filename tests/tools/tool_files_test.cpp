// What the tools share: the handset list reader, the conversions between
// Windows-1252 and UTF-8, and writing whole files; and the records builder
// with the records it makes.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "builtin_records.h"
#include "cli/handset_index.h"
#include "file_output.h"
#include "imei/handset_database.h"
#include "records/records_builder.h"
#include "shared/text.h"
#include "support/test_files.h"
#include "tacdb_csv.h"
#include "text_encoding.h"

namespace quorvel {
namespace {

// Records as "line:field|field;".
TEST(ParseCsv, SplitsRecordsAndFields) {
    const std::pair<const char*, const char*> cases[] = {
        {"a,b\r\nc,d\ne,f", "1:a|b;2:c|d;3:e|f;"},
        {"\"say \"\"hi\"\"\",\"\"\n", "1:say \"hi\"|;"},
        {"\"two\r\nlines\",x\r\nnext\r\n", "1:two\r\nlines|x;3:next;"},
        {"a\n\nb\n", "1:a;2:;3:b;"},
        {"a\rb,c\n", "1:a\rb|c;"},
        {"a\n\"\"", "1:a;2:;"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases) {
        std::string records;
        for (const CsvRecord& record : ParseCsv(text)) {
            records += std::to_string(record.line) + ":";
            for (std::size_t k = 0; k < record.fields.size(); ++k)
                records += (k ? "|" : "") + record.fields[k];
            records += ";";
        }
        EXPECT_EQ(records, expected) << text;
    }
}

TEST(ReadTacDatabase, MalformedTextIsRefusedWithItsLine) {
    const std::string noNames = ": the text ends before the column names tac, name, name and aka";
    const std::pair<const char*, std::string> cases[] = {
        {"tac,name,name,aka\n\"never closed,c\nd\n", "line 2: a quoted field is not closed"},
        {"a\nb\n\"closed\"then more,c\n", "line 3: a quoted field is followed by more text"},
        {"\"x\"\r", "line 1: a quoted field is followed by more text"},
        {"", "line 1" + noNames},
        {"notice\ntac,name,aka\n1,2,3", "line 3" + noNames},
        {"n\n\"tac\nname\",name,name,aka\n", "line 4" + noNames},
    };
    for (const auto& [text, error] : cases) {
        try {
            ReadTacDatabase(text);
            ADD_FAILURE() << text;
        } catch (const CsvError& e) {
            EXPECT_EQ(e.what() + std::string(" ") + std::to_string(e.line()),
                      error + " " + error.substr(5, 1));
        }
    }
    // Blank lines are passed over; a line without a TAC or codes is listed.
    const std::vector<std::size_t> line3 = {3};
    EXPECT_EQ(ReadTacDatabase("tac,name,name,aka\n\n1,a,b,c\n").skippedLines, line3);
    EXPECT_EQ(ReadModelCodeList("tac,model\n\n35209900,\n").skippedLines, line3);
}

TEST(WriteFileBytes, ReplacesTheWholeFileOrLeavesTheEarlierOne) {
    const std::string folder = "write-file-bytes";  // in the build folder: runs side by side
    const std::string path = folder + "/out.bin";
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    for (const std::string& bytes :
         {std::string(), std::string("a\0\xFF\r\n", 5), std::string("b")}) {
        ASSERT_TRUE(WriteFileBytes(path, bytes));
        EXPECT_EQ(test::ReadTestFile(path), bytes);
        EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    }
    // No temporary file can be made: the earlier file stays whole.
    ASSERT_TRUE(std::filesystem::create_directory(path + ".tmp"));
    EXPECT_FALSE(WriteFileBytes(path, "later"));
    EXPECT_EQ(test::ReadTestFile(path), "b");
    std::filesystem::remove_all(folder);
}

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

// Each conversion of a text: bytes that are not UTF-8 are taken as
// Windows-1252, letters it lacks become "?". The list's texts as the records
// hold them: Latin letters spelled in ASCII, typographic marks as theirs,
// blanks one space and none at the ends; the reference: the first
// alternative name that is a model code (two to five capitals and digits
// from a capital, a hyphen, then capitals and digits holding a digit); the
// model type: codes grouped by stem, a bare stem first in its group, cut to
// 31 characters at a group or a tail with "...".
TEST(TextConversions, Cp1252Utf8AndTheRecordsFields) {
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte.push_back(static_cast<char>(c));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(everyByte)), everyByte);
    EXPECT_EQ(EncodeUtf8(U"\u0080\U0001F600"), "\xC2\x80\xF0\x9F\x98\x80");
    const auto modelType = [](const std::string& codes) {
        return ModelTypeOfCodes(SplitText(codes, " "));
    };
    const std::tuple<std::string (*)(const std::string&), std::string, std::string> cases[] = {
        {Cp1252ToUtf8, "\xFC\x80\x98\x99\x81", "\xC3\xBC\xE2\x82\xAC\xCB\x9C\xE2\x84\xA2\xC2\x81"},
        {Utf8ToCp1252, "\xE0\xA0\x80\xE4\xB8\xAD\xF0\x9F\x98\x80 \xFC\x80 ab\xC3",
         "??? \xFC\x80 ab\xC3"},
        {Utf8ToCp1252, "\xE2\x82(\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80",
         "\xE2\x82(\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80"},
        {AsciiFieldText, Cp1252ToUtf8(everyByte.substr(0xC0)),
         "AAAAAeAAECEEEEIIIIDNOOOOOexOUUUUeYThssaaaaaeaaeceeeeiiiidnoooooe/ouuuueythy"},
        {AsciiFieldText,
         " \u2018a\u2019\u00B4\t\u201Cb\u201D\n\u2010\u2011\r\u2013\u2014\u00A0\u2026|\u2007\u20AC"
         "\u202Fc ",
         "'a'' \"b\" -- -- .../ c"},
        {ModelCode, "NHL, nhl-10, 1B-2, AB-C, ABCDEF-1, A-1, AB-, AB-1a, Ab-1, ZA09B-0, AB-9",
         "ZA09B-0"},
        {ModelCode, " AB-9 , X", "AB-9"},
        {modelType, "SM-A025M SM-A022F SM-A022G SCV33", "SM-A025M, SM-A022F/G, SCV33"},
        {modelType, "SM-N900P SM-N900 SM-N900T", "SM-N900/P/T"},
        {modelType, "SM-S901B SM-S901E SM-S901N SM-S901U SM-S901U1 SM-S901W SM-S906B SM-S906E",
         "SM-S901B/E/N/U/U1/W, SM-S906B/E"},
        {modelType,
         "SM-A305F SM-A305FN SM-A305G SM-A305GN SM-A305GT SM-A305N SM-A305YN SM-A305DSX SM-A3050",
         "SM-A305F/FN/G/GN/GT/N/YN/DSX..."},
        {modelType, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01..."},
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
