#include "download/download_errors.h"

#include <array>

namespace quorvel {
namespace {

// Codes 6 and 8 to 10 have texts although nothing raises them: the download
// writes no file and performs no proxy handshake.
const std::array<const char*, 11> kTexts = {
    "The connection with the proxy or host has been closed, before downloading the entire file",
    "The download has been aborted by the user",
    "Unable to create a necessary window",
    "Unable to send data to the host or proxy",
    "The server did not reply with a 200 or 206 reply code",
    "Unable to connect to the host",
    "Unable to create the file",
    "Unable to connect to the proxy or unable to send data to it",
    "The connection request has failed or the proxy server has rejected it",
    "The selected authentication method was not accepted by the proxy",
    "The user/password combination was not accepted by the proxy",
};

}  // namespace

std::string DownloadErrorText(std::int32_t code) {
    if (code < 0 || code >= static_cast<std::int32_t>(kTexts.size())) return "Unknown error";
    return kTexts[static_cast<std::size_t>(code)];
}

}  // namespace quorvel
