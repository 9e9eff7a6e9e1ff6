// The analysis service's HTTP server: one thread that polls its listening
// socket and every client, so that a slow or silent client never holds up
// the others. Each client sends one request head and gets one reply, after
// which the server closes the connection.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "shared/unique_fd_posix.h"

namespace quorvel {

struct ServerLimits {
    std::size_t maxRequestBytes = 8192;  // a longer head gets 400
    // From the connection to the end of the request head: a head not complete
    // by then gets 408, a client that has sent nothing is just closed. Short,
    // so that a client sending a byte now and then holds no slot for long.
    std::chrono::milliseconds headTimeout{2000};
    // From the connection to the end of the reply.
    std::chrono::milliseconds exchangeTimeout{10000};
    // After the reply: how long the client may take to close its side, while
    // the server reads and drops what it still sends.
    std::chrono::milliseconds lingerTimeout{1000};
    // A client still sending its head this long after it connected is slow:
    // when every slot is taken, a new client takes the place of the oldest
    // such one. A normal client sends its head at once, so none is closed to
    // make room; while no client is slow, new ones wait in the listening
    // queue until a slot frees.
    std::chrono::milliseconds slowHeadGrace{500};
    // Connections served at once (the service sets it from its descriptor
    // limit, see ClientSlotsWithinDescriptorLimit).
    std::size_t maxClients = 256;
};

// Raises this process's soft limit of open descriptors to its hard limit
// (up to a bound past which a single thread gains nothing) and returns the
// connections it leaves room for, a few descriptors kept for the server's
// own use.
std::size_t ClientSlotsWithinDescriptorLimit();

class ServiceServer {
public:
    // The reply, whole, to one request head (its bytes up to the blank line).
    using Responder = std::function<std::string(const std::string& head)>;

    explicit ServiceServer(Responder responder, ServerLimits limits = {});
    ~ServiceServer();
    ServiceServer(const ServiceServer&) = delete;
    ServiceServer& operator=(const ServiceServer&) = delete;

    // Binds to a numeric IPv4 or IPv6 address and a port (0: any free one)
    // and listens. False, with the reason in *error, when that fails.
    bool Listen(const std::string& address, int port, std::string* error);
    int port() const { return port_; }
    // The address listened on, as "127.0.0.1:8047" or "[::1]:8047".
    std::string LocalAddress() const;

    // Serves clients until Stop; then closes every connection.
    void Run();
    // Makes Run return; safe from any thread and from a signal handler.
    void Stop();

private:
    using Clock = std::chrono::steady_clock;
    struct Connection;

    void AcceptClients();
    // The oldest open connection still reading its head, at or after *scan
    // (connections are kept in the order they were accepted, so a search
    // can go on where the last one stopped); nullptr when there is none.
    Connection* OldestReading(std::size_t* scan);
    // The oldest connection still reading its head after the grace, whose
    // slot a new client may take; nullptr when none is that slow.
    Connection* SlowestHead(std::size_t* scan, Clock::time_point now);
    // A free slot, or a slow client whose slot a new one may take.
    bool HasRoom(Clock::time_point now);
    void Serve(Connection& connection);
    void Finish(Connection& connection);
    void Expire(Connection& connection, Clock::time_point now);
    void StartReply(Connection& connection, std::string reply, Clock::time_point deadline);
    void SendReply(Connection& connection);
    int PollTimeoutMs(Clock::time_point now);

    Responder responder_;
    ServerLimits limits_;
    UniqueFd listener_;
    UniqueFd wakeRead_;
    UniqueFd wakeWrite_;
    std::string host_;
    int port_ = 0;
    std::vector<Connection> connections_;
    std::size_t openConnections_ = 0;  // those of connections_ not yet finished
    // After accept ran out of descriptors: when to try again.
    Clock::time_point acceptResumes_;
};

}  // namespace quorvel
