#include "imei/imei.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quorvel {
bool IsImeiSeparator(char c) { return c == ' ' || c == '-' || c == '/'; }

std::string RemoveImeiSeparators(const std::string& text) {
    std::string imei = text;
    imei.erase(std::remove_if(imei.begin(), imei.end(), IsImeiSeparator), imei.end());
    return imei;
}

std::string CorrectedImeiText(const std::string& text, char digit) {
    std::string corrected = text;
    const auto last = std::find_if_not(corrected.rbegin(), corrected.rend(), IsImeiSeparator);
    if (last != corrected.rend()) *last = digit;
    return corrected;
}

std::optional<std::string> CheckDigit(const std::string& imei) {
    if (imei.size() < kImeiLength - 1) return std::nullopt;
    int sum = 0;
    // i counts from the 14th character (i = 1) back to the first (i = 14);
    // every odd i is doubled.
    for (int i = 1; i <= 14; ++i) {
        const char c = imei[static_cast<std::size_t>(14 - i)];
        if (c < '0' || c > '9') return std::nullopt;
        int digit = c - '0';
        if (i % 2 == 1) {
            digit *= 2;
            if (digit > 9) digit -= 9;
        }
        sum += digit;
    }
    const int check = sum % 10 == 0 ? 0 : (sum / 10 + 1) * 10 - sum;
    return std::string(1, static_cast<char>('0' + check));
}

std::string ApprovalBody(const std::string& tac) {
    static const std::array<std::pair<const char*, const char*>, 9> kBodies = {{
        {"01", "PTCRB GSM-NA, USA (GSM North American PCS-1900 Type Certification Review Board)"},
        {"33", "ART, France (Autorite de regulation des telecommunications)"},
        {"35", "BABT, Great Britain (British Approvals Board for Telecommunications)"},
        {"44", "BABT, Great Britain (British Approvals Board for Telecommunications)"},
        {"45", "NTA, Denmark (National Telecom Agency)"},
        {"49", "RegTP, Germany (Regulierungsbehoerde F\xFCr Telekommunikation und Post)"},
        {"50", "BZT-ETS Certification GmbH, Germany"},
        {"51", "Cetecom ICT Services GmbH, Germany"},
        {"52", "Cetecom GmbH, Germany"},
    }};
    const std::string prefix = tac.substr(0, 2);
    for (const auto& [digits, body] : kBodies) {
        if (prefix == digits) return body;
    }
    return "unknown";
}

}  // namespace quorvel
