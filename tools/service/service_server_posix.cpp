#include "service/service_server_posix.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <system_error>

#include "service/http_message.h"

namespace quorvel {
namespace {

constexpr std::size_t kReceiveBlock = 4096;
// How long to wait before accepting again when the process is out of
// descriptors, so that the still-readable listening socket does not spin.
constexpr std::chrono::milliseconds kAcceptBackoff{100};

// Descriptors past this many would only let one thread fall further behind.
constexpr rlim_t kMostDescriptors = 65536;
// Kept from the client slots for the standard streams, the listening socket,
// the wake-up pipe and the readiness queue, with some to spare.
constexpr rlim_t kServerDescriptors = 16;

bool WouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK || error == EINTR; }

std::string Describe(int error) { return std::strerror(error); }

}  // namespace

struct ServiceServer::Connection {
    enum class Stage { kReading, kWriting, kDraining };

    UniqueFd socket;
    Stage stage = Stage::kReading;
    std::string received;
    std::string reply;
    std::size_t sent = 0;
    Clock::time_point accepted;
    Clock::time_point deadline;
    bool finished = false;  // closed; dropped at the end of the poll round
};

std::size_t ClientSlotsWithinDescriptorLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0) return ServerLimits{}.maxClients;
    const rlim_t wanted = std::min(limit.rlim_max, kMostDescriptors);
    if (limit.rlim_cur < wanted) {
        const rlimit raised{wanted, limit.rlim_max};
        if (setrlimit(RLIMIT_NOFILE, &raised) == 0) limit.rlim_cur = wanted;
    }
    const rlim_t usable = std::min(limit.rlim_cur, kMostDescriptors);
    return static_cast<std::size_t>(usable > kServerDescriptors ? usable - kServerDescriptors : 1);
}

ServiceServer::ServiceServer(Responder responder, ServerLimits limits)
    : responder_(std::move(responder)), limits_(limits) {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_NONBLOCK | O_CLOEXEC) != 0) {
        throw std::system_error(errno, std::generic_category(), "pipe2");
    }
    wakeRead_.Reset(pipeEnds[0]);
    wakeWrite_.Reset(pipeEnds[1]);
}

ServiceServer::~ServiceServer() = default;

bool ServiceServer::Listen(const std::string& address, int port, std::string* error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICHOST | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const int lookup = getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (lookup != 0) {
        *error = "not a numeric address: " + address + " (" + gai_strerror(lookup) + ")";
        return false;
    }
    std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> owned(found, freeaddrinfo);
    UniqueFd socket(::socket(found->ai_family, found->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                             found->ai_protocol));
    const int reuse = 1;
    if (!socket || setsockopt(socket.Get(), SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse) != 0 ||
        bind(socket.Get(), found->ai_addr, found->ai_addrlen) != 0 ||
        listen(socket.Get(), SOMAXCONN) != 0) {
        *error = "cannot listen on " + address + " port " + std::to_string(port) + ": " +
                 Describe(errno);
        return false;
    }
    sockaddr_storage bound{};
    socklen_t boundLength = sizeof bound;
    char host[NI_MAXHOST];
    char service[NI_MAXSERV];
    if (getsockname(socket.Get(), reinterpret_cast<sockaddr*>(&bound), &boundLength) != 0 ||
        getnameinfo(reinterpret_cast<sockaddr*>(&bound), boundLength, host, sizeof host, service,
                    sizeof service, NI_NUMERICHOST | NI_NUMERICSERV) != 0) {
        *error = "cannot read the address listened on: " + Describe(errno);
        return false;
    }
    host_ = bound.ss_family == AF_INET6 ? std::string("[") + host + "]" : host;
    port_ = std::stoi(service);
    listener_ = std::move(socket);
    return true;
}

std::string ServiceServer::LocalAddress() const { return host_ + ":" + std::to_string(port_); }

void ServiceServer::Stop() {
    // A full pipe already holds a wake-up, so a failed write loses nothing.
    const char wake = 1;
    [[maybe_unused]] const ssize_t written = write(wakeWrite_.Get(), &wake, 1);
}

void ServiceServer::Run() {
    std::vector<pollfd> polled;
    for (;;) {
        const Clock::time_point now = Clock::now();
        const bool accepting = listener_ && now >= acceptResumes_ && HasRoom(now);
        polled.clear();
        polled.push_back({wakeRead_.Get(), POLLIN, 0});
        polled.push_back({accepting ? listener_.Get() : -1, POLLIN, 0});
        for (const Connection& connection : connections_) {
            const bool writing = connection.stage == Connection::Stage::kWriting;
            polled.push_back(
                {connection.socket.Get(), static_cast<short>(writing ? POLLOUT : POLLIN), 0});
        }
        if (poll(polled.data(), polled.size(), PollTimeoutMs(now)) < 0) {
            if (errno == EINTR) continue;
            throw std::system_error(errno, std::generic_category(), "poll");
        }
        if (polled[0].revents != 0) break;
        // Only the connections that were polled; those accepted below wait
        // for the next round.
        const std::size_t polledConnections = connections_.size();
        for (std::size_t i = 0; i < polledConnections; ++i) {
            if (polled[i + 2].revents != 0) Serve(connections_[i]);
        }
        if (polled[1].revents != 0) AcceptClients();
        const Clock::time_point after = Clock::now();
        for (Connection& connection : connections_) Expire(connection, after);
        connections_.erase(std::remove_if(connections_.begin(), connections_.end(),
                                          [](const Connection& c) { return c.finished; }),
                           connections_.end());
    }
    connections_.clear();
    openConnections_ = 0;
}

