#include <gtest/gtest.h>

#include "builtin_records.h"
#include "cli/handset_index.h"
#include "imei/handset_database.h"
#include "support/fake_handset_sources.h"
#include "tools/real_records.h"

namespace quorvel {
namespace {

using test::FakeHandsetSources;

// Every TAC of tacs gets the same answer from the index as from LookupTac.
void ExpectIndexAgrees(FakeHandsetSources& sources, const std::vector<std::string>& tacs) {
    const HandsetIndex index(sources);
    for (const std::string& tac : tacs) {
        ASSERT_EQ(index.Lookup(tac), LookupTac(tac, sources)) << "TAC " << tac;
    }
}

TEST(HandsetIndex, AgreesWithLookupTacOnEveryBuiltInRecord) {
    FakeHandsetSources sources;
    sources.records = BuiltInRecordBytes();
    const HandsetIndex index(sources);
    for (const HandsetRecord& record : test::RealRecordsBuild().records) {
        const std::string expected =
            record.manufacturer + "|" + record.modelType + "|" + record.reference;
        ASSERT_EQ(LookupTac(record.tac, sources), expected) << record.tac;
        ASSERT_EQ(index.Lookup(record.tac), expected) << record.tac;
    }
    std::vector<std::string> others;
    for (int n = 0; n < 1000000; n += 997) {
        std::string tac = std::to_string(n);
        others.push_back(std::string(6 - tac.size(), '0') + tac);
    }
    ExpectIndexAgrees(sources, others);
}

TEST(HandsetIndex, AgreesWithLookupTacOnTheUserFile) {
    FakeHandsetSources sources;
    sources.records = test::RecordsOf({{"352099", "Nokia|6600|NHL-10"}, {"350000", "B|I|R"}});
    sources.userFile =
        "350000000000006=User\xB6Loses\xB6To built-in\r\n"
        "351111000000001=Maker\xB6Model\xB6Ref\r\n"
        "351111000000002=Second\xB6Line\xB6Loses\r\n"
        "352222\r\n"
        "35333\r\n"
        "353333 no equals \xB6 sign\r\n"
        "\xFC"
        "12345=eight bit\r\n"
        "354444=LF\nended\n355555=hidden\r\n"
        "\r\n";
    ExpectIndexAgrees(sources, {"352099", "350000", "351111", "352222", "35333", "353333",
                                "\xFC"
                                "12345",
                                "354444", "355555", "359999", "", "3511110",
                                "\x01"
                                "52099"});
    sources.userFile = std::nullopt;
    ExpectIndexAgrees(sources, {"351111", "352099"});
    sources.records = std::nullopt;
    sources.userFile = "352099=Only\xB6User\r\n";
    ExpectIndexAgrees(sources, {"352099", "350000"});
}

TEST(HandsetIndex, AgreesWithLookupTacOnDamagedRecords) {
    const std::string first = EncodeBuiltInRecord("352099", "Nokia|6600|NHL-10");
    const std::string second = EncodeBuiltInRecord("490154", "Siemens|S45|");
    const std::string damaged[] = {
        first.substr(1) + second,             // the first TAC lost a character
        "\xA6" + first + second,              // a marker with nothing before it
        "xyz" + first + second.substr(0, 9),  // noise, then a cut record
        first + first.substr(0, 7) + second,  // a repeated TAC with no body
        second + "\xA4\xA4" + first + std::string(3, '\0'),
        std::string(1, '\0') + second.substr(0, 7) + "\xA6" + first,
    };
    for (const std::string& records : damaged) {
        FakeHandsetSources sources;
        sources.records = records;
        sources.userFile = "490154=User\r\n";
        ExpectIndexAgrees(sources, {"352099", "490154", "000000"});
    }
}

}  // namespace
}  // namespace quorvel
