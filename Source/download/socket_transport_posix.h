// The transport port over POSIX sockets, driven by a poll loop that turns the
// state of the connection into the same notifications Winsock posts: one
// write notification once connected (and again after a send found no room),
// read notifications while data waits, one close notification when the peer
// closes or resets. For the native tests and the command-line tool.
#pragma once

#include <chrono>
#include <functional>
#include <vector>

#include "download/transport.h"
#include "shared/unique_fd_posix.h"

namespace quorvel {

class PosixTransport final : public Transport {
public:
    // How long a connect may take before the connection counts as failed.
    static constexpr int kDefaultConnectMilliseconds = 15000;

    PosixTransport() = default;
    ~PosixTransport() override;
    PosixTransport(const PosixTransport&) = delete;
    PosixTransport& operator=(const PosixTransport&) = delete;

    bool CanNotify() const override { return true; }
    SocketId OpenSocket(const std::string& host, std::int32_t port) override;
    std::int32_t SendText(SocketId socket, std::string_view text) override;
    std::int32_t Receive(SocketId socket, char* block, std::int32_t size) override;
    void Shutdown(SocketId socket, ShutdownHow how) override;
    void CloseSocket(SocketId socket) override;
    // Nothing waits: notifications are made from the socket's state when the
    // loop polls, and a closed socket is polled no more.
    void RunPendingNotifications() override {}
    void WatchProgress(int milliseconds) override;

    void SetConnectTimeout(int milliseconds) { connectMilliseconds_ = milliseconds; }
    bool HasSocket() const { return static_cast<bool>(socket_); }

    using Deliver = std::function<void(std::int32_t message)>;
    // One turn of the loop: waits at most waitMilliseconds for the next
    // notification of the open connection and hands it to deliver. Returns
    // false when no connection is open.
    bool RunOnce(int waitMilliseconds, const Deliver& deliver);
    // Turns until no connection is open. Bounded: a silent connection ends
    // with the no-progress notification.
    void Run(const Deliver& deliver);

private:
    using Clock = std::chrono::steady_clock;

    // Received bytes not yet taken: the system is asked for large pieces,
    // which Receive hands out in the sizes the caller asks for, so that the
    // download's 1024-byte blocks do not cost one system call each.
    static constexpr std::size_t kReceiveBufferSize = 64 * 1024;
    std::size_t Buffered() const { return bufferEnd_ - bufferStart_; }
    void DropBuffered() { bufferStart_ = bufferEnd_ = 0; }

    UniqueFd socket_;
    bool writeArmed_ = false;  // a write notification is due
    bool closeReported_ = false;
    bool progressWatched_ = false;
    Clock::time_point progressDeadline_{};
    int connectMilliseconds_ = kDefaultConnectMilliseconds;
    std::vector<char> buffer_ = std::vector<char>(kReceiveBufferSize);
    std::size_t bufferStart_ = 0;
    std::size_t bufferEnd_ = 0;
};

}  // namespace quorvel
