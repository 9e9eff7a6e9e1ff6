// One source for both platforms: Winsock keeps to the BSD calls used here,
// apart from the few names defined first.
#ifdef _WIN32
#include <winsock.h>
using socklen_t = int;
using NativeSocket = SOCKET;
using Length = int;
constexpr int kNoSignal = 0;
#else
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
using NativeSocket = int;
using Length = size_t;
constexpr int kNoSignal = MSG_NOSIGNAL;
inline int closesocket(int socket) { return close(socket); }
#endif

#include "support/test_socket.h"

namespace quorvel::test {
namespace {

NativeSocket Native(TestSocket socket) { return static_cast<NativeSocket>(socket); }

bool Readable(TestSocket socket, int milliseconds) {
    fd_set ready{};  // empty, as FD_ZERO makes it
    FD_SET(Native(socket), &ready);
    timeval limit = {milliseconds / 1000, (milliseconds % 1000) * 1000};
    return select(static_cast<int>(socket) + 1, &ready, nullptr, nullptr, &limit) > 0;
}

// A new TCP socket (INVALID_SOCKET and -1 both read as -1), and
// 127.0.0.1:port in address.
TestSocket NewSocket(int port, sockaddr_in& address) {
#ifdef _WIN32
    static WSADATA data;
    if (data.wVersion == 0) WSAStartup(0x0101, &data);  // a failure shows in the calls that follow
#endif
    address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    return static_cast<TestSocket>(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
}

}  // namespace

TestSocket ListenOnLoopback(int backlog, int* port) {
    sockaddr_in address;
    const TestSocket listener = NewSocket(0, address);
    socklen_t length = sizeof address;
    // A failure shows in the calls that follow, the caller's among them.
    bind(Native(listener), reinterpret_cast<sockaddr*>(&address), length);
    listen(Native(listener), backlog);
    getsockname(Native(listener), reinterpret_cast<sockaddr*>(&address), &length);
    *port = ntohs(address.sin_port);
    return listener;
}

TestSocket ConnectToLoopback(int port, int milliseconds) {
    sockaddr_in address;
    // A failure shows in the calls that follow, the caller's among them.
    const TestSocket connection = NewSocket(port, address);
    // Bounds a blocking connect (and later sends) on Linux; Winsock ignores it
    // for connect, where a loopback connect answers at once anyway.
    const timeval limit = {milliseconds / 1000, (milliseconds % 1000) * 1000};
    setsockopt(Native(connection), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&limit),
               sizeof limit);
    connect(Native(connection), reinterpret_cast<sockaddr*>(&address), sizeof address);
    return connection;
}

int ReceiveWithin(TestSocket socket, char* buffer, int size, int milliseconds) {
    if (!Readable(socket, milliseconds)) return -1;
    return static_cast<int>(recv(Native(socket), buffer, static_cast<Length>(size), 0));
}

bool SendAll(TestSocket socket, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto sent =
            send(Native(socket), bytes.data(), static_cast<Length>(bytes.size()), kNoSignal);
        if (sent <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

void CloseTestSocket(TestSocket socket) { closesocket(Native(socket)); }

std::future<std::vector<std::string>> ServeOnLoopback(std::vector<std::string> replies, int* port) {
    const TestSocket listener = ListenOnLoopback(8, port);
    return std::async(std::launch::async, [listener, replies] {
        std::vector<std::string> requests;
        char buffer[4096];
        for (const std::string& reply : replies) {
            if (!Readable(listener, 5000)) break;
            const auto client = static_cast<TestSocket>(accept(Native(listener), nullptr, nullptr));
            if (client < 0) break;
            std::string& request = requests.emplace_back();
            for (int n; request.find("\r\n\r\n") == std::string::npos &&
                        (n = ReceiveWithin(client, buffer, sizeof buffer, 5000)) > 0;)
                request.append(buffer, static_cast<std::size_t>(n));
            SendAll(client, reply);
            CloseTestSocket(client);
        }
        CloseTestSocket(listener);
        return requests;
    });
}

}  // namespace quorvel::test
