#include "cli/imei_check.h"

#include <algorithm>
#include <array>

#include "imei/handset_database.h"
#include "imei/imei.h"
#include "text_encoding.h"

namespace quorvel {
namespace {

constexpr bool NeedsQuotes(char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; }

// The bytes a field may hold as it stands: ASCII other than those to quote.
constexpr std::array<bool, 256> kPlainBytes = [] {
    std::array<bool, 256> plain = {};
    for (int c = 0; c < 0x80; ++c) plain[c] = !NeedsQuotes(static_cast<char>(c));
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

constexpr std::size_t kDigitTacCount = 1000000;

// The number of a six-digit TAC, or kDigitTacCount for any other text.
std::size_t DigitTacNumber(const std::string& tac) {
    if (tac.size() != kTacLength) return kDigitTacCount;
    std::size_t number = 0;
    for (char c : tac) {
        if (c < '0' || c > '9') return kDigitTacCount;
        number = number * 10 + static_cast<std::size_t>(c - '0');
    }
    return number;
}

// ",manufacturer,model_type,reference,approval_body"
std::string MakeHandsetColumns(const std::string& tac, const std::string& lookupResult) {
    std::string columns;
    const std::vector<std::string> fields = SplitLookupResult(lookupResult);
    for (std::size_t k = 0; k < 3; ++k) {
        columns += ',';
        AppendCsvField(k < fields.size() ? fields[k] : std::string(), columns);
    }
    columns += ',';
    AppendCsvField(ApprovalBody(tac), columns);
    return columns;
}

}  // namespace

const char* const kCsvHeader =
    "input,imei,valid,check_digit,tac,manufacturer,model_type,reference,approval_body\r\n";

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
    const std::string utf8 = Cp1252ToUtf8(text);
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

CsvRowWriter::CsvRowWriter(const HandsetIndex& index) : index_(index) {}

const std::string& CsvRowWriter::HandsetColumns(const std::string& tac) {
    if (digitTacSlots_.empty()) digitTacSlots_.assign(kDigitTacCount, 0);
    const std::size_t number = DigitTacNumber(tac);
    std::uint32_t& slot = number < kDigitTacCount ? digitTacSlots_[number] : otherTacSlots_[tac];
    if (slot == 0) {
        columns_.push_back(MakeHandsetColumns(tac, index_.Lookup(tac)));
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
    rows += check.imei.empty() ? ",,,," : HandsetColumns(check.tac);
    rows += "\r\n";
}

}  // namespace quorvel
