#include <winsock.h>

#include "support/test_socket.h"

namespace quorvel::test {
namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

SOCKET Native(TestSocket socket) { return static_cast<SOCKET>(socket); }

// Waits for the socket to become readable (or, with forWrite, writable).
bool WaitFor(SOCKET socket, bool forWrite, int milliseconds) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(socket, &ready);
    timeval limit = {milliseconds / 1000, (milliseconds % 1000) * 1000};
    return select(0, forWrite ? nullptr : &ready, forWrite ? &ready : nullptr, nullptr, &limit) > 0;
}

}  // namespace

void StartTestSockets() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(0x0101, &data) == 0;
    }();
    (void)started;
}

TestSocket ListenOnLoopback(int backlog, int* port) {
    StartTestSockets();
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET) return kNoTestSocket;
    sockaddr_in address = Loopback(0);
    int length = sizeof address;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, backlog) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closesocket(listener);
        return kNoTestSocket;
    }
    *port = ntohs(address.sin_port);
    return static_cast<TestSocket>(listener);
}

TestSocket AcceptWithin(TestSocket listener, int milliseconds) {
    if (!WaitFor(Native(listener), false, milliseconds)) return kNoTestSocket;
    const SOCKET accepted = accept(Native(listener), nullptr, nullptr);
    if (accepted == INVALID_SOCKET) return kNoTestSocket;
    // A client that stops reading cannot hold a sending server for ever.
    const DWORD limit = 5000;
    setsockopt(accepted, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&limit),
               sizeof limit);
    return static_cast<TestSocket>(accepted);
}

TestSocket ConnectToLoopback(int port, int milliseconds) {
    StartTestSockets();
    const SOCKET connection = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (connection == INVALID_SOCKET) return kNoTestSocket;
    u_long nonBlocking = 1;
    ioctlsocket(connection, static_cast<long>(FIONBIO), &nonBlocking);  // the SDK's bits
    const sockaddr_in address = Loopback(port);
    const bool immediate =
        connect(connection, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    int error = 0;
    int length = sizeof error;
    if (!immediate &&
        (WSAGetLastError() != WSAEWOULDBLOCK || !WaitFor(connection, true, milliseconds) ||
         getsockopt(connection, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) !=
             0 ||
         error != 0)) {
        closesocket(connection);
        return kNoTestSocket;
    }
    nonBlocking = 0;
    ioctlsocket(connection, static_cast<long>(FIONBIO), &nonBlocking);  // the SDK's bits
    return static_cast<TestSocket>(connection);
}

int ReceiveWithin(TestSocket socket, char* buffer, int size, int milliseconds) {
    if (!WaitFor(Native(socket), false, milliseconds)) return kTimedOut;
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
    linger hard = {1, 0};
    setsockopt(Native(socket), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard),
               sizeof hard);
    closesocket(Native(socket));
}

}  // namespace quorvel::test
