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
    {"490154", "Siemens|S45|"},
    {"350000", "Built|In|Record"},
    {"352099", "Second|Record|Ignored"},
});

struct LookupCase {
    const char* name;
    std::optional<std::string> records;
    std::optional<std::string> userFile;
    std::string tac;
    std::string expected;
};

TEST(LookupTac, BuiltInRecordsThenTheUserFile) {
    const std::string userFile =
        "350000000000006=User\xB6Would\xB6Lose\r\n"
        "351111000000001=Maker\xB6Model\xB6Ref\r\n"
        "351111000000002=Later\xB6Line\xB6Loses\r\n"
        "352222\r\n"
        "353333000000000 no equals \xB6 sign\r\n"
        "354444000000001=a=b\xB6\xB6\r\n";
    const LookupCase cases[] = {
        {"first record", kRecords, userFile, "352099", "Nokia|6600|NHL-10"},
        {"empty field kept", kRecords, userFile, "490154", "Siemens|S45|"},
        {"built-in beats user", kRecords, userFile, "350000", "Built|In|Record"},
        {"only in the user file", kRecords, userFile, "351111", "Maker|Model|Ref"},
        {"line of only the TAC", kRecords, userFile, "352222", "352222"},
        {"line without =", kRecords, userFile, "353333", "353333000000000 no equals | sign"},
        {"up to the first =", kRecords, userFile, "354444", "a=b||"},
        {"in neither", kRecords, userFile, "359999", kUnknownLookupResult},
        {"missing user file", kRecords, std::nullopt, "351111", kUnknownLookupResult},
        {"unreadable records", std::nullopt, userFile, "351111", "Maker|Model|Ref"},
        {"records unreadable too", std::nullopt, std::nullopt, "352099", kUnknownLookupResult},
        {"the user file is one line with LF ends", kRecords,
         "351111000000001=A\xB6"
         "B\xB6"
         "C\n352222000000001=D\xB6"
         "E\xB6"
         "F\n",
         "351111", "A|B|C\n352222000000001=D|E|F\n"},
        {"so a later TAC is not found", kRecords, "351111000000001=A\n352222000000001=D\n",
         "352222", kUnknownLookupResult},
        {"a lone CR stays in its line", kRecords, "351111=A\r352222=B\r\n", "352222",
         kUnknownLookupResult},
        {"empty user file", kRecords, "", "351111", kUnknownLookupResult},
        {"short TAC", kRecords, userFile, "35111", kUnknownLookupResult},
        {"long TAC", kRecords, userFile, "3520990", kUnknownLookupResult},
        {"empty TAC", kRecords, userFile, "", kUnknownLookupResult},
        {"TAC with a dropped character", kRecords, userFile,
         "\x01"
         "52099",
         kUnknownLookupResult},
        {"an 8-bit TAC in the user file", kRecords,
         "\xFC"
         "12345=X\r\n",
         "\xFC"
         "12345",
         "X"},
    };
    for (const LookupCase& c : cases) {
        FakeHandsetSources sources;
        sources.records = c.records;
        sources.userFile = c.userFile;
        EXPECT_EQ(LookupTac(c.tac, sources), c.expected) << c.name;
    }
}

TEST(LookupTac, ReadsTheUserFileOnlyWhenTheRecordsDoNotKnowTheTac) {
    FakeHandsetSources sources;
    sources.records = kRecords;
    sources.userFile = "351111=X\r\n";
    LookupTac("352099", sources);
    EXPECT_EQ(sources.userFileReads, 0);
    LookupTac("351111", sources);
    LookupTac("351111", sources);
    EXPECT_EQ(sources.userFileReads, 2) << "nothing is cached between lookups";
    EXPECT_EQ(sources.recordReads, 3);
}

TEST(LookupTac, FailingSourcesGiveUnknownInsteadOfThrowing) {
    FakeHandsetSources sources;
    sources.failWithException = true;
    sources.userFile = "352099=Would not be reached\r\n";
    EXPECT_EQ(LookupTac("352099", sources), kUnknownLookupResult);
}

TEST(LookupTac, DamagedRecordsGiveNoWrongAnswer) {
    const std::string record = EncodeBuiltInRecord("352099", "Nokia|6600|NHL-10");
    FakeHandsetSources sources;
    sources.userFile = std::nullopt;
    sources.records = record.substr(0, record.size() - 1);  // the closing 0xA4 is lost
    EXPECT_EQ(LookupTac("352099", sources), "Nokia|6600|NHL-10");
    sources.records = record.substr(0, 7);  // nothing after the TAC's marker
    EXPECT_EQ(LookupTac("352099", sources), "");
    sources.records = record.substr(1);  // the TAC lost its first character
    EXPECT_EQ(LookupTac("352099", sources), kUnknownLookupResult);
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
    EXPECT_EQ(LookupTac("351111", sources), kUnknownLookupResult);
    EXPECT_EQ(LookupTac("352099", sources), "Nokia|6600|NHL-10");
}

TEST_F(HandsetFileTest, FileSourcesReadTheUserFileAnewEachTime) {
    FileHandsetSources sources(kRecords, path_);
    EXPECT_EQ(LookupTac("351111", sources), kUnknownLookupResult);
    Write("351111000000001=Maker\xB6Model\xB6Ref\r\n");
    EXPECT_EQ(LookupTac("351111", sources), "Maker|Model|Ref");
    Write("351111000000001=Changed\xB6Model\xB6Ref\r\n");
    EXPECT_EQ(LookupTac("351111", sources), "Changed|Model|Ref");
}

}  // namespace
}  // namespace quorvel
