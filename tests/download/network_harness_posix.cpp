// The POSIX transport, its poll loop delivering to the download object.
#include <chrono>
#include <thread>

#include "download/network_harness.h"
#include "download/socket_transport_posix.h"

namespace quorvel::test {
namespace {

class PosixHarness final : public TransportHarness<PosixTransport> {
public:
    void Turn(int waitMilliseconds) override {
        const bool open =
            download_ && transport_->RunOnce(waitMilliseconds, [this](std::int32_t m) {
                download_->ProcessMessage(m);
            });
        // Nothing to wait for: let the time pass as a loop would.
        if (!open) std::this_thread::sleep_for(std::chrono::milliseconds(waitMilliseconds));
    }
};

}  // namespace

std::unique_ptr<DownloadHarness> MakePlatformHarness() { return std::make_unique<PosixHarness>(); }

}  // namespace quorvel::test
