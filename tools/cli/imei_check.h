// One input of the command-line analyser, checked and looked up as the
// Analyze command does it, and its CSV row.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "imei/handset_database.h"

namespace quorvel {

struct ImeiCheck {
    std::string input;                      // trimmed of spaces
    std::string imei;                       // input without separators; empty unless 15 long
    std::optional<std::string> checkDigit;  // the expected digit, when it can be computed
    bool valid = false;                     // 15 digits with a matching check digit
    std::string tac;                        // the first six of imei
    std::string fullTac;                    // the first eight of imei
};

// input is Windows-1252 text; so is every text of the result.
ImeiCheck CheckImei(const std::string& input);

// The CSV header line, ending in CR LF.
extern const char* const kCsvHeader;

// Appends Windows-1252 text to a CSV row as one RFC 4180 field in UTF-8,
// control characters shown as "?": quoted when it holds a comma or a quote,
// with quotes doubled.
void AppendCsvField(const std::string& text, std::string& row);

// Rows of checks in UTF-8, each ending in CR LF. The columns that depend
// only on the eight-digit TAC are looked up and made once per TAC.
class CsvRowWriter {
public:
    explicit CsvRowWriter(HandsetSources& sources);
    void AppendRow(const ImeiCheck& check, std::string& rows);

private:
    const std::string& HandsetColumns(const ImeiCheck& check);

    HandsetSources& sources_;
    std::vector<std::string> columns_;
    // Where the columns of a TAC are in columns_, plus one (0: not made yet).
    std::unordered_map<std::uint32_t, std::uint32_t> digitTacSlots_;
    std::unordered_map<std::string, std::uint32_t> otherTacSlots_;
};

}  // namespace quorvel
