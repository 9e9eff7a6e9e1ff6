// The on-line part of quorvel-cli: the window's on-line look-up, run with the
// download class over POSIX sockets, without questions and without learning
// records.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace quorvel {

struct OnlineOptions {
    std::string service;  // host or host:port; empty: the program's default
    std::string proxy;    // host:port; empty: direct
};

// Looks the IMEI up on-line and returns localText with the on-line lines
// (header, result lines, country line) appended. A failure or the login page
// is reported on err (in the window's English words) and gives nullopt.
std::optional<std::string> AppendOnlineLines(const std::string& imei, const std::string& localText,
                                             const OnlineOptions& options, std::ostream& err);

}  // namespace quorvel
