#include "main/online_messages.h"

#include "download/download_errors.h"
#include "shared/text.h"

namespace quorvel {
namespace {

struct OnlineMessages {
    const char* failureFirst;
    const char* failureSecond;
    const char* causeLabel;
    const char* loginFirst;
    const char* loginSecond;
    const char* addFirst;
    const char* addSecond;
    const char* userFileNotWritten;
};

constexpr OnlineMessages kEnglish = {
    "Error while connecting to the online server.",
    "Check your Internet connection.",
    "Error cause: ",
    "Can not access to the database on the server.",
    "Login is required before you can continue.",
    "This IMEI was not found in the local database.",
    "Do you want to add it?",
    "The handset could not be added to the local database file:",
};

constexpr OnlineMessages kVietnamese = {
    // "Chương trình không thể kết nối đến CSDL trên máy chủ."
    "Ch\xA7"
    "\xA5ng tr\xD8nh kh\xA4ng th\xD3 k\xD5t n\xE7i \xA2"
    "\xD5n CSDL tr\xA3n m\xC0y ch\xEF.",
    // "Bạn hãy kiểm tra lại đường truyền Internet."
    "B\xC1n h\xBAy ki\xD3m tra l\xC1i \xA2"
    "\xA7"
    "\xE9ng truy\xD2n Internet.",
    // "Nguyên nhân: "
    "Nguy\xA3n nh\xA1n: ",
    // "Không thể truy cập CSDL trên máy chủ."
    "Kh\xA4ng th\xD3 truy c\xCBp CSDL tr\xA3n m\xC0y ch\xEF.",
    // "Bạn cần phải đăng nhập để tiếp tục sử dụng."
    "B\xC1n c\xC7n ph\xB6i \xA2"
    "\x9Fng nh\xCBp \xA2"
    "\xD3 ti\xD5p t\xF3"
    "c s\xF5 d\xF3ng.",
    // "Số IMEI này chưa có trong CSDL của chương trình."
    "S\xE7 IMEI n\xAAy ch\xA7"
    "a c\xE2 trong CSDL c\xEF"
    "a ch\xA7"
    "\xA5ng tr\xD8nh.",
    // "Bạn có muốn thêm vào không?"
    "B\xC1n c\xE2 mu\xE7n th\xA3m v\xAAo kh\xA4ng?",
    // "Không thể ghi vào tập tin CSDL của chương trình:"
    "Kh\xA4ng th\xD3 ghi v\xAAo t\xCBp tin CSDL c\xEF"
    "a ch\xA7"
    "\xA5ng tr\xD8nh:",
};

const OnlineMessages& OnlineMessagesFor(Language language) {
    return language == Language::Vietnamese ? kVietnamese : kEnglish;
}

}  // namespace

std::string DownloadFailedMessage(Language language, std::int32_t why) {
    const OnlineMessages& texts = OnlineMessagesFor(language);
    return std::string(texts.failureFirst) + kCrLf + texts.failureSecond + kCrLf + kCrLf +
           texts.causeLabel + kCrLf + "<" + DownloadErrorText(why) + ">";
}

std::string LoginRequiredMessage(Language language) {
    const OnlineMessages& texts = OnlineMessagesFor(language);
    return std::string(texts.loginFirst) + kCrLf + texts.loginSecond;
}

std::string AddHandsetQuestion(Language language) {
    const OnlineMessages& texts = OnlineMessagesFor(language);
    return std::string(texts.addFirst) + kCrLf + texts.addSecond;
}

std::string UserFileNotWrittenMessage(Language language, const std::string& path) {
    return OnlineMessagesFor(language).userFileNotWritten + (kCrLf + path);
}

}  // namespace quorvel
