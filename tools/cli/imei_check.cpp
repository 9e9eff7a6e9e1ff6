#include "cli/imei_check.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <nlohmann/json.hpp>

#include "imei/handset_database.h"
#include "imei/imei.h"
#include "main/analyze_messages.h"
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

const char* const kCsvHeader =
    "input,imei,valid,check_digit,tac,manufacturer,model_type,reference,approval_body,"
    "matched_by,software_version\r\n";

// The ends of a row of a 15-digit IMEI, after its tail columns.
constexpr std::string_view kCsvImeiRowEnd = ",\r\n";
constexpr std::string_view kJsonImeiRowEnd = ",\"software_version\":null}\n";

}  // namespace

ImeiCheck CheckImei(const std::string& input) {
    ImeiCheck check;
    check.input = TrimSpaces(input);
    std::string digits = RemoveImeiSeparators(check.input);
    // Only digits: the window's wrong-length message also meets a letter
    // among them, and a digit of another script is no IMEI digit either.
    if (!IsAsciiDigits(digits)) return check;
    if (digits.size() == kImeisvLength) {
        check.softwareVersion = digits.substr(kImeiLength - 1);
        digits.resize(kImeiLength - 1);
        check.checkDigit = CheckDigit(digits + '0');
        digits += *check.checkDigit;
        check.valid = true;
    } else if (digits.size() == kImeiLength) {
        check.checkDigit = CheckDigit(digits);
        check.valid = digits.back() == (*check.checkDigit)[0];
    } else {
        return check;
    }
    check.imei = std::move(digits);
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

void AppendJsonString(const std::string& text, std::string& json) {
    json += nlohmann::json(Cp1252ToUtf8(text)).dump();
}

RowWriter::RowWriter(HandsetSources& sources, RowFormat format)
    : sources_(sources), format_(format), imei_(kImeiLength, '0') {}

const char* RowWriter::Header() const { return format_ == RowFormat::kCsv ? kCsvHeader : ""; }

void RowWriter::AppendColumn(const char* name, const std::string& value, std::string& row) const {
    row += ',';
    if (format_ == RowFormat::kCsv) return AppendCsvField(value, row);
    row += '"';
    row += name;
    row += "\":";
    AppendJsonString(value, row);
}

std::uint32_t RowWriter::BodySlot(std::string_view tac) {
    std::uint32_t& slot = bodySlots_[DigitsNumber(tac.substr(0, 2))];
    if (slot == 0) {
        bodyColumns_.emplace_back();
        AppendColumn("approval_body", ApprovalBody(std::string(tac)), bodyColumns_.back());
        slot = static_cast<std::uint32_t>(bodyColumns_.size());
    }
    return slot - 1;
}

std::uint32_t RowWriter::MakeTailColumns(const std::string& tac, TacMatch& matchedBy) {
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
        std::string tail;
        const std::vector<std::string> fields = SplitLookupResult(answer.fields);
        const char* const names[] = {"manufacturer", "model_type", "reference"};
        for (std::size_t k = 0; k < 3; ++k) {
            AppendColumn(names[k], k < fields.size() ? fields[k] : std::string(), tail);
        }
        tail += bodyColumns_[body];
        AppendColumn("matched_by", TacMatchName(answer.matchedBy), tail);
        columns_.push_back({static_cast<std::uint32_t>(tailText_.size()),
                            static_cast<std::uint32_t>(tail.size())});
        tailText_ += tail;
        shared = static_cast<std::uint32_t>(columns_.size());
    }
    return shared;
}

std::string_view RowWriter::TailColumns(std::string_view tac) {
    const std::uint32_t number = DigitsNumber(tac);
    std::uint32_t slot = tacSlots_.Find(number);
    if (slot == 0) {
        TacMatch matchedBy = TacMatch::kNone;
        slot = MakeTailColumns(std::string(tac), matchedBy);
        // An unknown TAC seldom comes again: kept out, it keeps the table
        // small enough for the processor's cache.
        if (matchedBy != TacMatch::kNone) tacSlots_.Insert(number, slot);
    }
    const Columns& columns = columns_[slot - 1];
    return std::string_view(tailText_).substr(columns.offset, columns.length);
}

void RowWriter::AppendRow(const ImeiCheck& check, std::string& rows, std::string_view moreMembers) {
    const bool csv = format_ == RowFormat::kCsv;
    if (csv) {
        AppendCsvField(check.input, rows);
    } else {
        rows += "{\"input\":";
        AppendJsonString(check.input, rows);
    }
    if (check.imei.empty()) {
        if (csv) {
            rows += ",,no,,,,,,,,\r\n";
        } else {
            rows += ",\"error\":";
            AppendJsonString(AnalyzeMessagesFor(Language::English).wrongLength, rows);
            rows += "}\n";
        }
        return;
    }
    AppendColumn("imei", check.imei, rows);
    const char* const valid = check.valid ? (csv ? "yes" : "true") : (csv ? "no" : "false");
    rows += csv ? "," : ",\"valid\":";
    rows += valid;
    rows += csv ? "," : ",\"check_digit\":";
    rows += *check.checkDigit;
    AppendColumn("tac", check.tac, rows);
    rows += TailColumns(check.tac);
    if (check.softwareVersion.empty()) {
        rows += moreMembers;
        rows += csv ? kCsvImeiRowEnd : kJsonImeiRowEnd;
        return;
    }
    AppendColumn("software_version", check.softwareVersion, rows);
    rows += moreMembers;
    rows += csv ? "\r\n" : "}\n";
}

std::optional<bool> RowWriter::AppendDigitsRow(std::string_view line, std::string& rows) {
    if (line.size() != kImeiLength || !IsAsciiDigits(line)) return std::nullopt;
    // A copy of a known length: no allocation, no general assignment.
    std::memcpy(&imei_[0], line.data(), kImeiLength);
    const char checkDigit = (*CheckDigit(imei_))[0];
    const bool valid = line.back() == checkDigit;
    const std::string_view tail = TailColumns(line.substr(0, kTacLength));
    // The columns around the digits, in the order of the row; each piece
    // ends where the next column's digits go.
    const bool csv = format_ == RowFormat::kCsv;
    const std::string_view pieces[] = {
        csv ? "" : "{\"input\":\"",
        csv ? "," : "\",\"imei\":\"",
        csv ? (valid ? ",yes," : ",no,")
            : (valid ? "\",\"valid\":true,\"check_digit\":"
                     : "\",\"valid\":false,\"check_digit\":"),
        csv ? "," : ",\"tac\":\"",
        csv ? "" : "\"",
    };
    const std::string_view end = csv ? kCsvImeiRowEnd : kJsonImeiRowEnd;
    std::size_t size = 2 * kImeiLength + 1 + kTacLength + tail.size() + end.size();
    for (std::string_view piece : pieces) size += piece.size();
    // Written in place: a row's many short appends would cost more than its
    // checks.
    const std::size_t at = rows.size();
    rows.resize(at + size);
    char* out = &rows[at];
    const auto put = [&out](std::string_view text) {
        std::memcpy(out, text.data(), text.size());
        out += text.size();
    };
    put(pieces[0]);
    put(line);
    put(pieces[1]);
    put(line);
    put(pieces[2]);
    *out++ = checkDigit;
    put(pieces[3]);
    put(line.substr(0, kTacLength));
    put(pieces[4]);
    put(tail);
    put(end);
    return valid;
}

}  // namespace quorvel
