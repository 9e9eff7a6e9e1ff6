// The texts of the download failure codes that DownloadFailed carries. They
// exist in English only and are shown in English whatever the interface
// language; the caller adds the "<" and ">" around them.
#pragma once

#include <cstdint>
#include <string>

namespace quorvel {

// Failure codes raised by the download class.
enum DownloadFailure : std::int32_t {
    kClosedBeforeComplete = 0,
    kAborted = 1,
    kNoNotificationWindow = 2,
    kSendFailed = 3,
    kStatusNotAccepted = 4,
    kHostConnectFailed = 5,
    kProxyConnectFailed = 7,
    kUnusableUrl = 11,
};

// The text of codes 0 to 10; "Unknown error" for every other value.
std::string DownloadErrorText(std::int32_t code);

}  // namespace quorvel
