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

// A socket listening on 127.0.0.1 at a port the system chooses, written to
// *port. A failed one fails the calls that use it.
TestSocket ListenOnLoopback(int backlog, int* port);
// A connection to 127.0.0.1:port; connecting and sending wait at most
// milliseconds. A failed one fails the calls that use it.
TestSocket ConnectToLoopback(int port, int milliseconds);
// The count received, 0 when the peer closed, -1 when the connection failed
// (a reset among others) or nothing came within milliseconds.
int ReceiveWithin(TestSocket socket, char* buffer, int size, int milliseconds);
bool SendAll(TestSocket socket, std::string_view bytes);
// A graceful close (the peer reads the end of the stream).
void CloseTestSocket(TestSocket socket);

// Serves the replies on 127.0.0.1, one connection each in order: reads the
// request, sends the reply and closes; in a thread of its own. *port
// receives the port. The result holds the request each connection received,
// once every reply has gone out or its wait timed out.
std::future<std::vector<std::string>> ServeOnLoopback(std::vector<std::string> replies, int* port);

}  // namespace quorvel::test
