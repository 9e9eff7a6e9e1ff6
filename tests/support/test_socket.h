// Plain blocking loopback sockets for test servers, the same on both
// platforms, and a scripted HTTP server made of them; every wait is bounded.
#pragma once

#include <cstdint>
#include <future>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::test {

using TestSocket = std::intptr_t;
inline constexpr TestSocket kNoTestSocket = -1;
inline constexpr int kTimedOut = -2;

// A socket listening on 127.0.0.1 at a port the system chooses, written to
// *port; kNoTestSocket on failure.
TestSocket ListenOnLoopback(int backlog, int* port);
// A connection to 127.0.0.1:port, or kNoTestSocket when it fails or takes
// longer than milliseconds.
TestSocket ConnectToLoopback(int port, int milliseconds);
// The count received, 0 when the peer closed, -1 when the connection failed
// (a reset among others), kTimedOut when nothing came within milliseconds.
int ReceiveWithin(TestSocket socket, char* buffer, int size, int milliseconds);
bool SendAll(TestSocket socket, std::string_view bytes);
// A graceful close (the peer reads the end of the stream).
void CloseTestSocket(TestSocket socket);

// One connection of a test server: the reply to the request, then the end.
// kAwaitClose reads until the client ends the connection; kReset sends a
// reset once the client has had time to read the reply.
struct Exchange {
    std::string reply;
    enum Ending { kClose, kReset, kAwaitClose } ending = kClose;
};

struct Served {
    std::string request;
};

// Serves the exchanges on 127.0.0.1, one connection each in order, in a
// thread of its own; *port receives the port. The result tells what each
// connection saw once every exchange has run or timed out.
std::future<std::vector<Served>> ServeOnLoopback(std::vector<Exchange> exchanges, int* port);

}  // namespace quorvel::test
