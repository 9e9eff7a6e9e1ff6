// A plain socket client for the service tests, talking to 127.0.0.1 only.
// Every receive is bounded (a few seconds), so a server that hangs makes a
// test fail instead of stalling the run.
#pragma once

#include <string>

#include "shared/unique_fd_posix.h"

namespace quorvel::testing {

// A connected socket, or an empty owner (with a test failure) when the
// connection fails.
UniqueFd ConnectLoopback(int port);

// Sends all of text; false when the connection broke.
bool SendAll(const UniqueFd& socket, const std::string& text);

// Everything received until the server closes the connection (or the bound
// passes, which fails the test).
std::string ReceiveAll(const UniqueFd& socket);

// Connects, sends request and returns the whole reply.
std::string Exchange(int port, const std::string& request);

// "GET <target> HTTP/1.0" with the header lines that Quorvel sends.
std::string QuorvelRequest(const std::string& target);

// The analysis target of imei: "/index.php?goto=imei&action=analyse&s=" + imei.
std::string AnalysisTarget(const std::string& imei);

// The status line of a reply, without its CR LF; and its body.
std::string StatusLine(const std::string& reply);
std::string Body(const std::string& reply);

}  // namespace quorvel::testing
