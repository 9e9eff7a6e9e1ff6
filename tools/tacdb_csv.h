// Reading the handset lists of data/: "tacdb.csv" (RFC 4180 records, a
// licence notice on line 1, the column names on line 2, then one handset per
// record) and "samsung-tacs.csv" (a TAC and the model codes sold under it on
// each line). Every tool that reads the lists reads them here.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvel {

class CsvError : public std::runtime_error {
public:
    CsvError(std::size_t line, const std::string& what);
    std::size_t line() const { return line_; }

private:
    std::size_t line_;
};

struct CsvRecord {
    std::size_t line = 0;  // where the record starts, counting from 1
    std::vector<std::string> fields;
};

// Splits text into records. Records end at CR LF or LF; a quoted field may
// hold commas, line ends and doubled quotes. Throws CsvError for a quoted
// field that is never closed or that is followed by anything but a comma
// or the end of its line.
std::vector<CsvRecord> ParseCsv(const std::string& text);

// One handset, its texts as the file has them (UTF-8).
struct TacRecord {
    std::string tac;  // eight digits
    std::string maker;
    std::string model;
    std::string aka;  // comma-separated other names of the model, may be empty
};

struct TacDatabase {
    std::vector<TacRecord> records;
    // Lines of the records left out because their TAC is not eight digits
    // or they lack a column.
    std::vector<std::size_t> skippedLines;
};

// Reads the whole file's text. The first record that names the columns tac,
// name, name and aka (in any order) holds the column names; the records
// before it (the licence notice) are not handsets. Blanks around a TAC and
// a column name are dropped; blank lines are ignored. Throws CsvError when
// the text is not well-formed CSV or no record names those columns.
TacDatabase ReadTacDatabase(const std::string& csvText);

// One line of the Samsung list.
struct ModelCodeRow {
    std::string tac;                 // eight digits
    std::vector<std::string> codes;  // blanks trimmed, none empty, in line order
};

struct ModelCodeList {
    std::vector<ModelCodeRow> rows;
    // Lines left out because their TAC is not eight digits or they name no
    // code.
    std::vector<std::size_t> skippedLines;
};

// Reads the whole text of the Samsung list: a byte-order mark, a header
// line whose first column is "tac", then a TAC and its codes on each line.
// Blank lines are ignored. Throws CsvError when the text is not well-formed
// CSV or has no header line.
ModelCodeList ReadModelCodeList(const std::string& csvText);

// The first name of an "aka" list, blanks removed at both ends.
std::string FirstAlias(const std::string& aka);

}  // namespace quorvel
