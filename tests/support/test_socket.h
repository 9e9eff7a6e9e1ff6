// Plain blocking loopback sockets for the test servers, the same on both
// platforms; every wait is bounded.
#pragma once

#include <cstdint>
#include <string_view>

namespace quorvel::test {

using TestSocket = std::intptr_t;
inline constexpr TestSocket kNoTestSocket = -1;
inline constexpr int kTimedOut = -2;

// A socket listening on 127.0.0.1 at a port the system chooses, written to
// *port; kNoTestSocket on failure.
TestSocket ListenOnLoopback(int backlog, int* port);
// The next connection, or kNoTestSocket when none comes within milliseconds.
TestSocket AcceptWithin(TestSocket listener, int milliseconds);
// The count received, 0 when the peer closed, -1 when the connection failed
// (a reset among others), kTimedOut when nothing came within milliseconds.
int ReceiveWithin(TestSocket socket, char* buffer, int size, int milliseconds);
bool SendAll(TestSocket socket, std::string_view bytes);
// A graceful close (the peer reads the end of the stream).
void CloseTestSocket(TestSocket socket);
// Closes with a reset (SO_LINGER of 0).
void ResetTestSocket(TestSocket socket);

}  // namespace quorvel::test
