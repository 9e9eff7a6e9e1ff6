// The transport port under the download class: opens one TCP connection at a
// time, moves bytes, and has the platform deliver the connection's network
// events to the download object's ProcessMessage. Winsock implements it with
// a hidden notification window, POSIX with a poll loop.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// A connection as the transport names it; kNoSocket stands for none.
using SocketId = std::intptr_t;
inline constexpr SocketId kNoSocket = -1;

// Network events, as the low 16 bits of a notification's message value.
enum NetworkEvent : std::int32_t {
    kReadEvent = 1,      // data can be read
    kWriteEvent = 2,     // data can be written
    kConnectEvent = 16,  // registered but ignored: the connection is complete before that
    kCloseEvent = 32,    // the peer closed or reset the connection
    // Not a Winsock event: the connection made no progress for the time set
    // with WatchProgress. Chosen outside the bits Winsock uses.
    kNoProgressEvent = 0x4000,
};

// The events every connection is registered for: read, write, connect, close.
inline constexpr std::int32_t kRegisteredEvents = 0x33;

// Directions of Shutdown, as the socket functions number them.
enum ShutdownHow : int { kShutdownReceive = 0, kShutdownSend = 1, kShutdownBoth = 2 };

// The port as put on the wire: the low 16 bits of the given value (70000
// connects to 4464). Port 65535 is never connected to, because its network
// form is the all-ones value that also means "no port": nothing is returned.
std::optional<std::uint16_t> ConnectablePort(std::int32_t port);

class Transport {
public:
    virtual ~Transport() = default;

    // False when the platform could not set up the delivery of notifications
    // (the Winsock notification window could not be made or subclassed).
    virtual bool CanNotify() const = 0;

    // Resolves host (a name or a dotted IPv4 address), connects to it within
    // the transport's connect time-out and registers the connection for
    // notifications. The previous connection must have been closed. Returns
    // kNoSocket on any failure.
    virtual SocketId OpenSocket(const std::string& host, std::int32_t port) = 0;

    // Hands bytes to the connection with one send call: the count accepted,
    // 0 when none could be taken now (a write notification follows when
    // there is room), or -1 on failure.
    virtual std::int32_t SendText(SocketId socket, std::string_view text) = 0;

    // One receive call into block: the count received, 0 when the peer
    // closed, or -1 when nothing is waiting or on failure.
    virtual std::int32_t Receive(SocketId socket, char* block, std::int32_t size) = 0;

    virtual void Shutdown(SocketId socket, ShutdownHow how) = 0;

    // Closes the connection at once (a reset, not a graceful close). Its
    // notifications may still be waiting; RunPendingNotifications lets them
    // run while the caller can still tell that they are stale.
    virtual void CloseSocket(SocketId socket) = 0;

    // Delivers, once, the notifications already waiting for this transport.
    virtual void RunPendingNotifications() = 0;

    // Arms (milliseconds > 0) or stops (0) the no-progress watch: when it
    // runs out before the next call, kNoProgressEvent is delivered.
    virtual void WatchProgress(int milliseconds) = 0;
};

}  // namespace quorvel
