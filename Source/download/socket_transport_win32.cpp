// The Winsock transport: blocking resolve, a connect bounded in time, then
// asynchronous notifications through the hidden window.
#include "download/socket_transport_win32.h"

#include <winsock.h>

namespace quorvel {

void CloseSocketRelease::Free(UINT_PTR socket) { closesocket(static_cast<SOCKET>(socket)); }

namespace {

constexpr WORD kWinsockVersion = MAKEWORD(1, 1);
static_assert(kWinsockVersion == 0x0101, "Winsock 1.1");

// The IPv4 address of host in network byte order, or INADDR_NONE. A dotted
// address is used without a name lookup; since INADDR_NONE is also the
// failure value, 255.255.255.255 is never connected to.
u_long ResolveHost(const std::string& host) {
    const u_long dotted = inet_addr(host.c_str());
    if (dotted != INADDR_NONE) return dotted;
    const hostent* entry = gethostbyname(host.c_str());
    if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list || !entry->h_addr_list[0]) {
        return INADDR_NONE;
    }
    u_long address;
    CopyMemory(&address, entry->h_addr_list[0], sizeof address);
    return address;
}

// A later closesocket resets the connection at once instead of closing it
// gracefully, which is how a redirect or a cancel drops its old connection.
int SetHardClose(SOCKET socket) {
    linger hard = {1, 0};
    if (setsockopt(socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard),
                   sizeof hard) != 0) {
        return -1;
    }
    int length = sizeof hard;
    if (getsockopt(socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<char*>(&hard), &length) != 0) {
        return -1;
    }
    return 0;
}

// Connects without blocking longer than milliseconds: a host that neither
// accepts nor refuses would otherwise hold the user-interface thread for as
// long as the system's own connect time-out.
bool ConnectWithin(SOCKET socket, const sockaddr_in& address, int milliseconds) {
    u_long nonBlocking = 1;
    // The SDK's FIONBIO is an unsigned value above LONG_MAX; the command is its bits as a long.
    if (ioctlsocket(socket, static_cast<long>(FIONBIO), &nonBlocking) != 0) return false;
    if (connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        return true;
    }
    if (WSAGetLastError() != WSAEWOULDBLOCK) return false;
    fd_set writable;
    fd_set failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket, &writable);
    FD_SET(socket, &failed);
    timeval limit = {milliseconds / 1000, (milliseconds % 1000) * 1000};
    if (select(0, nullptr, &writable, &failed, &limit) <= 0) return false;
    if (!FD_ISSET(socket, &writable) || FD_ISSET(socket, &failed)) return false;
    int error = 0;
    int length = sizeof error;
    return getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) ==
               0 &&
           error == 0;
}

}  // namespace

WinsockTransport::WinsockTransport() {
    WSADATA data;
    // A failed start is not reported here: the socket calls that follow fail
    // and the download reports code 5 or 7.
    winsockStarted_ = WSAStartup(kWinsockVersion, &data) == 0;
    window_.Create();
}

WinsockTransport::~WinsockTransport() {
    socket_.Reset();
    window_.Destroy();
    if (WSAIsBlocking()) WSACancelBlockingCall();
    if (winsockStarted_) WSACleanup();
}

bool WinsockTransport::IsCurrent(SocketId socket) const {
    return socket_ && static_cast<UINT_PTR>(socket) == socket_.Get();
}

SocketId WinsockTransport::OpenSocket(const std::string& host, std::int32_t port) {
    const std::optional<std::uint16_t> wirePort = ConnectablePort(port);
    if (!wirePort) return kNoSocket;
    sockaddr_in address = {};  // 16 bytes: family, port, address, 8 zero bytes
    address.sin_family = AF_INET;
    address.sin_port = htons(*wirePort);
    address.sin_addr.s_addr = ResolveHost(host);
    if (address.sin_addr.s_addr == INADDR_NONE) return kNoSocket;

    UniqueSocket candidate(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!candidate) return kNoSocket;
    if (SetHardClose(candidate.Get()) != 0) return kNoSocket;
    if (!ConnectWithin(candidate.Get(), address, connectMilliseconds_)) return kNoSocket;
    if (!CanNotify() ||
        WSAAsyncSelect(candidate.Get(), window_.Handle(), kSocketMessage, kRegisteredEvents) != 0) {
        return kNoSocket;
    }
    socket_ = std::move(candidate);
    return static_cast<SocketId>(socket_.Get());
}

std::int32_t WinsockTransport::SendText(SocketId socket, std::string_view text) {
    if (!IsCurrent(socket)) return -1;
    if (text.empty()) return 0;
    const int sent = send(socket_.Get(), text.data(), static_cast<int>(text.size()), 0);
    if (sent != SOCKET_ERROR) return sent;
    // No room now: Winsock posts a write notification when there is.
    return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
}

std::int32_t WinsockTransport::Receive(SocketId socket, char* block, std::int32_t size) {
    if (!IsCurrent(socket)) return -1;
    const int received = recv(socket_.Get(), block, size, 0);
    return received == SOCKET_ERROR ? -1 : received;
}

void WinsockTransport::Shutdown(SocketId socket, ShutdownHow how) {
    if (IsCurrent(socket)) shutdown(socket_.Get(), how);
}

void WinsockTransport::CloseSocket(SocketId socket) {
    if (IsCurrent(socket)) socket_.Reset();
}

void WinsockTransport::RunPendingNotifications() {
    if (!window_.Exists()) return;
    MSG message;
    while (PeekMessageA(&message, window_.Handle(), 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

void WinsockTransport::WatchProgress(int milliseconds) {
    if (!window_.Exists()) return;
    if (milliseconds > 0) {
        SetTimer(window_.Handle(), kNoProgressTimerId, static_cast<UINT>(milliseconds), nullptr);
    } else {
        KillTimer(window_.Handle(), kNoProgressTimerId);
    }
}

}  // namespace quorvel
