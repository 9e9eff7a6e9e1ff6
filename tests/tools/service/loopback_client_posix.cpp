#include "tools/service/loopback_client_posix.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace quorvel::testing {

namespace {
constexpr int kReceiveBoundSeconds = 10;
}  // namespace

UniqueFd ConnectLoopback(int port) {
    UniqueFd socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const timeval bound{kReceiveBoundSeconds, 0};
    if (!socket || setsockopt(socket.Get(), SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound) != 0 ||
        connect(socket.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ADD_FAILURE() << "cannot connect to 127.0.0.1:" << port;
        return UniqueFd();
    }
    return socket;
}

bool SendAll(const UniqueFd& socket, const std::string& text) {
    std::size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t count =
            send(socket.Get(), text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (count <= 0) return false;
        sent += static_cast<std::size_t>(count);
    }
    return true;
}

std::string ReceiveAll(const UniqueFd& socket) {
    std::string received;
    char block[4096];
    for (;;) {
        const ssize_t count = recv(socket.Get(), block, sizeof block, 0);
        if (count == 0) return received;
        if (count < 0) {
            if (errno == EINTR) continue;
            ADD_FAILURE() << "no end of the reply: " << std::strerror(errno);
            return received;
        }
        received.append(block, static_cast<std::size_t>(count));
    }
}

std::string Exchange(int port, const std::string& request) {
    const UniqueFd socket = ConnectLoopback(port);
    if (!socket) return std::string();
    EXPECT_TRUE(SendAll(socket, request));
    return ReceiveAll(socket);
}

std::string QuorvelRequest(const std::string& target) {
    return "GET " + target +
           " HTTP/1.0\r\nAccept: */*\r\nUser-Agent: Brindle Download Class\r\nHost: "
           "127.0.0.1\r\nPragma: no-cache\r\nCache-Control: no-cache\r\n\r\n";
}

std::string AnalysisTarget(const std::string& imei) {
    return "/index.php?goto=imei&action=analyse&s=" + imei;
}

std::string StatusLine(const std::string& reply) { return reply.substr(0, reply.find("\r\n")); }

std::string Body(const std::string& reply) {
    const std::string::size_type end = reply.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : reply.substr(end + 4);
}

}  // namespace quorvel::testing
