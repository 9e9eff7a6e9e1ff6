// Plain blocking loopback sockets for the test servers, the same on both
// platforms; every wait is bounded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel::test {

using TestSocket = std::intptr_t;
inline constexpr TestSocket kNoTestSocket = -1;

// Starts the platform's socket library once per process.
void StartTestSockets();

// A socket listening on 127.0.0.1 at a port the system chooses; *port
// receives it. kNoTestSocket on failure.
TestSocket ListenOnLoopback(int backlog, int* port);
// The next connection, or kNoTestSocket when none comes within milliseconds.
TestSocket AcceptWithin(TestSocket listener, int milliseconds);
// Connects to 127.0.0.1:port, or gives up after milliseconds.
TestSocket ConnectToLoopback(int port, int milliseconds);
// Receives what is there: the count, 0 when the peer closed, -1 when the
// connection failed (a reset among others), kTimedOut when nothing came
// within milliseconds.
inline constexpr int kTimedOut = -2;
int ReceiveWithin(TestSocket socket, char* buffer, int size, int milliseconds);
bool SendAll(TestSocket socket, std::string_view bytes);
// A graceful close (the peer reads the end of the stream).
void CloseTestSocket(TestSocket socket);
// Closes with a reset (SO_LINGER of 0).
void ResetTestSocket(TestSocket socket);

}  // namespace quorvel::test
