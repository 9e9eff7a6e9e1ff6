// A scripted transport for core tests of the download class: it records what
// the download asks of it, and each receive returns the next scripted piece
// of the current connection.
#pragma once

#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "download/transport.h"

namespace quorvel::test {

class FakeTransport : public Transport {
public:
    struct Connection {
        std::string sent;
        std::deque<std::string> pieces;  // each receive returns at most one
        std::vector<ShutdownHow> shutdowns;
        bool closed = false;
    };

    bool CanNotify() const override { return canNotify; }
    SocketId OpenSocket(const std::string& host, std::int32_t port) override {
        opens.push_back(host + ":" + std::to_string(port));
        if (refuse) return kNoSocket;
        connections.emplace_back();
        return static_cast<SocketId>(connections.size() + 99);
    }
    std::int32_t SendText(SocketId socket, std::string_view text) override {
        auto taken = static_cast<std::int32_t>(text.size());
        if (!sendLimits.empty()) taken = std::min(taken, sendLimits.front());
        if (!sendLimits.empty()) sendLimits.pop_front();
        Connection* connection = Find(socket);
        if (!connection) return -1;
        if (taken > 0) connection->sent.append(text.substr(0, static_cast<std::size_t>(taken)));
        return taken;
    }
    std::int32_t Receive(SocketId socket, char* block, std::int32_t size) override {
        Connection* connection = Find(socket);
        if (!connection || connection->pieces.empty()) return -1;
        std::string& piece = connection->pieces.front();
        const std::size_t count = std::min(piece.size(), static_cast<std::size_t>(size));
        std::memcpy(block, piece.data(), count);
        piece.erase(0, count);
        if (piece.empty()) connection->pieces.pop_front();
        return static_cast<std::int32_t>(count);
    }
    void Shutdown(SocketId socket, ShutdownHow how) override {
        if (Connection* connection = Find(socket)) connection->shutdowns.push_back(how);
    }
    void CloseSocket(SocketId socket) override {
        if (Connection* connection = Find(socket)) connection->closed = true;
    }
    void RunPendingNotifications() override {
        if (onPendingRun) onPendingRun();
    }
    void WatchProgress(int milliseconds) override { watches.push_back(milliseconds); }

    Connection& Last() { return connections.back(); }
    void Feed(const std::string& piece) { Last().pieces.push_back(piece); }

    bool canNotify = true;
    bool refuse = false;
    // What each send call takes, in order: at most a count, 0 for no room
    // now, -1 for a failure. Without limits every send takes everything.
    std::deque<std::int32_t> sendLimits;
    std::vector<std::string> opens;  // "host:port" of every open, refused ones too
    std::vector<Connection> connections;
    std::vector<int> watches;
    std::function<void()> onPendingRun;

private:
    Connection* Find(SocketId socket) {
        const auto index = static_cast<std::size_t>(socket - 100);
        if (socket < 100 || index >= connections.size() || connections[index].closed)
            return nullptr;
        return &connections[index];
    }
};

}  // namespace quorvel::test
