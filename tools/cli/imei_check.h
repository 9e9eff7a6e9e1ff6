// One input of the command-line analyser, checked and looked up as the
// Analyze command does it, and its CSV or JSON row.
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

// The length of an IMEISV: the IMEI's TAC and serial number, then two
// digits of software version instead of the check digit.
inline constexpr std::size_t kImeisvLength = 16;

struct ImeiCheck {
    std::string input;  // trimmed of spaces
    // The IMEI: the input without separators when that is 15 digits; the
    // first 14 and the computed check digit for an IMEISV; empty when the
    // input is neither (it is rejected as of the wrong length).
    std::string imei;
    std::optional<std::string> checkDigit;  // the expected digit; nullopt when imei is empty
    bool valid = false;                     // an IMEI with a matching check digit, or an IMEISV
    std::string tac;                        // the first eight of imei
    std::string softwareVersion;            // the last two digits of an IMEISV, else empty
};

// input is Windows-1252 text; so is every text of the result.
ImeiCheck CheckImei(const std::string& input);

// How the analyser writes a result row.
enum class RowFormat {
    kCsv,   // RFC 4180 rows under a header line, CR LF line ends
    kJson,  // JSON Lines: one object per line
};

// Appends Windows-1252 text to a CSV row as one RFC 4180 field in UTF-8,
// control characters shown as "?": quoted when it holds a comma or a quote,
// with quotes doubled.
void AppendCsvField(const std::string& text, std::string& row);

// Appends Windows-1252 text to a JSON text as a JSON string in UTF-8,
// control characters escaped as JSON does.
void AppendJsonString(const std::string& text, std::string& json);

// Result rows in UTF-8, each ending in its line end. The columns that depend
// only on the TAC are looked up and made once per TAC.
class RowWriter {
public:
    RowWriter(HandsetSources& sources, RowFormat format);

    // What precedes the rows: the CSV header line, or nothing.
    const char* Header() const;

    // The row of a check; moreMembers (JSON only) are members to add to its
    // object, each starting with a comma.
    void AppendRow(const ImeiCheck& check, std::string& rows, std::string_view moreMembers = {});

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

    // The columns manufacturer, model_type, reference, approval_body and
    // matched_by, each led by a comma, for a TAC of eight digits.
    std::string_view TailColumns(std::string_view tac);
    std::uint32_t MakeTailColumns(const std::string& tac, TacMatch& matchedBy);
    std::uint32_t BodySlot(std::string_view tac);
    // One column, led by a comma: in CSV its value, in JSON its name and value.
    void AppendColumn(const char* name, const std::string& value, std::string& row) const;

    HandsetSources& sources_;
    RowFormat format_;
    // Compact, so that a row reads little memory: a TAC's slot, its Columns
    // and a few bytes of text.
    std::vector<Columns> columns_;
    std::string tailText_;
    std::vector<std::string> bodyColumns_;  // the approval_body column each
    // The slot of each approval body's column, plus one, by the first two
    // digits of the TAC.
    std::array<std::uint32_t, 100> bodySlots_ = {};
    // Where the columns of a TAC are in columns_, plus one (0: not made yet).
    TacSlotTable tacSlots_;
    // The slot of each answer's columns: TACs that get the same answer
    // share their columns; the unknown ones differ only in their body.
    std::unordered_map<std::string, std::uint32_t> answerSlots_;
    std::vector<std::uint32_t> unknownSlots_;  // by body
    std::string imei_;  // the line of AppendDigitsRow (15 long), kept to spare an allocation
};

}  // namespace quorvel
