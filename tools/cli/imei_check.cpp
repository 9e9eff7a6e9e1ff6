#include "cli/imei_check.h"

#include <algorithm>
#include <array>

#include "imei/handset_database.h"
#include "imei/imei.h"
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

// The number of an eight-digit TAC, or nullopt for any other text.
std::optional<std::uint32_t> DigitTacNumber(const std::string& tac) {
    std::uint32_t number = 0;
    for (char c : tac) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return number;
}

// ",manufacturer,model_type,reference,approval_body,matched_by"
std::string MakeHandsetColumns(const std::string& tac, const TacAnswer& answer) {
    std::string columns;
    const std::vector<std::string> fields = SplitLookupResult(answer.fields);
    for (std::size_t k = 0; k < 3; ++k) {
        columns += ',';
        AppendCsvField(k < fields.size() ? fields[k] : std::string(), columns);
    }
    columns += ',';
    AppendCsvField(ApprovalBody(tac), columns);
    columns += ',';
    columns += TacMatchName(answer.matchedBy);
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

const std::string& CsvRowWriter::HandsetColumns(const ImeiCheck& check) {
    const std::optional<std::uint32_t> number = DigitTacNumber(check.fullTac);
    std::uint32_t& slot = number ? digitTacSlots_[*number] : otherTacSlots_[check.fullTac];
    if (slot == 0) {
        columns_.push_back(MakeHandsetColumns(check.tac, LookupTac(check.fullTac, sources_)));
        slot = static_cast<std::uint32_t>(columns_.size());
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
    rows += check.imei.empty() ? ",,,,," : HandsetColumns(check);
    rows += "\r\n";
}

}  // namespace quorvel
