// Plain blocking loopback sockets for test servers, the same on both
// platforms, and a scripted HTTP server made of them; every wait is bounded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

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

// One connection of a ScriptServer: the reply to the request, then the end.
// kAwaitClose reads until the client ends the connection; kReset sends a
// reset once the client has had time to read the reply.
struct Exchange {
    std::string reply;
    enum Ending { kClose, kReset, kAwaitClose } ending = kClose;
};

struct Served {
    std::string request;
    bool clientClosed = false;  // during kAwaitClose
};

// A server on 127.0.0.1 in a thread of the test process: it takes one
// connection per exchange, in order, and plays it.
class ScriptServer {
public:
    explicit ScriptServer(std::vector<Exchange> exchanges);
    ~ScriptServer();
    ScriptServer(const ScriptServer&) = delete;
    ScriptServer& operator=(const ScriptServer&) = delete;

    int Port() const { return port_; }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    // Once every exchange has run or timed out: what each connection saw.
    const std::vector<Served>& Results();

private:
    std::vector<Exchange> exchanges_;
    std::vector<Served> served_;  // written by the thread, read after it ends
    TestSocket listener_ = kNoTestSocket;
    int port_ = 0;
    std::thread thread_;
};

}  // namespace quorvel::test
