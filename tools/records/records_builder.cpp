#include "records/records_builder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <set>
#include <utility>

#include "imei/handset_database.h"
#include "imei/imei.h"
#include "shared/text.h"
#include "tacdb_csv.h"
#include "text_encoding.h"

namespace quorvel {

const char* const kRecordsBuilderRules =
    "Rules:\n"
    "  - tacdb.csv: the column header is the first line that names the columns\n"
    "    \"tac\", \"name\", \"name\" and \"aka\", wherever they stand; the lines before it\n"
    "    (the licence notice) are skipped. The first \"name\" is the manufacturer, the\n"
    "    second the model, \"aka\" the alternative names.\n"
    "  - A row counts when its TAC, blanks trimmed, is eight digits and it names a\n"
    "    manufacturer or a model; other rows are skipped and counted, blank lines\n"
    "    are ignored.\n"
    "  - Text is converted from UTF-8 to the printable characters 32-126, the only ones\n"
    "    the scrambling keeps: accents are dropped (umlauts become ae, oe, ue; sharp s\n"
    "    ss), typographic quotes and dashes become ASCII, blanks become spaces, \"|\"\n"
    "    becomes \"/\", anything else unrepresentable is dropped, and spaces are\n"
    "    collapsed and trimmed.\n"
    "  - One record per TAC of tacdb.csv, from its first row: its manufacturer and\n"
    "    model, and as its reference the first model code (two to five capitals and\n"
    "    digits starting with a capital, a hyphen, then capitals and digits holding a\n"
    "    digit, as in NHL-10) in its alternative names; empty when there is none.\n"
    "  - samsung-tacs.csv: after a byte-order mark, a header line whose first column\n"
    "    is \"tac\"; then a TAC and its model codes on each line. A line counts when\n"
    "    its TAC is eight digits (seven-digit ones lost a leading zero) whose first\n"
    "    two name a body that allocates TACs (01, 10, 30, 33, 35, 44, 45, 49 to 54,\n"
    "    86, 91, 98, 99): placeholders such as 12312312 or 22222222 are none.\n"
    "    A TAC on several lines gets the codes of all of them, each once, in the\n"
    "    order they first come.\n"
    "  - One record per TAC of the Samsung list that tacdb.csv lacks: manufacturer\n"
    "    Samsung, reference the first code, model type the codes in short form:\n"
    "    grouped by their stem (the code up to the end of its first digits), each\n"
    "    group its first code and then \"/\" and each other code's tail\n"
    "    (SM-S908B/E/N/U/U1/W), groups joined by \", \"; longer than 31 characters,\n"
    "    groups go from the end, then tails, until the rest and \"...\" fit.\n"
    "  - Where both lists hold a TAC, tacdb.csv's record is kept, whatever maker it\n"
    "    names: its rows are handsets that contributors named, often with a\n"
    "    certification or product page, while the Samsung list's rows beyond those\n"
    "    it took from tacdb.csv come from a crawl of no named source; where the two\n"
    "    differ, the Samsung row is mostly a lone TAC in a block of the other\n"
    "    maker's older handsets. The TACs where the makers differ are printed.\n"
    "  - No record for a six-digit prefix: a block holds handsets of many makers and\n"
    "    decades, so only a TAC's own record names its handset.\n"
    "  - Records are in ascending order of their TACs.\n"
    "  - The output is the records scrambled as the program reads them, then three\n"
    "    zero bytes.\n";

namespace {

// Spellings of the letters U+00C0 to U+00FF in plain ASCII.
constexpr std::array<const char*, 64> kLatin1Letters = {
    "A", "A", "A", "A", "Ae", "A", "AE", "C", "E", "E", "E", "E", "I",  "I", "I",  "I",
    "D", "N", "O", "O", "O",  "O", "Oe", "x", "O", "U", "U", "U", "Ue", "Y", "Th", "ss",
    "a", "a", "a", "a", "ae", "a", "ae", "c", "e", "e", "e", "e", "i",  "i", "i",  "i",
    "d", "n", "o", "o", "o",  "o", "oe", "/", "o", "u", "u", "u", "ue", "y", "th", "y",
};

std::string AsciiSpelling(char32_t c) {
    if (c == '|') return "/";
    if (c >= 0x20 && c <= 0x7E) return std::string(1, static_cast<char>(c));
    if (c >= 0xC0 && c <= 0xFF) return kLatin1Letters[c - 0xC0];
    switch (c) {
        case '\t':
        case '\n':
        case '\r':
        case 0xA0:
        case 0x2007:
        case 0x202F:
            return " ";
        case 0x2018:
        case 0x2019:
        case 0x00B4:
            return "'";
        case 0x201C:
        case 0x201D:
            return "\"";
        case 0x2010:
        case 0x2011:
        case 0x2013:
        case 0x2014:
            return "-";
        case 0x2026:
            return "...";
        default:
            return "";
    }
}

bool IsCapitalOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool IsModelCode(const std::string& name) {
    const std::string::size_type hyphen = name.find('-');
    if (hyphen == std::string::npos || hyphen < 2 || hyphen > 5) return false;
    if (name[0] < 'A' || name[0] > 'Z') return false;
    const std::string head = name.substr(0, hyphen);
    const std::string tail = name.substr(hyphen + 1);
    const auto allCapitalsOrDigits = [](const std::string& part) {
        return !part.empty() && std::all_of(part.begin(), part.end(), IsCapitalOrDigit);
    };
    return allCapitalsOrDigits(head) && allCapitalsOrDigits(tail) &&
           std::any_of(tail.begin(), tail.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The first two digits of the TACs that a body allocates.
bool IsAllocatedTac(const std::string& tac) {
    static const std::set<std::string> kReportingBodies = {"01", "10", "30", "33", "35", "44",
                                                           "45", "49", "50", "51", "52", "53",
                                                           "54", "86", "91", "98", "99"};
    return kReportingBodies.count(tac.substr(0, 2)) != 0;
}

// The code up to the end of its first run of digits, the model number
// ("SM-S908" of "SM-S908U1"); a code without digits is its own stem.
std::string CodeStem(const std::string& code) {
    const std::string::size_type digits = code.find_first_of("0123456789");
    if (digits == std::string::npos) return code;
    return code.substr(0, code.find_first_not_of("0123456789", digits));
}

}  // namespace

std::string AsciiFieldText(const std::string& utf8) {
    std::string text;
    for (char32_t c : DecodeUtf8(utf8)) {
        for (char a : AsciiSpelling(c)) {
            if (a == ' ' && (text.empty() || text.back() == ' ')) continue;
            text.push_back(a);
        }
    }
    return TrimSpaces(text);
}

std::string ModelCode(const std::string& alternativeNames) {
    for (const std::string& name : SplitText(alternativeNames, ",")) {
        const std::string code = AsciiFieldText(name);
        if (IsModelCode(code)) return code;
    }
    return std::string();
}

std::string ModelTypeOfCodes(const std::vector<std::string>& codes) {
    // Each stem with its tails, a bare stem's empty tail first.
    std::vector<std::pair<std::string, std::vector<std::string>>> groups;
    for (const std::string& code : codes) {
        const std::string stem = CodeStem(code);
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&stem](const auto& g) { return g.first == stem; });
        if (group == groups.end()) group = groups.insert(groups.end(), {stem, {}});
        std::vector<std::string>& tails = group->second;
        const std::string tail = code.substr(stem.size());
        tails.insert(tail.empty() ? tails.begin() : tails.end(), tail);
    }
    // The text in pieces, so that a cut keeps whole ones: the first code,
    // each other tail of its group, then each other group.
    std::vector<std::string> pieces;
    for (const auto& [stem, tails] : groups) {
        const bool first = pieces.empty();
        pieces.push_back((first ? "" : ", ") + stem + tails[0]);
        for (std::size_t k = 1; k < tails.size(); ++k) {
            (first ? pieces.emplace_back() : pieces.back()) += "/" + tails[k];
        }
    }
    std::string text;
    for (const std::string& piece : pieces) text += piece;
    if (text.size() <= kModelTypeLength) return text;
    // The longest run of pieces from the start that fits with the mark.
    const std::string cut = "...";
    text.clear();
    for (const std::string& piece : pieces) {
        if (text.size() + piece.size() + cut.size() > kModelTypeLength) break;
        text += piece;
    }
    if (text.empty()) text = pieces[0].substr(0, kModelTypeLength - cut.size());
    return text + cut;
}

RecordsBuild BuildHandsetRecords(const std::string& tacdbCsv, const std::string& samsungCsv) {
    const TacDatabase database = ReadTacDatabase(tacdbCsv);

    RecordsBuild build;
    build.tacdb.rowsSkipped = database.skippedLines.size();
    // TAC -> its record, from the TAC's first row.
    std::map<std::string, HandsetRecord> records;
    for (const TacRecord& row : database.records) {
        HandsetRecord record{row.tac, AsciiFieldText(row.maker), AsciiFieldText(row.model),
                             ModelCode(row.aka)};
        if (record.manufacturer.empty() && record.modelType.empty()) {
            ++build.tacdb.rowsSkipped;
            continue;
        }
        ++build.tacdb.rowsUsed;
        records.emplace(row.tac, std::move(record));
    }

    // TAC -> its codes, each once, in the order they first come.
    const ModelCodeList samsung = ReadModelCodeList(samsungCsv);
    build.samsung.rowsSkipped = samsung.skippedLines.size();
    std::map<std::string, std::vector<std::string>> samsungCodes;
    for (const ModelCodeRow& row : samsung.rows) {
        if (!IsAllocatedTac(row.tac)) {
            ++build.samsung.rowsSkipped;
            continue;
        }
        ++build.samsung.rowsUsed;
        std::vector<std::string>& codes = samsungCodes[row.tac];
        for (const std::string& code : row.codes) {
            const std::string ascii = AsciiFieldText(code);
            if (!ascii.empty() && std::find(codes.begin(), codes.end(), ascii) == codes.end()) {
                codes.push_back(ascii);
            }
        }
    }
    for (const auto& [tac, codes] : samsungCodes) {
        const auto known = records.find(tac);
        if (codes.empty()) continue;
        if (known == records.end()) {
            records[tac] = {tac, "Samsung", ModelTypeOfCodes(codes), codes[0]};
            continue;
        }
        ++build.samsungTacsInTacdb;
        if (AsciiLower(known->second.manufacturer) != "samsung") {
            build.otherMakerTacs.push_back(tac);
        }
    }
    for (auto& entry : records) build.records.push_back(std::move(entry.second));
    return build;
}

std::string EncodeHandsetRecords(const std::vector<HandsetRecord>& records) {
    std::string bytes;
    for (const HandsetRecord& record : records) {
        bytes += EncodeBuiltInRecord(
            record.tac, record.manufacturer + "|" + record.modelType + "|" + record.reference);
    }
    bytes.append(kRecordsTrailerLength, '\0');
    return bytes;
}

}  // namespace quorvel
