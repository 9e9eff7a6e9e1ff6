#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

#include "shared/unique_fd_posix.h"
#include "support/test_socket.h"

namespace quorvel::test {
namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool WaitFor(int socket, short events, int milliseconds) {
    pollfd watched = {socket, events, 0};
    int ready;
    do {
        ready = poll(&watched, 1, milliseconds);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

}  // namespace

void StartTestSockets() {}

TestSocket ListenOnLoopback(int backlog, int* port) {
    UniqueFd listener(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!listener) return kNoTestSocket;
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (bind(listener.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener.Get(), backlog) != 0 ||
        getsockname(listener.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return kNoTestSocket;
    }
    *port = ntohs(address.sin_port);
    return listener.Release();
}

TestSocket AcceptWithin(TestSocket listener, int milliseconds) {
    if (!WaitFor(static_cast<int>(listener), POLLIN, milliseconds)) return kNoTestSocket;
    const int accepted = accept4(static_cast<int>(listener), nullptr, nullptr, SOCK_CLOEXEC);
    if (accepted < 0) return kNoTestSocket;
    // A client that stops reading cannot hold a sending server for ever.
    timeval limit = {5, 0};
    setsockopt(accepted, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    return accepted;
}

TestSocket ConnectToLoopback(int port, int milliseconds) {
    UniqueFd owned(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    const int connection = owned.Get();
    if (!owned) return kNoTestSocket;
    const sockaddr_in address = Loopback(port);
    const bool immediate =
        connect(connection, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    int error = 0;
    socklen_t length = sizeof error;
    if (!immediate &&
        (errno != EINPROGRESS || !WaitFor(connection, POLLOUT, milliseconds) ||
         getsockopt(connection, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0)) {
        return kNoTestSocket;
    }
    fcntl(connection, F_SETFL, fcntl(connection, F_GETFL) & ~O_NONBLOCK);
    return owned.Release();
}

int ReceiveWithin(TestSocket socket, char* buffer, int size, int milliseconds) {
    if (!WaitFor(static_cast<int>(socket), POLLIN, milliseconds)) return kTimedOut;
    const ssize_t received =
        recv(static_cast<int>(socket), buffer, static_cast<std::size_t>(size), 0);
    return received < 0 ? -1 : static_cast<int>(received);
}

bool SendAll(TestSocket socket, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent =
            send(static_cast<int>(socket), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

void CloseTestSocket(TestSocket socket) { UniqueFd(static_cast<int>(socket)).Reset(); }

void ResetTestSocket(TestSocket socket) {
    linger hard = {1, 0};
    UniqueFd owned(static_cast<int>(socket));
    setsockopt(owned.Get(), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
}

}  // namespace quorvel::test
