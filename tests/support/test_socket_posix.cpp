#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

#include "shared/unique_fd_posix.h"
#include "support/test_socket.h"

namespace quorvel::test {
namespace {

bool Readable(TestSocket socket, int milliseconds) {
    pollfd watched = {static_cast<int>(socket), POLLIN, 0};
    int ready;
    do ready = poll(&watched, 1, milliseconds);
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

}  // namespace

TestSocket ListenOnLoopback(int backlog, int* port) {
    UniqueFd listener(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (!listener || bind(listener.Get(), reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener.Get(), backlog) != 0 ||
        getsockname(listener.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return kNoTestSocket;
    }
    *port = ntohs(address.sin_port);
    return listener.Release();
}

TestSocket AcceptWithin(TestSocket listener, int milliseconds) {
    if (!Readable(listener, milliseconds)) return kNoTestSocket;
    const int accepted = accept4(static_cast<int>(listener), nullptr, nullptr, SOCK_CLOEXEC);
    // A client that stops reading cannot hold a sending server for ever.
    const timeval limit = {5, 0};
    if (accepted >= 0) setsockopt(accepted, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    return accepted < 0 ? kNoTestSocket : accepted;
}

int ReceiveWithin(TestSocket socket, char* buffer, int size, int milliseconds) {
    if (!Readable(socket, milliseconds)) return kTimedOut;
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
    const linger hard = {1, 0};
    UniqueFd owned(static_cast<int>(socket));
    setsockopt(owned.Get(), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
}

}  // namespace quorvel::test
