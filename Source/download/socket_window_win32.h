// The route of socket notifications: the hidden notification window of each
// download object runs SocketWindowProc, which hands notification message
// 1025 to the main window's ThuTucXuLy, which passes it to the download
// object it holds. The window's other messages go to its previous procedure.
#pragma once

#include <windows.h>

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

// Sets the one receiver (null for none); notifications without one are dropped.
void SetSocketNotificationSink(SocketNotificationSink* sink);
SocketNotificationSink* CurrentSocketNotificationSink();

// Installed on every notification window as a WindowSubclass.
LRESULT CALLBACK SocketWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

}  // namespace quorvel
