#include "cli/imei_check.h"

#include <algorithm>
#include <array>
#include <cstring>

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
    for (std::size_t c = 0x20; c < 0x7F; ++c) plain[c] = !NeedsQuotes(static_cast<char>(c));
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

CsvRowWriter::CsvRowWriter(HandsetSources& sources) : sources_(sources), imei_(kImeiLength, '0') {}

std::uint32_t CsvRowWriter::BodySlot(const std::string& tac) {
    // Two digits index a table; anything else goes through the map.
    const bool digits = IsAsciiDigit(tac[0]) && IsAsciiDigit(tac[1]);
    std::uint32_t& slot =
        digits ? digitBodySlots_[static_cast<std::size_t>((tac[0] - '0') * 10 + (tac[1] - '0'))]
               : bodySlots_[tac.substr(0, 2)];
    if (slot == 0) {
        bodyColumns_.push_back(",");
        AppendCsvField(ApprovalBody(tac), bodyColumns_.back());
        slot = static_cast<std::uint32_t>(bodyColumns_.size());
    }
    return slot - 1;
}

std::uint32_t CsvRowWriter::MakeTailColumns(const std::string& tac, TacMatch& matchedBy) {
    const TacAnswer answer = LookupTac(tac, sources_);
    matchedBy = answer.matchedBy;
    const std::uint32_t body = BodySlot(tac);
    if (answer.matchedBy == TacMatch::kNone && unknownSlots_.size() <= body) {
        unknownSlots_.resize(body + 1, 0);
    }
    std::uint32_t& shared =
        answer.matchedBy == TacMatch::kNone
            ? unknownSlots_[body]
            : answerSlots_[std::to_string(body) + TacMatchName(answer.matchedBy) + '|' +
                           answer.fields];
    if (shared == 0) {
        const std::string tail = HandsetFieldColumns(answer.fields) + bodyColumns_[body] + ',' +
                                 TacMatchName(answer.matchedBy) + kCrLf;
        columns_.push_back({static_cast<std::uint32_t>(tailText_.size()),
                            static_cast<std::uint32_t>(tail.size())});
        tailText_ += tail;
        shared = static_cast<std::uint32_t>(columns_.size());
    }
    return shared;
}

std::string_view CsvRowWriter::TailColumns(std::string_view tac,
                                           std::optional<std::uint32_t> number) {
    std::uint32_t slot = number ? digitTacSlots_.Find(*number) : 0;
    if (slot == 0) {
        std::uint32_t& other = number ? slot : otherTacSlots_[std::string(tac)];
        if (other == 0) {
            TacMatch matchedBy = TacMatch::kNone;
            other = MakeTailColumns(std::string(tac), matchedBy);
            // An unknown TAC seldom comes again: kept out, it keeps the
            // table small enough for the processor's cache.
            if (number && matchedBy != TacMatch::kNone) digitTacSlots_.Insert(*number, other);
        }
        slot = other;
    }
    const Columns& columns = columns_[slot - 1];
    return std::string_view(tailText_).substr(columns.offset, columns.length);
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
    rows += TailColumns(check.tac, DigitKey(check.tac));
}

std::optional<bool> CsvRowWriter::AppendDigitsRow(std::string_view line, std::string& rows) {
    if (line.size() != kImeiLength || !IsAsciiDigits(line)) {
        return std::nullopt;
    }
    // A copy of a known length: no allocation, no general assignment.
    std::memcpy(&imei_[0], line.data(), kImeiLength);
    const char checkDigit = (*CheckDigit(imei_))[0];
    const bool valid = line.back() == checkDigit;
    const std::string_view validColumn = valid ? ",yes," : ",no,";
    const std::string_view tac = line.substr(0, kTacLength);
    const std::string_view tail = TailColumns(tac, DigitsNumber(tac));
    // "imei,imei,yes,d,tac" and the tail written in place: a row's many
    // short appends would cost more than its checks.
    const std::size_t at = rows.size();
    rows.resize(at + 2 * kImeiLength + 1 + validColumn.size() + 2 + kTacLength + tail.size());
    char* out = &rows[at];
    std::memcpy(out, line.data(), kImeiLength);
    out[kImeiLength] = ',';
    std::memcpy(out + kImeiLength + 1, line.data(), kImeiLength);
    out += 2 * kImeiLength + 1;
    std::memcpy(out, validColumn.data(), validColumn.size());
    out += validColumn.size();
    *out++ = checkDigit;
    *out++ = ',';
    std::memcpy(out, line.data(), kTacLength);
    std::memcpy(out + kTacLength, tail.data(), tail.size());
    return valid;
}

}  // namespace quorvel
