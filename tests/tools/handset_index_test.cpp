#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <sstream>

#include "builtin_records.h"
#include "cli/handset_index.h"
#include "imei/handset_database.h"
#include "support/fake_handset_sources.h"
#include "tacdb_csv.h"
#include "tools/real_records.h"

namespace quorvel {
namespace {

// Every TAC of tacs gets the same answer through the index as through a
// search of the records themselves.
void ExpectIndexAgrees(const std::string& records, const std::vector<std::string>& tacs) {
    test::FakeHandsetSources search;
    search.records = records;
    HandsetIndex index(records, nullptr);
    for (const std::string& tac : tacs) {
        const TacAnswer expected = LookupTac(tac, search);
        const TacAnswer answer = LookupTac(tac, index);
        ASSERT_EQ(answer.fields, expected.fields) << "TAC " << tac;
        ASSERT_EQ(answer.matchedBy, expected.matchedBy) << "TAC " << tac;
    }
}

TEST(HandsetIndex, AgreesWithTheSearchOnRealAndDamagedRecords) {
    std::vector<std::string> tacs = {"35209900", "49015420", "99999999"};
    for (int n = 0; n < 100000000; n += 499979) {
        const std::string number = std::to_string(n);
        tacs.push_back(std::string(8 - number.size(), '0') + number);
    }
    const std::vector<TacRecord>& rows =
        ReadTacDatabase(test::SourceFile("data/tacdb.csv")).records;
    for (std::size_t k = 0; k < rows.size(); k += 97) tacs.push_back(rows[k].tac);
    ExpectIndexAgrees(BuiltInRecordBytes(), tacs);

    const std::string own = EncodeBuiltInRecord("35209901", "Alcatel|OT 332|");
    const std::string prefix = EncodeBuiltInRecord("352099", "Nokia|6600|NHL-10");
    const std::string damaged[] = {
        own.substr(0, own.size() - 1) + prefix,     // a lost 0xA4
        own.substr(0, 8) + own.substr(9) + prefix,  // a lost 0xA6
        "x" + own + prefix,
        prefix + own + EncodeBuiltInRecord("35209901", "Later"),  // the first one counts
        EncodeBuiltInRecord("3520990", "Seven") + prefix + own + std::string(3, '\0'),
    };
    for (const std::string& records : damaged) {
        ExpectIndexAgrees(records, {"35209901", "35209900", "00352099"});
    }
}

TEST(HandsetIndex, SearchesTheUserFileFromItsStartEveryTime) {
    HandsetIndex index("", std::make_unique<std::istringstream>("35111100=A\r\n35222200=B\r\n"));
    EXPECT_EQ(LookupTac("35222200", index).fields, "B");
    EXPECT_EQ(LookupTac("35999900", index).fields, kUnknownLookupResult);
    EXPECT_EQ(LookupTac("35111100", index).fields, "A");
}

// Expected values straight from the list: the first row of each TAC names
// its handset. Text the scrambling cannot carry as it stands (outside the
// characters 32 to 126, a "|", blanks to collapse) is left out and counted.
TEST(RealRecords, EveryTacOfTheListGetsItsOwnMakerAndModel) {
    const auto carried = [](const std::string& text) {
        for (std::size_t k = 0; k < text.size(); ++k) {
            const char c = text[k];
            if (c < 32 || c > 126 || c == '|') return false;
            if (c == ' ' && (k == 0 || k + 1 == text.size() || text[k - 1] == ' ')) return false;
        }
        return true;
    };
    HandsetIndex index(BuiltInRecordBytes(), nullptr);
    std::set<std::string> seen;
    int checked = 0;
    int notCarried = 0;
    for (const TacRecord& row : ReadTacDatabase(test::SourceFile("data/tacdb.csv")).records) {
        if (!seen.insert(row.tac).second) continue;
        if (!carried(row.maker) || !carried(row.model)) {
            ++notCarried;
            continue;
        }
        const TacAnswer answer = LookupTac(row.tac, index);
        EXPECT_EQ(answer.matchedBy, TacMatch::kTac8) << row.tac;
        EXPECT_EQ(answer.fields.rfind(row.maker + "|" + row.model + "|", 0), 0u)
            << row.tac << " " << answer.fields;
        ++checked;
    }
    std::cout << checked << " TACs checked, " << notCarried << " not carried\n";
    EXPECT_GT(checked, 22000);
}

}  // namespace
}  // namespace quorvel
