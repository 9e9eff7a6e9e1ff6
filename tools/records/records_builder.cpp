#include "records/records_builder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>

#include "imei/handset_database.h"
#include "imei/imei.h"
#include "shared/text.h"
#include "tacdb_csv.h"
#include "text_encoding.h"

namespace quorvel {

const char* const kRecordsBuilderRules =
    "Rules:\n"
    "  - The column header is the first line that names the columns \"tac\", \"name\",\n"
    "    \"name\" and \"aka\", wherever they stand; the lines before it (the licence\n"
    "    notice) are skipped. The first \"name\" is the manufacturer, the second the\n"
    "    model, \"aka\" the alternative names.\n"
    "  - A row counts when its TAC, blanks trimmed, is eight digits and it names a\n"
    "    manufacturer or a model; other rows are skipped and counted, blank lines\n"
    "    are ignored.\n"
    "  - Text is converted from UTF-8 to the printable characters 32-126, the only ones\n"
    "    the scrambling keeps: accents are dropped (umlauts become ae, oe, ue; sharp s\n"
    "    ss), typographic quotes and dashes become ASCII, blanks become spaces, \"|\"\n"
    "    becomes \"/\", anything else unrepresentable is dropped, and spaces are\n"
    "    collapsed and trimmed.\n"
    "  - One record per six-digit TAC prefix. Its manufacturer and model are those\n"
    "    most rows of the prefix name (compared without regard to case); a tie goes\n"
    "    to the model of the lowest TAC, whose spelling is used. Its reference is the\n"
    "    first model code (two to five capitals and digits starting with a capital,\n"
    "    a hyphen, then capitals and digits holding a digit, as in NHL-10) in the\n"
    "    alternative names of that model's rows, taken in TAC order; empty when\n"
    "    there is none.\n"
    "  - One record per eight-digit TAC, from its first row: its own manufacturer and\n"
    "    model, and the first model code of its own alternative names, else the\n"
    "    reference its model has in the prefix. The prefix's record answers only\n"
    "    for TACs the list lacks.\n"
    "  - Records are in ascending order of their keys, a prefix before its TACs.\n"
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

// The rows of one model within a prefix.
struct ModelRows {
    std::size_t count = 0;
    std::string lowestTac;
    std::string manufacturer;
    std::string modelType;
    std::string reference;
};

bool MoreNamed(const ModelRows& a, const ModelRows& b) {
    if (a.count != b.count) return a.count > b.count;
    return a.lowestTac < b.lowestTac;
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

RecordsBuild BuildHandsetRecords(const std::string& csvText) {
    const TacDatabase database = ReadTacDatabase(csvText);

    // Rows sorted by TAC, so that "first" and "lowest" agree whatever the
    // order of the list.
    struct Row {
        std::string tac, manufacturer, modelType, aka;
    };
    RecordsBuild build;
    build.rowsSkipped = database.skippedLines.size();
    std::vector<Row> usable;
    for (const TacRecord& record : database.records) {
        Row row{record.tac, AsciiFieldText(record.maker), AsciiFieldText(record.model), record.aka};
        if (row.manufacturer.empty() && row.modelType.empty()) {
            ++build.rowsSkipped;
            continue;
        }
        usable.push_back(std::move(row));
    }
    build.rowsUsed = usable.size();
    std::stable_sort(usable.begin(), usable.end(),
                     [](const Row& a, const Row& b) { return a.tac < b.tac; });

    // prefix -> lowercased "maker|model" -> rows of that model
    std::map<std::string, std::map<std::string, ModelRows>> prefixes;
    for (const Row& row : usable) {
        ModelRows& model = prefixes[row.tac.substr(0, kTacPrefixLength)]
                                   [AsciiLower(row.manufacturer + "|" + row.modelType)];
        if (model.count++ == 0) {
            model.lowestTac = row.tac;
            model.manufacturer = row.manufacturer;
            model.modelType = row.modelType;
        }
        if (model.reference.empty()) model.reference = ModelCode(row.aka);
    }
    for (const auto& [prefix, models] : prefixes) {
        const ModelRows* best = nullptr;
        for (const auto& entry : models) {
            if (!best || MoreNamed(entry.second, *best)) best = &entry.second;
        }
        build.records.push_back({prefix, best->manufacturer, best->modelType, best->reference});
    }
    // Then a record of every TAC, from its first row, behind its prefix's.
    const Row* previous = nullptr;
    for (const Row& row : usable) {
        if (previous && previous->tac == row.tac) continue;
        previous = &row;
        const std::string prefix = row.tac.substr(0, kTacPrefixLength);
        const ModelRows& model =
            prefixes[prefix][AsciiLower(row.manufacturer + "|" + row.modelType)];
        const std::string reference = ModelCode(row.aka);
        build.records.push_back({row.tac, row.manufacturer, row.modelType,
                                 reference.empty() ? model.reference : reference});
    }
    std::stable_sort(build.records.begin(), build.records.end(),
                     [](const HandsetRecord& a, const HandsetRecord& b) { return a.tac < b.tac; });
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
