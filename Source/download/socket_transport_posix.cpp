// The POSIX transport: non-blocking sockets and a poll loop.
#include "download/socket_transport_posix.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace quorvel {
namespace {

// The IPv4 address of host in network byte order, or INADDR_NONE. A dotted
// address is used without a name lookup; since INADDR_NONE is also the
// failure value, 255.255.255.255 is never connected to.
in_addr_t ResolveHost(const std::string& host) {
    const in_addr_t dotted = inet_addr(host.c_str());
    if (dotted != INADDR_NONE) return dotted;
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return INADDR_NONE;
    const in_addr_t address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(found);
    return address;
}

// A later close resets the connection at once instead of closing it
// gracefully, which is how a redirect or a cancel drops its old connection.
int SetHardClose(int socket) {
    linger hard = {1, 0};
    if (setsockopt(socket, SOL_SOCKET, SO_LINGER, &hard, sizeof hard) != 0) return -1;
    socklen_t length = sizeof hard;
    if (getsockopt(socket, SOL_SOCKET, SO_LINGER, &hard, &length) != 0) return -1;
    return 0;
}

int PollRetrying(pollfd& watched, int milliseconds) {
    int ready;
    do {
        ready = poll(&watched, 1, milliseconds);
    } while (ready < 0 && errno == EINTR);
    return ready;
}

// Connects the non-blocking socket, waiting at most milliseconds.
bool ConnectWithin(int socket, const sockaddr_in& address, int milliseconds) {
    if (connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        return true;
    }
    if (errno != EINPROGRESS) return false;
    pollfd watched = {socket, POLLOUT, 0};
    if (PollRetrying(watched, milliseconds) <= 0) return false;
    int error = 0;
    socklen_t length = sizeof error;
    return getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

int SystemShutdownHow(ShutdownHow how) {
    switch (how) {
        case kShutdownReceive:
            return SHUT_RD;
        case kShutdownSend:
            return SHUT_WR;
        case kShutdownBoth:
            break;
    }
    return SHUT_RDWR;
}

}  // namespace

PosixTransport::~PosixTransport() = default;

SocketId PosixTransport::OpenSocket(const std::string& host, std::int32_t port) {
    const std::optional<std::uint16_t> wirePort = ConnectablePort(port);
    if (!wirePort) return kNoSocket;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(*wirePort);
    address.sin_addr.s_addr = ResolveHost(host);
    if (address.sin_addr.s_addr == INADDR_NONE) return kNoSocket;

    UniqueFd socket(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP));
    if (!socket) return kNoSocket;
    if (SetHardClose(socket.Get()) != 0 ||
        !ConnectWithin(socket.Get(), address, connectMilliseconds_)) {
        return kNoSocket;
    }
    const int id = socket.Get();
    socket_ = std::move(socket);
    DropBuffered();
    writeArmed_ = true;
    closeReported_ = false;
    return id;
}

std::int32_t PosixTransport::SendText(SocketId socket, std::string_view text) {
    if (socket != socket_.Get() || !socket_) return -1;
    if (text.empty()) return 0;
    ssize_t sent;
    do {
        sent = send(socket_.Get(), text.data(), text.size(), MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    if (sent >= 0) return static_cast<std::int32_t>(sent);
    if (errno != EAGAIN && errno != EWOULDBLOCK) return -1;
    writeArmed_ = true;  // as Winsock does after a send that found no room
    return 0;
}

std::int32_t PosixTransport::Receive(SocketId socket, char* block, std::int32_t size) {
    if (socket != socket_.Get() || !socket_ || size <= 0) return -1;
    if (Buffered() == 0) {
        ssize_t received;
        do {
            received = recv(socket_.Get(), buffer_.data(), buffer_.size(), 0);
        } while (received < 0 && errno == EINTR);
        if (received <= 0) return received < 0 ? -1 : 0;
        bufferStart_ = 0;
        bufferEnd_ = static_cast<std::size_t>(received);
    }
    const std::size_t count = std::min(Buffered(), static_cast<std::size_t>(size));
    std::copy_n(buffer_.data() + bufferStart_, count, block);
    bufferStart_ += count;
    return static_cast<std::int32_t>(count);
}

void PosixTransport::Shutdown(SocketId socket, ShutdownHow how) {
    if (socket != socket_.Get() || !socket_) return;
    // Nothing more is read after a shutdown of the receiving side, as with
    // Winsock, whatever was already taken from the system.
    if (how != kShutdownSend) DropBuffered();
    shutdown(socket_.Get(), SystemShutdownHow(how));
}

void PosixTransport::CloseSocket(SocketId socket) {
    if (socket != socket_.Get() || !socket_) return;
    socket_.Reset();
    DropBuffered();
    writeArmed_ = false;
    closeReported_ = false;
    progressWatched_ = false;
}

void PosixTransport::WatchProgress(int milliseconds) {
    progressWatched_ = milliseconds > 0;
    progressDeadline_ = Clock::now() + std::chrono::milliseconds(milliseconds);
}

bool PosixTransport::RunOnce(int waitMilliseconds, const Deliver& deliver) {
    if (!socket_) return false;
    int timeout = waitMilliseconds;
    if (progressWatched_) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(progressDeadline_ - Clock::now());
        if (left.count() <= 0) {
            progressWatched_ = false;
            deliver(kNoProgressEvent);
            return true;
        }
        timeout = static_cast<int>(std::min<long long>(timeout, left.count()));
    }
    // Bytes already taken from the system wait in the buffer, where poll
    // does not see them.
    if (Buffered() > 0 && !closeReported_) {
        deliver(kReadEvent);
        return true;
    }
    // After the close notification only a due write notification is left to
    // watch for; a negative descriptor makes poll just wait.
    pollfd watched = {
        closeReported_ && !writeArmed_ ? -1 : socket_.Get(),
        static_cast<short>((closeReported_ ? 0 : POLLIN) | (writeArmed_ ? POLLOUT : 0)), 0};
    if (PollRetrying(watched, timeout) <= 0) return true;
    if (writeArmed_ && (watched.revents & POLLOUT)) {
        writeArmed_ = false;
        deliver(kWriteEvent);
        return true;
    }
    if (closeReported_ || !(watched.revents & (POLLIN | POLLHUP | POLLERR))) return true;
    // Readable means data, the end of the stream or a reset; a peek tells
    // them apart without taking anything.
    char probe;
    const ssize_t waiting = recv(socket_.Get(), &probe, 1, MSG_PEEK);
    if (waiting > 0) {
        deliver(kReadEvent);
    } else if (waiting == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        closeReported_ = true;
        deliver(kCloseEvent);
    }
    return true;
}

void PosixTransport::Run(const Deliver& deliver) {
    while (RunOnce(1000, deliver)) {
    }
}

}  // namespace quorvel
