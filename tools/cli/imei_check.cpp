#include "cli/imei_check.h"

#include <algorithm>
#include <array>

#include "imei/handset_database.h"
#include "imei/imei.h"
#include "shared/text.h"
#include "text_encoding.h"

namespace quorvel {
namespace {

constexpr bool NeedsQuotes(char c) { return c == ',' || c == '"'; }

// The bytes a field may hold as it stands: printable ASCII other than those
// to quote.
constexpr std::array<bool, 256> kPlainBytes = [] {
    std::array<bool, 256> plain = {};
    for (int c = 0x20; c < 0x7F; ++c) plain[c] = !NeedsQuotes(static_cast<char>(c));
    return plain;
}();

// ASCII with nothing to quote: the field as it stands (the common case,
// checked in one pass).
bool IsPlainField(const std::string& text) {
    for (char c : text) {
        if (!kPlainBytes[static_cast<unsigned char>(c)]) return false;
    }
    return true;
}

// ",manufacturer,model_type,reference"
std::string HandsetFieldColumns(const std::string& lookupResult) {
    std::string columns;
    const std::vector<std::string> fields = SplitLookupResult(lookupResult);
    for (std::size_t k = 0; k < 3; ++k) {
        columns += ',';
        AppendCsvField(k < fields.size() ? fields[k] : std::string(), columns);
    }
    return columns;
}

}  // namespace

const char* const kCsvHeader =
    "input,imei,valid,check_digit,tac,manufacturer,model_type,reference,approval_body,"
    "matched_by\r\n";

ImeiCheck CheckImei(const std::string& input) {
    ImeiCheck check;
    check.input = TrimSpaces(input);
    std::string imei = RemoveImeiSeparators(check.input);
    if (imei.size() != kImeiLength) return check;
    check.imei = std::move(imei);
    check.checkDigit = CheckDigit(check.imei);
    check.valid = check.checkDigit && check.imei.back() == (*check.checkDigit)[0];
    check.tac = check.imei.substr(0, kTacLength);
    check.fullTac = check.imei.substr(0, kFullTacLength);
    return check;
}

void AppendCsvField(const std::string& text, std::string& row) {
    if (IsPlainField(text)) {
        row += text;
        return;
    }
    const std::string utf8 = Cp1252ToUtf8(WithoutControls(text));
    if (std::none_of(utf8.begin(), utf8.end(), NeedsQuotes)) {
        row += utf8;
        return;
    }
    row += '"';
    for (char c : utf8) {
        if (c == '"') row += '"';
        row += c;
    }
    row += '"';
}

CsvRowWriter::CsvRowWriter(HandsetSources& sources) : sources_(sources) {}

std::uint32_t CsvRowWriter::BodySlot(const std::string& tac) {
    std::uint32_t& slot = bodySlots_[tac.substr(0, 2)];
    if (slot == 0) {
        bodyColumns_.push_back(",");
        AppendCsvField(ApprovalBody(tac), bodyColumns_.back());
        slot = static_cast<std::uint32_t>(bodyColumns_.size());
    }
    return slot - 1;
}

const CsvRowWriter::Columns& CsvRowWriter::HandsetColumns(const ImeiCheck& check) {
    const std::optional<std::uint32_t> number = DigitKey(check.fullTac);
    std::uint32_t slot = number ? digitTacSlots_.Find(*number) : otherTacSlots_[check.fullTac];
    if (slot != 0) return columns_[slot - 1];
    const TacAnswer answer = LookupTac(check.fullTac, sources_);
    const std::uint32_t body = BodySlot(check.tac);
    if (answer.matchedBy == TacMatch::kNone && unknownSlots_.size() <= body) {
        unknownSlots_.resize(body + 1, 0);
    }
    std::uint32_t& shared =
        answer.matchedBy == TacMatch::kNone
            ? unknownSlots_[body]
            : answerSlots_[std::to_string(body) + TacMatchName(answer.matchedBy) + '|' +
                           answer.fields];
    if (shared == 0) {
        const std::string fields = HandsetFieldColumns(answer.fields);
        columns_.push_back({static_cast<std::uint32_t>(handsetText_.size()),
                            static_cast<std::uint32_t>(fields.size()), body, answer.matchedBy});
        handsetText_ += fields;
        shared = static_cast<std::uint32_t>(columns_.size());
    }
    slot = shared;
    // An unknown TAC seldom comes again: kept out, it keeps the table small
    // enough for the processor's cache.
    if (!number) {
        otherTacSlots_[check.fullTac] = slot;
    } else if (answer.matchedBy != TacMatch::kNone) {
        digitTacSlots_.Insert(*number, slot);
    }
    return columns_[slot - 1];
}

void CsvRowWriter::AppendRow(const ImeiCheck& check, std::string& rows) {
    AppendCsvField(check.input, rows);
    rows += ',';
    AppendCsvField(check.imei, rows);
    rows += check.valid ? ",yes," : ",no,";
    if (check.checkDigit) rows += *check.checkDigit;
    rows += ',';
    AppendCsvField(check.tac, rows);
    if (check.imei.empty()) {
        rows += ",,,,,\r\n";
        return;
    }
    const Columns& columns = HandsetColumns(check);
    rows.append(handsetText_, columns.offset, columns.length);
    rows += bodyColumns_[columns.body];
    rows += ',';
    rows += TacMatchName(columns.matchedBy);
    rows += "\r\n";
}

}  // namespace quorvel
