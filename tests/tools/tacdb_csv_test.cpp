#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tacdb_csv.h"

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

TEST(ParseCsv, MalformedQuotingIsReportedWithItsLine) {
    const struct {
        const char* text;
        std::size_t line;
    } cases[] = {
        {"a,b\n\"never closed,c\nd\n", 2},
        {"a\nb\n\"closed\"then more,c\n", 3},
        {"\"x\"\r", 1},
    };
    for (const auto& c : cases) {
        try {
            ParseCsv(c.text);
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const CsvError& e) {
            EXPECT_EQ(e.line(), c.line) << c.text;
        }
    }
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

TEST(ReadTacDatabase, TextWithoutTheColumnNamesIsRefused) {
    for (const std::string text : {"", "only a notice\n", "notice\ntac,name,aka\n1,2,3\n",
                                   "tac,name,name,contributor,comment,gsmarena,gsmarena,aka\n"
                                   "49013920,Nokia,1610,,,,,\n"}) {
        EXPECT_THROW(ReadTacDatabase(text), CsvError) << text;
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
    std::ifstream file(QUORVEL_TACDB_CSV, std::ios::binary);
    ASSERT_TRUE(file) << QUORVEL_TACDB_CSV;
    std::ostringstream text;
    text << file.rdbuf();
    const TacDatabase database = ReadTacDatabase(text.str());
    EXPECT_EQ(database.records.size(), 22527u) << "as many handsets as its notice file names";
    EXPECT_TRUE(database.skippedLines.empty());
    const auto nokia = std::find_if(database.records.begin(), database.records.end(),
                                    [](const TacRecord& r) { return r.tac == "49013920"; });
    ASSERT_NE(nokia, database.records.end());
    EXPECT_EQ(nokia->maker + "|" + nokia->model + "|" + FirstAlias(nokia->aka), "Nokia|1610|1610+");
}

}  // namespace
}  // namespace quorvel
