// What the tools share: the handset list reader, the conversions between
// Windows-1252 and UTF-8, and writing whole files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "file_output.h"
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

// Bytes that are not UTF-8 are taken as Windows-1252; letters it lacks become "?".
TEST(TextEncoding, Cp1252AndUtf8BothWays) {
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte.push_back(static_cast<char>(c));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(everyByte)), everyByte);
    EXPECT_EQ(Cp1252ToUtf8("\xFC\x80\x98\x99\x81"),
              "\xC3\xBC\xE2\x82\xAC\xCB\x9C\xE2\x84\xA2\xC2\x81");
    EXPECT_EQ(Utf8ToCp1252("\xE0\xA0\x80\xE4\xB8\xAD\xF0\x9F\x98\x80 \xFC\x80 ab\xC3"),
              "??? \xFC\x80 ab\xC3");
    EXPECT_EQ(EncodeUtf8(U"\u0080\U0001F600"), "\xC2\x80\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82(\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80"),
              "\xE2\x82(\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80");
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

}  // namespace
}  // namespace quorvel
