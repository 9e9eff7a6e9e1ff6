// Turns the handset lists (CSV, UTF-8) into the program's built-in handset
// records: one record per eight-digit TAC that the lists hold, and none for
// any other TAC.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quorvel {

struct HandsetRecord {
    std::string tac;  // eight digits
    std::string manufacturer;
    std::string modelType;
    std::string reference;
};

// How the rows of one list were used.
struct ListUse {
    std::size_t rowsUsed = 0;
    std::size_t rowsSkipped = 0;
};

struct RecordsBuild {
    std::vector<HandsetRecord> records;  // ordered by TAC
    ListUse tacdb;                       // skipped: no eight-digit TAC, or neither maker nor model
    ListUse samsung;                     // skipped: no eight-digit TAC, no code, or no allocation
    // The Samsung list's TACs that tacdb.csv holds too, and those of them
    // that it names under another maker (its record is the one kept).
    std::size_t samsungTacsInTacdb = 0;
    std::vector<std::string> otherMakerTacs;
};

// The rules, as the builder's usage text states them.
extern const char* const kRecordsBuilderRules;

// Builds the records from the texts of tacdb.csv and samsung-tacs.csv.
// Throws CsvError when a list lacks its column header or is not
// well-formed CSV.
RecordsBuild BuildHandsetRecords(const std::string& tacdbCsv, const std::string& samsungCsv);

// The model type of a Samsung record: the codes grouped by their stem (the
// code up to the end of its first run of digits: "SM-S908" of "SM-S908U1"),
// each group its first code (a bare stem first) and then "/" and the tail
// of each other code ("SM-S908B/E/N"), the groups joined by ", ", in the
// order of their first codes. When that is longer than kModelTypeLength, groups go
// from the end, then tails of the first group, until the rest and "..."
// fit.
std::string ModelTypeOfCodes(const std::vector<std::string>& codes);
inline constexpr std::size_t kModelTypeLength = 31;

// The resource bytes: every record scrambled, then three zero bytes.
std::string EncodeHandsetRecords(const std::vector<HandsetRecord>& records);

// A UTF-8 field as text of the characters 32 to 126, the only ones the
// scrambling carries: accented Latin letters lose their accents ("u" with
// diaeresis becomes "ue", sharp s "ss"), typographic quotes and dashes
// become their ASCII forms, blanks become spaces, "|" becomes "/", and
// what is left unrepresentable is dropped; runs of spaces shrink to one and
// the ends are trimmed.
std::string AsciiFieldText(const std::string& utf8);

// The first entry of a comma-separated list of alternative names that is a
// model code: two to five capitals and digits starting with a capital, a
// hyphen, and capitals and digits holding a digit ("NHL-10", "RM-702",
// "GT-S5230"). Empty when there is none.
std::string ModelCode(const std::string& alternativeNames);

}  // namespace quorvel
