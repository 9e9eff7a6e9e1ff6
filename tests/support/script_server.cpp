#include "support/script_server.h"

#include <chrono>

namespace quorvel::test {

ServerStep ReadRequest() { return {ServerStep::Kind::kReadRequest, {}, 0}; }
ServerStep Send(std::string bytes) { return {ServerStep::Kind::kSend, std::move(bytes), 0}; }
ServerStep Pause(int milliseconds) { return {ServerStep::Kind::kPause, {}, milliseconds}; }
ServerStep Close() { return {ServerStep::Kind::kClose, {}, 0}; }
ServerStep Reset() { return {ServerStep::Kind::kReset, {}, 0}; }
ServerStep AwaitClose() { return {ServerStep::Kind::kAwaitClose, {}, 0}; }

std::vector<ServerStep> Trickle(const std::string& bytes, int pauseMilliseconds) {
    std::vector<ServerStep> steps;
    for (char c : bytes) {
        steps.push_back(Send(std::string(1, c)));
        steps.push_back(Pause(pauseMilliseconds));
    }
    return steps;
}

ScriptServer::ScriptServer(std::vector<ServerScript> scripts, int backlog)
    : scripts_(std::move(scripts)) {
    listener_ = ListenOnLoopback(backlog, &port_);
    if (listener_ != kNoTestSocket) thread_ = std::thread([this] { Serve(); });
}

ScriptServer::~ScriptServer() {
    stop_ = true;
    Finish();
    if (listener_ != kNoTestSocket) CloseTestSocket(listener_);
}

std::string ScriptServer::Base() const { return "http://127.0.0.1:" + std::to_string(port_); }

void ScriptServer::Finish() {
    if (thread_.joinable()) thread_.join();
}

std::vector<std::string> ScriptServer::Requests() {
    Finish();
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

std::vector<ClientEnding> ScriptServer::Endings() {
    Finish();
    std::lock_guard<std::mutex> lock(mutex_);
    return endings_;
}

void ScriptServer::Serve() {
    constexpr int kSlice = 50;
    for (const ServerScript& script : scripts_) {
        TestSocket connection = kNoTestSocket;
        for (int waited = 0; connection == kNoTestSocket && waited < kWaitMilliseconds && !stop_;
             waited += kSlice) {
            connection = AcceptWithin(listener_, kSlice);
        }
        if (connection == kNoTestSocket) return;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.emplace_back();
            endings_.push_back(ClientEnding::kStillOpen);
        }
        Play(connection, script);
    }
}

void ScriptServer::Play(TestSocket connection, const ServerScript& script) {
    char buffer[4096];
    std::string received;
    bool open = true;
    for (const ServerStep& step : script) {
        if (!open) break;
        switch (step.kind) {
            case ServerStep::Kind::kReadRequest:
                while (received.find("\r\n\r\n") == std::string::npos) {
                    const int n =
                        ReceiveWithin(connection, buffer, sizeof buffer, kWaitMilliseconds);
                    if (n <= 0) break;
                    received.append(buffer, static_cast<std::size_t>(n));
                }
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    requests_.back() = received;
                }
                break;
            case ServerStep::Kind::kSend:
                if (!SendAll(connection, step.bytes)) open = false;
                break;
            case ServerStep::Kind::kPause:
                std::this_thread::sleep_for(std::chrono::milliseconds(step.milliseconds));
                break;
            case ServerStep::Kind::kAwaitClose: {
                int n = 1;
                while (n > 0)
                    n = ReceiveWithin(connection, buffer, sizeof buffer, kWaitMilliseconds);
                std::lock_guard<std::mutex> lock(mutex_);
                if (n == 0) endings_.back() = ClientEnding::kClosed;
                if (n == -1) endings_.back() = ClientEnding::kReset;
                break;
            }
            case ServerStep::Kind::kClose:
                CloseTestSocket(connection);
                open = false;
                break;
            case ServerStep::Kind::kReset:
                ResetTestSocket(connection);
                open = false;
                break;
        }
    }
    if (open) CloseTestSocket(connection);
}

int UnusedLoopbackPort() {
    int port = 0;
    const TestSocket listener = ListenOnLoopback(1, &port);
    if (listener != kNoTestSocket) CloseTestSocket(listener);
    return port;
}

}  // namespace quorvel::test
