#include "main/analyze_messages.h"

namespace quorvel {
namespace {

// Byte literals are split after a hex escape whenever a hex digit follows.
constexpr AnalyzeMessages kVietnamese = {
    // "Thông báo"
    "Th\xA4ng b\xC0o",
    // "Số IMEI không hợp lệ. Độ dài của số IMEI phải là 15 chữ số."
    "S\xE7 IMEI kh\xA4ng h\xEDp l\xD6. \x98"
    "\xE8 d\xAAi c\xEF"
    "a s\xE7 IMEI ph\xB6i l\xAA 15 ch\xF6 s\xE7.",
    // "Số IMEI không hợp lệ. Chữ số cuối cùng phải là {"
    "S\xE7 IMEI kh\xA4ng h\xEDp l\xD6. Ch\xF6 s\xE7 cu\xE7i c\xEEng ph\xB6i l\xAA {",
    // "}.\r\nBạn có muốn sửa thành số IMEI hợp lệ không?"
    "}.\r\n"
    "B\xC1n c\xE2 mu\xE7n s\xF5"
    "a th\xAAnh s\xE7 IMEI h\xEDp l\xD6 kh\xA4ng?",
    // "Không có thông tin về số IMEI trong CSDL của chương trình.\r\nBạn có muốn tìm thông tin IMEI
    // từ Internet không?"
    "Kh\xA4ng c\xE2 th\xA4ng tin v\xD2 s\xE7 IMEI trong CSDL c\xEF"
    "a ch\xA7"
    "\xA5ng tr\xD8nh.\r\n"
    "B\xC1n c\xE2 mu\xE7n t\xD8m th\xA4ng tin IMEI t\xF4 Internet kh\xA4ng?",
};

constexpr AnalyzeMessages kEnglish = {
    "Warning",
    "Invalid IMEI. The IMEI should be 15-digit number.",
    "Invalid IMEI. The last check digit should be {",
    "}.\r\nDo you want to correct it?",
    "The information for this IMEI was not found in the local database.\r\n"
    "Do you want to search from the Internet?",
};

}  // namespace

const AnalyzeMessages& AnalyzeMessagesFor(Language language) {
    return language == Language::Vietnamese ? kVietnamese : kEnglish;
}

std::string WrongCheckDigitMessage(Language language, const std::string& expectedDigit) {
    const AnalyzeMessages& messages = AnalyzeMessagesFor(language);
    return messages.wrongCheckDigitBefore + expectedDigit + messages.wrongCheckDigitAfter;
}

}  // namespace quorvel
