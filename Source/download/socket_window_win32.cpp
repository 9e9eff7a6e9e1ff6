// SocketWindowProc and the module-level receiver of socket notifications.
#include "download/socket_window_win32.h"

#include "download/transport.h"
#include "shared/handles_win32.h"

namespace quorvel {
namespace {

SocketNotificationSink* gSink = nullptr;

void Route(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (gSink) gSink->ThuTucXuLy(hwnd, kSocketMessage, wParam, lParam);
}

}  // namespace

void SetSocketNotificationSink(SocketNotificationSink* sink) { gSink = sink; }

SocketNotificationSink* CurrentSocketNotificationSink() { return gSink; }

LRESULT CALLBACK SocketWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == kSocketMessage) {
        Route(hwnd, wParam, lParam);
        return 0;
    }
    if (uMsg == WM_TIMER && wParam == kNoProgressTimerId) {
        KillTimer(hwnd, kNoProgressTimerId);  // one notification per watch
        Route(hwnd, 0, kNoProgressEvent);
        return 0;
    }
    return WindowSubclass::CallPrevious(SocketWindowProc, hwnd, uMsg, wParam, lParam);
}

}  // namespace quorvel
