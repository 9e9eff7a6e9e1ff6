// A scriptable HTTP server on 127.0.0.1 for the network tests: it runs in a
// thread of the test process, accepts connections one after the other and
// plays one script per connection, so that a test can send any bytes in any
// pieces, pause, close half-way or reset. Every wait is bounded.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/request_text.h"
#include "support/test_socket.h"

namespace quorvel::test {

struct ServerStep {
    enum class Kind { kReadRequest, kSend, kPause, kClose, kReset, kAwaitClose };
    Kind kind;
    std::string bytes;
    int milliseconds = 0;
};

// Reads until the blank line that ends a request, and keeps the request.
ServerStep ReadRequest();
ServerStep Send(std::string bytes);
// Sends the bytes one at a time, pausing between them.
std::vector<ServerStep> Trickle(const std::string& bytes, int pauseMilliseconds);
ServerStep Pause(int milliseconds);
ServerStep Close();
ServerStep Reset();
// Reads and drops whatever comes until the client closes the connection.
ServerStep AwaitClose();

using ServerScript = std::vector<ServerStep>;

// How the client left a connection that an AwaitClose step waited on. (The
// download's hard close shows as a reset natively; under Wine, and after a
// shutdown, as a plain close.)
enum class ClientEnding { kStillOpen, kClosed, kReset };

class ScriptServer {
public:
    // How long the server waits for a connection, a request or a close.
    static constexpr int kWaitMilliseconds = 5000;

    explicit ScriptServer(std::vector<ServerScript> scripts, int backlog = 8);
    ~ScriptServer();
    ScriptServer(const ScriptServer&) = delete;
    ScriptServer& operator=(const ScriptServer&) = delete;

    int Port() const { return port_; }
    // "http://127.0.0.1:<port>"
    std::string Base() const;

    // Waits until every script has run (or timed out), then tells what each
    // connection received as its request, and how the client left it during
    // an AwaitClose step.
    std::vector<std::string> Requests();
    std::vector<ClientEnding> Endings();

private:
    void Serve();
    void Play(TestSocket connection, const ServerScript& script);
    void Finish();

    std::vector<ServerScript> scripts_;
    TestSocket listener_ = kNoTestSocket;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> requests_;
    std::vector<ClientEnding> endings_;
    std::thread thread_;
};

// A port on 127.0.0.1 that nothing listens on (bound once, then closed).
int UnusedLoopbackPort();

}  // namespace quorvel::test
