// A scripted HTTP server on 127.0.0.1 for the network tests, in a thread of
// the test process: it takes one connection per exchange, in order, reads
// the request, sends the reply and ends the connection as the exchange says.
// Every wait is bounded.
#pragma once

#include <string>
#include <thread>
#include <vector>

#include "support/test_socket.h"

namespace quorvel::test {

struct Exchange {
    std::string reply;
    // kAwaitClose reads until the client ends the connection; kReset sends
    // a reset once the client has had time to read the reply.
    enum Ending { kClose, kReset, kAwaitClose } ending = kClose;
};

struct Served {
    std::string request;
    bool clientClosed = false;  // during kAwaitClose
};

class ScriptServer {
public:
    static constexpr int kWaitMilliseconds = 5000;

    explicit ScriptServer(std::vector<Exchange> exchanges);
    ~ScriptServer();
    ScriptServer(const ScriptServer&) = delete;
    ScriptServer& operator=(const ScriptServer&) = delete;

    int Port() const { return port_; }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    // Once every exchange has run or timed out: what each connection saw.
    const std::vector<Served>& Results();

private:
    bool Serve(const Exchange& exchange);

    std::vector<Exchange> exchanges_;
    std::vector<Served> served_;  // written by the thread, read after it ends
    TestSocket listener_ = kNoTestSocket;
    int port_ = 0;
    std::thread thread_;
};

// A port on 127.0.0.1 that nothing listens on (bound once, then closed).
int UnusedLoopbackPort();

}  // namespace quorvel::test
