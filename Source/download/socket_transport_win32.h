// The transport port over Winsock 1.1: each object starts Winsock, owns a
// hidden notification window running SocketWindowProc, and registers its
// connection with WSAAsyncSelect, so that the network events arrive as window
// messages on the user-interface thread and go to its notification sink.
#pragma once

#include <windows.h>

#include "download/socket_window_win32.h"
#include "download/transport.h"
#include "shared/handles_win32.h"

namespace quorvel {

class WinsockTransport final : public Transport {
public:
    // How long a connect may take before the connection counts as failed.
    static constexpr int kDefaultConnectMilliseconds = 15000;

    // Starts Winsock 1.1 and creates the notification window; CanNotify()
    // tells whether it could be made and given SocketWindowProc.
    WinsockTransport();
    // Closes the connection, puts the window's procedure back, destroys the
    // window and ends this object's use of Winsock, in that order.
    ~WinsockTransport() override;
    WinsockTransport(const WinsockTransport&) = delete;
    WinsockTransport& operator=(const WinsockTransport&) = delete;

    // A window without SocketWindowProc would swallow the notifications.
    bool CanNotify() const override { return window_.Subclassed(); }
    SocketId OpenSocket(const std::string& host, std::int32_t port) override;
    std::int32_t SendText(SocketId socket, std::string_view text) override;
    std::int32_t Receive(SocketId socket, char* block, std::int32_t size) override;
    void Shutdown(SocketId socket, ShutdownHow how) override;
    void CloseSocket(SocketId socket) override;
    // Dispatches the messages already queued for the notification window
    // (only those: a general message pass would also run the user's input).
    void RunPendingNotifications() override;
    void WatchProgress(int milliseconds) override;

    void SetConnectTimeout(int milliseconds) { connectMilliseconds_ = milliseconds; }
    // Where the notifications go (the main window); null drops them.
    void SetNotificationSink(SocketNotificationSink* sink) { window_.SetSink(sink); }
    HWND NotificationWindow() const { return window_.Handle(); }
    bool HasSocket() const { return static_cast<bool>(socket_); }

private:
    bool IsCurrent(SocketId socket) const;

    bool winsockStarted_ = false;
    SocketNotificationWindow window_;
    UniqueSocket socket_;
    int connectMilliseconds_ = kDefaultConnectMilliseconds;
};

}  // namespace quorvel
