// The route of socket notifications: each Winsock transport's hidden
// notification window runs SocketWindowProc, which hands notification message
// 1025 to the receiver the transport was given (the main window's
// ThuTucXuLy), which passes it to the download object it holds. The window's
// other messages go to its previous procedure.
//
// A notification can arrive while an earlier one is still being handled: a
// handler's message box runs a message loop, and a closed connection's
// waiting notifications are run out at once. The guards on the path, from
// the window in, and what each prevents:
// - SocketWindowProc stops the no-progress timer before it routes the
//   timer's notification: a handler's message box would otherwise let it
//   fire again, once a period, for one watch.
// - RunPendingNotifications dispatches the notification window's messages
//   alone: running out a closed connection's notifications never runs the
//   user's input (a click on Analyze) in the middle of the download's work.
// - The transport acts on its current socket only (IsCurrent).
// - ThuTucXuLy counts itself among the main window's running handlers: when
//   F1 closes inside a message box of a download event, the window object,
//   which holds the download, lives until that handler is done.
// - The download object holds what arrives while it is processing
//   (processing_) and handles it afterwards, so one download's events keep
//   wire order; a held notification of a connection closed since is dropped
//   (connectionSerial_), the run-out ones included; and a Snapshot ends its
//   work once a handler has destroyed it or replaced the connection.
// - A look-up's LookupToken: a handler that waited on a box for a superseded
//   look-up does nothing more.
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
