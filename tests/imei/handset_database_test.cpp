#include <gtest/gtest.h>

#include <filesystem>

#include "imei/handset_database.h"
#include "support/test_files.h"

namespace quorvel {
namespace {

const TacMatch kTac8 = TacMatch::kTac8, kUserFile = TacMatch::kUserFile, kNone = TacMatch::kNone;

// A record of a six-character key (a block's prefix, as older records had)
// answers for no TAC.
const std::string kRecords = EncodeBuiltInRecord("35209901", "Alcatel|OT 332|") +
                             EncodeBuiltInRecord("352099", "Nokia|6600|NHL-10") +
                             EncodeBuiltInRecord("35000000", "Built|In|Record") +
                             EncodeBuiltInRecord("35209901", "Second|Ignored|") +
                             std::string(3, '\0');

// Writes the file at path, or removes it for nullopt.
void PutFile(const std::string& path, const std::optional<std::string>& bytes) {
    bytes ? test::WriteTestFile(path, *bytes) : void(std::filesystem::remove(path));
}

TEST(LookupTac, TheTacsOwnRecordThenTheFirstUserLineThatMatchesIt) {
    // A learnt line (its key begins with eight digits) matches by eight, a
    // hand-written key of fewer by its first six characters.
    const std::string user =
        "350000000000006=User\xB6Would\xB6Lose\r\n351111990000001=Sibling\266Of\266Block\r\n"
        "351111000000001=Maker\xB6Model\xB6Ref\r\n351111000000002=Later\xB6Line\xB6Loses\r\n"
        "352222\r\n3533330=Seven\xB6"
        "Digits\r\n35444400=a=b\xB6\xB6\r\n";
    const struct {
        std::optional<std::string> records, userFile;
        std::string tac, expected;
        TacMatch matchedBy;
    } cases[] = {
        {kRecords, user, "35209901", "Alcatel|OT 332|", kTac8},
        {kRecords, user, "35209977", kUnknownLookupResult, kNone},
        {kRecords, user, "35000000", "Built|In|Record", kTac8},  // beats the user's
        {kRecords, user, "35111100", "Maker|Model|Ref", kUserFile},
        {kRecords, user, "35111177", kUnknownLookupResult, kNone},  // a sibling of learnt ones
        {kRecords, user, "35222211", "352222", kUserFile},
        {kRecords, user, "35333311", "Seven|Digits", kUserFile},
        {kRecords, user, "35444400", "a=b||", kUserFile},
        {kRecords, std::nullopt, "35111100", kUnknownLookupResult, kNone},
        {std::nullopt, user, "35000000", "User|Would|Lose", kUserFile},
        {kRecords, "353333000000000 no equals \xB6 sign\r\n", "35333300",
         "353333000000000 no equals | sign", kUserFile},
        // Lines end with CR LF only: LF ends, a lone CR or a last CR stay in the line.
        {kRecords, "35111100=A\266B\n35222200=D\n", "35111100", "A|B\n35222200=D\n", kUserFile},
        {kRecords, "35111100=A\n35222200=D\n", "35222200", kUnknownLookupResult, kNone},
        {kRecords, "351111=A\r352222=B\r\n", "35222200", kUnknownLookupResult, kNone},
        {kRecords, "35111100\r", "35111100", "35111100\r", kUserFile},
        {kRecords, "35111100", "35111177", kUnknownLookupResult, kNone},
        {kRecords, "35111100=X\r\n\n35222200=Y\r\n", "35222200", kUnknownLookupResult, kNone},
        {kRecords, std::string(65523, 'x') + "\r\n35111100=Y\r\n", "35111100", "Y", kUserFile},
        // The first 64 KiB read ends with a line.
        {kRecords, std::string(65534, 'x') + "\r\n35111100=Z\r\n", "35111100", "Z", kUserFile},
        {kRecords, "35111100=Y\r\n" + std::string(65522, 'x') + "\r\n35111100=W\r\n", "35111100",
         "Y", kUserFile},
        {kRecords, "\3741234567=X\r\n", "\3741234567", "X", kUserFile},
        // A TAC is eight printable characters.
        {kRecords, user, "351111", kUnknownLookupResult, kNone},
        {kRecords, user, "352099\x01\x01", kUnknownLookupResult, kNone},
    };
    const std::string path = test::PerTestFileName("handset_database_test-", ".dat");
    for (const auto& c : cases) {
        PutFile(path, c.userFile);
        FileHandsetSources sources(c.records, path);
        const TacAnswer answer = LookupTac(c.tac, sources);
        EXPECT_EQ(answer.fields, c.expected) << c.tac;
        EXPECT_EQ(answer.matchedBy, c.matchedBy) << c.tac;
    }
    std::filesystem::remove(path);
}

TEST(LookupTac, DamagedRecordsGiveNoWrongAnswer) {
    const std::string own = EncodeBuiltInRecord("35209901", "Alcatel|OT 332|");
    const std::string copy = EncodeBuiltInRecord("35209901", "Later|Copy|");
    const std::pair<std::string, std::string> cases[] = {
        {own.substr(0, own.size() - 1), "Alcatel|OT 332|"},            // the last 0xA4 lost
        {own.substr(0, 9), ""},                                        // nothing after the key
        {own.substr(0, own.size() - 1) + copy, kUnknownLookupResult},  // a 0xA4 lost
        {own.substr(0, 8) + own.substr(9) + copy, "Later|Copy|"},      // a 0xA6 lost
        {"x" + own + copy, "Later|Copy|"},                             // not where a record starts
        {"x\xA4" + own, "Alcatel|OT 332|"},
    };
    for (const auto& [records, expected] : cases) {
        FileHandsetSources sources(records, "");
        EXPECT_EQ(LookupTac("35209901", sources).fields, expected) << records;
    }
    // A key at the very end: nothing past the records is read.
    for (std::size_t size : {std::size_t{8}, std::size_t{9}}) {
        const std::vector<char> cut(own.begin(), own.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_EQ(SearchBuiltInRecords(std::string_view(cut.data(), size), "35209901"),
                  size == 9 ? std::optional<std::string>("") : std::nullopt);
    }
}

// Files are read whole, past a few read buffers; a missing file or a folder
// cannot be read.
TEST(HandsetFiles, ReadWholeMissingAndFoldersUnreadable) {
    const std::string path = test::PerTestFileName("handset_database_test-", ".dat");
    std::string bytes("a\0\xFF", 3);
    // Four whole read buffers and one byte.
    for (int k = 0; k < 65534; ++k) bytes.push_back(static_cast<char>(k));
    test::WriteTestFile(path, bytes);
    EXPECT_EQ(ReadFileBytes(path), bytes);
    EXPECT_EQ(ReadFileBytes(path + ".missing"), std::nullopt);
    std::filesystem::remove(path);
    ASSERT_TRUE(std::filesystem::create_directory(path));
    EXPECT_EQ(ReadFileBytes(path), std::nullopt);
    std::filesystem::remove(path);
}

TEST(UserRecords, LineOfALearntHandset) {
    // The key is the first 14 digits and the computed check digit; a field
    // separator inside a value becomes a space, the lookup's "|" a "/".
    EXPECT_EQ(UserRecordLine("352099001761489", "Ma\xB6ker", "A|B|", "R"),
              "352099001761481=Ma ker\266A/B/\266R\r\n");
    EXPECT_FALSE(AppendUserRecord("/dev/full", "x\r\n"));  // written, but the flush fails
    // A learnt line always starts a line of its own; nullopt: no file yet.
    const std::string path = test::PerTestFileName("handset_database_test-", ".dat");
    const std::pair<std::optional<std::string>, std::string> files[] = {
        {std::nullopt, "L\r\n"}, {"", "L\r\n"},         {"x", "x\r\nL\r\n"},
        {"\r\n", "\r\nL\r\n"},   {"ab", "ab\r\nL\r\n"}, {"a\r", "a\r\r\nL\r\n"}};
    for (const auto& [before, after] : files) {
        PutFile(path, before);
        EXPECT_TRUE(AppendUserRecord(path, "L\r\n"));
        EXPECT_EQ(test::ReadTestFile(path), after) << before.value_or("none");
    }
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace quorvel
