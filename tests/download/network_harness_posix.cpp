// The POSIX transport, its poll loop delivering to the download object.
#include <chrono>
#include <thread>

#include "download/network_harness.h"
#include "download/socket_transport_posix.h"

namespace quorvel::test {
namespace {

class PosixHarness final : public TransportHarness<PosixTransport> {
public:
    void Turn() override {
        const auto deliver = [this](std::int32_t message) { download_->ProcessMessage(message); };
        // Nothing to wait for: let the time pass as a loop would.
        if (!download_ || !transport_->RunOnce(20, deliver))
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
};

}  // namespace

std::unique_ptr<DownloadHarness> MakePlatformHarness() { return std::make_unique<PosixHarness>(); }

}  // namespace quorvel::test
