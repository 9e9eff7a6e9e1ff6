#include <winsock.h>

#include "support/test_socket.h"

namespace quorvel::test {
namespace {

SOCKET Native(TestSocket socket) { return static_cast<SOCKET>(socket); }

bool Readable(TestSocket socket, int milliseconds) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(Native(socket), &ready);
    timeval limit = {milliseconds / 1000, (milliseconds % 1000) * 1000};
    return select(0, &ready, nullptr, nullptr, &limit) > 0;
}

}  // namespace

TestSocket ListenOnLoopback(int backlog, int* port) {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(0x0101, &data) == 0;
    }();
    const SOCKET listener = started ? socket(AF_INET, SOCK_STREAM, IPPROTO_TCP) : INVALID_SOCKET;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (listener == INVALID_SOCKET) return kNoTestSocket;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener, backlog) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closesocket(listener);
        return kNoTestSocket;
    }
    *port = ntohs(address.sin_port);
    return static_cast<TestSocket>(listener);
}

TestSocket AcceptWithin(TestSocket listener, int milliseconds) {
    if (!Readable(listener, milliseconds)) return kNoTestSocket;
    const SOCKET accepted = accept(Native(listener), nullptr, nullptr);
    if (accepted == INVALID_SOCKET) return kNoTestSocket;
    // A client that stops reading cannot hold a sending server for ever.
    const DWORD limit = 5000;
    setsockopt(accepted, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&limit),
               sizeof limit);
    return static_cast<TestSocket>(accepted);
}

int ReceiveWithin(TestSocket socket, char* buffer, int size, int milliseconds) {
    if (!Readable(socket, milliseconds)) return kTimedOut;
    const int received = recv(Native(socket), buffer, size, 0);
    return received == SOCKET_ERROR ? -1 : received;
}

bool SendAll(TestSocket socket, std::string_view bytes) {
    while (!bytes.empty()) {
        const int sent = send(Native(socket), bytes.data(), static_cast<int>(bytes.size()), 0);
        if (sent <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

void CloseTestSocket(TestSocket socket) { closesocket(Native(socket)); }

void ResetTestSocket(TestSocket socket) {
    const linger hard = {1, 0};
    setsockopt(Native(socket), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard),
               sizeof hard);
    closesocket(Native(socket));
}

}  // namespace quorvel::test
