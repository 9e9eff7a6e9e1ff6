// IMEIs (check digit, separators, approval bodies), the scrambling of the
// built-in records, and the handset lookup in the records and the user file.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <tuple>

#include "imei/handset_database.h"
#include "imei/imei.h"
#include "imei/scramble.h"
#include "support/test_files.h"

namespace quorvel {
namespace {

// Of the first fourteen digits: fourteen are enough. (Wrong lengths and
// letters are refused in the command tests.)
TEST(CheckDigit, FourteenDigitsAreEnough) { EXPECT_EQ(CheckDigit("35209900176148"), "1"); }

// The typed text without its separators, and with a corrected last digit.
TEST(ImeiText, SeparatorsAndCorrection) {
    const char* const cases[][3] = {{"35-2099/00 182", "35209900182", "35-2099/00 181"},
                                    {"3_5.\t", "3_5.\t", "3_5.1"},
                                    {"82- /", "82", "81- /"},
                                    {"- /", "", "- /"}};
    for (const auto& [typed, imei, corrected] : cases) {
        EXPECT_EQ(RemoveImeiSeparators(typed), imei) << typed;
        EXPECT_EQ(CorrectedImeiText(typed, '1'), corrected) << typed;
    }
}

TEST(ApprovalBody, EveryRowAndTheUnknownOnes) {
    const char* const babt = "BABT, Great Britain (British Approvals Board for Telecommunications)";
    const std::pair<const char*, const char*> cases[] = {
        {"010000",
         "PTCRB GSM-NA, USA (GSM North American PCS-1900 Type Certification Review Board)"},
        {"330000", "ART, France (Autorite de regulation des telecommunications)"},
        {"350000", babt},
        {"44", babt},
        {"459999", "NTA, Denmark (National Telecom Agency)"},
        {"490154", "RegTP, Germany (Regulierungsbehoerde F\xFCr Telekommunikation und Post)"},
        {"500000", "BZT-ETS Certification GmbH, Germany"},
        {"510000", "Cetecom ICT Services GmbH, Germany"},
        {"520000", "Cetecom GmbH, Germany"},
    };
    for (const auto& [tac, body] : cases) EXPECT_EQ(ApprovalBody(tac), body) << tac;
    for (const char* tac : {"340000", "460000", "530000", "000000", "990000", "3", ""})
        EXPECT_EQ(ApprovalBody(tac), "unknown") << tac;
}

// The native records builder and the 32-bit Windows reader must draw the
// same sequence; this suite runs in both builds.
TEST(ScrambleText, FixedVectorsAreTheSameOnEveryPlatform) {
    EXPECT_EQ(ScrambleText("RowanKite", "352099"), "%56%z`");
    EXPECT_EQ(ScrambleText("RowanKite", "35\0372099\177\377"), "%56%z`");  // the rest dropped
    EXPECT_EQ(ScrambleText("SableMint", "Nokia|6600|NHL-10"), "~i{bjP~r,%o?nLQrt");
    // Worked out separately from h ^= c * 2^a ^ c * 2^b: a and b wrap, and
    // 8-bit codes count unsigned.
    EXPECT_EQ(KeyHash(std::string(30, '\xFF')), 332680586);
}

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

// The lookup and the learnt lines of the user file.
TEST(LookupTac, TheTacsOwnRecordThenTheFirstUserLineThatMatchesItLearntLinesAppended) {
    // A learnt line (its key begins with eight digits) matches by eight, a
    // hand-written key of fewer by its first six characters.
    const std::string user =
        "350000000000006=User\xB6Would\xB6Lose\r\n351111990000001=Sibling\266Of\266Block\r\n"
        "351111000000001=Maker\xB6Model\xB6Ref\r\n351111000000002=Later\xB6Line\xB6Loses\r\n"
        "352222\r\n3533330=Seven\xB6"
        "Digits\r\n35444400=a=b\xB6\xB6\r\n";
    const std::string none = kUnknownLookupResult + std::string(" none");
    // Each user file (nullopt: none), TAC, and the fields found with how.
    const std::tuple<std::optional<std::string>, std::string, std::string> cases[] = {
        {user, "35209901", "Alcatel|OT 332| tac8"},
        {user, "35209977", none},
        {user, "35000000", "Built|In|Record tac8"},  // beats the user's
        {user, "35111100", "Maker|Model|Ref user-file"},
        {user, "35111177", none},  // a sibling of learnt ones
        {user, "35222211", "352222 user-file"},
        {user, "35333311", "Seven|Digits user-file"},
        {user, "35444400", "a=b|| user-file"},
        {std::nullopt, "35111100", none},
        {"353333000000000 no equals \xB6 sign\r\n", "35333300",
         "353333000000000 no equals | sign user-file"},
        // Lines end with CR LF only: LF ends, a lone CR or a last CR stay in the line.
        {"35111100=A\266B\n35222200=D\n", "35111100", "A|B\n35222200=D\n user-file"},
        {"351111=A\r352222=B\r\n", "35222200", none},
        {"35111100\r", "35111100", "35111100\r user-file"},
        {"35111100=X\r\n\n35222200=Y\r\n", "35222200", none},
        {std::string(65523, 'x') + "\r\n35111100=Y\r\n", "35111100", "Y user-file"},
        // The first 64 KiB read ends with a line.
        {std::string(65534, 'x') + "\r\n35111100=Z\r\n", "35111100", "Z user-file"},
        {"35111100=Y\r\n" + std::string(65522, 'x') + "\r\n35111100=W\r\n", "35111100",
         "Y user-file"},
        {"\3741234567=X\r\n", "\3741234567", "X user-file"},
        // A TAC is eight printable characters.
        {user, "351111", none},
        {user, "352099\x01\x01", none},
    };
    const std::string path = test::PerTestFileName("imei_test-", ".dat");
    for (const auto& [userFile, tac, expected] : cases) {
        PutFile(path, userFile);
        FileHandsetSources sources(kRecords, path);
        const TacAnswer answer = LookupTac(tac, sources);
        EXPECT_EQ(answer.fields + " " + TacMatchName(answer.matchedBy), expected) << tac;
    }
    PutFile(path, user);  // without records, the user's line answers
    FileHandsetSources userOnly(std::nullopt, path);
    EXPECT_EQ(LookupTac("35000000", userOnly).fields, "User|Would|Lose");
    // The key is the first 14 digits and the computed check digit; a field
    // separator inside a value becomes a space, the lookup's "|" a "/".
    EXPECT_EQ(UserRecordLine("352099001761489", "Ma\xB6ker", "A|B|", "R"),
              "352099001761481=Ma ker\266A/B/\266R\r\n");
    EXPECT_FALSE(AppendUserRecord("/dev/full", "x\r\n"));  // written, but the flush fails
    // A learnt line always starts a line of its own; nullopt: no file yet.
    const std::pair<std::optional<std::string>, std::string> files[] = {
        {std::nullopt, "L\r\n"}, {"", "L\r\n"},         {"x", "x\r\nL\r\n"},
        {"\r\n", "\r\nL\r\n"},   {"ab", "ab\r\nL\r\n"}, {"a\r", "a\r\r\nL\r\n"}};
    for (const auto& [before, after] : files) {
        PutFile(path, before);
        EXPECT_TRUE(AppendUserRecord(path, "L\r\n"));
        EXPECT_EQ(ReadFileBytes(path), after) << before.value_or("none");
    }
    // A missing file or a folder cannot be read.
    EXPECT_EQ(ReadFileBytes(path + ".missing"), std::nullopt);
    std::filesystem::remove(path);
    ASSERT_TRUE(std::filesystem::create_directory(path));
    EXPECT_EQ(ReadFileBytes(path), std::nullopt);
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

}  // namespace
}  // namespace quorvel
