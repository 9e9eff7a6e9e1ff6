// The notification window of a transport and SocketWindowProc.
#include "download/socket_window_win32.h"

#include "download/transport.h"

namespace quorvel {

void SocketNotificationWindow::Create() {
    window_ = UniqueWindow(CreateWindowExA(0, "STATIC", kNotificationWindowCaption, 0, 0, 0, 0, 0,
                                           nullptr, nullptr, nullptr, nullptr));
    if (window_) subclass_.Install(window_.Get());
}

void SocketNotificationWindow::Destroy() {
    subclass_.Remove();
    window_.Reset();
}

LRESULT SocketNotificationWindow::SocketWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam,
                                                   LPARAM lParam) {
    if (uMsg == kSocketMessage) {
        Route(hwnd, wParam, lParam);
        return 0;
    }
    if (uMsg == WM_TIMER && wParam == kNoProgressTimerId) {
        KillTimer(hwnd, kNoProgressTimerId);  // one notification per watch
        Route(hwnd, 0, kNoProgressEvent);
        return 0;
    }
    return CallPreviousProcedure(hwnd, uMsg, wParam, lParam);
}

void SocketNotificationWindow::Route(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (sink_) sink_->ThuTucXuLy(hwnd, kSocketMessage, wParam, lParam);
}

}  // namespace quorvel
