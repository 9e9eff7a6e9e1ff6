// The Winsock transport: notifications reach the download object through its
// notification window, SocketWindowProc and a receiver in the main window's
// place, given to the transport for the turn.
#include <windows.h>

#include "download/network_harness.h"
#include "download/socket_transport_win32.h"

namespace quorvel::test {
namespace {

class Route final : public SocketNotificationSink {
public:
    LRESULT ThuTucXuLy(HWND, UINT, WPARAM, LPARAM lParam) override {
        if (download) download->ProcessMessage(static_cast<std::int32_t>(lParam));
        return 0;
    }
    C1* download = nullptr;
};

}  // namespace

std::unique_ptr<Transport> MakePlatformTransport() {
    auto transport = std::make_unique<WinsockTransport>();
    transport->SetConnectTimeout(5000);
    return transport;
}

void Turn(C1& download, Transport& transport) {
    Route route;
    route.download = &download;
    auto& winsock = static_cast<WinsockTransport&>(transport);
    winsock.SetNotificationSink(&route);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    winsock.SetNotificationSink(nullptr);
}

}  // namespace quorvel::test
