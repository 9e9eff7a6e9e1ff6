// The route of socket notifications: each Winsock transport's hidden
// notification window runs SocketWindowProc, which hands notification message
// 1025 to the receiver the transport was given (the main window's
// ThuTucXuLy), which passes it to the download object it holds. The window's
// other messages go to its previous procedure.
#pragma once

#include <windows.h>

#include "shared/handles_win32.h"

namespace quorvel {

// WM_USER + 1: wParam the socket, lParam the network event (low 16 bits) and
// the Winsock error code (high 16 bits).
inline constexpr UINT kSocketMessage = WM_USER + 1;
inline constexpr const char* kNotificationWindowCaption = "VLT_WINSOCK_SUBCLASS_LABEL";
// The timer of the no-progress watch on the notification window; when it
// fires, the route carries kNoProgressEvent as the network event.
inline constexpr UINT_PTR kNoProgressTimerId = 1;

// What receives the notifications: the main window, which passes them on to
// its download object.
class SocketNotificationSink {
public:
    virtual LRESULT ThuTucXuLy(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~SocketNotificationSink() = default;
};

// The hidden notification window of one transport: a top-level "STATIC"
// window, never shown, subclassed with SocketWindowProc.
class SocketNotificationWindow {
public:
    SocketNotificationWindow() : subclass_(*this) {}
    ~SocketNotificationWindow() { Destroy(); }
    SocketNotificationWindow(const SocketNotificationWindow&) = delete;
    SocketNotificationWindow& operator=(const SocketNotificationWindow&) = delete;

    // Creates the window and installs SocketWindowProc on it.
    void Create();
    // Puts the window's previous procedure back and destroys the window.
    void Destroy();

    HWND Handle() const { return window_.Get(); }
    bool Exists() const { return static_cast<bool>(window_); }
    bool Subclassed() const { return subclass_.Installed(); }

    // The receiver of the notifications; without one (null) they are dropped.
    void SetSink(SocketNotificationSink* sink) { sink_ = sink; }

private:
    LRESULT SocketWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void Route(HWND hwnd, WPARAM wParam, LPARAM lParam);

    UniqueWindow window_;
    SocketNotificationSink* sink_ = nullptr;
    WindowSubclass<SocketNotificationWindow, &SocketNotificationWindow::SocketWindowProc> subclass_;
};

}  // namespace quorvel
