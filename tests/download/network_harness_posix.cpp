// The POSIX transport, its poll loop delivering to the download object.
#include <chrono>
#include <thread>

#include "download/network_harness.h"
#include "download/socket_transport_posix.h"

namespace quorvel::test {

std::unique_ptr<Transport> MakePlatformTransport() {
    auto transport = std::make_unique<PosixTransport>();
    transport->SetConnectTimeout(5000);
    return transport;
}

void Turn(C1& download, Transport& transport) {
    const auto deliver = [&](std::int32_t message) { download.ProcessMessage(message); };
    // Nothing to wait for: let the time pass as a loop would.
    if (!static_cast<PosixTransport&>(transport).RunOnce(20, deliver))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

}  // namespace quorvel::test
