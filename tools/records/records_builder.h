// Turns the TAC list (CSV, UTF-8) into the program's built-in handset
// records: one record per eight-digit TAC and one per six-digit prefix.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quorvel {

struct HandsetRecord {
    std::string tac;  // eight digits, or the six of a prefix
    std::string manufacturer;
    std::string modelType;
    std::string reference;
};

struct RecordsBuild {
    std::vector<HandsetRecord> records;  // ordered by TAC
    std::size_t rowsUsed = 0;
    std::size_t rowsSkipped = 0;  // no eight-digit TAC, or neither maker nor model
};

// The rules, as the builder's usage text states them.
extern const char* const kRecordsBuilderRules;

// Builds the records from the text of the TAC list. Throws CsvError when
// the list has no column header or is not well-formed CSV.
RecordsBuild BuildHandsetRecords(const std::string& csvText);

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
