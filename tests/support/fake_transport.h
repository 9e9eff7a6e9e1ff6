// A scripted transport for core tests of the download class: it records what
// the download asks of it, and each receive call returns the next scripted
// piece of the current connection.
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
        std::string host;
        std::int32_t port = 0;
        std::string sent;
        // What each receive call returns, at most the size asked for.
        std::deque<std::string> pieces;
        std::vector<ShutdownHow> shutdowns;
        bool closed = false;
    };

    bool CanNotify() const override { return canNotify; }

    SocketId OpenSocket(const std::string& host, std::int32_t port) override {
        opens.push_back(host + ":" + std::to_string(port));
        if (refuse) return kNoSocket;
        connections.push_back(Connection{host, port, {}, {}, {}, false});
        return IdOf(connections.size() - 1);
    }

    std::int32_t SendText(SocketId socket, std::string_view text) override {
        Connection* connection = Find(socket);
        if (!connection) return -1;
        std::int32_t accepted = static_cast<std::int32_t>(text.size());
        if (!sendLimits.empty()) {
            accepted = std::min(accepted, sendLimits.front());
            sendLimits.pop_front();
        }
        if (accepted > 0)
            connection->sent.append(text.substr(0, static_cast<std::size_t>(accepted)));
        return accepted;
    }

    std::int32_t Receive(SocketId socket, char* block, std::int32_t size) override {
        receiveSizes.push_back(size);
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
        ++pendingRuns;
        if (onPendingRun) onPendingRun();
    }

    void WatchProgress(int milliseconds) override { watches.push_back(milliseconds); }

    // The connection opened last.
    Connection& Last() { return connections.back(); }
    void Feed(const std::string& piece) { Last().pieces.push_back(piece); }

    bool canNotify = true;
    bool refuse = false;
    // How many bytes each send call takes, in order: a limit, 0 for no room
    // now, -1 for a failure. Without limits every send takes everything.
    std::deque<std::int32_t> sendLimits;
    std::vector<std::string> opens;  // "host:port" of every open, refused ones too
    std::vector<Connection> connections;
    std::vector<std::int32_t> receiveSizes;
    std::vector<int> watches;
    int pendingRuns = 0;
    std::function<void()> onPendingRun;

private:
    static SocketId IdOf(std::size_t index) { return static_cast<SocketId>(100 + index); }
    Connection* Find(SocketId socket) {
        const auto index = static_cast<std::size_t>(socket - 100);
        if (socket < 100 || index >= connections.size() || connections[index].closed) {
            return nullptr;
        }
        return &connections[index];
    }
};

}  // namespace quorvel::test
