// What the network tests of the download class need from a platform: a
// download object on the platform's real transport, and turns of the
// platform's own loop that deliver its notifications.
#pragma once

#include <memory>

#include "download/download.h"

namespace quorvel::test {

class DownloadHarness {
public:
    virtual ~DownloadHarness() = default;
    // A new download object reporting to listener; it replaces the one before.
    virtual C1& Make(DownloadListener& listener) = 0;
    // Waits at most 20 ms for notifications and delivers them.
    virtual void Turn() = 0;
};

template <typename TransportType>
class TransportHarness : public DownloadHarness {
public:
    C1& Make(DownloadListener& listener) override {
        download_.reset();
        auto transport = std::make_unique<TransportType>();
        transport->SetConnectTimeout(5000);
        transport_ = transport.get();
        download_ = std::make_unique<C1>(std::move(transport), &listener);
        return *download_;
    }

protected:
    TransportType* transport_ = nullptr;  // owned by download_
    std::unique_ptr<C1> download_;
};

// Defined once per platform.
std::unique_ptr<DownloadHarness> MakePlatformHarness();

}  // namespace quorvel::test
