#include "main/startup_messages.h"

#include "download/download_errors.h"

namespace quorvel {
namespace {

struct StartupMessages {
    const char* networkEventsBefore;  // up to and including "("
    const char* networkEventsAfter;   // the line after the empty one
    const char* mainWindowUnavailable;
};

// Byte literals are split after a hex escape whenever a hex digit follows.
constexpr StartupMessages kVietnamese = {
    // "Quorvel không thể thiết lập việc nhận sự kiện mạng ("
    "Quorvel kh\xA4ng th\xD3 thi\xD5t l\xCBp vi\xD6"
    "c nh\xCBn s\xF8 ki\xD6n m\xC1ng (",
    // "Chương trình tiếp tục chạy, nhưng mọi lần lấy thông tin trực tuyến đều
    // thất bại."
    "Ch\xA7"
    "\xA5ng tr\xD8nh ti\xD5p t\xF3"
    "c ch\xC1y, nh\xA7ng m\xE3i l\xC7n l\xCAy th\xA4ng tin tr\xF8"
    "c tuy\xD5n \xA2"
    "\xD2u th\xCAt b\xC1i.",
    "Quorvel khong the mo cua so chinh.",
};

constexpr StartupMessages kEnglish = {
    "Quorvel could not set up its network events (",
    "It runs on, but every on-line look-up will fail.",
    "Quorvel could not open its main window.",
};

const StartupMessages& StartupMessagesFor(Language language) {
    return language == Language::Vietnamese ? kVietnamese : kEnglish;
}

}  // namespace

std::string NetworkEventsUnavailableMessage(Language language) {
    const StartupMessages& texts = StartupMessagesFor(language);
    return texts.networkEventsBefore + DownloadErrorText(kNoNotificationWindow) + ").\r\n\r\n" +
           texts.networkEventsAfter;
}

const char* MainWindowUnavailableMessage(Language language) {
    return StartupMessagesFor(language).mainWindowUnavailable;
}

}  // namespace quorvel