int ServiceServer::PollTimeoutMs(Clock::time_point now) {
    Clock::time_point wake = Clock::time_point::max();
    for (const Connection& connection : connections_) wake = std::min(wake, connection.deadline);
    if (acceptResumes_ > now) wake = std::min(wake, acceptResumes_);
    // Full: when the oldest head turns slow, its slot may go to a new client
    // (once it is slow, the listening socket is polled for that client).
    std::size_t scan = 0;
    const Connection* oldest =
        openConnections_ >= limits_.maxClients ? OldestReading(&scan) : nullptr;
    if (oldest && oldest->accepted + limits_.slowHeadGrace > now) {
        wake = std::min(wake, oldest->accepted + limits_.slowHeadGrace);
    }
    if (wake == Clock::time_point::max()) return -1;
    if (wake <= now) return 0;
    // Rounded up, so that the deadline has passed when poll returns.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(wake - now).count());
}

ServiceServer::Connection* ServiceServer::OldestReading(std::size_t* scan) {
    for (; *scan < connections_.size(); ++*scan) {
        Connection& connection = connections_[*scan];
        if (!connection.finished && connection.stage == Connection::Stage::kReading) {
            return &connection;
        }
    }
    return nullptr;
}

ServiceServer::Connection* ServiceServer::SlowestHead(std::size_t* scan, Clock::time_point now) {
    // Those accepted later are younger: the oldest tells whether any is slow.
    Connection* oldest = OldestReading(scan);
    return oldest && now >= oldest->accepted + limits_.slowHeadGrace ? oldest : nullptr;
}

bool ServiceServer::HasRoom(Clock::time_point now) {
    std::size_t scan = 0;
    return openConnections_ < limits_.maxClients || SlowestHead(&scan, now);
}

void ServiceServer::AcceptClients() {
    std::size_t scan = 0;
    for (;;) {
        Connection* slow = nullptr;
        if (openConnections_ >= limits_.maxClients && !(slow = SlowestHead(&scan, Clock::now()))) {
            return;
        }
        UniqueFd client(accept4(listener_.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!client) {
            // A client that gave up in the queue is skipped; running out of
            // descriptors pauses accepting for a moment.
            if (errno == ECONNABORTED) continue;
            if (!WouldBlock(errno)) acceptResumes_ = Clock::now() + kAcceptBackoff;
            return;
        }
        // Closed only now that a new client takes its slot.
        if (slow) Finish(*slow);
        Connection connection;
        connection.socket = std::move(client);
        connection.accepted = Clock::now();
        connection.deadline =
            connection.accepted + std::min(limits_.headTimeout, limits_.exchangeTimeout);
        connections_.push_back(std::move(connection));
        ++openConnections_;
    }
}

void ServiceServer::Serve(Connection& connection) {
    if (connection.stage == Connection::Stage::kWriting) {
        SendReply(connection);
        return;
    }
    char block[kReceiveBlock];
    const ssize_t count = recv(connection.socket.Get(), block, sizeof block, 0);
    if (count < 0) {
        if (!WouldBlock(errno)) Finish(connection);
        return;
    }
    if (connection.stage == Connection::Stage::kDraining) {
        if (count == 0) Finish(connection);
        return;
    }
    const Clock::time_point replyDeadline = connection.accepted + limits_.exchangeTimeout;
    if (count == 0) {
        // The client stopped sending before its head was complete.
        if (connection.received.empty()) {
            Finish(connection);
        } else {
            StartReply(connection, ErrorReply(400), replyDeadline);
        }
        return;
    }
    connection.received.append(block, static_cast<std::size_t>(count));
    std::size_t headLength = 0;
    switch (ScanRequestHead(connection.received, limits_.maxRequestBytes, &headLength)) {
        case HeadScan::kIncomplete:
            break;
        case HeadScan::kTooLarge:
        case HeadScan::kMalformed:
            StartReply(connection, ErrorReply(400), replyDeadline);
            break;
        case HeadScan::kComplete:
            StartReply(connection, responder_(connection.received.substr(0, headLength)),
                       replyDeadline);
            break;
    }
}

void ServiceServer::Finish(Connection& connection) {
    // Closed at once: a slot given to a new client frees its descriptor too.
    connection.socket.Reset();
    connection.finished = true;
    --openConnections_;
}

void ServiceServer::Expire(Connection& connection, Clock::time_point now) {
    if (connection.finished || now < connection.deadline) return;
    if (connection.stage == Connection::Stage::kReading && !connection.received.empty()) {
        StartReply(connection, ErrorReply(408), now + limits_.lingerTimeout);
        return;
    }
    Finish(connection);
}

void ServiceServer::StartReply(Connection& connection, std::string reply,
                               Clock::time_point deadline) {
    connection.deadline = deadline;
    connection.stage = Connection::Stage::kWriting;
    connection.reply = std::move(reply);
    connection.sent = 0;
    connection.received.clear();
    SendReply(connection);
}

void ServiceServer::SendReply(Connection& connection) {
    while (connection.sent < connection.reply.size()) {
        const ssize_t count =
            send(connection.socket.Get(), connection.reply.data() + connection.sent,
                 connection.reply.size() - connection.sent, MSG_NOSIGNAL);
        if (count < 0) {
            if (!WouldBlock(errno)) Finish(connection);
            return;
        }
        connection.sent += static_cast<std::size_t>(count);
    }
    // Closing at once could reset the connection while the client still
    // sends, and lose the reply; instead end the sending side and read what
    // else comes until the client closes too.
    shutdown(connection.socket.Get(), SHUT_WR);
    connection.stage = Connection::Stage::kDraining;
    connection.deadline = std::min(connection.deadline, Clock::now() + limits_.lingerTimeout);
}

}  // namespace quorvel
