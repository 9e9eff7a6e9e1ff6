// One input of the command-line analyser, checked and looked up as the
// Analyze command does it, and its CSV row.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cli/tac_slot_table.h"
#include "imei/handset_database.h"

namespace quorvel {

struct ImeiCheck {
    std::string input;                      // trimmed of spaces
    std::string imei;                       // input without separators; empty unless 15 long
    std::optional<std::string> checkDigit;  // the expected digit, when it can be computed
    bool valid = false;                     // 15 digits with a matching check digit
    std::string tac;                        // the first eight of imei
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
// only on the TAC are looked up and made once per TAC.
class CsvRowWriter {
public:
    explicit CsvRowWriter(HandsetSources& sources);
    void AppendRow(const ImeiCheck& check, std::string& rows);

    // The common input, a line of exactly 15 ASCII digits, written as
    // AppendRow(CheckImei(line)) writes it but without the checks any
    // input needs: whether it is valid, or nullopt (nothing appended) for
    // every other line.
    std::optional<bool> AppendDigitsRow(std::string_view line, std::string& rows);

private:
    // Where the columns after tac of one answer are in tailText_.
    struct Columns {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };

    // ",manufacturer,model_type,reference,approval_body,matched_by" and the
    // line end, for the TAC of an IMEI and its DigitKey.
    std::string_view TailColumns(std::string_view tac, std::optional<std::uint32_t> number);
    std::uint32_t MakeTailColumns(const std::string& tac, TacMatch& matchedBy);
    std::uint32_t BodySlot(const std::string& tac);

    HandsetSources& sources_;
    // Compact, so that a row reads little memory: a TAC's slot, its Columns
    // and a few bytes of text.
    std::vector<Columns> columns_;
    std::string tailText_;
    std::vector<std::string> bodyColumns_;  // ",approval_body" each
    // The slot of each approval body's column, plus one, by the first two
    // characters of the TAC.
    std::array<std::uint32_t, 100> digitBodySlots_ = {};
    std::unordered_map<std::string, std::uint32_t> bodySlots_;
    // Where the columns of a TAC are in columns_, plus one (0: not made yet).
    TacSlotTable digitTacSlots_;
    std::unordered_map<std::string, std::uint32_t> otherTacSlots_;
    // The slot of each answer's columns: TACs that get the same answer
    // share their columns; the unknown ones differ only in their body.
    std::unordered_map<std::string, std::uint32_t> answerSlots_;
    std::vector<std::uint32_t> unknownSlots_;  // by body
    std::string imei_;  // the line of AppendDigitsRow (15 long), kept to spare an allocation
};

}  // namespace quorvel
