#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tacdb_csv.h"
#include "tools/real_records.h"

namespace quorvel {
namespace {

using Fields = std::vector<std::string>;

TEST(ParseCsv, SplitsRecordsAndFields) {
    const struct {
        const char* name;
        std::string text;
        std::vector<Fields> records;
        std::vector<std::size_t> lines;
    } cases[] = {
        {"CR LF and LF line ends",
         "a,b\r\nc,d\ne,f",
         {{"a", "b"}, {"c", "d"}, {"e", "f"}},
         {1, 2, 3}},
        {"quoted commas", "1,\"x,y,z\",2\r\n", {{"1", "x,y,z", "2"}}, {1}},
        {"doubled quotes", "\"say \"\"hi\"\"\",\"\"\n", {{"say \"hi\"", ""}}, {1}},
        {"line ends inside quotes count as lines",
         "\"two\r\nlines\",x\r\nnext\r\n",
         {{"two\r\nlines", "x"}, {"next"}},
         {1, 3}},
        {"empty fields", ",a,,\n", {{"", "a", "", ""}}, {1}},
        {"quote inside an unquoted field is kept", "5\" screen,b\n", {{"5\" screen", "b"}}, {1}},
        {"blank line is a record of one empty field", "a\n\nb\n", {{"a"}, {""}, {"b"}}, {1, 2, 3}},
        {"lone CR stays in the field", "a\rb,c\n", {{"a\rb", "c"}}, {1}},
        {"comma at the end of the text", "a,", {{"a", ""}}, {1}},
        {"quoted empty field at the end of the text", "a\n\"\"", {{"a"}, {""}}, {1, 2}},
        {"no text", "", {}, {}},
    };
    for (const auto& c : cases) {
        const std::vector<CsvRecord> parsed = ParseCsv(c.text);
        ASSERT_EQ(parsed.size(), c.records.size()) << c.name;
        for (std::size_t i = 0; i < parsed.size(); ++i) {
            EXPECT_EQ(parsed[i].fields, c.records[i]) << c.name << " record " << i;
            EXPECT_EQ(parsed[i].line, c.lines[i]) << c.name << " record " << i;
        }
    }
}

// The message of the CsvError that reading text throws, or "" when none.
template <typename Read>
std::string CsvErrorOf(Read read, const std::string& text) {
    try {
        read(text);
    } catch (const CsvError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("line " + std::to_string(e.line()) + ": ", 0), 0u) << message;
        return message;
    }
    return "";
}

TEST(ParseCsv, MalformedQuotingIsReportedWithItsLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"a,b\n\"never closed,c\nd\n", "line 2: a quoted field is not closed"},
        {"a\nb\n\"open,\nnever closed\n", "line 3: a quoted field is not closed"},
        {"a\nb\n\"closed\"then more,c\n", "line 3: a quoted field is followed by more text"},
        {"\"x\"\r", "line 1: a quoted field is followed by more text"},
    };
    for (const auto& [text, error] : cases) EXPECT_EQ(CsvErrorOf(ParseCsv, text), error) << text;
}

constexpr const char* kHeader =
    "Osmocom TAC database under CC-BY-SA v3.0 (c) Harald Welte 2016\n"
    "tac,name,name,contributor,comment,gsmarena,gsmarena,aka\r\n";

TEST(ReadTacDatabase, TakesTacMakerModelAndAkaByColumnName) {
    const TacDatabase database =
        ReadTacDatabase(std::string(kHeader) +
                        "49013920,Nokia,1610,OsmoDevCon 2014,,,http://x,\"1610+,1611\"\r\n"
                        " 35572302 ,Nokia,3120 classic,c,,,,RM-364\r\n"
                        "\r\n"
                        "35675904,Oppo,N1,K\xC3\xA9vin,,,,\r\n");
    ASSERT_EQ(database.records.size(), 3u);
    EXPECT_TRUE(database.skippedLines.empty());
    const TacRecord& first = database.records[0];
    EXPECT_EQ(first.tac, "49013920");
    EXPECT_EQ(first.maker, "Nokia");
    EXPECT_EQ(first.model, "1610");
    EXPECT_EQ(first.aka, "1610+,1611");
    EXPECT_EQ(database.records[1].tac, "35572302") << "blanks around a TAC are dropped";
    EXPECT_EQ(database.records[2].aka, "");
}

