// What the Winsock transport adds: its hidden notification window and the
// route of its notifications to the receiver in the main window's place.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "download/socket_transport_win32.h"
#include "download/socket_window_win32.h"

namespace quorvel {
namespace {

using Received = std::vector<std::tuple<HWND, UINT, WPARAM, LPARAM>>;

class Recorder final : public SocketNotificationSink {
public:
    Recorder() { SetSocketNotificationSink(this); }
    ~Recorder() { SetSocketNotificationSink(nullptr); }
    LRESULT ThuTucXuLy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        received.emplace_back(hwnd, message, wParam, lParam);
        return 0;
    }
    Received received;
};

TEST(NotificationWindow, IsAHiddenStaticWindowWhoseMessage1025ReachesTheReceiverUnchanged) {
    auto transport = std::make_unique<WinsockTransport>();
    const HWND window = transport->NotificationWindow();
    EXPECT_EQ(FindWindowA("STATIC", "VLT_WINSOCK_SUBCLASS_LABEL"), window);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(SocketWindowProc));
    Recorder sink;
    const LPARAM resetClose = MAKELPARAM(kCloseEvent, 10054);
    EXPECT_EQ(SendMessageA(window, 1025, 1234, resetClose), 0);
    // Queued notifications run when the transport lets them, as a dropped
    // connection's do; the static control's procedure handles the rest.
    PostMessageA(window, 1025, 5, kReadEvent);
    transport->RunPendingNotifications();
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));
    EXPECT_EQ(sink.received,
              Received({{window, 1025u, 1234u, resetClose}, {window, 1025u, 5u, kReadEvent}}));
    EXPECT_EQ(GetWindowTextLengthA(window), 7);
    transport.reset();
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace quorvel
