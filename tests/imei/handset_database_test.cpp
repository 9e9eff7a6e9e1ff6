#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "imei/handset_database.h"
#include "support/fake_handset_sources.h"
#include "support/test_files.h"

namespace quorvel {
namespace {

using test::FakeHandsetSources;
using test::RecordsOf;

const std::string kRecords = RecordsOf({
    {"352099", "Nokia|6600|NHL-10"},
    {"35209901", "Alcatel|OT 332|"},
    {"490154", "Siemens|S45|"},
    {"350000", "Built|In|Record"},
    {"352099", "Second|Record|Ignored"},
    {"35209901", "Second|Ignored|"},
    {"520990", "Only|For|520990"},
});

struct LookupCase {
    const char* name;
    std::optional<std::string> records;
    std::optional<std::string> userFile;
    std::string tac;
    std::string expected;
    TacMatch matchedBy;
};

TEST(LookupTac, TacThenPrefixInTheRecordsThenInTheUserFile) {
    const std::string userFile =
        "350000000000006=User\xB6Would\xB6Lose\r\n"
        "351111990000001=Prefix\xB6Line\xB6Only\r\n"
        "351111000000001=Maker\xB6Model\xB6Ref\r\n"
        "351111000000002=Later\xB6Line\xB6Loses\r\n"
        "352222\r\n"
        "353333000000000 no equals \xB6 sign\r\n"
        "354444000000001=a=b\xB6\xB6\r\n";
    const auto none = TacMatch::kNone;
    const auto user = TacMatch::kUserFile;
    const LookupCase cases[] = {
        {"own model beats the prefix's", kRecords, userFile, "35209901", "Alcatel|OT 332|",
         TacMatch::kTac8},
        {"unlisted TAC of a known prefix", kRecords, userFile, "35209977", "Nokia|6600|NHL-10",
         TacMatch::kPrefix6},
        {"empty field kept", kRecords, userFile, "49015400", "Siemens|S45|", TacMatch::kPrefix6},
        {"built-in beats user", kRecords, userFile, "35000000", "Built|In|Record",
         TacMatch::kPrefix6},
        {"user TAC line beats an earlier prefix line", kRecords, userFile, "35111100",
         "Maker|Model|Ref", user},
        {"else the first prefix line", kRecords, userFile, "35111177", "Prefix|Line|Only", user},
        {"line of only the prefix", kRecords, userFile, "35222211", "352222", user},
        {"line without =", kRecords, userFile, "35333300", "353333000000000 no equals | sign",
         user},
        {"up to the first =", kRecords, userFile, "35444400", "a=b||", user},
        {"in neither", kRecords, userFile, "35999900", kUnknownLookupResult, none},
        {"missing user file", kRecords, std::nullopt, "35111100", kUnknownLookupResult, none},
        {"unreadable records", std::nullopt, userFile, "35000000", "User|Would|Lose", user},
        {"records unreadable too", std::nullopt, std::nullopt, "35209901", kUnknownLookupResult,
         none},
        {"the user file is one line with LF ends", kRecords,
         "351111000000001=A\xB6"
         "B\n352222000000001=D\n",
         "35111100", "A|B\n352222000000001=D\n", user},
        {"so a later TAC is not found", kRecords, "351111000000001=A\n352222000000001=D\n",
         "35222200", kUnknownLookupResult, none},
        {"a lone CR stays in its line", kRecords, "351111=A\r352222=B\r\n", "35222200",
         kUnknownLookupResult, none},
        {"a CR at the end of the file stays", kRecords, "35111100\r", "35111100", "35111100\r",
         user},
        {"empty user file", kRecords, "", "35111100", kUnknownLookupResult, none},
        {"a CR LF split between two reads", kRecords,
         std::string(65535, 'x') + "\r\n35111100=Y\r\n", "35111100", "Y", user},
        {"six-digit TAC", kRecords, userFile, "351111", kUnknownLookupResult, none},
        {"long TAC", kRecords, userFile, "352099010", kUnknownLookupResult, none},
        {"TAC with a dropped character", kRecords, userFile,
         "\x01"
         "5209901",
         kUnknownLookupResult, none},
        {"an 8-bit TAC in the user file", kRecords,
         "\xFC"
         "1234567=X\r\n",
         "\xFC"
         "1234567",
         "X", user},
    };
    for (const LookupCase& c : cases) {
        FakeHandsetSources sources;
        sources.records = c.records;
        sources.userFile = c.userFile;
        const TacAnswer answer = LookupTac(c.tac, sources);
        EXPECT_EQ(answer.fields, c.expected) << c.name;
        EXPECT_EQ(answer.matchedBy, c.matchedBy) << c.name;
    }
}

TEST(LookupTac, ReadsTheUserFileOnlyWhenTheRecordsDoNotKnowTheTac) {
    FakeHandsetSources sources;
    sources.records = kRecords;
    sources.userFile = "351111=X\r\n";
    LookupTac("35209977", sources);
    EXPECT_EQ(sources.userFileReads, 0);
    LookupTac("35111100", sources);
    LookupTac("35111100", sources);
    EXPECT_EQ(sources.userFileReads, 2) << "nothing is cached between lookups";
    EXPECT_EQ(sources.recordReads, 3);
}

TEST(LookupTac, FailingSourcesGiveUnknownInsteadOfThrowing) {
    FakeHandsetSources sources;
    sources.failWithException = true;
    sources.userFile = "352099=Would not be reached\r\n";
    EXPECT_EQ(LookupTac("35209900", sources).fields, kUnknownLookupResult);
}

TEST(LookupTac, DamagedRecordsGiveNoWrongAnswer) {
    const std::string own = EncodeBuiltInRecord("35209901", "Alcatel|OT 332|");
    const std::string prefix = EncodeBuiltInRecord("352099", "Nokia|6600|NHL-10");
    const std::string seven = EncodeBuiltInRecord("3520990", "Seven|Key|");
    const std::pair<std::string, std::string> cases[] = {
        {own.substr(0, own.size() - 1), "Alcatel|OT 332|"},                // the last 0xA4 lost
        {own.substr(0, 9), ""},                                            // nothing after the key
        {seven + prefix, "Nokia|6600|NHL-10"},                             // a key of 7 characters
        {own.substr(0, own.size() - 1) + prefix, kUnknownLookupResult},    // a 0xA4 lost
        {own.substr(0, 8) + own.substr(9) + prefix, "Nokia|6600|NHL-10"},  // a 0xA6 lost
        {"x" + own + prefix, "Nokia|6600|NHL-10"},  // not where a record starts
        {"x\xA4" + own, "Alcatel|OT 332|"},
    };
    for (const auto& [records, expected] : cases) {
        FakeHandsetSources sources;
        sources.records = records;
        EXPECT_EQ(LookupTac("35209901", sources).fields, expected) << records;
    }
}

class HandsetFileTest : public ::testing::Test {
protected:
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    void Write(const std::string& bytes) { test::WriteTestFile(path_, bytes); }
    const std::string path_ = test::PerTestFileName("handset_database_test-", ".dat");
};

TEST_F(HandsetFileTest, ReadFileBytesKeepsEveryByte) {
    std::string bytes("a\0b\r\n\xB6\xFF", 7);
    for (int k = 0; k < 70000; ++k) bytes.push_back(static_cast<char>(k));  // several buffers
    Write(bytes);
    EXPECT_EQ(ReadFileBytes(path_), bytes);
    Write("");
    EXPECT_EQ(ReadFileBytes(path_), std::string());
}

TEST_F(HandsetFileTest, MissingFilesAndFoldersCannotBeRead) {
    EXPECT_EQ(ReadFileBytes(path_), std::nullopt);
    ASSERT_TRUE(std::filesystem::create_directory(path_));
    EXPECT_EQ(ReadFileBytes(path_), std::nullopt);
    FileHandsetSources sources(kRecords, path_);
    EXPECT_EQ(LookupTac("35111100", sources).fields, kUnknownLookupResult);
    EXPECT_EQ(LookupTac("35209900", sources).fields, "Nokia|6600|NHL-10");
}

TEST_F(HandsetFileTest, FileSourcesReadTheUserFileAnewEachTime) {
    FileHandsetSources sources(kRecords, path_);
    EXPECT_EQ(LookupTac("35111100", sources).fields, kUnknownLookupResult);
    Write("351111000000001=Maker\xB6Model\xB6Ref\r\n");
    EXPECT_EQ(LookupTac("35111100", sources).fields, "Maker|Model|Ref");
    Write("351111000000001=Changed\xB6Model\xB6Ref\r\n");
    EXPECT_EQ(LookupTac("35111100", sources).fields, "Changed|Model|Ref");
}

TEST(UserRecordLine, KeyIsTheFirstFourteenDigitsAndTheComputedCheckDigit) {
    EXPECT_EQ(UserRecordLine("352099001761489", "A", "B", "C"),
              "352099001761481=A\xB6"
              "B\xB6"
              "C\r\n");
    // The field separator inside a value becomes a space, the lookup's "|" a "/".
    EXPECT_EQ(UserRecordLine("350000000000006", "Ma\xB6ker", "A|B|", "R\xB6"),
              "350000000000006=Ma ker\xB6"
              "A/B/\xB6R \r\n");
}

}  // namespace
}  // namespace quorvel
