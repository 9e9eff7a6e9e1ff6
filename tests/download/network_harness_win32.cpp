// The Winsock transport: notifications reach the download object through its
// notification window, SocketWindowProc and this harness in the main
// window's place.
#include <windows.h>

#include "download/network_harness.h"
#include "download/socket_transport_win32.h"
#include "download/socket_window_win32.h"

namespace quorvel::test {
namespace {

class WinsockHarness final : public TransportHarness<WinsockTransport>,
                             public SocketNotificationSink {
public:
    WinsockHarness() { SetSocketNotificationSink(this); }
    ~WinsockHarness() override {
        download_.reset();
        if (CurrentSocketNotificationSink() == this) SetSocketNotificationSink(nullptr);
    }
    void Turn() override {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    LRESULT ThuTucXuLy(HWND, UINT, WPARAM, LPARAM lParam) override {
        if (download_) download_->ProcessMessage(static_cast<std::int32_t>(lParam));
        return 0;
    }
};

}  // namespace

std::unique_ptr<DownloadHarness> MakePlatformHarness() {
    return std::make_unique<WinsockHarness>();
}

}  // namespace quorvel::test
