#include "support/script_server.h"

#include <chrono>

namespace quorvel::test {

ScriptServer::ScriptServer(std::vector<Exchange> exchanges) : exchanges_(std::move(exchanges)) {
    listener_ = ListenOnLoopback(8, &port_);
    thread_ = std::thread([this] {
        for (const Exchange& exchange : exchanges_)
            if (!Serve(exchange)) return;
    });
}

ScriptServer::~ScriptServer() {
    Results();
    if (listener_ != kNoTestSocket) CloseTestSocket(listener_);
}

const std::vector<Served>& ScriptServer::Results() {
    if (thread_.joinable()) thread_.join();
    return served_;
}

bool ScriptServer::Serve(const Exchange& exchange) {
    const TestSocket connection = AcceptWithin(listener_, kWaitMilliseconds);
    if (connection == kNoTestSocket) return false;
    Served served;
    char buffer[4096];
    int n = 1;
    while (served.request.find("\r\n\r\n") == std::string::npos &&
           (n = ReceiveWithin(connection, buffer, sizeof buffer, kWaitMilliseconds)) > 0) {
        served.request.append(buffer, static_cast<std::size_t>(n));
    }
    SendAll(connection, exchange.reply);
    if (exchange.ending == Exchange::kAwaitClose) {
        while ((n = ReceiveWithin(connection, buffer, sizeof buffer, kWaitMilliseconds)) > 0) {
        }
        served.clientClosed = n != kTimedOut;
    }
    if (exchange.ending == Exchange::kReset) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ResetTestSocket(connection);
    } else {
        CloseTestSocket(connection);
    }
    served_.push_back(served);
    return true;
}

int UnusedLoopbackPort() {
    int port = 0;
    const TestSocket listener = ListenOnLoopback(1, &port);
    if (listener != kNoTestSocket) CloseTestSocket(listener);
    return port;
}

}  // namespace quorvel::test