TEST(ReadTacDatabase, ColumnsAreFoundWhereverTheyStand) {
    const TacDatabase database =
        ReadTacDatabase("notice\naka,name,tac,name\nA1,Maker,01234567,Model\n");
    ASSERT_EQ(database.records.size(), 1u);
    EXPECT_EQ(database.records[0].tac, "01234567");
    EXPECT_EQ(database.records[0].maker, "Maker");
    EXPECT_EQ(database.records[0].model, "Model");
    EXPECT_EQ(database.records[0].aka, "A1");
}

TEST(ReadTacDatabase, RecordsWithoutAnEightDigitTacOrAColumnAreLeftOut) {
    const TacDatabase database = ReadTacDatabase(std::string(kHeader) +
                                                 "1234567,Short,TAC,,,,,\n"      // line 3
                                                 "123456789,Long,TAC,,,,,\n"     // line 4
                                                 "1234567X,Letter,TAC,,,,,\n"    // line 5
                                                 ",Empty,TAC,,,,,\n"             // line 6
                                                 "12345678,Too,few\n"            // line 7
                                                 "87654321,Kept,Model,,,,,\n");  // line 8
    ASSERT_EQ(database.records.size(), 1u);
    EXPECT_EQ(database.records[0].maker, "Kept");
    EXPECT_EQ(database.skippedLines, (std::vector<std::size_t>{3, 4, 5, 6, 7}));
}

TEST(ReadTacDatabase, TheColumnNamesAreOnTheFirstLineThatHoldsThemAll) {
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> tacs;
    } cases[] = {
        {"no notice", "tac,name,name,aka\n01234567,M,N,\n", {"01234567"}},
        {"two notice lines",
         "notice\nmore notice\ntac,name,name,aka\n01234567,M,N,\n",
         {"01234567"}},
        {"blanks around the names",
         "notice\n tac ,name\t, name,aka \n01234567,M,N,\n",
         {"01234567"}},
        {"a line naming only some columns is not the header",
         "tac,name,aka\n11111111,M,N\ntac,name,name,aka\n01234567,M,N,\n",
         {"01234567"}},
        {"tab before a TAC", "tac,name,name,aka\n\t01234567,M,N,\n", {"01234567"}},
    };
    for (const auto& c : cases) {
        const TacDatabase database = ReadTacDatabase(c.text);
        std::vector<std::string> tacs;
        for (const TacRecord& record : database.records) tacs.push_back(record.tac);
        EXPECT_EQ(tacs, c.tacs) << c.name;
        EXPECT_TRUE(database.skippedLines.empty()) << c.name;
    }
}

TEST(ReadTacDatabase, TextWithoutTheColumnNamesIsRefusedAtItsEnd) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"", 1},
        {"only a notice\n", 2},
        {"notice\ntac,name,aka\n1,2,3", 3},
        {"notice\n\"tac\nname\",name,name,aka\n", 4},
    };
    for (const auto& [text, line] : cases) {
        EXPECT_EQ(CsvErrorOf(ReadTacDatabase, text),
                  "line " + std::to_string(line) +
                      ": the text ends before the column names tac, name, name and aka")
            << text;
    }
}

TEST(FirstAlias, IsTheFirstNameOfTheList) {
    const struct {
        const char* aka;
        const char* first;
    } cases[] = {
        {"", ""},
        {"NHK-5NY", "NHK-5NY"},
        {"1610+,1611,1611+", "1610+"},
        {" 6820a ,6820i", "6820a"},
        {",second", ""},
        {"DE: D1-988", "DE: D1-988"},
    };
    for (const auto& c : cases) EXPECT_EQ(FirstAlias(c.aka), c.first) << c.aka;
}

TEST(ReadTacDatabase, ReadsTheWholeHandsetListOfTheRepository) {
    const TacDatabase database = ReadTacDatabase(test::SourceFile("data/tacdb.csv"));
    EXPECT_EQ(database.records.size(), 22527u) << "as many handsets as its notice file names";
    EXPECT_TRUE(database.skippedLines.empty());
    const auto nokia = std::find_if(database.records.begin(), database.records.end(),
                                    [](const TacRecord& r) { return r.tac == "49013920"; });
    ASSERT_NE(nokia, database.records.end());
    EXPECT_EQ(nokia->maker + "|" + nokia->model + "|" + FirstAlias(nokia->aka), "Nokia|1610|1610+");
}

}  // namespace
}  // namespace quorvel
