// What the analysis service answers to one request.
#pragma once

#include <string>
#include <utility>

#include "service/handset_directory.h"

namespace quorvel {

// The path of the analysis page; its query is "goto=imei&action=analyse&s=" + IMEI.
inline constexpr const char* kAnalysisPath = "/index.php";

class AnalysisService {
public:
    AnalysisService(HandsetDirectory directory, bool requireLogin)
        : directory_(std::move(directory)), requireLogin_(requireLogin) {}

    // The whole reply to a request head (its bytes up to the blank line):
    // the analysis page, or the login page when a login is required, for a
    // GET of the analysis with a 15-digit IMEI; 400 for a malformed request
    // or IMEI, 404 for any other page, 405 for a method other than GET.
    std::string Respond(const std::string& head) const;

private:
    HandsetDirectory directory_;
    bool requireLogin_;
};

}  // namespace quorvel
